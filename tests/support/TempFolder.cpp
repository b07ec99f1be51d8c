#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <random>

namespace
{

// The running test's name as a file name: a parameterised test's "/" and
// anything else but letters and digits become "-", and a long name is cut.
std::string TestName()
{
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = info ? info->name() : "test";
    for (char& c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c)))
            c = '-';
    }
    return name.substr(0, 48);
}

}  // namespace

CTempFolder::CTempFolder()
{
    std::random_device random;
    const std::filesystem::path base = std::filesystem::temp_directory_path();
    const std::string prefix = "rolecue-" + TestName() + "-";
    // A folder that already exists belongs to someone else: try another.
    for (int attempt = 0; attempt < 100; ++attempt) {
        m_Path = base / (prefix + std::to_string(random()));
        std::error_code error;
        if (std::filesystem::create_directory(m_Path, error))
            break;
    }
}

CTempFolder::~CTempFolder()
{
    // Tests take write permission away from the folder or its files; give
    // it back first, or nothing in it could be removed.
    std::error_code ignored;
    std::filesystem::permissions(m_Path, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::error_code walk;
    std::filesystem::recursive_directory_iterator it(m_Path, walk);
    for (; !walk && it != std::filesystem::recursive_directory_iterator(); it.increment(walk)) {
        if (!it->is_symlink(ignored))
            std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                         std::filesystem::perm_options::add, ignored);
    }
    std::filesystem::remove_all(m_Path, ignored);
}

std::string CTempFolder::File(const std::string& name) const
{
    return m_Path.string() + static_cast<char>(std::filesystem::path::preferred_separator) + name;
}

std::vector<std::string> CTempFolder::List() const
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(m_Path))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

bool CTempFolder::MakeReadOnly() const
{
    std::filesystem::permissions(m_Path,
                                 std::filesystem::perms::owner_write |
                                     std::filesystem::perms::group_write |
                                     std::filesystem::perms::others_write,
                                 std::filesystem::perm_options::remove);
    const std::string probe = File("probe");
    std::FILE* file = std::fopen(probe.c_str(), "wb");
    if (file == nullptr)
        return true;
    std::fclose(file);
    std::remove(probe.c_str());
    return false;
}

std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return !out.fail();
}

std::string DataFile(const std::string& area, const std::string& name)
{
    return std::string(ROLECUE_TEST_DATA) + "/" + area + "/" + name;
}
