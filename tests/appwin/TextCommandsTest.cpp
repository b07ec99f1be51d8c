// Scenarios as plain text in the main window: import from the File menu,
// paste from the clipboard, dropped text files, export, and every character
// kept.
#include "EditSupport.h"
#include "MainWndSupport.h"

#include <dlgs.h>

#include <cstring>

#include "res/resource.h"

namespace
{

// Three lines as an editor saves them: UTF-8 with BOM, CR LF.
const std::string kThreeLines = "\xEF\xBB\xBF" + std::string(u8"アリス「こんにちは」\r\n"
                                                             u8"カイ: やあ\r\n"
                                                             u8"（間）\r\n");

// Types a path into the open or save dialog and presses OK.
void ChooseFile(HWND dialog, const std::string& path)
{
    for (int id : {cmb13, edt1})
        if (GetDlgItem(dialog, id))
            SetDlgItemTextA(dialog, id, path.c_str());
    PostClick(dialog, IDOK);
}

}  // namespace

class TextCommands : public MainWndTest
{
protected:
    // Rows as "cast|serif|memo".
    std::vector<std::string> Rows()
    {
        std::vector<std::string> rows;
        for (int row = 0; row < Window().GetSerifList().GetItemCount(); ++row)
            rows.push_back(RowText(row, 0) + "|" + RowText(row, 1) + "|" + RowText(row, 2));
        return rows;
    }
};

TEST_F(TextCommands, MenuImportAppendsRowsAndCasts)
{
    const std::string scenario =
        SaveScenario(MakeScript({CSerif(0, "はじめまして"), CSerif(1, "どうも")}), "a.xml");
    const std::string text = m_Folder->File("台本.txt");
    WriteBytes(text, kThreeLines);
    ASSERT_TRUE(CreateWindowNow());
    ASSERT_TRUE(Window().OpenScenario(scenario));
    SendMessageA(Window().GetCastBox().GetHandle(), CB_SELECTSTRING, static_cast<WPARAM>(-1),
                 reinterpret_cast<LPARAM>("ボブ"));

    CDialogDriver driver;
    driver.OnDialog([&](HWND box) { ChooseFile(box, text); });
    Command(IDM_IMPORT_TEXT);
    ExpectPlayed(driver);

    const std::vector<std::string> rows = {"アリス|はじめまして|", "ボブ|どうも|",
                                           "アリス|こんにちは|", "カイ|やあ|", "|（間）|"};
    EXPECT_EQ(rows, Rows());
    ASSERT_EQ(3, Window().GetScript().GetCastCount());
    EXPECT_EQ("カイ", Window().GetScript().GetCast(2).m_Name);
    EXPECT_EQ(2, Window().GetScript().GetCast(2).m_Id);
    EXPECT_EQ(-1, Window().GetScript().GetSerif(4).m_CastId);
    EXPECT_EQ(4, Window().GetCastBox().Send(CB_GETCOUNT));
    EXPECT_EQ(1, Window().GetActiveCastId());  // still ボブ
    EXPECT_EQ(2, Window().GetSerifList().GetSelected());
    EXPECT_FALSE(Window().IsSaved());
    EXPECT_EQ("散歩 * - Rolecue Ver 0.11", Title());
    EXPECT_EQ(scenario, Window().GetFileName());
}

TEST_F(TextCommands, PasteTextInsertsBeforeCursor)
{
    const std::string scenario =
        SaveScenario(MakeScript({CSerif(0, "一"), CSerif(1, "二")}), "a.xml");
    ASSERT_TRUE(CreateWindowNow());
    ASSERT_TRUE(Window().OpenScenario(scenario));
    Window().GetSerifList().Select(1);
    SetClipboardUnicode(L"ボブ「はい」\n# 小声で\nカイ：いいえ\n\nアリス: 「えっ」");

    CDialogDriver driver;
    Command(IDM_PASTE_TEXT);
    ExpectPlayed(driver);

    const std::vector<std::string> rows = {"アリス|一|", "ボブ|はい|小声で", "カイ|いいえ|",
                                           "アリス|「えっ」|", "ボブ|二|"};
    EXPECT_EQ(rows, Rows());
    EXPECT_EQ(1, Window().GetSerifList().GetSelected());
    EXPECT_EQ(3, Window().GetScript().GetCastCount());
    EXPECT_EQ(4, Window().GetCastBox().Send(CB_GETCOUNT));
    EXPECT_FALSE(Window().IsSaved());
}

TEST_F(TextCommands, DropImportsFirstTextFileWhenNoScenarioIsAmongThem)
{
    const std::string other = m_Folder->File("memo.doc");
    const std::string first = m_Folder->File("first.TXT");
    const std::string second = m_Folder->File("second.txt");
    WriteBytes(other, "x");
    WriteBytes(first, kThreeLines);
    WriteBytes(second, "ボブ「これは読まれない」");
    ASSERT_TRUE(CreateWindowNow());

    CDialogDriver driver;
    SendMessageA(Main(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({other, first, second})),
                 0);
    ExpectPlayed(driver);

    const std::vector<std::string> rows = {"アリス|こんにちは|", "カイ|やあ|", "|（間）|"};
    EXPECT_EQ(rows, Rows());
    EXPECT_EQ(3, Window().GetCastBox().Send(CB_GETCOUNT));
    EXPECT_EQ(" * - Rolecue Ver 0.11", Title());
    EXPECT_EQ("", Window().GetFileName());
}

TEST_F(TextCommands, ImportAndPasteKeepEveryCharacterWithoutAsking)
{
    const std::string text = m_Folder->File("emoji.txt");
    WriteBytes(text, u8"アリス「\U0001F600♡」\r\n\r\nカイ: \u301C(◕‿◕)\r\n");
    ASSERT_TRUE(CreateWindowNow());
    // No question comes: a box would stop the test here.
    EXPECT_TRUE(Window().ImportTextFile(text));
    SetClipboardUnicode(L"\U0001F3B2: \U00020BB7\u2728");
    Window().GetSerifList().Select(0);
    EXPECT_TRUE(Window().PasteText());
    EXPECT_EQ((std::vector<std::string>{"🎲|𠮷✨|", "アリス|\U0001F600♡|", "カイ|〜(◕‿◕)|"}), Rows());
}

TEST_F(TextCommands, MenuExportWritesTextAndLeavesScenarioState)
{
    CScript script = MakeScript(
        {CSerif(0, "こんにちは", "笑顔で"), CSerif(1, "「やあ」と言う"), CSerif(-1, "（間）")});
    const std::string scenario = SaveScenario(script, "a.xml");
    const std::string out = m_Folder->File("out");
    ASSERT_TRUE(CreateWindowNow());
    ASSERT_TRUE(Window().OpenScenario(scenario));
    Window().SetSaved(false);

    CDialogDriver driver;
    driver.OnDialog([&](HWND box) { ChooseFile(box, out); });
    Command(IDM_EXPORT_TEXT);
    ExpectPlayed(driver);

    EXPECT_EQ("\xEF\xBB\xBF" + std::string(u8"アリス「こんにちは」\r\n# 笑顔で\r\n"
                                           u8"ボブ: 「やあ」と言う\r\n（間）\r\n"),
              ReadBytes(out + ".txt"));
    EXPECT_EQ(scenario, Window().GetFileName());
    EXPECT_FALSE(Window().IsSaved());
    ASSERT_EQ(3u, RecentMenu().size());  // the opened scenario, separator, clear
    EXPECT_EQ("&0 " + scenario, RecentMenu()[0].m_Text);
}
