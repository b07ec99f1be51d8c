// COption: defaults, the option file written and read, and its failures.
#include "option/Option.h"

#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

const std::string kPrefix = "スクリプトにエラーがあるか、未対応の形式です。\n\n";

std::string Data(const std::string& name)
{
    return DataFile("option", name);
}

std::vector<std::string> History(const COption& option)
{
    std::vector<std::string> out;
    std::string path;
    for (int32_t cursor = option.m_FileHistory.Begin(); option.m_FileHistory.GetNext(path, cursor);)
        out.push_back(path);
    return out;
}

// Every field a load may touch, for comparing whole option objects.
struct CSnapshot
{
    int32_t m_AddReturn, m_AutoScroll, m_ScrollPos;
    uint16_t m_HotKey;
    int32_t m_KeyWait;
    std::vector<std::string> m_Colors;
    std::vector<std::string> m_History;

    explicit CSnapshot(const COption& option)
        : m_AddReturn(option.m_General.m_AddReturn), m_AutoScroll(option.m_General.m_AutoScroll),
          m_ScrollPos(option.m_General.m_ScrollPos), m_HotKey(option.m_Hotkey.m_HotKey),
          m_KeyWait(option.m_Hotkey.m_KeyWait), m_History(History(option))
    {
        for (const auto& entry : option.m_Colors)
            m_Colors.push_back(entry.first + "=" + entry.second.m_Name + ":" +
                               std::to_string(entry.second.m_TextColor) + "/" +
                               std::to_string(entry.second.m_BackColor));
    }
    bool operator==(const CSnapshot& o) const
    {
        return m_AddReturn == o.m_AddReturn && m_AutoScroll == o.m_AutoScroll &&
               m_ScrollPos == o.m_ScrollPos && m_HotKey == o.m_HotKey && m_KeyWait == o.m_KeyWait &&
               m_Colors == o.m_Colors && m_History == o.m_History;
    }
};

// An option object that differs from the defaults everywhere.
COption Customised()
{
    COption option;
    option.m_General.m_AddReturn = 0;
    option.m_General.m_AutoScroll = 0;
    option.m_General.m_ScrollPos = 42;
    option.m_Hotkey.m_HotKey = 0x0356;
    option.m_Hotkey.m_KeyWait = 2500;
    option.GetColor("ActiveCast").m_BackColor = 0x123456;
    option.m_Colors["Other"] = CColorManager("Other", 0x00FF00, 0x0000FF);
    option.m_FileHistory.Add("C:\\one.xml");
    option.m_FileHistory.Add("C:\\two&three.xml");
    return option;
}

}  // namespace

// ---- defaults and the colour table ----------------------------------------

TEST(COptionDefaults, HoldDocumentedValuesAndOneColourItem)
{
    COption option;
    EXPECT_EQ(1, option.m_General.m_AddReturn);
    EXPECT_EQ(1, option.m_General.m_AutoScroll);
    EXPECT_EQ(10, option.m_General.m_ScrollPos);
    EXPECT_EQ(0x0077, option.m_Hotkey.m_HotKey);
    EXPECT_EQ(100, option.m_Hotkey.m_KeyWait);
    ASSERT_EQ(1u, option.m_Colors.size());
    const CColorManager& active = option.m_Colors.at("ActiveCast");
    EXPECT_EQ("ActiveCast", active.m_Name);
    EXPECT_EQ(0x000000u, active.m_TextColor);
    EXPECT_EQ(0xCCCCFFu, active.m_BackColor);
    EXPECT_TRUE(History(option).empty());
    EXPECT_EQ("", option.GetError());
}

TEST(COptionColors, LookingUpUnknownNameAddsDefaultItem)
{
    COption option;
    CColorManager& item = option.GetColor("Missing");
    EXPECT_EQ("", item.m_Name);
    EXPECT_EQ(0x000000u, item.m_TextColor);
    EXPECT_EQ(0xFFFFFFu, item.m_BackColor);
    EXPECT_EQ(2u, option.m_Colors.size());
    EXPECT_EQ(0xCCCCFFu, option.GetColor("ActiveCast").m_BackColor);
}

TEST(COptionColors, ItemAddedByLookupIsSavedUnderItsKey)
{
    CTempFolder folder;
    COption option;
    option.GetColor("Added").m_TextColor = 0x0000FF;
    ASSERT_TRUE(option.Save(folder.File("option.xml")));
    COption loaded;
    ASSERT_TRUE(loaded.Load(folder.File("option.xml")));
    ASSERT_EQ(1u, loaded.m_Colors.count("Added"));
    EXPECT_EQ(0x0000FFu, loaded.m_Colors.at("Added").m_TextColor);
    EXPECT_EQ(0u, loaded.m_Colors.count(""));
}

TEST(CColorManagerText, WritesRedGreenBlueInLowerCase)
{
    EXPECT_EQ("ffcccc", ColorToText(0xCCCCFF));
    EXPECT_EQ("000000", ColorToText(0x000000));
    EXPECT_EQ("ffffff", ColorToText(0xFFFFFF));
    EXPECT_EQ("0000ff", ColorToText(0xFF0000));
    EXPECT_EQ("563412", ColorToText(0x123456));
    // A stray high byte is not part of the colour.
    EXPECT_EQ("563412", ColorToText(0x7F123456));
}

TEST(CColorManagerText, ReadsEitherCaseAndIgnoresHigherDigits)
{
    EXPECT_EQ(0xFF0000u, ColorFromText("0000ff"));
    EXPECT_EQ(0xCCCCFFu, ColorFromText("FFCCCC"));
    EXPECT_EQ(0xCCCCFFu, ColorFromText("ffcccc"));
    EXPECT_EQ(0x563412u, ColorFromText("ab123456"));
    EXPECT_EQ(0x000000u, ColorFromText("xyz"));
}

// ---- writing --------------------------------------------------------------

TEST(COptionSave, DefaultFileIsExactlyTheDocumentedOne)
{
    CTempFolder folder;
    ASSERT_TRUE(COption().Save(folder.File("option.xml")));
    EXPECT_EQ(ReadBytes(Data("default.xml")), ReadBytes(folder.File("option.xml")));
}

TEST(COptionSave, WritesColoursInNameOrderAndHotkeyAsFourHexDigits)
{
    CTempFolder folder;
    COption option;
    option.m_Hotkey.m_HotKey = 0x0377;
    option.m_Colors["Zeta"] = CColorManager("Zeta", 0x000001, 0x000002);
    option.m_Colors["Alpha"] = CColorManager("Alpha", 0x0000FF, 0xFF0000);
    ASSERT_TRUE(option.Save(folder.File("option.xml")));
    const std::string bytes = ReadBytes(folder.File("option.xml"));
    EXPECT_NE(std::string::npos, bytes.find("\t<HotKey HotKey=\"0377\" KeyWait=\"100\"/>\r\n"));
    EXPECT_NE(
        std::string::npos,
        bytes.find("\t<Colors>\r\n"
                   "\t\t<Color Name=\"ActiveCast\" TextColor=\"000000\" BackColor=\"ffcccc\"/>\r\n"
                   "\t\t<Color Name=\"Alpha\" TextColor=\"ff0000\" BackColor=\"0000ff\"/>\r\n"
                   "\t\t<Color Name=\"Zeta\" TextColor=\"010000\" BackColor=\"020000\"/>\r\n"
                   "\t</Colors>\r\n"));
}

TEST(COptionSave, RefusesEmptyPath)
{
    EXPECT_FALSE(COption().Save(""));
}

TEST(COptionSaveFailure, MissingFolderOrFolderTargetLeavesEverythingAsItWas)
{
    CTempFolder folder;
    EXPECT_FALSE(Customised().Save(folder.File("no-such-folder/option.xml")));
    std::filesystem::create_directory(folder.Path() / "option.xml");
    EXPECT_FALSE(Customised().Save(folder.File("option.xml")));
    EXPECT_TRUE(std::filesystem::is_directory(folder.Path() / "option.xml"));
    EXPECT_EQ((std::vector<std::string>{"option.xml"}), folder.List());
}

TEST(COptionSaveFailure, ReadOnlyFolderKeepsOldFile)
{
    CTempFolder folder;
    const std::string path = folder.File("option.xml");
    const std::string old = ReadBytes(Data("colours.xml"));
    WriteBytes(path, old);
    if (!folder.MakeReadOnly())
        GTEST_SKIP() << "the folder stays writable for this user";
    EXPECT_FALSE(Customised().Save(path));
    EXPECT_EQ(old, ReadBytes(path));
    EXPECT_EQ((std::vector<std::string>{"option.xml"}), folder.List());
}

// ---- round trip -----------------------------------------------------------

TEST(COptionRoundTrip, KeepsEveryFieldColourAndPath)
{
    CTempFolder folder;
    const COption saved = Customised();
    ASSERT_TRUE(saved.Save(folder.File("option.xml")));
    COption loaded;
    ASSERT_TRUE(loaded.Load(folder.File("option.xml")));
    EXPECT_TRUE(CSnapshot(saved) == CSnapshot(loaded));
    EXPECT_EQ((std::vector<std::string>{"C:\\one.xml", "C:\\two&three.xml"}), History(loaded));
}

TEST(COptionRoundTrip, OtherColourItemSurvivesLoadAndSave)
{
    CTempFolder folder;
    COption option;
    ASSERT_TRUE(option.Load(Data("colours.xml")));
    ASSERT_TRUE(option.Save(folder.File("option.xml")));
    COption again;
    ASSERT_TRUE(again.Load(folder.File("option.xml")));
    ASSERT_EQ(1u, again.m_Colors.count("Warning"));
    EXPECT_EQ(0x0000FFu, again.m_Colors.at("Warning").m_TextColor);
    EXPECT_EQ(0x563412u, again.m_Colors.at("Warning").m_BackColor);
    EXPECT_TRUE(CSnapshot(option) == CSnapshot(again));
}

TEST(COptionRoundTrip, ExtremeNumbersComeBack)
{
    CTempFolder folder;
    COption option;
    option.m_General.m_ScrollPos = INT32_MIN;
    option.m_Hotkey.m_KeyWait = INT32_MAX;
    option.m_Hotkey.m_HotKey = 0xFFFF;
    option.m_Colors["x"] = CColorManager("x", 0xFFFFFF, 0x000001);
    ASSERT_TRUE(option.Save(folder.File("option.xml")));
    COption loaded;
    ASSERT_TRUE(loaded.Load(folder.File("option.xml")));
    EXPECT_TRUE(CSnapshot(option) == CSnapshot(loaded));
}

TEST(COptionRoundTrip, QuoteInHandWrittenNameStillGivesLoadableFile)
{
    // Regression: the writer quotes with ", so a name holding one ended the
    // attribute early and the next start lost every option after it.
    CTempFolder folder;
    COption option;
    ASSERT_TRUE(option.Load(Data("quote-in-name.xml")));
    ASSERT_EQ(1u, option.m_Colors.count("say \"hi\""));
    ASSERT_TRUE(option.Save(folder.File("option.xml")));
    COption loaded;
    ASSERT_TRUE(loaded.Load(folder.File("option.xml")));
    EXPECT_EQ(1u, loaded.m_Colors.count("say &quot;hi&quot;"));
    EXPECT_EQ(0x010000u, loaded.m_Colors.at("say &quot;hi&quot;").m_TextColor);
    EXPECT_EQ((std::vector<std::string>{"C:\\a.xml"}), History(loaded));
    // From then on the file is stable.
    ASSERT_TRUE(loaded.Save(folder.File("again.xml")));
    EXPECT_EQ(ReadBytes(folder.File("option.xml")), ReadBytes(folder.File("again.xml")));
}

// ---- reading hand-written files -------------------------------------------

TEST(COptionLoad, OnlyTheRootChangesNothing)
{
    COption option = Customised();
    const CSnapshot before(option);
    EXPECT_TRUE(option.Load(Data("only-root.xml")));
    EXPECT_TRUE(before == CSnapshot(option));
}

TEST(COptionLoad, KeepsTheLastTenOfTwelveHistoryEntries)
{
    COption option;
    ASSERT_TRUE(option.Load(Data("twelve-histories.xml")));
    std::vector<std::string> expected;
    for (int i = 3; i <= 12; ++i)
        expected.push_back("C:\\scenario\\" + std::string(i < 10 ? "0" : "") + std::to_string(i) +
                           ".xml");
    EXPECT_EQ(expected, History(option));
}

TEST(COptionLoad, KeepsDuplicatePathsAndReadsValuesVerbatim)
{
    COption option = Customised();
    ASSERT_TRUE(option.Load(Data("duplicate-paths.xml")));
    // The history is replaced, entities in attribute values stay as written.
    EXPECT_EQ((std::vector<std::string>{"C:\\a.xml", "C:\\a.xml", "C:\\表\\ソ&amp;.xml"}),
              History(option));
}

TEST(COptionLoad, ReadsColoursInEitherCaseAndLaterDuplicateWins)
{
    COption option;
    ASSERT_TRUE(option.Load(Data("colours.xml")));
    EXPECT_EQ(0xFF0000u, option.m_Colors.at("ActiveCast").m_TextColor);
    EXPECT_EQ(0xCCCCFFu, option.m_Colors.at("ActiveCast").m_BackColor);
    EXPECT_EQ(0x000002u << 16, option.m_Colors.at("Twice").m_TextColor);
    EXPECT_EQ(0x12EFCDu, option.m_Colors.at("Twice").m_BackColor);
    EXPECT_EQ(0u, option.m_Colors.count("Ignored"));
    EXPECT_EQ(3u, option.m_Colors.size());
}

TEST(COptionLoad, FileWithoutActiveCastKeepsBuiltInItem)
{
    COption option;
    ASSERT_TRUE(option.Load(Data("no-active-cast.xml")));
    EXPECT_EQ(0xCCCCFFu, option.m_Colors.at("ActiveCast").m_BackColor);
    EXPECT_EQ(0x030201u, option.m_Colors.at("Other").m_TextColor);
}

TEST(COptionLoad, HotKeyKeepsLow16Bits)
{
    COption option;
    ASSERT_TRUE(option.Load(Data("hotkey.xml")));
    EXPECT_EQ(0x0077, option.m_Hotkey.m_HotKey);
    EXPECT_EQ(250, option.m_Hotkey.m_KeyWait);
    ASSERT_TRUE(option.Load(Data("hotkey-ctrl-shift.xml")));
    EXPECT_EQ(0x0377, option.m_Hotkey.m_HotKey);
}

TEST(COptionLoad, MakesNoRangeChecks)
{
    COption option;
    ASSERT_TRUE(option.Load(Data("no-range-checks.xml")));
    EXPECT_EQ(0, option.m_General.m_AddReturn);
    EXPECT_EQ(0, option.m_General.m_AutoScroll);
    EXPECT_EQ(0, option.m_General.m_ScrollPos);
    EXPECT_EQ(0, option.m_Hotkey.m_HotKey);
    EXPECT_EQ(5, option.m_Hotkey.m_KeyWait);
}

TEST(COptionLoad, AcceptsAnotherRootName)
{
    COption option;
    ASSERT_TRUE(option.Load(Data("other-root.xml")));
    EXPECT_EQ(20, option.m_General.m_ScrollPos);
}

// ---- failures -------------------------------------------------------------

TEST(COptionLoadFailure, MissingFileIsCreatedEmptyAndDefaultsStay)
{
    CTempFolder folder;
    COption option;
    const CSnapshot before(option);
    EXPECT_FALSE(option.Load(folder.File("option.xml")));
    EXPECT_TRUE(before == CSnapshot(option));
    EXPECT_EQ("", option.GetError());
    EXPECT_EQ("", ReadBytes(folder.File("option.xml")));
    // Saving at the end of the run fills it.
    ASSERT_TRUE(option.Save(folder.File("option.xml")));
    EXPECT_EQ(ReadBytes(Data("default.xml")), ReadBytes(folder.File("option.xml")));
}

TEST(COptionLoadFailure, EmptyPathOrFolderChangesNothing)
{
    CTempFolder folder;
    COption option = Customised();
    const CSnapshot before(option);
    EXPECT_FALSE(option.Load(""));
    EXPECT_FALSE(option.Load(folder.Path().string()));
    EXPECT_TRUE(before == CSnapshot(option));
    EXPECT_EQ("", option.GetError());
}

TEST(COptionLoadFailure, MalformedFileChangesNothing)
{
    COption option = Customised();
    const CSnapshot before(option);
    EXPECT_FALSE(option.Load(Data("malformed.xml")));
    EXPECT_TRUE(before == CSnapshot(option));
    EXPECT_EQ(kPrefix + "エラー場所：5 行目 9 文字目\nEnd tag mismatch with start tag(HotKey) in 8",
              option.GetError());
}

TEST(COptionLoadFailure, OtherVersionIsRefusedAndChangesNothing)
{
    COption option = Customised();
    const CSnapshot before(option);
    EXPECT_FALSE(option.Load(Data("version-1.1.xml")));
    EXPECT_TRUE(before == CSnapshot(option));
    EXPECT_EQ("対応していないバージョンです：1.1", option.GetError());
}

TEST(COptionLoadFailure, VersionAttributeNeedsCapitalV)
{
    for (const char* name : {"missing-version.xml", "lower-case-version.xml"}) {
        COption option = Customised();
        const CSnapshot before(option);
        EXPECT_FALSE(option.Load(Data(name))) << name;
        EXPECT_TRUE(before == CSnapshot(option)) << name;
        EXPECT_EQ(kPrefix + "Attribute not found(Version)", option.GetError()) << name;
    }
}

TEST(COptionLoadFailure, MissingKeyWaitKeepsWhatWasReadBeforeIt)
{
    COption option;
    EXPECT_FALSE(option.Load(Data("missing-keywait.xml")));
    EXPECT_EQ(0, option.m_General.m_AddReturn);
    EXPECT_EQ(3, option.m_General.m_ScrollPos);
    EXPECT_EQ(0x0041, option.m_Hotkey.m_HotKey);
    EXPECT_EQ(100, option.m_Hotkey.m_KeyWait);
    // The colours come after the failure and were not read.
    EXPECT_EQ(0xCCCCFFu, option.m_Colors.at("ActiveCast").m_BackColor);
    EXPECT_NE(std::string::npos, option.GetError().find("Attribute not found(KeyWait)"));
}

TEST(COptionLoadFailure, MissingScrollPosKeepsTheTwoFieldsBeforeIt)
{
    COption option;
    EXPECT_FALSE(option.Load(Data("missing-scrollpos.xml")));
    EXPECT_EQ(0, option.m_General.m_AddReturn);
    EXPECT_EQ(0, option.m_General.m_AutoScroll);
    EXPECT_EQ(10, option.m_General.m_ScrollPos);
}

TEST(COptionLoadFailure, ColourWithoutNameKeepsEarlierItems)
{
    COption option;
    EXPECT_FALSE(option.Load(Data("missing-color-name.xml")));
    EXPECT_EQ(1u, option.m_Colors.count("First"));
    EXPECT_EQ(0u, option.m_Colors.count("Third"));
    EXPECT_EQ(2u, option.m_Colors.size());
    EXPECT_NE(std::string::npos, option.GetError().find("Attribute not found(Name)"));
}

TEST(COptionLoadFailure, ColourWithoutBackColorIsNotStoredHalfRead)
{
    COption option;
    EXPECT_FALSE(option.Load(Data("missing-back-color.xml")));
    EXPECT_EQ(0x000000u, option.m_Colors.at("ActiveCast").m_TextColor);
    EXPECT_EQ(0xCCCCFFu, option.m_Colors.at("ActiveCast").m_BackColor);
}

TEST(COptionLoadFailure, HistoryEntryWithoutFullPathKeepsEntriesBeforeIt)
{
    COption option = Customised();
    EXPECT_FALSE(option.Load(Data("missing-fullpath.xml")));
    EXPECT_EQ((std::vector<std::string>{"C:\\one.xml"}), History(option));
    EXPECT_NE(std::string::npos, option.GetError().find("Attribute not found(FullPath)"));
}
