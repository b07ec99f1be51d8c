// CFileHistory: distinct paths, oldest first, at most ten.
#include "option/FileHistory.h"

#include "tessel/Tessel.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace
{

std::vector<std::string> Entries(const CFileHistory& history)
{
    std::vector<std::string> out;
    std::string path;
    for (int32_t cursor = history.Begin(); history.GetNext(path, cursor);)
        out.push_back(path);
    return out;
}

std::string Path(int i)
{
    return "C:\\s\\" + std::to_string(i) + ".xml";
}

std::unique_ptr<Tessel::Document> Parse(const std::string& text)
{
    Tessel::DOM_Parser parser;
    parser.SetTrimWhitespace(true);
    return std::unique_ptr<Tessel::Document>(parser.Parse(text));
}

}  // namespace

TEST(CFileHistory, SamePathTwiceKeepsFirstPosition)
{
    CFileHistory history;
    history.Add("C:\\a.xml");
    history.Add("C:\\b.xml");
    history.Add("C:\\a.xml");
    EXPECT_EQ((std::vector<std::string>{"C:\\a.xml", "C:\\b.xml"}), Entries(history));
}

TEST(CFileHistory, ComparesPathsByteForByte)
{
    CFileHistory history;
    history.Add("C:\\a.xml");
    history.Add("c:\\A.xml");
    history.Add("C:/a.xml");
    EXPECT_EQ(3u, Entries(history).size());
    EXPECT_TRUE(history.Contains("c:\\A.xml"));
    EXPECT_FALSE(history.Contains("C:\\A.xml"));
    EXPECT_FALSE(history.Contains("C:\\a.xm"));
}

TEST(CFileHistory, EleventhPathDropsTheOldest)
{
    CFileHistory history;
    for (int i = 1; i <= 11; ++i)
        history.Add(Path(i));
    std::vector<std::string> expected;
    for (int i = 2; i <= 11; ++i)
        expected.push_back(Path(i));
    EXPECT_EQ(expected, Entries(history));
    EXPECT_FALSE(history.Contains(Path(1)));
    // The dropped path can come back, as the newest.
    history.Add(Path(1));
    EXPECT_EQ(Path(1), Entries(history).back());
    EXPECT_EQ(Path(3), Entries(history).front());
}

TEST(CFileHistory, ClearThenAddGivesOneEntry)
{
    CFileHistory history;
    for (int i = 1; i <= 15; ++i)
        history.Add(Path(i));
    history.Clear();
    EXPECT_TRUE(Entries(history).empty());
    EXPECT_FALSE(history.Contains(Path(15)));
    history.Add(Path(3));
    EXPECT_EQ((std::vector<std::string>{Path(3)}), Entries(history));
}

TEST(CFileHistory, ClearedHistoryWritesEmptyElement)
{
    CFileHistory history;
    history.Add(Path(1));
    history.Clear();
    std::unique_ptr<Tessel::Document> document(Tessel::CreateDocument("Option"));
    history.Write(document->GetRootElement());
    EXPECT_EQ("<Option>\n\t<FileHistories/>\n</Option>\n",
              Tessel::ToString(document->GetRootElement(), true, 0));
}

TEST(CFileHistory, WritesPathsVerbatimOldestFirst)
{
    CFileHistory history;
    history.Add("C:\\a&b.xml");
    history.Add("C:\\表\\ソ.xml");
    std::unique_ptr<Tessel::Document> document(Tessel::CreateDocument("Option"));
    history.Write(document->GetRootElement());
    EXPECT_EQ("<Option>\n\t<FileHistories>\n"
              "\t\t<FileHistory FullPath=\"C:\\a&b.xml\"/>\n"
              "\t\t<FileHistory FullPath=\"C:\\表\\ソ.xml\"/>\n"
              "\t</FileHistories>\n</Option>\n",
              Tessel::ToString(document->GetRootElement(), true, 0));
}

TEST(CFileHistory, ReadRefusesOtherElementAndChangesNothing)
{
    CFileHistory history;
    history.Add(Path(1));
    auto document = Parse("<FileHistory><FileHistory FullPath=\"x\"/></FileHistory>");
    EXPECT_FALSE(history.Read(document->GetRootElement()));
    EXPECT_EQ((std::vector<std::string>{Path(1)}), Entries(history));
}

TEST(CFileHistory, ReadReplacesEntriesAndKeepsDuplicates)
{
    CFileHistory history;
    history.Add(Path(9));
    auto document = Parse("<FileHistories><FileHistory FullPath=\"a\"/><x/>"
                          "<FileHistory FullPath=\"a\"/></FileHistories>");
    EXPECT_TRUE(history.Read(document->GetRootElement()));
    EXPECT_EQ((std::vector<std::string>{"a", "a"}), Entries(history));
}
