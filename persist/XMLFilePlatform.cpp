#include "persist/XMLFilePlatform.h"

// The only file of the portable libraries that reaches the platform: the
// Windows half needs MoveFileExA (rename() there refuses an existing target),
// and <windows.h> stays inside this file.
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

#include <cstdint>
#include <cstdio>

#ifdef _WIN32

std::FILE* CreateNewFile(const std::string& path)
{
    HANDLE handle = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return nullptr;
    // From here the C runtime owns the handle: fclose closes it.
    int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_BINARY | _O_WRONLY);
    if (fd == -1) {
        CloseHandle(handle);
        DeleteFileA(path.c_str());
        return nullptr;
    }
    std::FILE* file = _fdopen(fd, "wb");
    if (file == nullptr) {
        _close(fd);
        DeleteFileA(path.c_str());
    }
    return file;
}

bool CommitToDisk(std::FILE* file)
{
    return _commit(_fileno(file)) == 0;
}

bool MoveOver(const std::string& source, const std::string& target)
{
    // rename() of the C library refuses an existing target on Windows.
    return MoveFileExA(source.c_str(), target.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

#else

std::FILE* CreateNewFile(const std::string& path)
{
    int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0666);
    if (fd == -1)
        return nullptr;
    std::FILE* file = fdopen(fd, "wb");
    if (file == nullptr) {
        close(fd);
        unlink(path.c_str());
    }
    return file;
}

bool CommitToDisk(std::FILE* file)
{
    return fsync(fileno(file)) == 0;
}

bool MoveOver(const std::string& source, const std::string& target)
{
    return std::rename(source.c_str(), target.c_str()) == 0;
}

#endif
