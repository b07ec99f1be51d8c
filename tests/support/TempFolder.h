// Test helpers for suites that write files, portable: a fresh folder per
// test, removed with everything in it when the test ends (also when it
// fails), and whole files read and written as bytes.
//
// Paths are narrow strings, handed to the program as they are: a name given
// to File() keeps its bytes (Shift_JIS names included), so that the Win32
// suites reach the same file through the "A" functions.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

class CTempFolder
{
public:
    // A new folder under the system's temporary folder, named after the
    // running test.
    CTempFolder();
    ~CTempFolder();
    CTempFolder(const CTempFolder&) = delete;
    CTempFolder& operator=(const CTempFolder&) = delete;

    const std::filesystem::path& Path() const { return m_Path; }
    // The narrow path of `name` in the folder.
    std::string File(const std::string& name) const;
    // Names of everything in the folder, sorted.
    std::vector<std::string> List() const;
    // Takes write permission on the folder away from everyone, and says
    // whether that keeps this user from creating a file in it: the
    // superuser, or Windows, where the read-only flag of a folder does not
    // protect what is in it, may write anyway. The destructor gives it back.
    bool MakeReadOnly() const;

private:
    std::filesystem::path m_Path;
};

// A whole file as bytes; empty when it cannot be read.
std::string ReadBytes(const std::string& path);
// Replaces a file with the bytes; false when it cannot be written.
bool WriteBytes(const std::string& path, const std::string& bytes);
// A file of tests/data/<area>.
std::string DataFile(const std::string& area, const std::string& name);
