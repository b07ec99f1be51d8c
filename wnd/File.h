// CFile: holder of one file handle, used to test that a file exists and is
// not empty before a reader parses it with a stream.
//
// The path is a UTF-8 string (the process code page). The object
// owns the handle and closes it in Close or in its destructor; it cannot be
// copied.
#pragma once

#include <windows.h>

#include <string>

class CFile
{
public:
    CFile() : m_Handle(INVALID_HANDLE_VALUE) {}
    explicit CFile(const char* path);
    ~CFile();
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;

    // Opens the file without sharing. A non-empty path replaces the stored
    // one. openExisting: OPEN_EXISTING; otherwise OPEN_ALWAYS, which creates
    // an empty file when none exists. A file already open is closed first
    // (an exception from that Close passes through).
    // Returns whether a handle was obtained.
    bool Open(bool openExisting, DWORD access, const char* path = nullptr);

    // The file's size in bytes (all 64 bits, so a file of exactly 4 GiB does
    // not pass for an empty one); 0 when closed or when the size is unknown.
    ULONGLONG GetSize() const;

    // -1 when already closed, else the result of CloseHandle (non-zero).
    // When CloseHandle fails, throws std::runtime_error with the text
    // "CFile::Close CloseHandle"; the handle counts as closed either way.
    int Close();

    bool IsOpen() const { return m_Handle != INVALID_HANDLE_VALUE; }
    HANDLE GetHandle() const { return m_Handle; }
    const std::string& GetPath() const { return m_Path; }

private:
    HANDLE m_Handle;
    std::string m_Path;
};
