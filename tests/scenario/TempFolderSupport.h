// Test helpers for suites that write files: a fresh folder per test, removed
// with everything in it when the test ends (also when it fails), and whole
// files read and written as bytes.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

class CTempFolder
{
public:
    CTempFolder()
    {
        std::random_device random;
        const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = std::string("rolecue-") + (info ? info->name() : "test") + "-" +
                           std::to_string(random());
        m_Path = std::filesystem::temp_directory_path() / name;
        std::filesystem::create_directories(m_Path);
    }
    ~CTempFolder()
    {
        std::error_code ignored;
        std::filesystem::permissions(m_Path, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(m_Path, ignored);
    }
    CTempFolder(const CTempFolder&) = delete;
    CTempFolder& operator=(const CTempFolder&) = delete;

    const std::filesystem::path& Path() const { return m_Path; }
    // A narrow path of a file in the folder (ASCII names only).
    std::string File(const std::string& name) const { return (m_Path / name).string(); }

    // Names of everything in the folder, sorted.
    std::vector<std::string> List() const
    {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(m_Path))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    std::filesystem::path m_Path;
};

inline std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string DataFile(const std::string& area, const std::string& name)
{
    return std::string(ROLECUE_TEST_DATA) + "/" + area + "/" + name;
}
