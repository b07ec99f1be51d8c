// Helpers of the file fuzz targets: one scratch folder per process, the
// fuzzer's bytes written to a file in it (Load reads from a path), and the
// same bytes parsed from memory as they are.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

#include <unistd.h>

#include "tessel/Tessel.h"

namespace FuzzFile
{

inline void Check(bool condition)
{
    if (!condition)
        std::abort();
}

// A private folder, made once per process and removed at its normal end.
// It lives in memory (/dev/shm) where there is one: every save flushes its
// file to the disk, which on a real disk would bound the executions.
inline const std::string& Folder()
{
    static const std::string folder = [] {
        char inMemory[] = "/dev/shm/rolecue-fuzz-XXXXXX";
        char onDisk[] = "/tmp/rolecue-fuzz-XXXXXX";
        const char* made = mkdtemp(inMemory);
        if (made == nullptr)
            made = mkdtemp(onDisk);
        Check(made != nullptr);
        return std::string(made);
    }();
    static const struct CRemover
    {
        ~CRemover()
        {
            for (const char* name : {"input.xml", "option.xml", "saved.xml", "resaved.xml",
                                     "first.xml", "second.xml", "third.xml"})
                std::remove((folder + "/" + name).c_str());
            rmdir(folder.c_str());
        }
    } remover;
    (void)remover;
    return folder;
}

inline std::string WriteInput(std::string_view bytes, const char* name)
{
    const std::string path = Folder() + "/" + name;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    Check(file != nullptr);
    Check(std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size());
    Check(std::fclose(file) == 0);
    return path;
}

inline std::string ReadAll(const std::string& path)
{
    std::string bytes;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr)
        return bytes;
    char buffer[4096];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        bytes.append(buffer, got);
    std::fclose(file);
    return bytes;
}

// Load hands the parser a file's text only when the file is not empty, and
// with every CR LF made LF; this gives the parser the fuzzer's own bytes
// instead, in the buffer the fuzzer made for them (no bytes at all too), the
// way Load parses. Nothing read may make the parser fail other than by its
// exceptions, and no bytes give an empty document.
inline void ParseInMemory(std::string_view bytes)
{
    Tessel::DOM_Parser parser;
    parser.SetTrimWhitespace(true);
    try {
        std::unique_ptr<Tessel::Document> document(parser.Parse(bytes));
        Check(!bytes.empty() || document->GetChildCount() == 0);
    } catch (const Tessel::ParsingException&) {
        Check(!bytes.empty());
    } catch (const Tessel::DOM_Exception&) {
        Check(!bytes.empty());
    }
}

}  // namespace FuzzFile
