#include "persist/XMLFile.h"

#include "persist/XMLFilePlatform.h"
#include "tessel/StringUtil.h"

#include <cstdio>
#include <cstring>
#include <memory>

namespace
{

struct CFileCloser
{
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using CFilePtr = std::unique_ptr<std::FILE, CFileCloser>;

bool Exists(const std::string& path)
{
    CFilePtr file(std::fopen(path.c_str(), "rb"));
    return file != nullptr;
}

// Every LF becomes CR LF, once (a CR LF already in the text becomes CR CR
// LF, read back as CR LF). The lines are found with memchr and copied whole:
// a file has a line end every few bytes.
std::string ToCrLf(const std::string& text)
{
    size_t lines = 0;
    for (const char* p = text.data();
         (p = static_cast<const char*>(std::memchr(p, '\n', text.data() + text.size() - p))) !=
         nullptr;
         ++p)
        ++lines;
    std::string out;
    out.reserve(text.size() + lines);
    size_t from = 0;
    for (size_t at; (at = text.find('\n', from)) != std::string::npos; from = at + 1) {
        out.append(text, from, at - from);
        out += "\r\n";
    }
    out.append(text, from, std::string::npos);
    return out;
}

// Every CR LF becomes LF, in place; a CR alone stays.
void FoldCrLf(std::string& text)
{
    char* const begin = &text[0];
    const char* const end = begin + text.size();
    const char* in = begin;
    char* out = begin;
    while (const char* cr = static_cast<const char*>(std::memchr(in, '\r', end - in))) {
        if (cr + 1 == end)
            break;
        const bool pair = cr[1] == '\n';
        const size_t keep = static_cast<size_t>(cr - in) + (pair ? 0 : 1);
        if (out != in)
            std::memmove(out, in, keep);
        out += keep;
        in = cr + 1;
    }
    const size_t rest = static_cast<size_t>(end - in);
    if (out != in)
        std::memmove(out, in, rest);
    text.resize(static_cast<size_t>(out - begin) + rest);
}

// Reads to the end; false on a read error (a folder opens on some systems
// but cannot be read: it fails here) and once more than `limit` bytes came.
bool ReadAll(std::FILE* file, std::string& bytes, size_t limit)
{
    // Room for the whole file at once when its size can be told, so that
    // the string never regrows (a folder or a device tells nothing useful).
    if (std::fseek(file, 0, SEEK_END) == 0) {
        const long size = std::ftell(file);
        if (size > 0 && size < (1L << 28) && static_cast<size_t>(size) <= limit)
            bytes.reserve(static_cast<size_t>(size));
    }
    if (std::fseek(file, 0, SEEK_SET) != 0)
        return false;
    char buffer[65536];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        if (got > limit - bytes.size())
            return false;
        bytes.append(buffer, got);
    }
    return !std::ferror(file);
}

}  // namespace

bool ReadXMLFile(const std::string& path, std::string& text, bool createMissing)
{
    if (path.empty())
        return false;
    CFilePtr file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        // Opening for appending creates a missing file and changes nothing
        // in one that exists but could not be read.
        if (createMissing)
            CFilePtr created(std::fopen(path.c_str(), "ab"));
        return false;
    }

    std::string bytes;
    if (!ReadAll(file.get(), bytes, std::string::npos) || bytes.empty())
        return false;

    FoldCrLf(bytes);
    text.swap(bytes);
    return true;
}

bool WriteXMLFile(const std::string& path, const std::string& text)
{
    return WriteWholeFile(path, ToCrLf(text));
}

bool ReadWholeFile(const std::string& path, std::string& bytes, size_t limit)
{
    if (path.empty())
        return false;
    CFilePtr file(std::fopen(path.c_str(), "rb"));
    std::string read;
    if (!file || !ReadAll(file.get(), read, limit))
        return false;
    bytes.swap(read);
    return true;
}

bool WriteWholeFile(const std::string& path, const std::string& bytes)
{
    if (path.empty())
        return false;
    // Renaming over a file ignores the file's own write protection on POSIX;
    // refuse a target that could not be written in place, as Windows does.
    if (Exists(path)) {
        CFilePtr probe(std::fopen(path.c_str(), "r+b"));
        if (!probe)
            return false;
    }

    // The temporary file sits beside the target (appending to the name keeps
    // it in the same folder without having to find the folder in the path),
    // so the final rename stays on one volume.
    // Created exclusively, so that no file of the user's is ever taken over.
    std::string temp;
    std::FILE* file = nullptr;
    for (int n = 0; n < 100 && file == nullptr; ++n) {
        temp = path + ".~" + std::to_string(n);
        file = CreateNewFile(temp);
    }
    if (file == nullptr)
        return false;
    bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    written = written && std::fflush(file) == 0;
    written = written && CommitToDisk(file);
    written = (std::fclose(file) == 0) && written;
    if (!written || !MoveOver(temp, path)) {
        std::remove(temp.c_str());
        return false;
    }
    return true;
}
