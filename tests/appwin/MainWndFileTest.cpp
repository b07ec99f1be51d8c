// The file commands of the main window: title and saved flag through Open,
// Save and edits, failed opens, the question before replacing unsaved
// changes, the recent-files menu as built, and dropped files.
#include "MainWndSupport.h"

#include "res/resource.h"
#include "wnd/WideText.h"

namespace
{

const std::vector<CSerif> kThreeSerifs = {CSerif(0, "こんにちは"), CSerif(1, "やあ"),
                                          CSerif(0, "散歩に行こう")};

}  // namespace

class MainWndFile : public MainWndTest
{};

TEST_F(MainWndFile, StartsWithPlainProductTitle)
{
    ASSERT_TRUE(CreateWindowNow());
    EXPECT_EQ("Rolecue Ver 0.11", Title());
    EXPECT_TRUE(Window().IsSaved());
    EXPECT_EQ("", Window().GetFileName());
}

TEST_F(MainWndFile, OpenFillsListAndCastBoxAndTitle)
{
    const std::string path = SaveScenario(MakeScript(kThreeSerifs), "a.xml");
    ASSERT_TRUE(CreateWindowNow());
    ASSERT_TRUE(Window().OpenScenario(path));
    EXPECT_EQ("散歩 - Rolecue Ver 0.11", Title());
    EXPECT_EQ(path, Window().GetFileName());
    ASSERT_EQ(3, Window().GetSerifList().GetItemCount());
    EXPECT_EQ("アリス", RowText(0, 0));
    EXPECT_EQ("やあ", RowText(1, 1));
    EXPECT_EQ(1, Window().GetSerifList().GetItemData(1));
    EXPECT_EQ(0, Window().GetSerifList().GetSelected());
    // Empty entry plus the two casts; nothing selected, so no active cast.
    EXPECT_EQ(3, Window().GetCastBox().Send(CB_GETCOUNT));
    EXPECT_EQ(-1, Window().GetActiveCastId());
    // Redrawing was switched off for the refill and is back on.
    EXPECT_TRUE(IsWindowVisible(Window().GetSerifList().GetHandle()));
}

TEST_F(MainWndFile, EditMarksTitleAndSaveClearsIt)
{
    const std::string path = SaveScenario(MakeScript(kThreeSerifs), "a.xml");
    ASSERT_TRUE(CreateWindowNow());
    ASSERT_TRUE(Window().OpenScenario(path));
    Window().GetSerifList().Select(1);
    Command(IDM_SERIF_DOWN);
    EXPECT_FALSE(Window().IsSaved());
    EXPECT_EQ("散歩 * - Rolecue Ver 0.11", Title());
    EXPECT_EQ("散歩に行こう", Window().GetScript().GetSerif(1).m_Text);
    EXPECT_EQ("散歩に行こう", RowText(1, 1));

    Command(IDM_FILE_SAVE);  // has a file name: no dialog
    EXPECT_TRUE(Window().IsSaved());
    EXPECT_EQ("散歩 - Rolecue Ver 0.11", Title());
    CScript reread;
    ASSERT_TRUE(reread.Load(path));
    EXPECT_EQ("散歩に行こう", reread.GetSerif(1).m_Text);
}

TEST_F(MainWndFile, SaveAsCancelledChangesNothing)
{
    ASSERT_TRUE(CreateWindowNow());
    Window().GetScript().AddCast(CCast(0, "アリス"));
    Window().SetSaved(false);
    CDialogDriver answers({IDCANCEL});
    EXPECT_FALSE(Window().SaveScenario(std::string()));
    EXPECT_TRUE(answers.Finished());
    ASSERT_EQ(1u, answers.Seen().size());
    EXPECT_TRUE(answers.Seen()[0].m_FileDialog);
    EXPECT_FALSE(Window().IsSaved());
    EXPECT_EQ("", Window().GetFileName());
}

TEST_F(MainWndFile, FailedSaveKeepsNameAndFlag)
{
    ASSERT_TRUE(CreateWindowNow());
    Window().SetSaved(false);
    CDialogDriver answers({IDOK});
    // A folder cannot be written as a file.
    EXPECT_FALSE(Window().SaveScenario(m_Folder->Path().string()));
    ASSERT_EQ(1u, answers.Seen().size());
    EXPECT_EQ("エラー", answers.Seen()[0].m_Caption);
    EXPECT_EQ("保存に失敗しました。", answers.Seen()[0].m_Text);
    EXPECT_FALSE(Window().IsSaved());
    EXPECT_EQ("", Window().GetFileName());
}

// Regression: a failed open used to leave the list showing the old rows
// over a half-read scenario.
TEST_F(MainWndFile, FailedOpenLeavesEverythingAsItWas)
{
    const std::string good = SaveScenario(MakeScript(kThreeSerifs), "good.xml");
    const std::string bad = m_Folder->File("bad.xml");
    WriteBytes(bad, "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n<script version=\"1.0\">\r\n"
                    "<title>\r\nX\r\n</title>\r\n<serif>\r\n<cast_id>\r\n0\r\n</cast_id>\r\n");
    ASSERT_TRUE(CreateWindowNow());
    ASSERT_TRUE(Window().OpenScenario(good));
    Window().GetSerifList().Select(1);
    Command(IDM_SERIF_UP);
    const std::string titleBefore = Title();

    CDialogDriver answers({IDNO, IDOK});  // do not save; acknowledge the error
    EXPECT_FALSE(Window().OpenScenario(bad));
    ASSERT_EQ(2u, answers.Seen().size());
    EXPECT_EQ("内容が変更されています。変更を保存しますか？", answers.Seen()[0].m_Text);
    EXPECT_EQ("エラー", answers.Seen()[1].m_Caption);
    EXPECT_FALSE(answers.Seen()[1].m_Text.empty());

    EXPECT_EQ(titleBefore, Title());
    EXPECT_FALSE(Window().IsSaved());
    EXPECT_EQ(good, Window().GetFileName());
    ASSERT_EQ(3, Window().GetScript().GetSerifCount());
    EXPECT_EQ("やあ", Window().GetScript().GetSerif(0).m_Text);
    ASSERT_EQ(3, Window().GetSerifList().GetItemCount());
    EXPECT_EQ("やあ", RowText(0, 1));
    EXPECT_EQ(3, Window().GetCastBox().Send(CB_GETCOUNT));
}

TEST_F(MainWndFile, OpenMissingFileShowsReaderTextOrFallback)
{
    ASSERT_TRUE(CreateWindowNow());
    CDialogDriver answers({IDOK});
    EXPECT_FALSE(Window().OpenScenario(m_Folder->File("missing.xml")));
    ASSERT_EQ(1u, answers.Seen().size());
    EXPECT_EQ("読み込みに失敗しました。", answers.Seen()[0].m_Text);
    EXPECT_EQ("Rolecue Ver 0.11", Title());
    // Regression: the failed open left an empty file of that name behind.
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(m_Folder->File("missing.xml").c_str()));
}

TEST_F(MainWndFile, OpenWithoutChangesAsksNothing)
{
    const std::string a = SaveScenario(MakeScript(kThreeSerifs, "A"), "a.xml");
    const std::string b = SaveScenario(MakeScript(kThreeSerifs, "B"), "b.xml");
    ASSERT_TRUE(CreateWindowNow());
    CDialogDriver answers;
    ASSERT_TRUE(Window().OpenScenario(a));
    ASSERT_TRUE(Window().OpenScenario(b));
    EXPECT_TRUE(answers.Unexpected().empty());
    EXPECT_EQ("B - Rolecue Ver 0.11", Title());
}

TEST_F(MainWndFile, OpenWhileModifiedCancelKeepsScenario)
{
    const std::string a = SaveScenario(MakeScript(kThreeSerifs, "A"), "a.xml");
    const std::string b = SaveScenario(MakeScript(kThreeSerifs, "B"), "b.xml");
    ASSERT_TRUE(CreateWindowNow());
    ASSERT_TRUE(Window().OpenScenario(a));
    Window().SetSaved(false);
    CDialogDriver answers({IDCANCEL});
    EXPECT_FALSE(Window().OpenScenario(b));
    ASSERT_EQ(1u, answers.Seen().size());
    EXPECT_EQ("確認", answers.Seen()[0].m_Caption);
    EXPECT_EQ("A * - Rolecue Ver 0.11", Title());
    EXPECT_EQ(a, Window().GetFileName());
}

TEST_F(MainWndFile, OpenWhileModifiedYesSavesFirst)
{
    const std::string a = SaveScenario(MakeScript(kThreeSerifs, "A"), "a.xml");
    const std::string b = SaveScenario(MakeScript(kThreeSerifs, "B"), "b.xml");
    ASSERT_TRUE(CreateWindowNow());
    ASSERT_TRUE(Window().OpenScenario(a));
    Window().GetSerifList().Select(2);
    Command(IDM_SERIF_UP);
    CDialogDriver answers({IDYES});
    EXPECT_TRUE(Window().OpenScenario(b));
    EXPECT_EQ("B - Rolecue Ver 0.11", Title());
    CScript reread;
    ASSERT_TRUE(reread.Load(a));
    EXPECT_EQ("散歩に行こう", reread.GetSerif(1).m_Text);
}

TEST_F(MainWndFile, OpenWhileModifiedYesWithCancelledSaveStops)
{
    const std::string b = SaveScenario(MakeScript(kThreeSerifs, "B"), "b.xml");
    ASSERT_TRUE(CreateWindowNow());
    Window().GetScript().SetTitle("New");
    Window().SetSaved(false);
    CDialogDriver answers({IDYES, IDCANCEL});  // save: the dialog is cancelled
    EXPECT_FALSE(Window().OpenScenario(b));
    EXPECT_TRUE(answers.Finished());
    EXPECT_EQ("New * - Rolecue Ver 0.11", Title());
    EXPECT_EQ("", Window().GetFileName());
}

TEST_F(MainWndFile, EmptyHistoryShowsGreyedNone)
{
    ASSERT_TRUE(CreateWindowNow());
    const std::vector<CMenuEntry> menu = RecentMenu();
    ASSERT_EQ(3u, menu.size());
    EXPECT_EQ(IDM_FILE_RECENT_FIRST, menu[0].m_Id);
    EXPECT_EQ("(なし)", menu[0].m_Text);
    EXPECT_TRUE(menu[0].m_Grayed);
    EXPECT_TRUE(menu[1].m_Separator);
    EXPECT_EQ(IDM_FILE_RECENT_SEPARATOR, menu[1].m_Id);
    EXPECT_EQ(IDM_FILE_CLEAR_HISTORY, menu[2].m_Id);
    EXPECT_TRUE(menu[2].m_Grayed);
}

TEST_F(MainWndFile, HistoryFromOptionsBuildsNumberedItems)
{
    m_OptionText = OptionFileText(1, 0x0078, {"C:\\one.xml", "C:\\a&b\\two.xml"});
    ASSERT_TRUE(CreateWindowNow());
    const std::vector<CMenuEntry> menu = RecentMenu();
    ASSERT_EQ(4u, menu.size());
    EXPECT_EQ(165, menu[0].m_Id);
    EXPECT_EQ("&0 C:\\one.xml", menu[0].m_Text);
    EXPECT_FALSE(menu[0].m_Grayed);
    EXPECT_EQ(166, menu[1].m_Id);
    EXPECT_EQ("&1 C:\\a&b\\two.xml", menu[1].m_Text);
    EXPECT_TRUE(menu[2].m_Separator);
    EXPECT_EQ(IDM_FILE_CLEAR_HISTORY, menu[3].m_Id);
    EXPECT_FALSE(menu[3].m_Grayed);
}

TEST_F(MainWndFile, OpenedFileJoinsHistoryOnce)
{
    const std::string a = SaveScenario(MakeScript(kThreeSerifs), "a.xml");
    ASSERT_TRUE(CreateWindowNow());
    ASSERT_TRUE(Window().OpenScenario(a));
    ASSERT_TRUE(Window().OpenScenario(a));
    const std::vector<CMenuEntry> menu = RecentMenu();
    ASSERT_EQ(3u, menu.size());
    EXPECT_EQ("&0 " + a, menu[0].m_Text);
}

TEST_F(MainWndFile, RecentFileCommandOpensEntry)
{
    const std::string a = SaveScenario(MakeScript(kThreeSerifs, "A"), "a.xml");
    const std::string b = SaveScenario(MakeScript(kThreeSerifs, "B"), "b.xml");
    m_OptionText = OptionFileText(1, 0x0078, {a, b});
    ASSERT_TRUE(CreateWindowNow());
    Command(166);
    EXPECT_EQ("B - Rolecue Ver 0.11", Title());
    Command(167);  // no third entry: nothing
    EXPECT_EQ(b, Window().GetFileName());
}

TEST_F(MainWndFile, ScenarioInAFolderOfAnyScriptOpensFromRecentFilesAndSaves)
{
    const std::string folder = m_Folder->File("台本♡");
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    const std::string path = folder + "\\シナリオ😊.xml";
    ASSERT_TRUE(MakeScript(kThreeSerifs, "ハート♡").Save(path));
    // The name on disk is the name typed, not its bytes in another code page.
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(Widen(path).c_str()));
    m_OptionText = OptionFileText(1, 0x0078, {path});
    ASSERT_TRUE(CreateWindowNow());
    ASSERT_FALSE(RecentMenu().empty());
    EXPECT_EQ("&0 " + path, RecentMenu()[0].m_Text);
    Command(IDM_FILE_RECENT_FIRST);
    EXPECT_EQ("ハート♡ - Rolecue Ver 0.11", Title());
    EXPECT_EQ(path, Window().GetFileName());

    Window().GetScript().SetTitle("ハート♡😊");
    Command(IDM_FILE_SAVE);
    CScript saved;
    ASSERT_TRUE(saved.Load(path));
    EXPECT_EQ("ハート♡😊", saved.GetTitle());
    // The options keep the folder: written as UTF-8, read back the same.
    ASSERT_TRUE(Window().SaveOptions());
    COption options;
    ASSERT_TRUE(options.Load(m_OptionPath));
    EXPECT_TRUE(options.m_FileHistory.Contains(path));
    EXPECT_EQ(0u, ReadBytes(m_OptionPath).find("<?xml version=\"1.0\" encoding=\"UTF-8\"?>"));
}

TEST_F(MainWndFile, ClearHistoryNoKeepsMenuYesEmptiesIt)
{
    m_OptionText = OptionFileText(1, 0x0078, {"C:\\one.xml"});
    ASSERT_TRUE(CreateWindowNow());
    {
        CDialogDriver answers({IDNO});
        Command(IDM_FILE_CLEAR_HISTORY);
        ASSERT_EQ(1u, answers.Seen().size());
        EXPECT_EQ("全てのファイル履歴を削除します。\r\nよろしいですか？", answers.Seen()[0].m_Text);
    }
    EXPECT_EQ("&0 C:\\one.xml", RecentMenu()[0].m_Text);
    {
        CDialogDriver answers({IDYES});
        Command(IDM_FILE_CLEAR_HISTORY);
    }
    const std::vector<CMenuEntry> menu = RecentMenu();
    ASSERT_EQ(3u, menu.size());
    EXPECT_EQ("(なし)", menu[0].m_Text);
}

TEST_F(MainWndFile, DropOpensFirstXmlWhateverItsCase)
{
    const std::string upper = SaveScenario(MakeScript(kThreeSerifs, "Upper"), "B.XML");
    const std::string lower = SaveScenario(MakeScript(kThreeSerifs, "Lower"), "c.xml");
    const std::string text = m_Folder->File("note.txt");
    WriteBytes(text, "text");
    ASSERT_TRUE(CreateWindowNow());
    SendMessageA(Main(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({text, upper, lower})), 0);
    EXPECT_EQ("Upper - Rolecue Ver 0.11", Title());
    EXPECT_EQ(upper, Window().GetFileName());
}

TEST_F(MainWndFile, DropWithoutXmlOrTxtOpensNothing)
{
    const std::string text = m_Folder->File("note.doc");
    WriteBytes(text, "text");
    ASSERT_TRUE(CreateWindowNow());
    CDialogDriver answers;
    SendMessageA(Main(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({text})), 0);
    EXPECT_TRUE(answers.Unexpected().empty());
    EXPECT_EQ("Rolecue Ver 0.11", Title());
}

TEST_F(MainWndFile, NewAnsweredNoChangesNothing)
{
    const std::string a = SaveScenario(MakeScript(kThreeSerifs), "a.xml");
    ASSERT_TRUE(CreateWindowNow());
    ASSERT_TRUE(Window().OpenScenario(a));
    CDialogDriver answers({IDNO});
    Command(IDM_FILE_NEW);
    ASSERT_EQ(1u, answers.Seen().size());
    EXPECT_EQ("現在のシナリオを破棄します。\nよろしいですか？", answers.Seen()[0].m_Text);
    EXPECT_EQ(3, Window().GetSerifList().GetItemCount());
    EXPECT_EQ(a, Window().GetFileName());
}

TEST_F(MainWndFile, MenuShowsAtMostTenRecentFiles)
{
    std::vector<std::string> paths;
    for (int i = 0; i < 12; ++i)
        paths.push_back("C:\\f" + std::to_string(i) + ".xml");
    m_OptionText = OptionFileText(1, 0x0078, paths);
    ASSERT_TRUE(CreateWindowNow());
    const std::vector<CMenuEntry> menu = RecentMenu();
    ASSERT_EQ(12u, menu.size());  // ten files, separator, clear
    EXPECT_EQ("&0 C:\\f2.xml", menu[0].m_Text);
    EXPECT_EQ(174, menu[9].m_Id);
    EXPECT_EQ("&9 C:\\f11.xml", menu[9].m_Text);
    // Rebuilding removes every numbered item before adding them again.
    Window().RebuildRecentFilesMenu();
    EXPECT_EQ(12u, RecentMenu().size());
}

TEST_F(MainWndFile, NewConfirmedStartsEmptyScenarioAndOpensBothDialogs)
{
    const std::string a = SaveScenario(MakeScript(kThreeSerifs), "a.xml");
    ASSERT_TRUE(CreateWindowNow());
    ASSERT_TRUE(Window().OpenScenario(a));
    Window().GetSerifList().Select(1);
    Command(IDM_SERIF_UP);
    Window().PasteNextSerif();
    PumpFor(300);  // the synthesised keys reach the list, not the next box
    ASSERT_NE(-1, Window().GetSequencer().GetLastPastedRow());
    // Yes; then the scenario settings and the cast dialog, both cancelled.
    CDialogDriver answers({IDYES, IDCANCEL, IDCANCEL});
    Command(IDM_FILE_NEW);
    EXPECT_TRUE(answers.Finished());
    ASSERT_EQ(3u, answers.Seen().size());
    EXPECT_EQ("シナリオ設定", answers.Seen()[1].m_Caption);
    EXPECT_EQ("キャスト編集", answers.Seen()[2].m_Caption);
    EXPECT_TRUE(answers.Unexpected().empty());
    EXPECT_EQ(" - Rolecue Ver 0.11", Title());
    EXPECT_TRUE(Window().IsSaved());
    EXPECT_EQ("", Window().GetFileName());
    EXPECT_EQ(0, Window().GetSerifList().GetItemCount());
    EXPECT_EQ(0, Window().GetCastBox().Send(CB_GETCOUNT));
    EXPECT_EQ(0, Window().GetScript().GetCastCount());
    EXPECT_EQ(-1, Window().GetSequencer().GetLastPastedRow());
}
