// Whole files on disk: CR LF conversion both ways, the open-or-create step of
// loading, and saves that fail without costing the user the old file.
#include "scenario/Script.h"
#include "persist/XMLFile.h"

#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#ifndef _WIN32
#include <csignal>
#include <sys/resource.h>
#endif

namespace
{

const std::string kOld = "old file\r\nkept byte for byte\r\n\x95\x5C\r\n";

CScript BigScript()
{
    CScript script;
    script.SetTitle("big");
    for (int i = 0; i < 2000; ++i)
        script.AddSerif(CSerif(i % 3, "serif number " + std::to_string(i)));
    return script;
}

}  // namespace

TEST(ReadXMLFile, TurnsCrLfIntoLfAndKeepsLoneCr)
{
    CTempFolder folder;
    WriteBytes(folder.File("a.xml"), "a\r\nb\rc\n\r\r\n");
    std::string text;
    ASSERT_TRUE(ReadXMLFile(folder.File("a.xml"), text, false));
    EXPECT_EQ("a\nb\rc\n\r\n", text);
}

TEST(ReadXMLFile, KeepsBytesAfterCtrlZAndNul)
{
    CTempFolder folder;
    WriteBytes(folder.File("a.xml"), std::string("a\x1A"
                                                 "b\0c",
                                                 5));
    std::string text;
    ASSERT_TRUE(ReadXMLFile(folder.File("a.xml"), text, false));
    EXPECT_EQ(std::string("a\x1A"
                          "b\0c",
                          5),
              text);
}

TEST(ReadXMLFile, EmptyFileFailsAndLeavesTextAlone)
{
    CTempFolder folder;
    WriteBytes(folder.File("a.xml"), "");
    std::string text = "unchanged";
    EXPECT_FALSE(ReadXMLFile(folder.File("a.xml"), text, false));
    EXPECT_EQ("unchanged", text);
}

TEST(WriteXMLFile, WritesEveryLineFeedAsCrLf)
{
    CTempFolder folder;
    ASSERT_TRUE(WriteXMLFile(folder.File("a.xml"), "a\nb\r\n\n"));
    EXPECT_EQ("a\r\nb\r\r\n\r\n", ReadBytes(folder.File("a.xml")));
}

TEST(WriteXMLFile, DoesNotTakeOverAFileNamedLikeItsTemporary)
{
    CTempFolder folder;
    WriteBytes(folder.File("a.xml.~0"), "someone else's");
    ASSERT_TRUE(WriteXMLFile(folder.File("a.xml"), "new\n"));
    EXPECT_EQ("someone else's", ReadBytes(folder.File("a.xml.~0")));
    EXPECT_EQ("new\r\n", ReadBytes(folder.File("a.xml")));
    EXPECT_EQ((std::vector<std::string>{"a.xml", "a.xml.~0"}), folder.List());
}

TEST(CScriptSaveFailure, MissingFolderReturnsFalseAndCreatesNothing)
{
    CTempFolder folder;
    EXPECT_FALSE(BigScript().Save(folder.File("no-such-folder/s.xml")));
    EXPECT_TRUE(folder.List().empty());
}

TEST(CScriptSaveFailure, TargetThatIsAFolderIsLeftAlone)
{
    CTempFolder folder;
    std::filesystem::create_directory(folder.Path() / "s.xml");
    WriteBytes(folder.File("s.xml/inside.txt"), kOld);
    EXPECT_FALSE(BigScript().Save(folder.File("s.xml")));
    EXPECT_TRUE(std::filesystem::is_directory(folder.Path() / "s.xml"));
    EXPECT_EQ(kOld, ReadBytes(folder.File("s.xml/inside.txt")));
    EXPECT_EQ((std::vector<std::string>{"s.xml"}), folder.List());
}

TEST(CScriptSaveFailure, ReadOnlyFolderLeavesOldFileUntouched)
{
    CTempFolder folder;
    const std::string path = folder.File("s.xml");
    WriteBytes(path, kOld);
    // Whoever may write into a read-only folder anyway cannot exercise this.
    if (!folder.MakeReadOnly())
        GTEST_SKIP() << "the folder stays writable for this user";
    EXPECT_FALSE(BigScript().Save(path));
    EXPECT_EQ(kOld, ReadBytes(path));
    EXPECT_EQ((std::vector<std::string>{"s.xml"}), folder.List());
}

TEST(CScriptSaveFailure, ReadOnlyTargetIsNotReplaced)
{
    CTempFolder folder;
    const std::string path = folder.File("s.xml");
    WriteBytes(path, kOld);
    std::filesystem::permissions(path, std::filesystem::perms::owner_read);
    {
        std::FILE* probe = std::fopen(path.c_str(), "r+b");
        if (probe != nullptr) {
            std::fclose(probe);
            GTEST_SKIP() << "read-only files stay writable for this user";
        }
    }
    EXPECT_FALSE(BigScript().Save(path));
    EXPECT_EQ(kOld, ReadBytes(path));
    EXPECT_EQ((std::vector<std::string>{"s.xml"}), folder.List());
}

#ifndef _WIN32
// A file size limit makes the write fail part way, as a full disk would.
TEST(CScriptSaveFailure, WriteErrorPartWayLeavesOldFileUntouched)
{
    CTempFolder folder;
    const std::string path = folder.File("s.xml");
    WriteBytes(path, kOld);

    struct rlimit old;
    ASSERT_EQ(0, getrlimit(RLIMIT_FSIZE, &old));
    void (*oldHandler)(int) = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = 4096;
    ASSERT_EQ(0, setrlimit(RLIMIT_FSIZE, &small));
    const bool saved = BigScript().Save(path);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(saved);
    EXPECT_EQ(kOld, ReadBytes(path));
    EXPECT_EQ((std::vector<std::string>{"s.xml"}), folder.List());
}
#endif
