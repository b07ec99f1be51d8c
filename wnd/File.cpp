#include "wnd/File.h"

#include <stdexcept>

CFile::CFile(const char* path) : m_Handle(INVALID_HANDLE_VALUE), m_Path(path ? path : "") {}

CFile::~CFile()
{
    try {
        Close();
    } catch (...) {
        // Nothing can be done about a handle that would not close.
    }
}

bool CFile::Open(bool openExisting, DWORD access, const char* path)
{
    if (path && *path)
        m_Path = path;
    Close();
    m_Handle =
        CreateFileA(m_Path.c_str(), access, 0, nullptr, openExisting ? OPEN_EXISTING : OPEN_ALWAYS,
                    FILE_ATTRIBUTE_NORMAL, nullptr);
    return m_Handle != INVALID_HANDLE_VALUE;
}

ULONGLONG CFile::GetSize() const
{
    if (m_Handle == INVALID_HANDLE_VALUE)
        return 0;
    LARGE_INTEGER size;
    if (!GetFileSizeEx(m_Handle, &size))
        return 0;
    return static_cast<ULONGLONG>(size.QuadPart);
}

int CFile::Close()
{
    if (m_Handle == INVALID_HANDLE_VALUE)
        return -1;
    const HANDLE handle = m_Handle;
    m_Handle = INVALID_HANDLE_VALUE;
    const BOOL closed = CloseHandle(handle);
    if (!closed)
        throw std::runtime_error("CFile::Close CloseHandle");
    return closed;
}
