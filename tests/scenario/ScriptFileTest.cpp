// The scenario file: the exact layout written, round trips, hand-written
// files, and the failure table with its error texts.
#include "scenario/Script.h"

#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <string>

namespace
{

const std::string kPrefix = "スクリプトにエラーがあるか、未対応の形式です。\n\n";

std::string Data(const std::string& name)
{
    return DataFile("scenario", name);
}

CScript Morning()
{
    CScript script;
    script.SetTitle("Morning");
    script.AddCast(CCast(0, "Taro"));
    script.AddSerif(CSerif(0, "Hello"));
    return script;
}

void ExpectSameScenario(const CScript& expected, const CScript& actual)
{
    EXPECT_EQ(expected.GetTitle(), actual.GetTitle());
    EXPECT_EQ(expected.GetMemo(), actual.GetMemo());
    EXPECT_EQ(expected.GetDirectionFormat(), actual.GetDirectionFormat());
    ASSERT_EQ(expected.GetCastCount(), actual.GetCastCount());
    for (int32_t i = 0; i < expected.GetCastCount(); ++i) {
        EXPECT_EQ(expected.GetCast(i).m_Id, actual.GetCast(i).m_Id) << "cast " << i;
        EXPECT_EQ(expected.GetCast(i).m_Name, actual.GetCast(i).m_Name) << "cast " << i;
        EXPECT_EQ(expected.GetCast(i).m_Memo, actual.GetCast(i).m_Memo) << "cast " << i;
        EXPECT_EQ(expected.GetCast(i).m_Format, actual.GetCast(i).m_Format) << "cast " << i;
    }
    ASSERT_EQ(expected.GetSerifCount(), actual.GetSerifCount());
    for (int32_t i = 0; i < expected.GetSerifCount(); ++i) {
        EXPECT_EQ(expected.GetSerif(i).m_CastId, actual.GetSerif(i).m_CastId) << "serif " << i;
        EXPECT_EQ(expected.GetSerif(i).m_Text, actual.GetSerif(i).m_Text) << "serif " << i;
        EXPECT_EQ(expected.GetSerif(i).m_Memo, actual.GetSerif(i).m_Memo) << "serif " << i;
    }
}

CScript RoundTrip(const CScript& script, const CTempFolder& folder)
{
    const std::string path = folder.File("round.xml");
    EXPECT_TRUE(script.Save(path));
    CScript loaded;
    EXPECT_TRUE(loaded.Load(path));
    EXPECT_EQ("", loaded.GetError());
    return loaded;
}

}  // namespace

// ---- writing --------------------------------------------------------------

TEST(CScriptSave, WritesTheExampleByteForByteWithCrLf)
{
    CTempFolder folder;
    ASSERT_TRUE(Morning().Save(folder.File("morning.xml")));
    EXPECT_EQ(ReadBytes(Data("morning.xml")), ReadBytes(folder.File("morning.xml")));
}

TEST(CScriptSave, EmptyScenarioHasTitleAndMemoWithEmptyLines)
{
    CTempFolder folder;
    ASSERT_TRUE(CScript().Save(folder.File("empty.xml")));
    EXPECT_EQ(ReadBytes(Data("empty-saved.xml")), ReadBytes(folder.File("empty.xml")));
    CScript loaded;
    loaded.AddSerif(CSerif(1, "old"));
    EXPECT_TRUE(loaded.Load(folder.File("empty.xml")));
    ExpectSameScenario(CScript(), loaded);
}

TEST(CScriptSave, EscapesTheFiveSpecialCharacters)
{
    CTempFolder folder;
    CScript script;
    script.SetTitle("a<b & \"c\"");
    ASSERT_TRUE(script.Save(folder.File("t.xml")));
    EXPECT_NE(std::string::npos,
              ReadBytes(folder.File("t.xml")).find("\t\ta&lt;b &amp; &quot;c&quot;\r\n"));
}

TEST(CScriptSave, WritesMemoLineFeedsAsCrLf)
{
    CTempFolder folder;
    CScript script;
    script.SetMemo("one\ntwo");
    ASSERT_TRUE(script.Save(folder.File("t.xml")));
    const std::string bytes = ReadBytes(folder.File("t.xml"));
    EXPECT_NE(std::string::npos, bytes.find("\t\tone\r\ntwo\r\n"));
    EXPECT_EQ(std::string::npos, bytes.find("two\n"));
}

TEST(CScriptSave, WritesNegativeIdWithMinusSign)
{
    CTempFolder folder;
    CScript script;
    script.AddSerif(CSerif(-3, "x"));
    ASSERT_TRUE(script.Save(folder.File("t.xml")));
    EXPECT_NE(std::string::npos, ReadBytes(folder.File("t.xml")).find("\t\t\t-3\r\n"));
}

TEST(CScriptSave, RefusesEmptyPath)
{
    EXPECT_FALSE(Morning().Save(""));
}

// ---- round trips ----------------------------------------------------------

TEST(CScriptRoundTrip, KeepsEveryFieldOfEveryCastAndSerif)
{
    CTempFolder folder;
    CScript script;
    script.SetTitle("朝の会話");
    script.SetMemo("一行目\n二行目\n\n四行目");
    script.AddCast(CCast(0, "太郎", "主人公"));
    script.AddCast(CCast(5, "花子", ""));
    script.AddCast(CCast(-2, "ナレーション", "no id"));
    script.AddSerif(CSerif(0, "おはよう", "first"));
    script.AddSerif(CSerif(5, "おはようございます"));
    script.AddSerif(CSerif(-1, "（間）", "no cast"));
    script.AddSerif(CSerif(77, "undefined cast", ""));
    script.AddSerif(CSerif(INT32_MIN, "smallest", "x"));
    script.AddSerif(CSerif(INT32_MAX, "largest", "y"));
    ExpectSameScenario(script, RoundTrip(script, folder));

    // Paste formats: written only where set, escaped like every text.
    script.AddCast(CCast(6, "店主", "", "{name}「{text}」 <&>"));
    script.SetDirectionFormat("（{text}）");
    ExpectSameScenario(script, RoundTrip(script, folder));
    // (The file is Shift_JIS here: only its ASCII is looked for.)
    const std::string bytes = ReadBytes(folder.File("round.xml"));
    EXPECT_NE(std::string::npos, bytes.find("\t\t<format>\r\n\t\t\t{name}"));
    EXPECT_NE(std::string::npos, bytes.find(" &lt;&amp;&gt;\r\n\t\t</format>\r\n\t</cast>"));
    EXPECT_EQ(bytes.find("<format>"), bytes.rfind("<format>"));
    EXPECT_NE(std::string::npos, bytes.find("\t</memo>\r\n\t<direction_format>\r\n"));
}

TEST(CScriptRoundTrip, KeepsShiftJisTrailBytesThatLookLikeBackslash)
{
    CTempFolder folder;
    CScript script;
    // ソ, 表, 能, 十 and 予 all have 0x5C as their second byte.
    script.SetTitle("ソフト表示");
    script.AddCast(CCast(0, "能力者", "十分に予定"));
    script.AddSerif(CSerif(0, "表\\ソ\\", "\\"));
    ExpectSameScenario(script, RoundTrip(script, folder));
    // In the file ソ is 83 5C, 表 95 5C.
    EXPECT_NE(std::string::npos, ReadBytes(folder.File("round.xml")).find("\x83\x5C\x83\x74\x83"));
    EXPECT_NE(std::string::npos, ReadBytes(folder.File("round.xml")).find("\x95\x5C\\"));
}

TEST(CScriptRoundTrip, KeepsAllFiveSpecialCharacters)
{
    CTempFolder folder;
    CScript script;
    script.SetTitle("a<b & \"c\"");
    script.SetMemo("<>&\"'");
    script.AddCast(CCast(0, "'quoted'", "x > y"));
    script.AddSerif(CSerif(0, "&&<<>>\"\"''", "a&b"));
    ExpectSameScenario(script, RoundTrip(script, folder));
}

TEST(CScriptRoundTrip, KeepsEntityLikeTextLiterally)
{
    // Regression: decoding the parser's output a second time turned the
    // user's "&lt;" into "<" and "&amp;amp;" into "&".
    CTempFolder folder;
    CScript script;
    script.SetTitle("&lt;");
    script.SetMemo("&amp;amp; &quot;&apos;&gt;");
    script.AddSerif(CSerif(0, "type &lt;br&gt; here", "&amp;"));
    ExpectSameScenario(script, RoundTrip(script, folder));
}

TEST(CScriptRoundTrip, LosesOnlyOuterWhitespaceOfValues)
{
    CTempFolder folder;
    CScript script;
    script.SetTitle("  inner  spaces \t");
    script.SetMemo("\n\nmemo\n\n");
    script.AddSerif(CSerif(0, "\ttab\tinside\t", " "));
    CScript loaded = RoundTrip(script, folder);
    EXPECT_EQ("inner  spaces", loaded.GetTitle());
    EXPECT_EQ("memo", loaded.GetMemo());
    EXPECT_EQ("tab\tinside", loaded.GetSerif(0).m_Text);
    EXPECT_EQ("", loaded.GetSerif(0).m_Memo);
}

TEST(CScriptRoundTrip, KeepsCarriageReturnsInsideText)
{
    CTempFolder folder;
    CScript script;
    script.SetMemo("a\r\nb\rc");
    EXPECT_EQ("a\r\nb\rc", RoundTrip(script, folder).GetMemo());
}

TEST(CScriptRoundTrip, SecondSaveGivesTheSameBytes)
{
    CTempFolder folder;
    CScript loaded;
    ASSERT_TRUE(loaded.Load(Data("japanese.xml")));
    ASSERT_TRUE(loaded.Save(folder.File("again.xml")));
    EXPECT_EQ(ReadBytes(Data("japanese.xml")), ReadBytes(folder.File("again.xml")));
}

TEST(CScriptRoundTrip, SavesOverAnExistingFile)
{
    CTempFolder folder;
    const std::string path = folder.File("s.xml");
    WriteBytes(path, "old contents that are longer than the new file will be ......"
                     "................................................................"
                     "................................................................"
                     "................................................................"
                     "................................................................"
                     "................................................................");
    ASSERT_TRUE(CScript().Save(path));
    EXPECT_EQ(ReadBytes(Data("empty-saved.xml")), ReadBytes(path));
    EXPECT_EQ((std::vector<std::string>{"s.xml"}), folder.List());
}

TEST(CScriptRoundTrip, SavesToShiftJisFileName)
{
    CTempFolder folder;
    // 表 ends in the byte 0x5C, the path separator of Windows.
    const std::string path = folder.Path().string() + "/表.xml";
    ASSERT_TRUE(Morning().Save(path));
    CScript loaded;
    ASSERT_TRUE(loaded.Load(path));
    ExpectSameScenario(Morning(), loaded);
    EXPECT_EQ(1u, folder.List().size());
}

// ---- reading hand-written files -------------------------------------------

TEST(CScriptLoad, ReadsTheExample)
{
    CScript loaded;
    ASSERT_TRUE(loaded.Load(Data("morning.xml")));
    ExpectSameScenario(Morning(), loaded);
}

TEST(CScriptLoad, ReadsShiftJisFileAsBytes)
{
    CScript loaded;
    ASSERT_TRUE(loaded.Load(Data("japanese.xml")));
    EXPECT_EQ("表示ソフト", loaded.GetTitle());
    // Inner line breaks and the indent after them are part of the value.
    EXPECT_EQ("能力\n\t\t十分", loaded.GetMemo());
    ASSERT_EQ(1, loaded.GetCastCount());
    EXPECT_EQ("太郎", loaded.GetCast(0).m_Name);
    EXPECT_EQ("主人公", loaded.GetCast(0).m_Memo);
    ASSERT_EQ(1, loaded.GetSerifCount());
    EXPECT_EQ("ソ連の表現は予定\\", loaded.GetSerif(0).m_Text);
}

TEST(CScriptLoad, AcceptsAnotherRootName)
{
    CScript loaded;
    ASSERT_TRUE(loaded.Load(Data("other-root.xml")));
    EXPECT_EQ("Other root", loaded.GetTitle());
    ASSERT_EQ(1, loaded.GetCastCount());
    EXPECT_EQ(2, loaded.GetCast(0).m_Id);
    EXPECT_EQ("m", loaded.GetCast(0).m_Memo);
    ASSERT_EQ(1, loaded.GetSerifCount());
    EXPECT_EQ("Hi", loaded.GetSerif(0).m_Text);
}

TEST(CScriptLoad, RepeatedTitleAndMemoKeepTheLast)
{
    CScript loaded;
    ASSERT_TRUE(loaded.Load(Data("repeated-title.xml")));
    EXPECT_EQ("second", loaded.GetTitle());
    EXPECT_EQ("memo two", loaded.GetMemo());
}

TEST(CScriptLoad, IgnoresUnknownElementsCommentsAndStrayText)
{
    CScript loaded;
    ASSERT_TRUE(loaded.Load(Data("unknown-elements.xml")));
    EXPECT_EQ("T", loaded.GetTitle());
    ASSERT_EQ(1, loaded.GetCastCount());
    EXPECT_EQ("A", loaded.GetCast(0).m_Name);
    ASSERT_EQ(2, loaded.GetSerifCount());
    EXPECT_EQ("child order does not matter", loaded.GetSerif(0).m_Text);
    EXPECT_EQ("memo first", loaded.GetSerif(0).m_Memo);
    EXPECT_EQ(1, loaded.GetSerif(0).m_CastId);
    // The first of repeated children counts.
    EXPECT_EQ(1, loaded.GetSerif(1).m_CastId);
    EXPECT_EQ("first", loaded.GetSerif(1).m_Text);
}

TEST(CScriptLoad, ReadsIdsLikeStrtolOfA32BitLong)
{
    CScript loaded;
    ASSERT_TRUE(loaded.Load(Data("numbers.xml")));
    ASSERT_EQ(1, loaded.GetCastCount());
    EXPECT_EQ(-3, loaded.GetCast(0).m_Id);
    std::vector<int32_t> ids;
    for (const CSerif& serif : loaded.GetSerifs())
        ids.push_back(serif.m_CastId);
    EXPECT_EQ((std::vector<int32_t>{0, 12, 7, INT32_MAX, INT32_MIN, 0, 0, 42}), ids);
    EXPECT_EQ("", loaded.FindCastName(42));
}

TEST(CScriptLoad, DecodesEntitiesOfHandWrittenFileOnce)
{
    CScript loaded;
    ASSERT_TRUE(loaded.Load(Data("entities.xml")));
    EXPECT_EQ("a<b & \"c\" 'd' e>f", loaded.GetTitle());
    EXPECT_EQ("&lt; stays &lt;", loaded.GetMemo());
}

TEST(CScriptLoad, ReadsFileWithLineFeedsOnly)
{
    CScript loaded;
    ASSERT_TRUE(loaded.Load(Data("lf-only.xml")));
    EXPECT_EQ("LF", loaded.GetTitle());
    EXPECT_EQ("line one\nline two", loaded.GetMemo());
}

TEST(CScriptLoad, SuccessKeepsEarlierErrorText)
{
    CScript loaded;
    EXPECT_FALSE(loaded.Load(Data("version-1.1.xml")));
    const std::string error = loaded.GetError();
    ASSERT_FALSE(error.empty());
    EXPECT_TRUE(loaded.Load(Data("morning.xml")));
    EXPECT_EQ(error, loaded.GetError());
}

// ---- failures -------------------------------------------------------------

TEST(CScriptLoadFailure, EmptyPathChangesNothing)
{
    CScript script = Morning();
    EXPECT_FALSE(script.Load(""));
    ExpectSameScenario(Morning(), script);
    EXPECT_EQ("", script.GetError());
}

// Regression: a missing scenario was left behind as an empty file.
TEST(CScriptLoadFailure, MissingFileCreatesNothing)
{
    CTempFolder folder;
    CScript script = Morning();
    EXPECT_FALSE(script.Load(folder.File("missing.xml")));
    ExpectSameScenario(Morning(), script);
    EXPECT_EQ("", script.GetError());
    EXPECT_TRUE(folder.List().empty());
}

TEST(CScriptLoadFailure, MissingFolderChangesNothing)
{
    CTempFolder folder;
    CScript script = Morning();
    EXPECT_FALSE(script.Load(folder.File("no-such-folder/x.xml")));
    ExpectSameScenario(Morning(), script);
    EXPECT_TRUE(folder.List().empty());
}

TEST(CScriptLoadFailure, FolderFailsLikeAFileThatCannotBeOpened)
{
    CTempFolder folder;
    std::filesystem::create_directory(folder.Path() / "sub.xml");
    CScript script = Morning();
    EXPECT_FALSE(script.Load(folder.File("sub.xml")));
    ExpectSameScenario(Morning(), script);
    EXPECT_EQ("", script.GetError());
    EXPECT_TRUE(std::filesystem::is_directory(folder.Path() / "sub.xml"));
}

TEST(CScriptLoadFailure, MalformedXmlClearsAndGivesPositionAndMessage)
{
    CScript script = Morning();
    EXPECT_FALSE(script.Load(Data("malformed.xml")));
    ExpectSameScenario(CScript(), script);
    const std::string error = script.GetError();
    EXPECT_EQ(kPrefix + "エラー場所：4 行目 15 文字目\nEnd tag mismatch with start tag(cast) in 14",
              error);
}

// The place is the line and the character in the user's file, whatever its
// encoding: the parser's column counts bytes of UTF-8.
TEST(CScriptLoadFailure, ErrorPlaceCountsCharactersInTheFile)
{
    const struct
    {
        const char* m_What;
        std::string m_File;
    } cases[] = {
        {"Shift_JIS",
         "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n<script version=\"1.0\">\r\n"
         "\x95\x5C\x8E\xA6<>\r\n</script>\r\n"},
        {"UTF-8", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<script version=\"1.0\">\r\n"
                  "表😊<>\r\n</script>\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.m_What);
        CTempFolder folder;
        ASSERT_TRUE(WriteBytes(folder.File("bad.xml"), c.m_File));
        CScript script;
        EXPECT_FALSE(script.Load(folder.File("bad.xml")));
        // The ">" after two characters and "<": line 3, character 4; no place
        // of ours.
        EXPECT_EQ(0u, script.GetError().find(kPrefix + "エラー場所：3 行目 4 文字目\n"))
            << script.GetError();
        EXPECT_EQ(std::string::npos, script.GetError().find(".cpp"));
        EXPECT_EQ(std::string::npos, script.GetError().find("Exception"));
    }
}

TEST(CScriptLoadFailure, MissingChildKeepsWhatWasReadBefore)
{
    CScript script;
    EXPECT_FALSE(script.Load(Data("missing-serif-child.xml")));
    EXPECT_EQ("T", script.GetTitle());
    EXPECT_EQ(1, script.GetCastCount());
    ASSERT_EQ(1, script.GetSerifCount());
    EXPECT_EQ("one", script.GetSerif(0).m_Text);
    const std::string error = script.GetError();
    EXPECT_EQ(kPrefix + "Element not found(memo)", error);
}

TEST(CScriptLoadFailure, CastWithoutNameFails)
{
    CScript script;
    EXPECT_FALSE(script.Load(Data("missing-cast-name.xml")));
    ASSERT_EQ(1, script.GetCastCount());
    EXPECT_EQ("A", script.GetCast(0).m_Name);
    EXPECT_NE(std::string::npos, script.GetError().find("Element not found(name)"));
}

TEST(CScriptLoadFailure, MissingVersionLeavesNothing)
{
    CScript script = Morning();
    EXPECT_FALSE(script.Load(Data("missing-version.xml")));
    ExpectSameScenario(CScript(), script);
    EXPECT_EQ(kPrefix + "Attribute not found(version)", script.GetError());
}

TEST(CScriptLoadFailure, VersionAttributeIsCaseSensitive)
{
    CScript script;
    EXPECT_FALSE(script.Load(Data("capital-version.xml")));
    EXPECT_NE(std::string::npos, script.GetError().find("Attribute not found(version)"));
}

TEST(CScriptLoadFailure, MissingRootElement)
{
    CScript script = Morning();
    EXPECT_FALSE(script.Load(Data("no-root.xml")));
    ExpectSameScenario(CScript(), script);
    EXPECT_NE(std::string::npos, script.GetError().find("RootNode not found"));
}

TEST(CScriptLoadFailure, OtherVersionIsRefusedWithItsOwnText)
{
    CScript script = Morning();
    EXPECT_FALSE(script.Load(Data("version-1.1.xml")));
    ExpectSameScenario(CScript(), script);
    EXPECT_EQ("対応していないバージョンです：1.1", script.GetError());
}

TEST(CScriptLoadFailure, FileOfWhitespaceOnlyHasNoRoot)
{
    CTempFolder folder;
    WriteBytes(folder.File("blank.xml"), "\r\n \t\r\n");
    CScript script = Morning();
    EXPECT_FALSE(script.Load(folder.File("blank.xml")));
    ExpectSameScenario(CScript(), script);
    EXPECT_NE(std::string::npos, script.GetError().find("RootNode not found"));
}
