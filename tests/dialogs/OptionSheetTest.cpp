// The option sheet and its four pages, played from inside the test: what
// each page checks and stores on OK, that Cancel and pages never shown
// store nothing, and the colour page's working copy.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "ControlProbe.h"
#include "dialogs/OptionSheet.h"
#include "res/DialogRes.h"
#include "tests/support/DialogDriver.h"

namespace
{
const char kNoPosition[] = "カーソル位置を設定して下さい。";
const char kBadPosition[] = "カーソル位置は 1 ～ 99までにして下さい。";
const char kNoKey[] = "キーを設定して下さい。";
const char kBadKeyWait[] = "キーウェイトの値が不正です。\r\n10以上、10,000以下にして下さい。";
const char kNoItem[] = "アイテム名を選択して下さい。";

enum EPage
{
    General = 0,
    Hotkey = 1,
    Colours = 2,
    Paste = 3
};

class OptionSheetTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        InitCommonControls();
        m_Option.m_General.m_AutoScroll = 1;
        m_Option.m_General.m_ScrollPos = 10;
        m_Option.m_Hotkey.m_HotKey = 0x0077;
        m_Option.m_Hotkey.m_KeyWait = 100;
    }

    INT_PTR Run()
    {
        COptionSheet sheet(&m_Option, nullptr);
        return m_Driver.Play([&sheet] { return sheet.DoModal(); });
    }

    CDialogDriver& ShowPage(EPage page)
    {
        return m_Driver.OnDialog(
            [page](HWND sheet) { SendMessageA(sheet, PSM_SETCURSEL, page, 0); });
    }

    CDialogDriver& PressOk()
    {
        return m_Driver.OnDialog(
            [](HWND sheet) { PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0); });
    }

    CDialogDriver& PressCancel()
    {
        return m_Driver.OnDialog(
            [](HWND sheet) { PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0); });
    }

    CDialogDriver& SetChecked(int id, bool checked)
    {
        return m_Driver.OnDialog([id, checked](HWND sheet) {
            Probe::SetCheck(CDialogDriver::Control(sheet, id), checked);
        });
    }

    CDialogDriver& SetHotKey(WORD value)
    {
        return m_Driver.OnDialog([value](HWND sheet) {
            SendMessageA(CDialogDriver::Control(sheet, IDC_HOTKEY_KEY), HKM_SETHOTKEY, value, 0);
        });
    }

    // Runs the general page with `position` typed and auto scroll cleared.
    void StorePosition(const std::string& position)
    {
        m_Driver.Clear();
        m_Driver.SetText(IDC_GENERAL_SCROLLPOS, position);
        SetChecked(IDC_GENERAL_AUTOSCROLL, false);
        PressOk();
        if (position.empty() || std::stol(position) < 1 || std::stol(position) > 99)
            m_Driver.Answer(IDOK);
        Run();
    }

    void StoreKeyWait(const std::string& keyWait)
    {
        m_Driver.Clear();
        ShowPage(Hotkey);
        SetHotKey(0x0075);
        m_Driver.SetText(IDC_HOTKEY_WAIT, keyWait);
        PressOk();
        if (keyWait.empty() || std::stol(keyWait) < 10 || std::stol(keyWait) > 10000)
            m_Driver.Answer(IDOK);
        Run();
    }

    std::string MessageText(size_t i) const
    {
        return i < m_Driver.Seen().size() ? m_Driver.Seen()[i].m_Text : "(none)";
    }

    COption m_Option;
    CDialogDriver m_Driver;
};
}  // namespace

TEST_F(OptionSheetTest, CaptionAndTabsInOrder)
{
    std::string caption, tabs;
    m_Driver.OnDialog([&](HWND sheet) {
        caption = CDialogDriver::Text(sheet);
        HWND tab = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETTABCONTROL, 0, 0));
        const int count = static_cast<int>(SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            char text[64] = {};
            TCITEMA item = {};
            item.mask = TCIF_TEXT;
            item.pszText = text;
            item.cchTextMax = sizeof(text);
            SendMessageA(tab, TCM_GETITEMA, i, reinterpret_cast<LPARAM>(&item));
            tabs += std::string(text) + ",";
        }
    });
    PressCancel();
    Run();
    EXPECT_NE(caption.find("オプション"), std::string::npos) << caption;
    EXPECT_EQ(tabs, "一般,ホットキー,色,貼り付け,");
}

TEST_F(OptionSheetTest, GeneralPageShowsTheStoredValues)
{
    m_Option.m_General.m_AutoScroll = 0;
    m_Option.m_General.m_ScrollPos = 42;
    std::string position;
    bool checked = true;
    m_Driver.OnDialog([&](HWND sheet) {
        position = CDialogDriver::Text(CDialogDriver::Control(sheet, IDC_GENERAL_SCROLLPOS));
        checked = SendMessageA(CDialogDriver::Control(sheet, IDC_GENERAL_AUTOSCROLL), BM_GETCHECK,
                               0, 0) == BST_CHECKED;
    });
    PressCancel();
    Run();
    EXPECT_EQ(position, "42");
    EXPECT_FALSE(checked);
}

TEST_F(OptionSheetTest, CursorPositionsOneAndNinetyNineAreStored)
{
    StorePosition("1");
    EXPECT_TRUE(m_Driver.Seen().empty());
    EXPECT_EQ(m_Option.m_General.m_ScrollPos, 1);
    EXPECT_EQ(m_Option.m_General.m_AutoScroll, 0);

    m_Option.m_General.m_AutoScroll = 1;
    StorePosition("99");
    EXPECT_TRUE(m_Driver.Seen().empty());
    EXPECT_EQ(m_Option.m_General.m_ScrollPos, 99);
    EXPECT_EQ(m_Option.m_General.m_AutoScroll, 0);
}

TEST_F(OptionSheetTest, CursorPositionsOutOfRangeStoreNothingNotEvenTheCheckBox)
{
    for (const char* position : {"0", "100"}) {
        StorePosition(position);
        EXPECT_EQ(MessageText(0), kBadPosition) << position;
        EXPECT_EQ(m_Driver.Seen().at(0).m_Caption, "エラー");
        EXPECT_EQ(m_Option.m_General.m_ScrollPos, 10) << position;
        EXPECT_EQ(m_Option.m_General.m_AutoScroll, 1) << position;
    }
}

TEST_F(OptionSheetTest, AnEmptyCursorPositionAsksForOne)
{
    StorePosition("");
    EXPECT_EQ(MessageText(0), kNoPosition);
    EXPECT_EQ(m_Option.m_General.m_ScrollPos, 10);
    EXPECT_EQ(m_Option.m_General.m_AutoScroll, 1);
}

TEST_F(OptionSheetTest, HotkeyPageShowsTheStoredValues)
{
    m_Option.m_Hotkey.m_HotKey = 0x0274;
    m_Option.m_Hotkey.m_KeyWait = 250;
    LRESULT hotkey = 0;
    std::string keyWait;
    ShowPage(Hotkey);
    m_Driver.OnDialog([&](HWND sheet) {
        hotkey = SendMessageA(CDialogDriver::Control(sheet, IDC_HOTKEY_KEY), HKM_GETHOTKEY, 0, 0);
        keyWait = CDialogDriver::Text(CDialogDriver::Control(sheet, IDC_HOTKEY_WAIT));
    });
    PressCancel();
    Run();
    EXPECT_EQ(hotkey & 0xFFFF, 0x0274);
    EXPECT_EQ(keyWait, "250");
}

TEST_F(OptionSheetTest, KeyWaitsTenAndTenThousandAreStored)
{
    StoreKeyWait("10");
    EXPECT_TRUE(m_Driver.Seen().empty());
    EXPECT_EQ(m_Option.m_Hotkey.m_KeyWait, 10);
    EXPECT_EQ(m_Option.m_Hotkey.m_HotKey, 0x0075);

    StoreKeyWait("10000");
    EXPECT_TRUE(m_Driver.Seen().empty());
    EXPECT_EQ(m_Option.m_Hotkey.m_KeyWait, 10000);
}

TEST_F(OptionSheetTest, KeyWaitsOutOfRangeOrEmptyStoreNothing)
{
    for (const char* keyWait : {"9", "10001", "", "-20"}) {
        StoreKeyWait(keyWait);
        EXPECT_EQ(MessageText(0), kBadKeyWait) << keyWait;
        EXPECT_EQ(m_Option.m_Hotkey.m_KeyWait, 100) << keyWait;
        EXPECT_EQ(m_Option.m_Hotkey.m_HotKey, 0x0077) << keyWait;
    }
}

TEST_F(OptionSheetTest, AnEmptyHotkeyAsksForAKeyAndKeepsTheOldOne)
{
    ShowPage(Hotkey);
    SetHotKey(0);
    m_Driver.SetText(IDC_HOTKEY_WAIT, "500");
    PressOk().Answer(IDOK);
    Run();
    EXPECT_EQ(MessageText(0), kNoKey);
    EXPECT_EQ(m_Option.m_Hotkey.m_HotKey, 0x0077);
    EXPECT_EQ(m_Option.m_Hotkey.m_KeyWait, 100);
}

TEST_F(OptionSheetTest, CtrlF5TypedIntoTheHotkeyControlGivesF5Alone)
{
    ShowPage(Hotkey);
    m_Driver.OnDialog([](HWND sheet) {
        HWND control = CDialogDriver::Control(sheet, IDC_HOTKEY_KEY);
        SendMessageA(control, WM_KEYDOWN, VK_CONTROL, 0x001D0001);
        SendMessageA(control, WM_KEYDOWN, VK_F5, 0x003F0001);
        SendMessageA(control, WM_KEYUP, VK_F5, 0xC03F0001);
        SendMessageA(control, WM_KEYUP, VK_CONTROL, 0xC01D0001);
    });
    PressOk();
    Run();
    EXPECT_EQ(m_Option.m_Hotkey.m_HotKey, 0x0074);
}

TEST_F(OptionSheetTest, PagesNeverShownStoreNothing)
{
    // Values that the hotkey page would refuse and a colour the colour page
    // would copy back: neither page is opened, so both stay as they are.
    m_Option.m_Hotkey.m_HotKey = 0;
    m_Option.m_Hotkey.m_KeyWait = 5;
    m_Option.m_Colors["Other"].m_BackColor = RGB(1, 2, 3);
    const auto colours = m_Option.m_Colors;
    m_Driver.SetText(IDC_GENERAL_SCROLLPOS, "33");
    PressOk();
    Run();
    EXPECT_TRUE(m_Driver.Seen().empty());
    EXPECT_EQ(m_Option.m_General.m_ScrollPos, 33);
    EXPECT_EQ(m_Option.m_Hotkey.m_HotKey, 0);
    EXPECT_EQ(m_Option.m_Hotkey.m_KeyWait, 5);
    ASSERT_EQ(m_Option.m_Colors.size(), colours.size());
    EXPECT_EQ(m_Option.m_Colors["Other"].m_BackColor, RGB(1, 2, 3));
    EXPECT_EQ(m_Option.m_Colors["ActiveCast"].m_BackColor, colours.at("ActiveCast").m_BackColor);
}

TEST_F(OptionSheetTest, CancelStoresNothingFromAnyPage)
{
    m_Driver.SetText(IDC_GENERAL_SCROLLPOS, "50");
    ShowPage(Hotkey);
    SetHotKey(0x0070);
    m_Driver.SetText(IDC_HOTKEY_WAIT, "900");
    ShowPage(Colours);
    m_Driver.Click(IDC_COLORS_BACK);
    m_Driver.InOther([](HWND chooser) {
        SetDlgItemTextA(chooser, 706, "10");  // the chooser's red, green, blue
        SetDlgItemTextA(chooser, 707, "20");
        SetDlgItemTextA(chooser, 708, "30");
        PostMessageA(chooser, WM_COMMAND, IDOK, 0);
    });
    PressCancel();
    const COLORREF before = m_Option.m_Colors["ActiveCast"].m_BackColor;
    Run();
    EXPECT_EQ(m_Option.m_General.m_ScrollPos, 10);
    EXPECT_EQ(m_Option.m_Hotkey.m_HotKey, 0x0077);
    EXPECT_EQ(m_Option.m_Hotkey.m_KeyWait, 100);
    EXPECT_EQ(m_Option.m_Colors["ActiveCast"].m_BackColor, before);
}

TEST_F(OptionSheetTest, AColourChosenIsStoredOnOk)
{
    ShowPage(Colours);
    m_Driver.Click(IDC_COLORS_BACK);
    m_Driver.InOther([](HWND chooser) {
        SetDlgItemTextA(chooser, 706, "10");
        SetDlgItemTextA(chooser, 707, "20");
        SetDlgItemTextA(chooser, 708, "30");
        PostMessageA(chooser, WM_COMMAND, IDOK, 0);
    });
    m_Driver.Click(IDC_COLORS_TEXT);
    m_Driver.InOther([](HWND chooser) {
        SetDlgItemTextA(chooser, 706, "200");
        SetDlgItemTextA(chooser, 707, "0");
        SetDlgItemTextA(chooser, 708, "5");
        PostMessageA(chooser, WM_COMMAND, IDCANCEL, 0);  // the text colour stays
    });
    PressOk();
    const COLORREF text = m_Option.m_Colors["ActiveCast"].m_TextColor;
    Run();
    EXPECT_EQ(m_Option.m_Colors["ActiveCast"].m_BackColor, RGB(10, 20, 30));
    EXPECT_EQ(m_Option.m_Colors["ActiveCast"].m_TextColor, text);
}

TEST_F(OptionSheetTest, AColourButtonWithoutASelectedRowAsksForOne)
{
    ShowPage(Colours);
    m_Driver.OnDialog(
        [](HWND sheet) { Probe::SelectRow(CDialogDriver::Control(sheet, IDC_COLORS_LIST), -1); });
    m_Driver.Click(IDC_COLORS_TEXT).Answer(IDOK);
    m_Driver.Click(IDC_COLORS_BACK).Answer(IDOK);
    PressOk();
    Run();
    ASSERT_EQ(m_Driver.Seen().size(), 2u);
    EXPECT_EQ(MessageText(0), kNoItem);
    EXPECT_EQ(MessageText(1), kNoItem);
    EXPECT_EQ(m_Driver.Seen()[0].m_Caption, "エラー");
}

TEST_F(OptionSheetTest, ColourPageListsEveryItemInNameOrderInItsOwnColours)
{
    m_Option.m_Colors["Zeta"].m_TextColor = RGB(1, 1, 1);
    m_Option.m_Colors["Zeta"].m_BackColor = RGB(2, 2, 2);
    m_Option.m_Colors["Alpha"].m_TextColor = RGB(3, 3, 3);
    m_Option.m_Colors["Alpha"].m_BackColor = RGB(4, 4, 4);
    std::string rows;
    int selected = -2;
    std::string drawn;
    ShowPage(Colours);
    m_Driver.OnDialog([&](HWND sheet) {
        HWND list = CDialogDriver::Control(sheet, IDC_COLORS_LIST);
        HWND page = GetParent(list);
        selected = Probe::SelectedRow(list);
        for (int row = 0; row < Probe::RowCount(list); ++row) {
            rows += Probe::RowText(list, row, 0) + "/" + Probe::RowText(list, row, 1) + ",";
            // Ask the page how it draws the row, as the list itself does.
            NMLVCUSTOMDRAW draw = {};
            draw.nmcd.hdr.hwndFrom = list;
            draw.nmcd.hdr.idFrom = IDC_COLORS_LIST;
            draw.nmcd.hdr.code = NM_CUSTOMDRAW;
            draw.nmcd.dwDrawStage = CDDS_ITEMPREPAINT;
            draw.nmcd.dwItemSpec = static_cast<DWORD_PTR>(row);
            draw.nmcd.lItemlParam = Probe::RowData(list, row);
            SendMessageA(page, WM_NOTIFY, IDC_COLORS_LIST, reinterpret_cast<LPARAM>(&draw));
            const LONG_PTR answer = GetWindowLongPtrA(page, DWLP_MSGRESULT);
            char text[64];
            wsprintfA(text, "%06lx/%06lx/%lx,", static_cast<unsigned long>(draw.clrText),
                      static_cast<unsigned long>(draw.clrTextBk),
                      static_cast<unsigned long>(answer));
            drawn += text;
        }
        NMLVCUSTOMDRAW draw = {};
        draw.nmcd.hdr.hwndFrom = list;
        draw.nmcd.hdr.idFrom = IDC_COLORS_LIST;
        draw.nmcd.hdr.code = NM_CUSTOMDRAW;
        draw.nmcd.dwDrawStage = CDDS_PREPAINT;
        SendMessageA(page, WM_NOTIFY, IDC_COLORS_LIST, reinterpret_cast<LPARAM>(&draw));
        char text[32];
        wsprintfA(text, "prepaint %lx",
                  static_cast<unsigned long>(GetWindowLongPtrA(page, DWLP_MSGRESULT)));
        drawn += text;
    });
    PressCancel();
    Run();
    const char* sample = "123ABCあいう";
    EXPECT_EQ(rows,
              std::string("ActiveCast/") + sample + ",Alpha/" + sample + ",Zeta/" + sample + ",");
    EXPECT_EQ(selected, 0);
    EXPECT_EQ(drawn, "000000/ccccff/20,030303/040404/20,010101/020202/20,prepaint 20");
}

// The paste page: the stored values shown, each keystroke and both waits
// stored on OK, a wait outside 0..10000 (or none) refused with its message
// and nothing of the page stored.
TEST_F(OptionSheetTest, PastePageStoresValidWaitsAndRefusesOthers)
{
    const char kBadEnter[] = "Enter までの待ち時間は 0 ～ 10000 までにして下さい。";
    const char kBadRestore[] = "元に戻すまでの時間は 0 ～ 10000 までにして下さい。";
    const struct
    {
        int m_Key;
        const char* m_EnterWait;
        const char* m_RestoreWait;
        const char* m_Message;  // null: stored
    } cases[] = {
        {1, "0", "10000", nullptr},     {2, "10000", "0", nullptr}, {0, "250", "500", nullptr},
        {1, "10001", "500", kBadEnter}, {1, "", "500", kBadEnter},  {1, "-5", "500", kBadEnter},
        {1, "0", "20000", kBadRestore}, {1, "0", "", kBadRestore},
    };
    for (const auto& c : cases) {
        m_Option.m_Paste = COptionPaste();
        std::string shownKey, shownEnter, shownRestore;
        m_Driver.Clear();
        ShowPage(Paste);
        m_Driver.OnDialog([&](HWND sheet) {
            shownKey = std::to_string(
                SendMessageA(CDialogDriver::Control(sheet, IDC_PASTE_KEY), CB_GETCURSEL, 0, 0));
            shownEnter = CDialogDriver::Text(CDialogDriver::Control(sheet, IDC_PASTE_ENTERWAIT));
            shownRestore =
                CDialogDriver::Text(CDialogDriver::Control(sheet, IDC_PASTE_RESTOREWAIT));
            SendMessageA(CDialogDriver::Control(sheet, IDC_PASTE_KEY), CB_SETCURSEL, c.m_Key, 0);
        });
        m_Driver.SetText(IDC_PASTE_ENTERWAIT, c.m_EnterWait);
        m_Driver.SetText(IDC_PASTE_RESTOREWAIT, c.m_RestoreWait);
        SetChecked(IDC_PASTE_RESTORE, true);
        PressOk();
        if (c.m_Message)
            m_Driver.Answer(IDOK);
        Run();
        EXPECT_EQ("0 0 500", shownKey + " " + shownEnter + " " + shownRestore);
        const COptionPaste& paste = m_Option.m_Paste;
        if (c.m_Message) {
            EXPECT_EQ(c.m_Message, MessageText(0)) << c.m_EnterWait << " " << c.m_RestoreWait;
            EXPECT_EQ(EPasteKey::CtrlV, paste.m_Key);
            EXPECT_EQ(0, paste.m_RestoreClipboard);
        } else {
            EXPECT_TRUE(m_Driver.Seen().empty()) << MessageText(0);
            EXPECT_EQ(c.m_Key, static_cast<int>(paste.m_Key));
            EXPECT_EQ(std::stol(c.m_EnterWait), paste.m_EnterWait);
            EXPECT_EQ(std::stol(c.m_RestoreWait), paste.m_RestoreWait);
            EXPECT_EQ(1, paste.m_RestoreClipboard);
            EXPECT_EQ(1, paste.m_KeepOutOfHistory);
        }
    }
}

// The cue keys on the hotkey page: stored as typed (any modifiers, none for
// an empty control), and refused when one key is set twice.
TEST_F(OptionSheetTest, CueKeysAreStoredUnlessAKeyIsSetTwice)
{
    const struct
    {
        WORD m_Skip, m_Back, m_Repeat;
        bool m_Refused;
    } cases[] = {
        {0x017A, 0x007B, 0x027A, false},  // Shift+F11, F12, Ctrl+F11
        {0x0000, 0x0000, 0x0000, false},
        {0x007A, 0x007A, 0x0000, true},  // skip and back the same
        {0x0075, 0x0000, 0x0000, true},  // skip on the paste key (F6)
    };
    for (const auto& c : cases) {
        m_Option.m_Cue = COptionCue();
        m_Option.m_Hotkey.m_HotKey = 0x0077;
        m_Driver.Clear();
        ShowPage(Hotkey);
        SetHotKey(0x0075);
        m_Driver.OnDialog([&](HWND sheet) {
            SendMessageA(CDialogDriver::Control(sheet, IDC_CUE_SKIP), HKM_SETHOTKEY, c.m_Skip, 0);
            SendMessageA(CDialogDriver::Control(sheet, IDC_CUE_BACK), HKM_SETHOTKEY, c.m_Back, 0);
            SendMessageA(CDialogDriver::Control(sheet, IDC_CUE_REPEAT), HKM_SETHOTKEY, c.m_Repeat,
                         0);
        });
        PressOk();
        if (c.m_Refused)
            m_Driver.Answer(IDOK);
        Run();
        if (c.m_Refused) {
            EXPECT_EQ("同じキーが二つのホットキーに設定されています。", MessageText(0));
            EXPECT_EQ(0, m_Option.m_Cue.m_Skip);
            EXPECT_EQ(0x0077, m_Option.m_Hotkey.m_HotKey);
        } else {
            EXPECT_TRUE(m_Driver.Seen().empty()) << MessageText(0);
            EXPECT_EQ(c.m_Skip, m_Option.m_Cue.m_Skip);
            EXPECT_EQ(c.m_Back, m_Option.m_Cue.m_Back);
            EXPECT_EQ(c.m_Repeat, m_Option.m_Cue.m_Repeat);
        }
    }
}

// The next and previous cast keys: none at first, stored as typed, and
// refused like the other cue keys when they take a key set elsewhere on the
// page.
TEST_F(OptionSheetTest, CastKeysAreStoredUnlessAKeyIsSetTwice)
{
    const struct
    {
        WORD m_Skip, m_Next, m_Prev;
        bool m_Refused;
    } cases[] = {
        {0x0000, 0x0171, 0x0271, false},  // Shift+F2, Ctrl+F2
        {0x007A, 0x0000, 0x0000, false},
        {0x0000, 0x0071, 0x0071, true},  // next and previous the same
        {0x007A, 0x0000, 0x007A, true},  // previous on the skip key
        {0x0000, 0x0075, 0x0000, true},  // next on the paste key (F6)
    };
    for (const auto& c : cases) {
        m_Option.m_Cue = COptionCue();
        m_Option.m_Hotkey.m_HotKey = 0x0077;
        LRESULT shownNext = -1, shownPrev = -1;
        m_Driver.Clear();
        ShowPage(Hotkey);
        SetHotKey(0x0075);
        m_Driver.OnDialog([&](HWND sheet) {
            HWND next = CDialogDriver::Control(sheet, IDC_CUE_NEXT_CAST);
            HWND prev = CDialogDriver::Control(sheet, IDC_CUE_PREV_CAST);
            shownNext = SendMessageA(next, HKM_GETHOTKEY, 0, 0);
            shownPrev = SendMessageA(prev, HKM_GETHOTKEY, 0, 0);
            SendMessageA(CDialogDriver::Control(sheet, IDC_CUE_SKIP), HKM_SETHOTKEY, c.m_Skip, 0);
            SendMessageA(next, HKM_SETHOTKEY, c.m_Next, 0);
            SendMessageA(prev, HKM_SETHOTKEY, c.m_Prev, 0);
        });
        PressOk();
        if (c.m_Refused)
            m_Driver.Answer(IDOK);
        Run();
        EXPECT_EQ(0, shownNext);
        EXPECT_EQ(0, shownPrev);
        if (c.m_Refused) {
            EXPECT_EQ("同じキーが二つのホットキーに設定されています。", MessageText(0));
            EXPECT_EQ(0, m_Option.m_Cue.m_NextCast + m_Option.m_Cue.m_PrevCast);
            EXPECT_EQ(0x0077, m_Option.m_Hotkey.m_HotKey);
        } else {
            EXPECT_TRUE(m_Driver.Seen().empty()) << MessageText(0);
            EXPECT_EQ(c.m_Next, m_Option.m_Cue.m_NextCast);
            EXPECT_EQ(c.m_Prev, m_Option.m_Cue.m_PrevCast);
            EXPECT_EQ(c.m_Skip, m_Option.m_Cue.m_Skip);
        }
    }
}

// The markup and long-line settings of the paste page: the number shown
// (the suggestion while off) and typed only while the warning is checked,
// 0 stored for off, and a number outside 1..100000 refused with nothing of
// the page stored.
TEST_F(OptionSheetTest, PastePageStoresTheMarkupAndLengthWarningAndRefusesBadNumbers)
{
    const char kBadLength[] = "文字数は 1 から 100000 までの数で指定してください。";
    const struct
    {
        int32_t m_Start;  // the stored warning
        bool m_Click;     // the warning's check box clicked
        const char* m_Number;
        int32_t m_Stored;  // -1: refused
    } cases[] = {
        {0, true, "1", 1},   {0, true, "100000", 100000}, {300, false, "2500", 2500},
        {300, true, "0", 0}, {300, false, "0", -1},       {300, false, "100001", -1},
        {0, true, "", -1},
    };
    for (const auto& c : cases) {
        m_Option.m_Paste = COptionPaste();
        m_Option.m_Paste.m_LengthWarning = c.m_Start;
        std::string shown, after;
        m_Driver.Clear();
        ShowPage(Paste);
        m_Driver.OnDialog([&](HWND sheet) {
            HWND check = CDialogDriver::Control(sheet, IDC_PASTE_LENGTHWARNING);
            HWND number = CDialogDriver::Control(sheet, IDC_PASTE_LENGTHLIMIT);
            auto state = [&] {
                return std::to_string(SendMessageA(check, BM_GETCHECK, 0, 0)) + " " +
                       std::to_string(IsWindowEnabled(number) ? 1 : 0) + " " +
                       CDialogDriver::Text(number);
            };
            shown = state();
            if (c.m_Click)
                SendMessageA(check, BM_CLICK, 0, 0);
            after = state();
        });
        SetChecked(IDC_PASTE_ESCAPEMARKUP, true);
        m_Driver.SetText(IDC_PASTE_LENGTHLIMIT, c.m_Number);
        PressOk();
        if (c.m_Stored < 0)
            m_Driver.Answer(IDOK);
        Run();
        const std::string start = c.m_Start ? "1 1 300" : "0 0 2000";
        const bool on = (c.m_Start != 0) != c.m_Click;
        EXPECT_EQ(start, shown);
        EXPECT_EQ(on ? "1 1 " : "0 0 ", after.substr(0, 4)) << after;
        const COptionPaste& paste = m_Option.m_Paste;
        if (c.m_Stored < 0) {
            EXPECT_EQ(kBadLength, MessageText(0)) << c.m_Number;
            EXPECT_EQ("エラー", m_Driver.Seen().at(0).m_Caption);
            EXPECT_EQ(c.m_Start, paste.m_LengthWarning);
            EXPECT_EQ(0, paste.m_EscapeMarkup);
        } else {
            EXPECT_TRUE(m_Driver.Seen().empty()) << MessageText(0);
            EXPECT_EQ(c.m_Stored, paste.m_LengthWarning) << c.m_Number;
            EXPECT_EQ(1, paste.m_EscapeMarkup);
        }
    }
}
