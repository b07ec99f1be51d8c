#include "wnd/PathSplit.h"

#include <cstring>

// Paths are UTF-8, where a separator, a colon or a dot byte is always that
// character (no byte of a longer character is below 0x80), so the split
// looks at bytes. It is done here rather than by the CRT's _splitpath, which
// would read the path in the system's code page.

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
    if (length >= 2 && path[1] == ':' && static_cast<unsigned char>(path[0]) < 0x80)
        driveLength = 2;

    // The last separator and the last dot after it.
    const char* rest = path + driveLength;
    const char* end = path + length;
    const char* nameStart = rest;
    const char* lastDot = nullptr;
    for (const char* p = rest; p < end; ++p) {
        if (IsSeparator(*p)) {
            nameStart = p + 1;
            lastDot = nullptr;
        } else if (*p == '.') {
            lastDot = p;
        }
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
