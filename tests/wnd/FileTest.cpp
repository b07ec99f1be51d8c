#include "wnd/File.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "ControlsSupport.h"
#include "tests/support/TempFolder.h"

namespace
{

class FileTest : public ::testing::Test
{
protected:
    CTempFolder m_Folder;
};

TEST_F(FileTest, OpenAlwaysCreatesMissingFileWithSizeZero)
{
    const std::string path = m_Folder.File("missing.xml");
    ASSERT_FALSE(ctltest::FileExists(path));
    CFile file;
    ASSERT_TRUE(file.Open(false, GENERIC_READ, path.c_str()));
    EXPECT_TRUE(ctltest::FileExists(path));
    EXPECT_EQ(0u, file.GetSize());
}

TEST_F(FileTest, OpenExistingFailsOnMissingFileAndCreatesNothing)
{
    const std::string path = m_Folder.File("absent.xml");
    CFile file;
    EXPECT_FALSE(file.Open(true, GENERIC_READ, path.c_str()));
    EXPECT_FALSE(file.IsOpen());
    EXPECT_FALSE(ctltest::FileExists(path));
    EXPECT_EQ(-1, file.Close());
}

TEST_F(FileTest, GivesSizeOfExistingFile)
{
    const std::string path = m_Folder.File("five.txt");
    ASSERT_TRUE(WriteBytes(path, "ab\r\nc"));
    CFile file;
    ASSERT_TRUE(file.Open(true, GENERIC_READ, path.c_str()));
    EXPECT_EQ(5u, file.GetSize());
}

TEST_F(FileTest, OpensStoredPathWhenNoneGiven)
{
    const std::string path = m_Folder.File("stored.txt");
    ASSERT_TRUE(WriteBytes(path, "x"));
    CFile file(path.c_str());
    ASSERT_TRUE(file.Open(true, GENERIC_READ));
    EXPECT_EQ(1u, file.GetSize());
    EXPECT_EQ(path, file.GetPath());
}

TEST_F(FileTest, SizeOfClosedFileIsZero)
{
    CFile file;
    EXPECT_EQ(0u, file.GetSize());
}

TEST_F(FileTest, EmptyStoredPathFailsToOpen)
{
    CFile file;
    EXPECT_FALSE(file.Open(false, GENERIC_READ));
}

TEST_F(FileTest, HoldsFileWithoutSharingUntilClosed)
{
    const std::string path = m_Folder.File("locked.txt");
    ASSERT_TRUE(WriteBytes(path, "x"));
    CFile first;
    ASSERT_TRUE(first.Open(true, GENERIC_READ, path.c_str()));
    CFile second;
    EXPECT_FALSE(second.Open(true, GENERIC_READ, path.c_str()));
    EXPECT_NE(0, first.Close());
    EXPECT_TRUE(second.Open(true, GENERIC_READ, path.c_str()));
}

TEST_F(FileTest, ReopeningClosesPreviousHandle)
{
    const std::string a = m_Folder.File("a.txt");
    const std::string b = m_Folder.File("b.txt");
    ASSERT_TRUE(WriteBytes(a, "a"));
    ASSERT_TRUE(WriteBytes(b, "bb"));
    CFile file;
    ASSERT_TRUE(file.Open(true, GENERIC_READ, a.c_str()));
    ASSERT_TRUE(file.Open(true, GENERIC_READ, b.c_str()));
    EXPECT_EQ(2u, file.GetSize());
    CFile other;
    EXPECT_TRUE(other.Open(true, GENERIC_READ, a.c_str()));
}

TEST_F(FileTest, DestructorClosesHandle)
{
    const std::string path = m_Folder.File("scoped.txt");
    {
        CFile file;
        ASSERT_TRUE(file.Open(false, GENERIC_READ | GENERIC_WRITE, path.c_str()));
    }
    CFile again;
    EXPECT_TRUE(again.Open(true, GENERIC_READ, path.c_str()));
}

TEST_F(FileTest, SecondCloseReturnsMinusOne)
{
    CFile file;
    ASSERT_TRUE(file.Open(false, GENERIC_READ, m_Folder.File("twice.txt").c_str()));
    EXPECT_NE(0, file.Close());
    EXPECT_EQ(-1, file.Close());
}

TEST_F(FileTest, FailedCloseHandleThrowsItsTextAndCountsAsClosed)
{
    CFile file;
    ASSERT_TRUE(file.Open(false, GENERIC_READ, m_Folder.File("stolen.txt").c_str()));
    // Closing the handle behind the object's back makes its CloseHandle fail.
    ASSERT_TRUE(CloseHandle(file.GetHandle()));
    try {
        file.Close();
        ADD_FAILURE() << "Close did not throw";
    } catch (const std::runtime_error& error) {
        EXPECT_STREQ("CFile::Close CloseHandle", error.what());
    }
    EXPECT_FALSE(file.IsOpen());
    EXPECT_EQ(-1, file.Close());
}

TEST_F(FileTest, DestructorSwallowsFailedClose)
{
    EXPECT_NO_THROW({
        CFile file;
        ASSERT_TRUE(file.Open(false, GENERIC_READ, m_Folder.File("dtor.txt").c_str()));
        CloseHandle(file.GetHandle());
    });
}

}  // namespace
