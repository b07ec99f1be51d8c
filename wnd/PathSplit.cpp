#include "wnd/PathSplit.h"

#include <windows.h>

#include <cstring>

// The CRT's _splitpath is not the same everywhere: some versions scan byte by
// byte and split "C:\表\a.xml" inside "表" (0x95 0x5C). The split is done
// here, stepping over double-byte characters of the ANSI code page.

namespace
{

bool IsSeparator(char c)
{
    return c == '\\' || c == '/';
}

void CopyPart(char* out, const char* begin, size_t length)
{
    std::memcpy(out, begin, length);
    out[length] = '\0';
}

}  // namespace

void CPathSplit::Clear()
{
    m_Path[0] = '\0';
    m_Folder[0] = '\0';
    m_FileName[0] = '\0';
    m_Drive[0] = '\0';
    m_Dir[0] = '\0';
    m_Name[0] = '\0';
    m_Ext[0] = '\0';
}

int CPathSplit::Set(const char* path)
{
    if (!path)
        return 0;
    const size_t length = std::strlen(path);
    if (length >= kPathSize)
        return 0;

    // Drive: a letter and a colon at the start.
    size_t driveLength = 0;
    if (length >= 2 && path[1] == ':' && !IsDBCSLeadByte(static_cast<BYTE>(path[0])))
        driveLength = 2;

    // The last separator and the last dot after it, found character by
    // character so that trail bytes are never taken for either.
    const char* rest = path + driveLength;
    const char* end = path + length;
    const char* nameStart = rest;
    const char* lastDot = nullptr;
    for (const char* p = rest; p < end;) {
        if (IsDBCSLeadByte(static_cast<BYTE>(*p)) && p + 1 < end) {
            p += 2;
            continue;
        }
        if (IsSeparator(*p)) {
            nameStart = p + 1;
            lastDot = nullptr;
        } else if (*p == '.') {
            lastDot = p;
        }
        ++p;
    }
    const char* extStart = lastDot ? lastDot : end;

    const size_t dirLength = static_cast<size_t>(nameStart - rest);
    const size_t nameLength = static_cast<size_t>(extStart - nameStart);
    const size_t extLength = static_cast<size_t>(end - extStart);
    if (dirLength >= kPartSize || nameLength >= kPartSize || extLength >= kPartSize)
        return 0;

    CopyPart(m_Path, path, length);
    CopyPart(m_Drive, path, driveLength);
    CopyPart(m_Dir, rest, dirLength);
    CopyPart(m_Name, nameStart, nameLength);
    CopyPart(m_Ext, extStart, extLength);
    // Both fit: together they are at most the whole path.
    CopyPart(m_Folder, path, driveLength + dirLength);
    CopyPart(m_FileName, nameStart, nameLength + extLength);
    return 1;
}
