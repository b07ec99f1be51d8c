#include "wnd/File.h"

#include <stdexcept>

CFile::CFile(const char* path)
  : m_handle(INVALID_HANDLE_VALUE), m_path(path ? path : "")
{
}

CFile::~CFile()
{
  try
  {
    Close();
  }
  catch (...)
  {
    // Nothing can be done about a handle that would not close.
  }
}

bool CFile::Open(bool openExisting, DWORD access, const char* path)
{
  if (path && *path)
    m_path = path;
  Close();
  m_handle = CreateFileA(m_path.c_str(), access, 0, nullptr,
                         openExisting ? OPEN_EXISTING : OPEN_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  return m_handle != INVALID_HANDLE_VALUE;
}

ULONGLONG CFile::GetSize() const
{
  if (m_handle == INVALID_HANDLE_VALUE)
    return 0;
  LARGE_INTEGER size;
  if (!GetFileSizeEx(m_handle, &size))
    return 0;
  return static_cast<ULONGLONG>(size.QuadPart);
}

int CFile::Close()
{
  if (m_handle == INVALID_HANDLE_VALUE)
    return -1;
  const HANDLE handle = m_handle;
  m_handle = INVALID_HANDLE_VALUE;
  const BOOL closed = CloseHandle(handle);
  if (!closed)
    throw std::runtime_error("CFile::Close CloseHandle");
  return closed;
}
