#include "wnd/PathSplit.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "ControlsSupport.h"

namespace
{

TEST(CPathSplit, SplitsDriveFolderFileNameAndExtension)
{
    CPathSplit split;
    ASSERT_EQ(1, split.Set("C:\\dir\\file.xml"));
    EXPECT_STREQ("C:\\dir\\file.xml", split.GetPath());
    EXPECT_STREQ("C:", split.GetDrive());
    EXPECT_STREQ("\\dir\\", split.GetDir());
    EXPECT_STREQ("C:\\dir\\", split.GetFolder());
    EXPECT_STREQ("file", split.GetName());
    EXPECT_STREQ(".xml", split.GetExt());
    EXPECT_STREQ("file.xml", split.GetFileName());
}

TEST(CPathSplit, StartsEmpty)
{
    CPathSplit split;
    EXPECT_STREQ("", split.GetPath());
    EXPECT_STREQ("", split.GetFolder());
    EXPECT_STREQ("", split.GetExt());
}

TEST(CPathSplit, NullPathReturnsZeroAndKeepsFields)
{
    CPathSplit split;
    ASSERT_EQ(1, split.Set("C:\\a\\b.txt"));
    EXPECT_EQ(0, split.Set(nullptr));
    EXPECT_STREQ("C:\\a\\b.txt", split.GetPath());
}

TEST(CPathSplit, ClearEmptiesEveryField)
{
    CPathSplit split;
    ASSERT_EQ(1, split.Set("C:\\a\\b.txt"));
    split.Clear();
    for (const char* field : {split.GetPath(), split.GetFolder(), split.GetFileName(),
                              split.GetDrive(), split.GetDir(), split.GetName(), split.GetExt()})
        EXPECT_STREQ("", field);
}

TEST(CPathSplit, TakesExtensionFromLastDotOfFileNameOnly)
{
    CPathSplit split;
    ASSERT_EQ(1, split.Set("C:\\v1.2\\archive.tar.gz"));
    EXPECT_STREQ("archive.tar", split.GetName());
    EXPECT_STREQ(".gz", split.GetExt());
    ASSERT_EQ(1, split.Set("C:\\v1.2\\README"));
    EXPECT_STREQ("README", split.GetName());
    EXPECT_STREQ("", split.GetExt());
    EXPECT_STREQ("C:\\v1.2\\", split.GetFolder());
}

TEST(CPathSplit, HandlesPathsWithoutDriveOrFolder)
{
    CPathSplit split;
    ASSERT_EQ(1, split.Set("option.xml"));
    EXPECT_STREQ("", split.GetFolder());
    EXPECT_STREQ("option.xml", split.GetFileName());
    ASSERT_EQ(1, split.Set("\\\\server\\share\\a.xml"));
    EXPECT_STREQ("", split.GetDrive());
    EXPECT_STREQ("\\\\server\\share\\", split.GetFolder());
    ASSERT_EQ(1, split.Set("C:file.xml"));
    EXPECT_STREQ("C:", split.GetFolder());
    EXPECT_STREQ("file.xml", split.GetFileName());
    ASSERT_EQ(1, split.Set("C:\\dir\\"));
    EXPECT_STREQ("C:\\dir\\", split.GetFolder());
    EXPECT_STREQ("", split.GetFileName());
}

TEST(CPathSplit, AcceptsForwardSlashes)
{
    CPathSplit split;
    ASSERT_EQ(1, split.Set("C:/dir/sub\\file.xml"));
    EXPECT_STREQ("C:/dir/sub\\", split.GetFolder());
    EXPECT_STREQ("file.xml", split.GetFileName());
}

TEST(CPathSplit, SplitsPathsOfAnyScript)
{
    CPathSplit split;
    ASSERT_EQ(1, split.Set("C:\\台本♡\\ソフト表😊.xml"));
    EXPECT_STREQ("C:\\台本♡\\", split.GetFolder());
    EXPECT_STREQ("ソフト表😊", split.GetName());
    EXPECT_STREQ(".xml", split.GetExt());
    ASSERT_EQ(1, split.Set("D:\\𠮷\\表"));
    EXPECT_STREQ("D:\\𠮷\\", split.GetFolder());
    EXPECT_STREQ("表", split.GetFileName());
    // The system's 259 characters, all kanji: three bytes each.
    std::string path = "C:\\";
    while (path.size() < 3 + 250 * 3)
        path += "表";
    ASSERT_EQ(1, split.Set((path + "\\a.xml").c_str()));
    EXPECT_EQ(path + "\\", split.GetFolder());
}

TEST(CPathSplit, AcceptsPathOf259Bytes)
{
    std::string path = "C:\\" + std::string(100, 'd') + "\\" + std::string(100, 'n');
    path += ".";
    path += std::string(259 - path.size(), 'e');
    ASSERT_EQ(259u, path.size());
    CPathSplit split;
    ASSERT_EQ(1, split.Set(path.c_str()));
    EXPECT_EQ(path, split.GetPath());
    EXPECT_EQ(path, std::string(split.GetFolder()) + split.GetFileName());
    EXPECT_EQ(std::string(split.GetName()) + split.GetExt(), split.GetFileName());
}

// The object sits between guard bytes so that a write past its fields shows.
struct CGuardedSplit
{
    char before[64];
    CPathSplit split;
    char after[64];
};

bool GuardsIntact(const CGuardedSplit& guarded)
{
    for (char c : guarded.before)
        if (c != 'G')
            return false;
    for (char c : guarded.after)
        if (c != 'G')
            return false;
    return true;
}

TEST(CPathSplit, RejectsPathOfItsSizeOrMoreWithoutOverflow)
{
    CGuardedSplit guarded;
    std::memset(guarded.before, 'G', sizeof(guarded.before));
    std::memset(guarded.after, 'G', sizeof(guarded.after));
    ASSERT_EQ(1, guarded.split.Set("C:\\kept\\file.xml"));
    for (size_t length : {780u, 781u, 1000u, 5000u}) {
        const std::string path = "C:\\" + std::string(length - 3, 'x');
        EXPECT_EQ(0, guarded.split.Set(path.c_str())) << length;
    }
    EXPECT_TRUE(GuardsIntact(guarded));
    EXPECT_STREQ("C:\\kept\\file.xml", guarded.split.GetPath());
    EXPECT_STREQ("file.xml", guarded.split.GetFileName());
}

TEST(CPathSplit, RejectsPartLongerThanItsField)
{
    // The path fits, but a 768-byte directory does not fit its field.
    const std::string path = "C:\\" + std::string(766, 'd') + "\\a";
    ASSERT_LT(path.size(), 780u);
    CPathSplit split;
    EXPECT_EQ(0, split.Set(path.c_str()));
    EXPECT_STREQ("", split.GetPath());
}

}  // namespace
