// The search menu of the main window, run in the real window with the
// system's find and replace dialogs: Find Next up and down with the last
// found row rule, F3 and Shift+F3 from the menu, the toolbar and the
// accelerators (also while the find dialog has the focus), the replace
// dialog's Find Next, Replace (with its question) and Replace All, the end
// message with its owner and the focus after it, the title's mark, and the
// jump dialog.
#include "EditSupport.h"
#include "MainWndSupport.h"

#include <commctrl.h>
#include <dlgs.h>

#include "res/DialogRes.h"
#include "res/resource.h"

namespace
{

const char kSavedTitle[] = "散歩 - Rolecue Ver 0.11";
const char kModifiedTitle[] = "散歩 * - Rolecue Ver 0.11";
const char kEndText[] = "最後まで検索しました。";

// Casts: 0 アリス, 1 ボブ.
std::vector<CSerif> Rows()
{
    return {
        CSerif(0, "おはよう"),            // 0
        CSerif(1, "こんにちは", "挨拶"),  // 1
        CSerif(0, "おはよう、ボブ"),      // 2
        CSerif(1, "Hello AB"),            // 3
        CSerif(0, "またね", "おはよう"),  // 4
        CSerif(1, "aaa"),                 // 5
    };
}

}  // namespace

class SearchCommandsTest : public MainWndTest
{
protected:
    void Open(const std::vector<CSerif>& rows)
    {
        const std::string path = SaveScenario(MakeScript(rows), "search.xml");
        ASSERT_TRUE(CreateWindowNow());
        ASSERT_TRUE(Window().OpenScenario(path));
        SetForegroundWindow(Main());
        SetFocus(List());
        PumpMessages();
    }
    void OpenRows() { Open(Rows()); }

    HWND List() { return Window().GetSerifList().GetHandle(); }
    int Cursor() { return Window().GetSerifList().GetSelected(); }
    void SetCursor(int row) { Window().GetSerifList().Select(row); }
    std::string Text(int row) { return Window().GetScript().GetSerif(row).m_Text; }
    std::string Memo(int row) { return Window().GetScript().GetSerif(row).m_Memo; }

    // The open find or replace dialog (owned by the main window), or null.
    HWND SearchDialog() { return OwnedDialog(Main()); }
    static bool IsReplaceDialog(HWND dialog) { return GetDlgItem(dialog, edt2) != nullptr; }

    // Under Xvfb without a window manager Wine hands the X input focus
    // itself; two activations in a row whose X focus events are not yet
    // read can make the two windows take the focus from each other for
    // ever. Each opening of a dialog is followed by a short pause that
    // reads them.
    void Settle() { PumpFor(150); }

    HWND OpenFind(const std::string& text, bool down = true)
    {
        Command(IDM_FIND);
        Settle();
        HWND dialog = SearchDialog();
        EXPECT_NE(nullptr, dialog);
        if (dialog == nullptr)
            return nullptr;
        SetDlgItemTextA(dialog, edt1, text.c_str());
        CheckRadioButton(dialog, rad1, rad2, down ? rad2 : rad1);
        return dialog;
    }
    HWND OpenReplace(const std::string& find, const std::string& with)
    {
        Command(IDM_REPLACE);
        Settle();
        HWND dialog = SearchDialog();
        EXPECT_NE(nullptr, dialog);
        if (dialog == nullptr)
            return nullptr;
        SetDlgItemTextA(dialog, edt1, find.c_str());
        SetDlgItemTextA(dialog, edt2, with.c_str());
        return dialog;
    }
    // Presses a button of the find or replace dialog; the dialog tells the
    // main window at once. Without a driver of the test's own, a box that
    // comes up is a failure (and is closed).
    void Press(HWND dialog, int button)
    {
        Guarded([&] {
            SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
            PumpMessages();
        });
    }
    void Run(int id)
    {
        Guarded([&] { Command(id); });
    }
    template <class F>
    void Guarded(F action)
    {
        if (CDialogDriver::IsRunning()) {
            action();
            return;
        }
        CDialogDriver guard;
        action();
        ExpectPlayed(guard);
    }
    static void ExpectEndMessage(const CModalSeen& seen, HWND owner)
    {
        EXPECT_EQ("メッセージ", seen.m_Caption);
        EXPECT_EQ(kEndText, seen.m_Text);
        EXPECT_EQ(owner, seen.m_Owner);
        EXPECT_TRUE(seen.m_Topmost) << "the end message is system modal";
    }
    void ExpectListMirrorsScenario()
    {
        const CScript& script = Window().GetScript();
        ASSERT_EQ(script.GetSerifCount(), Window().GetSerifList().GetItemCount());
        for (int32_t i = 0; i < script.GetSerifCount(); ++i) {
            std::string text, memo;
            Window().GetSerifList().GetFullItemText(i, 1, text);
            Window().GetSerifList().GetFullItemText(i, 2, memo);
            EXPECT_EQ(script.GetSerif(i).m_Text, text) << "row " << i;
            EXPECT_EQ(script.GetSerif(i).m_Memo, memo) << "row " << i;
        }
    }
};

// --- the find dialog ------------------------------------------------------

TEST_F(SearchCommandsTest, FindOpensOneModelessDialogDownwardAndStopsMonitoring)
{
    OpenRows();
    Window().SetMonitoring(true);
    Command(IDM_FIND);
    HWND dialog = SearchDialog();
    ASSERT_NE(nullptr, dialog);
    EXPECT_FALSE(IsReplaceDialog(dialog));
    EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(dialog, rad2));
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, chx1)));  // whole word
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, chx2)));  // match case
    EXPECT_FALSE(Window().IsMonitoring());
    Command(IDM_FIND);
    EXPECT_EQ(dialog, SearchDialog());
    EXPECT_TRUE(IsWindow(dialog));
}

TEST_F(SearchCommandsTest, FindNextWalksDownThenEndsWithTheDialogsMessage)
{
    OpenRows();
    SetCursor(0);
    HWND dialog = OpenFind("おはよう");
    ASSERT_NE(nullptr, dialog);
    std::vector<int> stops;
    for (int i = 0; i < 3; ++i) {
        Press(dialog, IDOK);
        stops.push_back(Cursor());
    }
    EXPECT_EQ((std::vector<int>{0, 2, 4}), stops);  // row 4 through its memo

    CDialogDriver player;
    player.Answer(IDOK);
    Press(dialog, IDOK);
    ExpectPlayed(player);
    ASSERT_EQ(1u, player.Seen().size());
    ExpectEndMessage(player.Seen()[0], dialog);
    EXPECT_EQ(4, Cursor());
    EXPECT_TRUE(HasFocusIn(dialog));
    EXPECT_TRUE(Window().IsSaved());
}

TEST_F(SearchCommandsTest, FindsEmojiTypedIntoTheDialog)
{
    Open({CSerif(0, "おはよう"), CSerif(1, "やあ😊"), CSerif(0, "またね😊♡")});
    SetCursor(0);
    HWND dialog = OpenFind("");
    ASSERT_NE(nullptr, dialog);
    // Typed, as the user does: the box holds UTF-16.
    SetDlgItemTextW(dialog, edt1, L"\U0001F60A\u2661");
    Press(dialog, IDOK);
    EXPECT_EQ(2, Cursor());
}

TEST_F(SearchCommandsTest, ReplacesEmojiTypedIntoTheDialog)
{
    Open({CSerif(0, "おはよう"), CSerif(1, "やあ😊"), CSerif(0, "またね😊♡")});
    HWND dialog = OpenReplace("", "");
    ASSERT_NE(nullptr, dialog);
    SetDlgItemTextW(dialog, edt1, L"\U0001F60A");
    SetDlgItemTextW(dialog, edt2, L"\U0001F3B2");
    SetCursor(0);
    CDialogDriver player;
    player.Answer(IDOK);
    Press(dialog, psh2);  // Replace All
    ExpectPlayed(player);
    EXPECT_EQ("やあ🎲", Text(1));
    EXPECT_EQ("またね🎲♡", Text(2));
    ExpectListMirrorsScenario();
}

TEST_F(SearchCommandsTest, FindNextUpwardWalksUp)
{
    OpenRows();
    SetCursor(5);
    HWND dialog = OpenFind("おはよう", false);
    ASSERT_NE(nullptr, dialog);
    std::vector<int> stops;
    for (int i = 0; i < 3; ++i) {
        Press(dialog, IDOK);
        stops.push_back(Cursor());
    }
    EXPECT_EQ((std::vector<int>{4, 2, 0}), stops);
    CDialogDriver player;
    player.Answer(IDOK);
    Press(dialog, IDOK);
    ExpectPlayed(player);
    EXPECT_EQ(0, Cursor());
}

TEST_F(SearchCommandsTest, FindMatchesCastNamesThroughTheFirstColumn)
{
    OpenRows();
    SetCursor(0);
    HWND dialog = OpenFind("ボブ");
    ASSERT_NE(nullptr, dialog);
    Press(dialog, IDOK);
    EXPECT_EQ(1, Cursor());
}

TEST_F(SearchCommandsTest, FindIsCaseSensitive)
{
    OpenRows();
    SetCursor(0);
    HWND dialog = OpenFind("ab");
    ASSERT_NE(nullptr, dialog);
    CDialogDriver player;
    player.Answer(IDOK);
    Press(dialog, IDOK);
    ExpectPlayed(player);
    EXPECT_EQ(0, Cursor());
    SetDlgItemTextA(dialog, edt1, "AB");
    Press(dialog, IDOK);
    EXPECT_EQ(3, Cursor());
}

TEST_F(SearchCommandsTest, ANewSearchPassesOverTheLastFoundRow)
{
    OpenRows();
    SetCursor(0);
    HWND dialog = OpenFind("こんにちは");
    ASSERT_NE(nullptr, dialog);
    Press(dialog, IDOK);
    ASSERT_EQ(1, Cursor());
    // Row 1 also holds "挨拶", yet it is the last found row.
    SetDlgItemTextA(dialog, edt1, "挨拶");
    CDialogDriver player;
    player.Answer(IDOK);
    Press(dialog, IDOK);
    ExpectPlayed(player);
    EXPECT_EQ(1u, player.Seen().size());
    EXPECT_EQ(1, Cursor());
}

TEST_F(SearchCommandsTest, FindSeesTextsBeyondByte255)
{
    std::vector<CSerif> rows = Rows();
    rows.push_back(CSerif(0, std::string(300, 'x') + "目印"));
    rows.push_back(CSerif(0, "短い", std::string(400, 'y') + "メモ印"));
    Open(rows);
    SetCursor(0);
    HWND dialog = OpenFind("目印");
    ASSERT_NE(nullptr, dialog);
    Press(dialog, IDOK);
    EXPECT_EQ(6, Cursor());
    SetCursor(0);
    SetDlgItemTextA(dialog, edt1, "メモ印");
    Press(dialog, IDOK);
    EXPECT_EQ(7, Cursor());
}

// --- F3 and Shift+F3 ------------------------------------------------------

TEST_F(SearchCommandsTest, F3BeforeAnyTextDoesNothing)
{
    OpenRows();
    SetCursor(1);
    CDialogDriver player;
    Run(IDM_FIND_DOWN);
    Run(IDM_FIND_UP);
    PumpMessages();
    ExpectPlayed(player);
    EXPECT_EQ(1, Cursor());
}

TEST_F(SearchCommandsTest, MenuFindDownKeepsTheTextAfterTheDialogClosed)
{
    OpenRows();
    HMENU search = GetSubMenu(GetMenu(Main()), 2);
    EXPECT_NE(0xFFFFFFFFu, GetMenuState(search, IDM_FIND_DOWN, MF_BYCOMMAND));
    EXPECT_NE(0xFFFFFFFFu, GetMenuState(search, IDM_FIND_UP, MF_BYCOMMAND));

    SetCursor(0);
    HWND dialog = OpenFind("おはよう");
    ASSERT_NE(nullptr, dialog);
    Press(dialog, IDOK);
    ASSERT_EQ(0, Cursor());
    Press(dialog, IDCANCEL);
    ASSERT_EQ(nullptr, SearchDialog());

    Run(IDM_FIND_DOWN);
    EXPECT_EQ(2, Cursor());
    Run(IDM_FIND_DOWN);
    EXPECT_EQ(4, Cursor());
    Run(IDM_FIND_UP);
    EXPECT_EQ(2, Cursor());
    // With the dialog closed the end message has no owner.
    SetCursor(5);
    CDialogDriver player;
    player.Answer(IDOK);
    Run(IDM_FIND_DOWN);
    ExpectPlayed(player);
    ASSERT_EQ(1u, player.Seen().size());
    ExpectEndMessage(player.Seen()[0], nullptr);
}

TEST_F(SearchCommandsTest, ShiftF3FromRowZeroEndsAtOnce)
{
    OpenRows();
    SetCursor(1);
    HWND dialog = OpenFind("こんにちは");
    ASSERT_NE(nullptr, dialog);
    Press(dialog, IDOK);
    ASSERT_EQ(1, Cursor());
    SetCursor(0);
    CDialogDriver player;
    player.Answer(IDOK);
    Run(IDM_FIND_UP);
    ExpectPlayed(player);
    ASSERT_EQ(1u, player.Seen().size());
    ExpectEndMessage(player.Seen()[0], dialog);
    EXPECT_EQ(0, Cursor());
}

namespace
{

HWND ToolBar(HWND main)
{
    return FindWindowExA(FindWindowExA(main, nullptr, REBARCLASSNAMEA, nullptr), nullptr,
                         TOOLBARCLASSNAMEA, nullptr);
}

// Clicks a toolbar button with the mouse messages the toolbar gets.
void ClickToolButton(HWND toolbar, int command)
{
    RECT rect = {};
    ASSERT_TRUE(SendMessageA(toolbar, TB_GETRECT, static_cast<WPARAM>(command),
                             reinterpret_cast<LPARAM>(&rect)));
    const LPARAM point = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    SendMessageA(toolbar, WM_MOUSEMOVE, 0, point);
    SendMessageA(toolbar, WM_LBUTTONDOWN, MK_LBUTTON, point);
    SendMessageA(toolbar, WM_LBUTTONUP, 0, point);
    PumpMessages();
}

}  // namespace

TEST_F(SearchCommandsTest, ToolbarButtonsFindDownAndUp)
{
    OpenRows();
    SetCursor(0);
    HWND dialog = OpenFind("おはよう");
    ASSERT_NE(nullptr, dialog);
    Press(dialog, IDOK);
    ASSERT_EQ(0, Cursor());
    HWND toolbar = ToolBar(Main());
    ASSERT_NE(nullptr, toolbar);
    ClickToolButton(toolbar, IDM_FIND_DOWN);
    EXPECT_EQ(2, Cursor());
    ClickToolButton(toolbar, IDM_FIND_DOWN);
    EXPECT_EQ(4, Cursor());
    ClickToolButton(toolbar, IDM_FIND_UP);
    EXPECT_EQ(2, Cursor());
}

TEST_F(SearchCommandsTest, F3AndShiftF3WorkWhileTheFindDialogHasTheFocus)
{
    OpenRows();
    HACCEL accelerators =
        LoadAcceleratorsA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_ACCELERATORS));
    ASSERT_NE(nullptr, accelerators);
    SetCursor(0);
    HWND dialog = OpenFind("おはよう");
    ASSERT_NE(nullptr, dialog);
    Press(dialog, IDOK);
    ASSERT_EQ(0, Cursor());
    SetForegroundWindow(dialog);
    SetFocus(GetDlgItem(dialog, edt1));
    PumpMessages();
    ASSERT_TRUE(HasFocusIn(dialog));

    PressKey(VK_F3);
    PumpWithAccelerators(Main(), accelerators, 300);
    EXPECT_EQ(2, Cursor());
    PressKey(VK_F3);
    PumpWithAccelerators(Main(), accelerators, 300);
    EXPECT_EQ(4, Cursor());
    PressKey(VK_F3, true);
    PumpWithAccelerators(Main(), accelerators, 300);
    EXPECT_EQ(2, Cursor());
    EXPECT_EQ("おはよう", CDialogDriver::Text(GetDlgItem(dialog, edt1)));
    DestroyAcceleratorTable(accelerators);
}

// --- the replace dialog ---------------------------------------------------

TEST_F(SearchCommandsTest, FindAndReplaceDialogsTakeTurns)
{
    OpenRows();
    Command(IDM_FIND);
    HWND find = SearchDialog();
    ASSERT_NE(nullptr, find);
    Window().SetMonitoring(true);
    Command(IDM_REPLACE);
    HWND replace = SearchDialog();
    ASSERT_NE(nullptr, replace);
    EXPECT_FALSE(IsWindow(find));
    EXPECT_TRUE(IsReplaceDialog(replace));
    EXPECT_FALSE(Window().IsMonitoring());
    Command(IDM_FIND);
    EXPECT_FALSE(IsWindow(replace));
    EXPECT_FALSE(IsReplaceDialog(SearchDialog()));
}

TEST_F(SearchCommandsTest, ReplaceFindNextLooksAtTextAndMemoOnly)
{
    OpenRows();
    SetCursor(0);
    HWND dialog = OpenReplace("ボブ", "ロブ");
    ASSERT_NE(nullptr, dialog);
    Press(dialog, IDOK);
    EXPECT_EQ(2, Cursor());  // row 1 is Bob's, but only by its cast
    CDialogDriver player;
    player.Answer(IDOK);
    Press(dialog, IDOK);
    ExpectPlayed(player);
    ASSERT_EQ(1u, player.Seen().size());
    ExpectEndMessage(player.Seen()[0], dialog);
    EXPECT_TRUE(HasFocusIn(dialog));
    EXPECT_EQ("おはよう、ボブ", Text(2));
    EXPECT_TRUE(Window().IsSaved());
}

TEST_F(SearchCommandsTest, ReplaceAnsweredNoKeepsTextAndTheNextAsksBelow)
{
    OpenRows();
    SetCursor(0);
    HWND dialog = OpenReplace("おはよう", "こんばんは");
    ASSERT_NE(nullptr, dialog);
    {
        CDialogDriver player;
        player.Answer(IDNO);
        Press(dialog, psh1);
        ExpectPlayed(player);
        ASSERT_EQ(1u, player.Seen().size());
        EXPECT_EQ("確認", player.Seen()[0].m_Caption);
        EXPECT_EQ("置き換えますか？", player.Seen()[0].m_Text);
        EXPECT_EQ(dialog, player.Seen()[0].m_Owner);
    }
    EXPECT_EQ("おはよう", Text(0));
    EXPECT_EQ(0, Cursor());
    EXPECT_TRUE(Window().IsSaved());
    EXPECT_EQ(kSavedTitle, Title());

    int asked = -1;
    {
        CDialogDriver player;
        player.OnDialog([&](HWND) { asked = Cursor(); }).Answer(IDYES);
        Press(dialog, psh1);
        ExpectPlayed(player);
    }
    EXPECT_EQ(2, asked);  // the found row is the cursor while the question is up
    EXPECT_EQ("おはよう", Text(0));
    EXPECT_EQ("こんばんは、ボブ", Text(2));
    EXPECT_EQ("こんばんは、ボブ", RowText(2, 1));
    EXPECT_EQ(3, Cursor());  // below the replaced row
    EXPECT_EQ(kModifiedTitle, Title());
}

TEST_F(SearchCommandsTest, ReplaceAllFromTheMiddleChangesOnlyRowsBelow)
{
    OpenRows();
    SetCursor(2);
    HWND dialog = OpenReplace("おはよう", "やあ");
    ASSERT_NE(nullptr, dialog);
    CDialogDriver player;
    player.Answer(IDOK);
    Press(dialog, psh2);
    ExpectPlayed(player);
    ASSERT_EQ(1u, player.Seen().size());  // no question, just the end
    ExpectEndMessage(player.Seen()[0], dialog);
    EXPECT_TRUE(HasFocusIn(dialog));
    EXPECT_EQ("おはよう", Text(0));
    EXPECT_EQ("やあ、ボブ", Text(2));
    EXPECT_EQ("やあ", Memo(4));
    ExpectListMirrorsScenario();
    EXPECT_EQ(kModifiedTitle, Title());
    EXPECT_FALSE(Window().IsSaved());
}

TEST_F(SearchCommandsTest, ReplaceAllWithNothingToReplaceLeavesTheTitleUnmarked)
{
    OpenRows();
    SetCursor(0);
    HWND dialog = OpenReplace("見当たらない", "x");
    ASSERT_NE(nullptr, dialog);
    CDialogDriver player;
    player.Answer(IDOK);
    Press(dialog, psh2);
    ExpectPlayed(player);
    EXPECT_EQ(1u, player.Seen().size());
    EXPECT_TRUE(Window().IsSaved());
    EXPECT_EQ(kSavedTitle, Title());
}

TEST_F(SearchCommandsTest, ReplaceAllNeverRescansInsertedText)
{
    OpenRows();
    SetCursor(0);
    HWND dialog = OpenReplace("a", "aa");
    ASSERT_NE(nullptr, dialog);
    CDialogDriver player;
    player.Answer(IDOK);
    Press(dialog, psh2);
    ExpectPlayed(player);
    EXPECT_EQ("aaaaaa", Text(5));
    EXPECT_EQ("aaaaaa", RowText(5, 1));
}

TEST_F(SearchCommandsTest, CastNamesAreNeverReplaced)
{
    OpenRows();
    SetCursor(0);
    HWND dialog = OpenReplace("アリス", "エリス");
    ASSERT_NE(nullptr, dialog);
    CDialogDriver player;
    player.Answer(IDOK);
    Press(dialog, psh2);
    ExpectPlayed(player);
    EXPECT_EQ("アリス", RowText(0, 0));
    EXPECT_EQ("アリス", Window().GetScript().FindCastName(0));
    EXPECT_TRUE(Window().IsSaved());
}

TEST_F(SearchCommandsTest, ReplaceReachesTextsBeyondByte255)
{
    std::vector<CSerif> rows = Rows();
    const std::string head(300, 'x');
    rows.push_back(CSerif(0, head + "目印", std::string(400, 'y') + "目印"));
    Open(rows);
    SetCursor(6);
    HWND dialog = OpenReplace("目印", "済み");
    ASSERT_NE(nullptr, dialog);
    CDialogDriver player;
    player.Answer(IDOK);
    Press(dialog, psh2);
    ExpectPlayed(player);
    EXPECT_EQ(head + "済み", Text(6));
    EXPECT_EQ(std::string(400, 'y') + "済み", Memo(6));
    ExpectListMirrorsScenario();
}

TEST_F(SearchCommandsTest, ReplaceDialogWorksAfterTheFindDialogWasUsed)
{
    OpenRows();
    SetCursor(0);
    HWND find = OpenFind("おはよう");
    ASSERT_NE(nullptr, find);
    Press(find, IDOK);
    ASSERT_EQ(0, Cursor());
    Press(find, IDCANCEL);
    Settle();
    HWND dialog = OpenReplace("aaa", "b");
    ASSERT_NE(nullptr, dialog);
    Press(dialog, IDOK);  // Find Next of the replace dialog
    EXPECT_EQ(5, Cursor());
    SetCursor(0);
    CDialogDriver player;
    player.Answer(IDOK);
    Press(dialog, psh2);
    ExpectPlayed(player);
    EXPECT_EQ("b", Text(5));
    EXPECT_EQ(kModifiedTitle, Title());
}

// --- jump -----------------------------------------------------------------

namespace
{

struct CJumpCase
{
    const char* m_Name;
    const char* m_Typed;
    int m_Cursor;  // afterwards, from row 3
};

std::ostream& operator<<(std::ostream& out, const CJumpCase& c)
{
    return out << c.m_Name;
}

}  // namespace

class JumpToRow : public SearchCommandsTest, public ::testing::WithParamInterface<CJumpCase>
{};

TEST_P(JumpToRow, SelectsOnlyRowsOfTheList)
{
    OpenRows();
    SetCursor(3);
    CDialogDriver player;
    player.Record().SetText(IDC_JUMP_LINE, GetParam().m_Typed).Close(IDOK);
    Command(IDM_JUMP);
    ExpectPlayed(player);
    EXPECT_EQ(GetParam().m_Cursor, Cursor());
    EXPECT_EQ(List(), GetFocus());
    EXPECT_TRUE(Window().IsSaved());
}

INSTANTIATE_TEST_SUITE_P(Lines, JumpToRow,
                         ::testing::Values(CJumpCase{"OneIsTheFirstRow", "1", 0},
                                           CJumpCase{"SixIsTheLastRow", "6", 5},
                                           CJumpCase{"ZeroDoesNothing", "0", 3},
                                           CJumpCase{"PastTheEndDoesNothing", "7", 3},
                                           CJumpCase{"HugeDoesNothing", "99999999999", 3}),
                         [](const ::testing::TestParamInfo<CJumpCase>& info) {
                             return std::string(info.param.m_Name);
                         });

TEST_F(SearchCommandsTest, JumpCancelledKeepsTheCursor)
{
    OpenRows();
    SetCursor(3);
    CDialogDriver player;
    player.SetText(IDC_JUMP_LINE, "1").Close(IDCANCEL);
    Command(IDM_JUMP);
    ExpectPlayed(player);
    EXPECT_EQ(3, Cursor());
}
