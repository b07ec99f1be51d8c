// The editing commands of the main window, run in the real window with the
// real dialogs worked from inside the test: every command on the first,
// middle and last row and without a cursor, the saved flag and the title
// after each, the monitoring pause around every modal dialog, the list-focus
// rule of the accelerator ids, the double click, copying to the clipboard,
// and the cast, scenario settings and option dialogs.
#include "EditSupport.h"
#include "MainWndSupport.h"

#include <commctrl.h>

#include <ostream>

#include "res/DialogRes.h"
#include "res/resource.h"

namespace
{

const char kSavedTitle[] = "散歩 - Rolecue Ver 0.11";
const char kModifiedTitle[] = "散歩 * - Rolecue Ver 0.11";

// Rows 0 to 2: アリス, ボブ, アリス.
const std::vector<CSerif> kThree = {CSerif(0, "一", "メモ一"), CSerif(1, "二"),
                                    CSerif(0, "三", "メモ三")};

// What the serif dialog is given in the tests that fill it.
const CSerif kTyped(1, "新しい行", "新しいメモ");

}  // namespace

class EditCommandsTest : public MainWndTest
{
protected:
    void Open(const CScript& script)
    {
        const std::string path = SaveScenario(script, "edit.xml");
        ASSERT_TRUE(CreateWindowNow());
        ASSERT_TRUE(Window().OpenScenario(path));
        SetForegroundWindow(Main());
        SetFocus(List());
        PumpMessages();
    }
    void OpenThree() { Open(MakeScript(kThree)); }

    HWND List() { return Window().GetSerifList().GetHandle(); }
    int Cursor() { return Window().GetSerifList().GetSelected(); }
    void SetCursor(int row)
    {
        if (row < 0)
            ClearSelection(List());
        else
            Window().GetSerifList().Select(row);
    }

    // Every row shows its serif: cast name, item data = cast id, text, memo.
    void ExpectListMirrorsScenario()
    {
        const CScript& script = Window().GetScript();
        CListView& list = Window().GetSerifList();
        ASSERT_EQ(script.GetSerifCount(), list.GetItemCount());
        for (int32_t i = 0; i < script.GetSerifCount(); ++i) {
            const CSerif& serif = script.GetSerif(i);
            std::string name, text, memo;
            list.GetFullItemText(i, 0, name);
            list.GetFullItemText(i, 1, text);
            list.GetFullItemText(i, 2, memo);
            EXPECT_EQ(script.FindCastName(serif.m_CastId), name) << "row " << i;
            EXPECT_EQ(serif.m_CastId, static_cast<int32_t>(list.GetItemData(i))) << "row " << i;
            EXPECT_EQ(serif.m_Text, text) << "row " << i;
            EXPECT_EQ(serif.m_Memo, memo) << "row " << i;
        }
    }

    void ExpectSerifs(const std::vector<CSerif>& expected)
    {
        const std::vector<CSerif>& got = Window().GetScript().GetSerifs();
        ASSERT_EQ(expected.size(), got.size());
        for (size_t i = 0; i < got.size(); ++i) {
            EXPECT_EQ(expected[i].m_CastId, got[i].m_CastId) << "serif " << i;
            EXPECT_EQ(expected[i].m_Text, got[i].m_Text) << "serif " << i;
            EXPECT_EQ(expected[i].m_Memo, got[i].m_Memo) << "serif " << i;
        }
        ExpectListMirrorsScenario();
    }

    // Fills the serif dialog with kTyped and presses OK.
    static void TypeSerif(CDialogDriver& player)
    {
        player.Record()
            .SelectItem(IDC_SERIF_CAST, "ボブ")
            .SetText(IDC_SERIF_TEXT, kTyped.m_Text)
            .SetText(IDC_SERIF_MEMO, kTyped.m_Memo)
            .Close(IDOK);
    }
};

// --- every command on every row -------------------------------------------

namespace
{

enum class ECommand
{
    Edit,
    Add,
    Insert,
    Delete,
    Up,
    Down,
    Copy
};

struct CCommandCase
{
    ECommand m_Command;
    int m_Row;  // cursor before the command, -1 for none
};

const char* CommandName(ECommand command)
{
    switch (command) {
    case ECommand::Edit:
        return "Edit";
    case ECommand::Add:
        return "Add";
    case ECommand::Insert:
        return "Insert";
    case ECommand::Delete:
        return "Delete";
    case ECommand::Up:
        return "MoveUp";
    case ECommand::Down:
        return "MoveDown";
    case ECommand::Copy:
        return "Copy";
    }
    return "?";
}

std::ostream& operator<<(std::ostream& out, const CCommandCase& c)
{
    return out << CommandName(c.m_Command) << " at row " << c.m_Row;
}

int CommandId(ECommand command)
{
    switch (command) {
    case ECommand::Edit:
        return IDM_EDIT_SERIF;
    case ECommand::Add:
        return IDM_ADD_SERIF;
    case ECommand::Insert:
        return IDM_INSERT_SERIF;
    case ECommand::Delete:
        return IDM_DELETE_SERIF;
    case ECommand::Up:
        return IDM_SERIF_UP;
    case ECommand::Down:
        return IDM_SERIF_DOWN;
    case ECommand::Copy:
        return IDM_COPY_SERIF;
    }
    return 0;
}

// The serifs and the cursor a command should leave, worked out on plain
// data; `changed` tells whether the scenario is modified.
struct CExpected
{
    std::vector<CSerif> m_Serifs;
    int m_Cursor = -1;
    bool m_Changed = false;
    std::string m_Caption;  // caption of the window the command opens
};

CExpected Expect(const CCommandCase& c)
{
    CExpected e;
    e.m_Serifs = kThree;
    e.m_Cursor = c.m_Row;
    const int r = c.m_Row;
    const int last = static_cast<int>(kThree.size()) - 1;
    switch (c.m_Command) {
    case ECommand::Edit:
        if (r >= 0) {
            e.m_Serifs[r] = kTyped;
            e.m_Changed = true;
            e.m_Caption = "セリフ編集";
        }
        break;
    case ECommand::Add:
        // Add needs no cursor: it appends and selects the new last row.
        e.m_Serifs.push_back(kTyped);
        e.m_Cursor = last + 1;
        e.m_Changed = true;
        e.m_Caption = "セリフ追加";
        break;
    case ECommand::Insert:
        if (r >= 0) {
            e.m_Serifs.insert(e.m_Serifs.begin() + r, kTyped);
            e.m_Changed = true;
            e.m_Caption = "セリフ挿入";
        }
        break;
    case ECommand::Delete:
        if (r >= 0) {
            e.m_Serifs.erase(e.m_Serifs.begin() + r);
            e.m_Cursor = r == 0 ? 0 : r - 1;
            e.m_Changed = true;
            e.m_Caption = "確認";
        }
        break;
    case ECommand::Up:
        if (r > 0) {
            std::swap(e.m_Serifs[r - 1], e.m_Serifs[r]);
            e.m_Cursor = r - 1;
            e.m_Changed = true;
        }
        break;
    case ECommand::Down:
        if (r >= 0 && r < last) {
            std::swap(e.m_Serifs[r], e.m_Serifs[r + 1]);
            e.m_Cursor = r + 1;
            e.m_Changed = true;
        }
        break;
    case ECommand::Copy:
        break;
    }
    return e;
}

std::vector<CCommandCase> AllCases()
{
    std::vector<CCommandCase> cases;
    for (ECommand command : {ECommand::Edit, ECommand::Add, ECommand::Insert, ECommand::Delete,
                             ECommand::Up, ECommand::Down, ECommand::Copy}) {
        for (int row : {0, 1, 2, -1})
            cases.push_back(CCommandCase{command, row});
    }
    return cases;
}

}  // namespace

class EveryRow : public EditCommandsTest, public ::testing::WithParamInterface<CCommandCase>
{};

TEST_P(EveryRow, KeepsListAndScenarioInStepAndMarksOnlyChanges)
{
    const CCommandCase c = GetParam();
    const CExpected expected = Expect(c);
    OpenThree();
    SetCursor(c.m_Row);
    ASSERT_EQ(c.m_Row, Cursor());
    ASSERT_EQ(kSavedTitle, Title());
    SetClipboardMarker("marker");

    {
        CDialogDriver player;
        if (!expected.m_Caption.empty()) {
            if (c.m_Command == ECommand::Delete)
                player.Answer(IDYES);
            else
                TypeSerif(player);
        }
        Command(CommandId(c.m_Command));
        PumpMessages();
        ExpectPlayed(player);
        if (!expected.m_Caption.empty()) {
            ASSERT_FALSE(player.Seen().empty());
            EXPECT_EQ(expected.m_Caption, player.Seen()[0].m_Caption);
            if (c.m_Command == ECommand::Delete) {
                EXPECT_EQ("セリフを削除します", player.Seen()[0].m_Text);
            }
        }
    }

    ExpectSerifs(expected.m_Serifs);
    EXPECT_EQ(expected.m_Cursor, Cursor());
    EXPECT_EQ(!expected.m_Changed, Window().IsSaved());
    EXPECT_EQ(expected.m_Changed ? kModifiedTitle : kSavedTitle, Title());

    if (c.m_Command == ECommand::Copy) {
        // Cast name, tab, text, tab, memo from the scenario; no line break
        // although add return is on.
        if (c.m_Row < 0) {
            EXPECT_EQ("marker", ClipboardText());
        } else {
            const CSerif& serif = kThree[static_cast<size_t>(c.m_Row)];
            const std::string name = serif.m_CastId == 0 ? "アリス" : "ボブ";
            EXPECT_EQ(name + "\t" + serif.m_Text + "\t" + serif.m_Memo, ClipboardText());
        }
    }
}

INSTANTIATE_TEST_SUITE_P(EditingCommand, EveryRow, ::testing::ValuesIn(AllCases()),
                         [](const ::testing::TestParamInfo<CCommandCase>& info) {
                             const int row = info.param.m_Row;
                             return std::string(CommandName(info.param.m_Command)) +
                                    (row < 0 ? std::string("_NoCursor")
                                             : "_Row" + std::to_string(row));
                         });

// --- edit -----------------------------------------------------------------

TEST_F(EditCommandsTest, EditShowsTheRowsSerifInTheDialog)
{
    OpenThree();
    SetCursor(2);
    std::string cast, text, memo;
    CDialogDriver player;
    player
        .OnDialog([&](HWND dialog) {
            HWND box = CDialogDriver::Control(dialog, IDC_SERIF_CAST);
            char selected[64] = {};
            const LRESULT index = SendMessageA(box, CB_GETCURSEL, 0, 0);
            if (index >= 0)
                SendMessageA(box, CB_GETLBTEXT, static_cast<WPARAM>(index),
                             reinterpret_cast<LPARAM>(selected));
            cast = selected;
            text = CDialogDriver::Text(CDialogDriver::Control(dialog, IDC_SERIF_TEXT));
            memo = CDialogDriver::Text(CDialogDriver::Control(dialog, IDC_SERIF_MEMO));
        })
        .Close(IDCANCEL);
    Command(IDM_EDIT_SERIF);
    ExpectPlayed(player);
    EXPECT_EQ("アリス", cast);
    EXPECT_EQ("三", text);
    EXPECT_EQ("メモ三", memo);
}

TEST_F(EditCommandsTest, EditCancelledChangesNothing)
{
    OpenThree();
    SetCursor(1);
    CDialogDriver player;
    player.SetText(IDC_SERIF_TEXT, "捨てる").Close(IDCANCEL);
    Command(IDM_EDIT_SERIF);
    ExpectPlayed(player);
    ExpectSerifs(kThree);
    EXPECT_TRUE(Window().IsSaved());
    EXPECT_EQ(kSavedTitle, Title());
    EXPECT_EQ(1, Cursor());
}

TEST_F(EditCommandsTest, DoubleClickOnARowEditsThatRow)
{
    OpenThree();
    SetCursor(0);
    RECT row = {};
    row.left = LVIR_BOUNDS;
    ASSERT_TRUE(SendMessageA(List(), LVM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&row)));
    const LPARAM point = MAKELPARAM(20, (row.top + row.bottom) / 2);
    std::string text;
    CDialogDriver player;
    player.OnDialog([&](HWND dialog) {
        text = CDialogDriver::Text(CDialogDriver::Control(dialog, IDC_SERIF_TEXT));
    });
    player.SetText(IDC_SERIF_TEXT, "三つ目").Close(IDOK);
    // A double click as the list sees it: down, up, double click, up.
    SendMessageA(List(), WM_LBUTTONDOWN, MK_LBUTTON, point);
    SendMessageA(List(), WM_LBUTTONUP, 0, point);
    SendMessageA(List(), WM_LBUTTONDBLCLK, MK_LBUTTON, point);
    SendMessageA(List(), WM_LBUTTONUP, 0, point);
    PumpMessages();
    ExpectPlayed(player);
    EXPECT_EQ("三", text);
    EXPECT_EQ("三つ目", Window().GetScript().GetSerif(2).m_Text);
    EXPECT_EQ("三つ目", RowText(2, 1));
    EXPECT_EQ(kModifiedTitle, Title());
}

TEST_F(EditCommandsTest, EditToAnotherCastRewritesNameAndItemData)
{
    OpenThree();
    SetCursor(0);
    CDialogDriver player;
    player.SelectItem(IDC_SERIF_CAST, "ボブ").Close(IDOK);
    Command(IDM_EDIT_SERIF);
    ExpectPlayed(player);
    EXPECT_EQ(1, Window().GetScript().GetSerif(0).m_CastId);
    EXPECT_EQ("ボブ", RowText(0, 0));
    EXPECT_EQ(1, Window().GetSerifList().GetItemData(0));
    ExpectListMirrorsScenario();
}

// --- add and insert -------------------------------------------------------

TEST_F(EditCommandsTest, AddWithoutCastAsksForOneAndOpensTheCastDialog)
{
    CScript script;
    script.SetTitle("散歩");
    Open(script);
    CDialogDriver player;
    player.Answer(IDOK).Record().Close(IDCANCEL);
    Command(IDM_ADD_SERIF);
    ExpectPlayed(player);
    ASSERT_EQ(2u, player.Seen().size());
    EXPECT_EQ("エラー", player.Seen()[0].m_Caption);
    EXPECT_EQ("キャストがいません。\nキャストを追加してください。", player.Seen()[0].m_Text);
    EXPECT_EQ(Main(), player.Seen()[0].m_Owner);
    EXPECT_EQ("キャスト編集", player.Seen()[1].m_Caption);
    EXPECT_EQ(0, Window().GetSerifList().GetItemCount());
    EXPECT_TRUE(Window().IsSaved());
}

TEST_F(EditCommandsTest, AddOnEmptyListAppendsRowZeroAndSelectsIt)
{
    Open(MakeScript({}));
    CDialogDriver player;
    TypeSerif(player);
    Command(IDM_ADD_SERIF);
    ExpectPlayed(player);
    ExpectSerifs({kTyped});
    EXPECT_EQ(0, Cursor());
    EXPECT_EQ(kModifiedTitle, Title());
}

TEST_F(EditCommandsTest, NewSerifStartsWithCastZeroAndEmptyTexts)
{
    OpenThree();
    SetCursor(1);
    for (int id : {IDM_ADD_SERIF, IDM_INSERT_SERIF}) {
        std::string cast, text, memo;
        CDialogDriver player;
        player
            .OnDialog([&](HWND dialog) {
                HWND box = CDialogDriver::Control(dialog, IDC_SERIF_CAST);
                char selected[64] = {};
                const LRESULT index = SendMessageA(box, CB_GETCURSEL, 0, 0);
                if (index >= 0)
                    SendMessageA(box, CB_GETLBTEXT, static_cast<WPARAM>(index),
                                 reinterpret_cast<LPARAM>(selected));
                cast = selected;
                text = CDialogDriver::Text(CDialogDriver::Control(dialog, IDC_SERIF_TEXT));
                memo = CDialogDriver::Text(CDialogDriver::Control(dialog, IDC_SERIF_MEMO));
            })
            .Close(IDCANCEL);
        Command(id);
        ExpectPlayed(player);
        EXPECT_EQ("アリス", cast) << id;
        EXPECT_EQ("", text) << id;
        EXPECT_EQ("", memo) << id;
    }
    ExpectSerifs(kThree);
    EXPECT_TRUE(Window().IsSaved());
}

TEST_F(EditCommandsTest, AddKeepsALongTextWhole)
{
    OpenThree();
    std::string text;
    for (int i = 0; i < 300; ++i)
        text += "長文";  // 1200 bytes
    text += "終";
    CDialogDriver player;
    player.SetText(IDC_SERIF_TEXT, text).Close(IDOK);
    Command(IDM_ADD_SERIF);
    ExpectPlayed(player);
    ASSERT_EQ(4, Window().GetScript().GetSerifCount());
    EXPECT_EQ(text, Window().GetScript().GetSerif(3).m_Text);
    ExpectListMirrorsScenario();
}

TEST_F(EditCommandsTest, InsertOnRowZeroPutsTheNewSerifFirst)
{
    OpenThree();
    SetCursor(0);
    CDialogDriver player;
    TypeSerif(player);
    Command(IDM_INSERT_SERIF);
    ExpectPlayed(player);
    ExpectSerifs({kTyped, kThree[0], kThree[1], kThree[2]});
    EXPECT_EQ(0, Cursor());
}

// --- delete ---------------------------------------------------------------

TEST_F(EditCommandsTest, DeletingTheOnlyRowLeavesAnEmptyList)
{
    Open(MakeScript({CSerif(0, "一")}));
    SetCursor(0);
    CDialogDriver player;
    player.Answer(IDYES);
    Command(IDM_DELETE_SERIF);
    ExpectPlayed(player);
    EXPECT_EQ(0, Window().GetSerifList().GetItemCount());
    EXPECT_EQ(0, Window().GetScript().GetSerifCount());
    EXPECT_EQ(-1, Cursor());
    EXPECT_EQ(kModifiedTitle, Title());
    EXPECT_EQ(List(), GetFocus());
}

TEST_F(EditCommandsTest, DeleteQuestionIsOwnedByTheMainWindow)
{
    OpenThree();
    SetCursor(1);
    CDialogDriver player;
    player.Answer(IDNO);
    Command(IDM_DELETE_SERIF);
    ExpectPlayed(player);
    ASSERT_EQ(1u, player.Seen().size());
    EXPECT_EQ(Main(), player.Seen()[0].m_Owner);
    ExpectSerifs(kThree);
    EXPECT_TRUE(Window().IsSaved());
    EXPECT_EQ(List(), GetFocus());
}

// --- copy -----------------------------------------------------------------

TEST_F(EditCommandsTest, CopyPlacesUnicodeTextWithEveryCharacter)
{
    Open(MakeScript({CSerif(1, "やあ♡😊", "メモ𠮷")}));
    SetCursor(0);
    Command(IDM_COPY_SERIF);
    EXPECT_EQ("ボブ\tやあ♡😊\tメモ𠮷", ClipboardText());
    EXPECT_EQ(std::wstring(L"ボブ\tやあ\u2661\U0001F60A\tメモ\U00020BB7"), ClipboardUnicode());
    EXPECT_TRUE(Window().IsSaved());
}

TEST_F(EditCommandsTest, CopyTakesTheWholeTextFromTheScenario)
{
    std::string text(600, 'x');
    text += "末尾";
    Open(MakeScript({CSerif(0, text, "m")}));
    SetCursor(0);
    Command(IDM_COPY_SERIF);
    EXPECT_EQ("アリス\t" + text + "\tm", ClipboardText());
}

// --- cast dialog ----------------------------------------------------------

namespace
{

// Selects the cast dialog's row whose name is `name`.
void SelectCastRow(HWND dialog, const std::string& name)
{
    HWND list = CDialogDriver::Control(dialog, IDC_CAST_LIST);
    const int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char text[256] = {};
        LVITEMA item = {};
        item.iSubItem = 0;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(&item));
        if (name == text) {
            LVITEMA state = {};
            state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
            state.state = LVIS_SELECTED | LVIS_FOCUSED;
            SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(i),
                         reinterpret_cast<LPARAM>(&state));
            return;
        }
    }
    ADD_FAILURE() << "no cast row " << name;
}

std::vector<std::string> CastBoxItems(CComboBox& box)
{
    std::vector<std::string> items;
    const int count = static_cast<int>(box.Send(CB_GETCOUNT));
    for (int i = 0; i < count; ++i)
        items.push_back(box.GetItemText(i));
    return items;
}

}  // namespace

TEST_F(EditCommandsTest, CastRenameRewritesRowsAndCastBoxAndKeepsCursor)
{
    OpenThree();
    CComboBox& box = Window().GetCastBox();
    box.SetCurSel(static_cast<int>(box.FindString("ボブ", -1, true)));
    ASSERT_EQ(1, Window().GetActiveCastId());
    SetCursor(2);
    CDialogDriver player;
    player.Record()
        .OnDialog([](HWND dialog) { SelectCastRow(dialog, "ボブ"); })
        .SetText(IDC_CAST_NAME, "ロブ")
        .Click(IDC_CAST_CHANGE)
        .Close(IDOK);
    Command(IDM_EDIT_CASTS);
    ExpectPlayed(player);
    ASSERT_FALSE(player.Seen().empty());
    EXPECT_EQ("キャスト編集", player.Seen()[0].m_Caption);
    EXPECT_EQ("ロブ", RowText(1, 0));
    ExpectSerifs(kThree);
    EXPECT_EQ((std::vector<std::string>{"", "アリス", "ロブ"}), CastBoxItems(box));
    EXPECT_EQ(-1, Window().GetActiveCastId());  // no active cast afterwards
    EXPECT_EQ(2, Cursor());
    EXPECT_EQ(kModifiedTitle, Title());
}

TEST_F(EditCommandsTest, DeletingACastRemovesItsRowsOnOk)
{
    OpenThree();
    SetCursor(0);
    CDialogDriver player;
    player.OnDialog([](HWND dialog) { SelectCastRow(dialog, "ボブ"); })
        .Click(IDC_CAST_DELETE)
        .Answer(IDYES)
        .Close(IDOK);
    Command(IDM_EDIT_CASTS);
    ExpectPlayed(player);
    ExpectSerifs({kThree[0], kThree[2]});
    EXPECT_EQ(1, Window().GetScript().GetCastCount());
    EXPECT_EQ(0, Cursor());
    EXPECT_EQ(kModifiedTitle, Title());
}

TEST_F(EditCommandsTest, CastDialogCancelledChangesNothing)
{
    OpenThree();
    SetCursor(1);
    CDialogDriver player;
    player.SetText(IDC_CAST_NAME, "キャロル")
        .Click(IDC_CAST_ADD)
        .OnDialog([](HWND dialog) { SelectCastRow(dialog, "ボブ"); })
        .Click(IDC_CAST_DELETE)
        .Answer(IDYES)
        .Close(IDCANCEL);
    Command(IDM_EDIT_CASTS);
    ExpectPlayed(player);
    ExpectSerifs(kThree);
    EXPECT_EQ(2, Window().GetScript().GetCastCount());
    EXPECT_TRUE(Window().IsSaved());
    EXPECT_EQ(kSavedTitle, Title());
    EXPECT_EQ(1, Cursor());
}

// --- scenario settings ----------------------------------------------------

TEST_F(EditCommandsTest, SettingsOkShowsTheNewTitleMarked)
{
    OpenThree();
    CDialogDriver player;
    player.Record().SetText(IDC_SCRIPT_TITLE, "朝の散歩").Close(IDC_SCRIPT_OK);
    Command(IDM_SCRIPT_SETTINGS);
    ExpectPlayed(player);
    ASSERT_FALSE(player.Seen().empty());
    EXPECT_EQ("シナリオ設定", player.Seen()[0].m_Caption);
    EXPECT_EQ("朝の散歩", Window().GetScript().GetTitle());
    EXPECT_EQ("朝の散歩 * - Rolecue Ver 0.11", Title());
    EXPECT_FALSE(Window().IsSaved());
}

TEST_F(EditCommandsTest, SettingsCancelledKeepsTitleAndFlag)
{
    OpenThree();
    CDialogDriver player;
    player.SetText(IDC_SCRIPT_TITLE, "朝の散歩").Close(IDCANCEL);
    Command(IDM_SCRIPT_SETTINGS);
    ExpectPlayed(player);
    EXPECT_EQ("散歩", Window().GetScript().GetTitle());
    EXPECT_EQ(kSavedTitle, Title());
    EXPECT_TRUE(Window().IsSaved());
}

// --- options --------------------------------------------------------------

namespace
{

// Whether this thread could take the key itself (the program holds it
// otherwise).
bool KeyIsFree(UINT key)
{
    if (!RegisterHotKey(nullptr, 0x1234, MOD_NOREPEAT, key))
        return false;
    UnregisterHotKey(nullptr, 0x1234);
    return true;
}

}  // namespace

TEST_F(EditCommandsTest, NewHotkeyMovesTheRegistration)
{
    OpenThree();
    ASSERT_FALSE(KeyIsFree(VK_F9));
    CDialogDriver player;
    player.OnDialog([](HWND sheet) { SendMessageA(sheet, PSM_SETCURSEL, 1, 0); })
        .OnDialog([](HWND sheet) {
            SendMessageA(CDialogDriver::Control(sheet, IDC_HOTKEY_KEY), HKM_SETHOTKEY, VK_F11, 0);
        })
        .Close(IDOK);
    Command(IDM_OPTIONS);
    ExpectPlayed(player);
    EXPECT_EQ(static_cast<unsigned>(VK_F11), Window().GetOption().m_Hotkey.m_HotKey & 0xFFFF);
    EXPECT_TRUE(Window().IsHotKeyRegistered());
    EXPECT_TRUE(KeyIsFree(VK_F9));
    EXPECT_FALSE(KeyIsFree(VK_F11));
    // The options are written when the program closes, not here.
    EXPECT_EQ(m_OptionText, ReadBytes(m_OptionPath));
    EXPECT_TRUE(Window().IsSaved());
}

TEST_F(EditCommandsTest, OptionsCancelledKeepHotkey)
{
    OpenThree();
    CDialogDriver player;
    player.OnDialog([](HWND sheet) { SendMessageA(sheet, PSM_SETCURSEL, 1, 0); })
        .OnDialog([](HWND sheet) {
            SendMessageA(CDialogDriver::Control(sheet, IDC_HOTKEY_KEY), HKM_SETHOTKEY, VK_F11, 0);
        })
        .Close(IDCANCEL);
    Command(IDM_OPTIONS);
    ExpectPlayed(player);
    EXPECT_EQ(static_cast<unsigned>(VK_F9), Window().GetOption().m_Hotkey.m_HotKey & 0xFFFF);
    EXPECT_FALSE(KeyIsFree(VK_F9));
    EXPECT_TRUE(KeyIsFree(VK_F11));
}

// --- the monitoring pause around every modal dialog -----------------------

namespace
{

struct CPauseCase
{
    const char* m_Name;
    int m_Command;
    bool m_Monitoring;  // before the command
};

std::ostream& operator<<(std::ostream& out, const CPauseCase& c)
{
    return out << c.m_Name << (c.m_Monitoring ? " monitoring" : " not monitoring");
}

}  // namespace

class MonitoringPause : public EditCommandsTest, public ::testing::WithParamInterface<CPauseCase>
{};

TEST_P(MonitoringPause, IsOffInTheDialogAndRestoredWithListFocusAfter)
{
    const CPauseCase c = GetParam();
    OpenThree();
    SetCursor(1);
    Window().SetMonitoring(c.m_Monitoring);
    SetFocus(Window().GetCastBox().GetHandle());
    bool inside = true;
    bool opened = false;
    CDialogDriver player;
    player
        .OnDialog([&](HWND) {
            opened = true;
            inside = Window().IsMonitoring();
        })
        .Close(IDCANCEL);
    Command(c.m_Command);
    ExpectPlayed(player);
    EXPECT_TRUE(opened);
    EXPECT_FALSE(inside);
    EXPECT_EQ(c.m_Monitoring, Window().IsMonitoring());
    EXPECT_EQ(List(), GetFocus());
    EXPECT_TRUE(Window().IsSaved());
}

INSTANTIATE_TEST_SUITE_P(EveryModalDialog, MonitoringPause,
                         ::testing::Values(CPauseCase{"EditSerif", IDM_EDIT_SERIF, true},
                                           CPauseCase{"AddSerif", IDM_ADD_SERIF, true},
                                           CPauseCase{"InsertSerif", IDM_INSERT_SERIF, true},
                                           CPauseCase{"Casts", IDM_EDIT_CASTS, true},
                                           CPauseCase{"Settings", IDM_SCRIPT_SETTINGS, true},
                                           CPauseCase{"Options", IDM_OPTIONS, true},
                                           CPauseCase{"Jump", IDM_JUMP, true},
                                           CPauseCase{"EditSerifOff", IDM_EDIT_SERIF, false},
                                           CPauseCase{"OptionsOff", IDM_OPTIONS, false}),
                         [](const ::testing::TestParamInfo<CPauseCase>& info) {
                             return std::string(info.param.m_Name);
                         });

// --- the list-focus rule --------------------------------------------------

namespace
{

struct CFocusCase
{
    const char* m_Name;
    int m_Command;
    const char* m_Caption;  // of the window the command opens; null for a move
};

std::ostream& operator<<(std::ostream& out, const CFocusCase& c)
{
    return out << c.m_Name;
}

}  // namespace

class ListFocusRule : public EditCommandsTest, public ::testing::WithParamInterface<CFocusCase>
{
protected:
    // Runs the command on row 1 with the focus on `focus`; returns the
    // captions of the windows it opened (each cancelled or answered No).
    std::vector<std::string> Run(HWND focus)
    {
        SetCursor(1);
        SetFocus(focus);
        CDialogDriver player;
        if (GetParam().m_Caption != nullptr)
            player.Record().Close(GetParam().m_Caption == std::string("確認") ? IDNO : IDCANCEL);
        Command(GetParam().m_Command);
        PumpMessages();
        std::vector<std::string> captions;
        for (const CModalSeen& seen : player.Seen())
            captions.push_back(seen.m_Caption);
        for (const CModalSeen& seen : player.Unexpected())
            captions.push_back(seen.m_Caption);
        return captions;
    }
};

TEST_P(ListFocusRule, ActsOnlyWhileTheListHasTheFocus)
{
    OpenThree();
    EXPECT_TRUE(Run(Window().GetCastBox().GetHandle()).empty());
    ExpectSerifs(kThree);
    EXPECT_TRUE(Window().IsSaved());

    const std::vector<std::string> captions = Run(List());
    if (GetParam().m_Caption != nullptr) {
        EXPECT_EQ(std::vector<std::string>{GetParam().m_Caption}, captions);
        ExpectSerifs(kThree);
    } else {
        EXPECT_TRUE(captions.empty());
        EXPECT_FALSE(Window().IsSaved());
        EXPECT_NE(1, Cursor());
    }
}

INSTANTIATE_TEST_SUITE_P(AcceleratorIds, ListFocusRule,
                         ::testing::Values(CFocusCase{"EnterEdits", IDM_LIST_EDIT, "セリフ編集"},
                                           CFocusCase{"InsertInserts", IDM_LIST_INSERT,
                                                      "セリフ挿入"},
                                           CFocusCase{"DeleteDeletes", IDM_LIST_DELETE, "確認"},
                                           CFocusCase{"CtrlInsertAdds", IDM_LIST_ADD, "セリフ追加"},
                                           CFocusCase{"CtrlUMovesUp", IDM_LIST_UP, nullptr},
                                           CFocusCase{"CtrlDMovesDown", IDM_LIST_DOWN, nullptr}),
                         [](const ::testing::TestParamInfo<CFocusCase>& info) {
                             return std::string(info.param.m_Name);
                         });

TEST_F(EditCommandsTest, MenuCommandsActWhateverHasTheFocus)
{
    OpenThree();
    SetCursor(1);
    SetFocus(Window().GetCastBox().GetHandle());
    Command(IDM_SERIF_DOWN);
    ExpectSerifs({kThree[0], kThree[2], kThree[1]});
    EXPECT_EQ(2, Cursor());
}
