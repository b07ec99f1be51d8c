#include <gtest/gtest.h>

#include <windows.h>
#include <commdlg.h>
#include <dlgs.h>

#include <string>
#include <vector>

#include "ControlsSupport.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/Pump.h"
#include "wnd/FindDlg.h"
#include "wnd/MessageBox.h"
#include "wnd/ReplaceDlg.h"
#include "wnd/WndBase.h"

namespace
{

// The owner window's side: every "commdlg_FindReplace" message it receives.
class COwnerRecorder : public CWndBaseEx
{
public:
    struct CNote
    {
        DWORD flags;
        std::string findText;
        std::string replaceText;
    };

    COwnerRecorder() : m_MessageId(RegisterWindowMessageA("commdlg_FindReplace")) {}

    LRESULT WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == m_MessageId && m_MessageId != 0) {
            const FINDREPLACEA* record = reinterpret_cast<const FINDREPLACEA*>(lParam);
            CNote note = {record->Flags, record->lpstrFindWhat ? record->lpstrFindWhat : "",
                          record->lpstrReplaceWith ? record->lpstrReplaceWith : ""};
            m_Notes.push_back(note);
            return 0;
        }
        return CWndBaseEx::WindowProc(hWnd, message, wParam, lParam);
    }

    bool Saw(DWORD flag) const
    {
        for (const CNote& note : m_Notes)
            if (note.flags & flag)
                return true;
        return false;
    }

    UINT m_MessageId;
    std::vector<CNote> m_Notes;
};

std::string DlgItemText(HWND dialog, int id)
{
    char buffer[512] = {};
    GetDlgItemTextA(dialog, id, buffer, sizeof(buffer));
    return buffer;
}

class FindReplaceTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_EQ(1, m_Owner.Attach(m_Window.Get())); }

    // Closes a dialog with its Cancel button and waits until it has gone.
    template <typename Dialog>
    void Close(Dialog& dialog)
    {
        HWND hwnd = dialog.GetHandle();
        PostClick(hwnd, IDCANCEL);
        EXPECT_TRUE(PumpUntil([&] { return !IsWindow(hwnd); }));
    }

    ctltest::CTestWindow m_Window;
    COwnerRecorder m_Owner;
};

const DWORD kFindFlags = FR_DOWN | FR_HIDEMATCHCASE | FR_HIDEWHOLEWORD;

TEST_F(FindReplaceTest, FindCreateOpensBoundDialog)
{
    CFindDlg find;
    ASSERT_EQ(1, find.Create(m_Window.Get(), kFindFlags));
    EXPECT_TRUE(find.IsBound());
    EXPECT_TRUE(find.IsDialog());
    EXPECT_TRUE(IsWindowVisible(find.GetHandle()));
    EXPECT_EQ(m_Owner.m_MessageId, find.GetMessageId());
    EXPECT_NE(0u, find.GetMessageId());
    EXPECT_EQ(m_Window.Get(), GetWindow(find.GetHandle(), GW_OWNER));
    EXPECT_EQ("", DlgItemText(find.GetHandle(), edt1));
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(find.GetHandle(), chx2)));  // match case hidden
    Close(find);
}

TEST_F(FindReplaceTest, FindNextTellsOwnerTheTextAndDirection)
{
    CFindDlg find;
    ASSERT_EQ(1, find.Create(m_Window.Get(), kFindFlags));
    SetDlgItemTextA(find.GetHandle(), edt1, "台詞");
    PostClick(find.GetHandle(), IDOK);
    ASSERT_TRUE(PumpUntil([&] { return !m_Owner.m_Notes.empty(); }));
    EXPECT_TRUE(m_Owner.m_Notes[0].flags & FR_FINDNEXT);
    EXPECT_TRUE(m_Owner.m_Notes[0].flags & FR_DOWN);
    EXPECT_EQ("台詞", m_Owner.m_Notes[0].findText);
    EXPECT_EQ("台詞", find.GetFindText());
    EXPECT_TRUE(find.GetFlags() & FR_FINDNEXT);
    Close(find);
}

TEST_F(FindReplaceTest, ClosedFindDialogUnbindsAndTellsOwner)
{
    CFindDlg find;
    ASSERT_EQ(1, find.Create(m_Window.Get(), kFindFlags));
    Close(find);
    EXPECT_FALSE(find.IsBound());
    EXPECT_TRUE(m_Owner.Saw(FR_DIALOGTERM));
}

TEST_F(FindReplaceTest, FindDialogOpenedAgainShowsTextSearchedLast)
{
    CFindDlg find;
    ASSERT_EQ(1, find.Create(m_Window.Get(), kFindFlags));
    SetDlgItemTextA(find.GetHandle(), edt1, "前回の検索");
    PostClick(find.GetHandle(), IDOK);
    ASSERT_TRUE(PumpUntil([&] { return m_Owner.Saw(FR_FINDNEXT); }));
    Close(find);
    ASSERT_FALSE(find.IsBound());
    ASSERT_EQ(1, find.Create(m_Window.Get(), kFindFlags));
    EXPECT_EQ("前回の検索", DlgItemText(find.GetHandle(), edt1));
    Close(find);
}

TEST_F(FindReplaceTest, FindCreateWhileOpenMakesNoSecondDialog)
{
    CFindDlg find;
    ASSERT_EQ(1, find.Create(m_Window.Get(), kFindFlags));
    HWND first = find.GetHandle();
    EXPECT_EQ(0, find.Create(m_Window.Get(), kFindFlags));
    EXPECT_EQ(first, find.GetHandle());
    EXPECT_EQ(first, FindThreadDialog(nullptr));
    Close(find);
}

TEST_F(FindReplaceTest, FindCreateWithoutOwnerFails)
{
    CFindDlg find;
    EXPECT_EQ(0, find.Create(nullptr, kFindFlags));
    EXPECT_FALSE(find.IsBound());
    EXPECT_EQ(nullptr, FindThreadDialog(nullptr));
}

// Counts the buttons pressed and lets the system dialog act on them.
class CCountingFindDlg : public CFindDlg
{
public:
    LRESULT OnCommand(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) override
    {
        m_Ids.push_back(LOWORD(wParam));
        return CFindDlg::OnCommand(hWnd, message, wParam, lParam);
    }
    std::vector<int> m_Ids;
};

TEST_F(FindReplaceTest, OnCommandSeesButtonsBeforeSystemDialog)
{
    CCountingFindDlg find;
    ASSERT_EQ(1, find.Create(m_Window.Get(), kFindFlags));
    SetDlgItemTextA(find.GetHandle(), edt1, "x");
    PostClick(find.GetHandle(), IDOK);
    ASSERT_TRUE(PumpUntil([&] { return m_Owner.Saw(FR_FINDNEXT); }));
    Close(find);
    bool sawOk = false;
    bool sawCancel = false;
    for (int id : find.m_Ids) {
        sawOk = sawOk || id == IDOK;
        sawCancel = sawCancel || id == IDCANCEL;
    }
    EXPECT_TRUE(sawOk);
    EXPECT_TRUE(sawCancel);
}

TEST_F(FindReplaceTest, DestroyedFindObjectClosesItsDialog)
{
    HWND hwnd = nullptr;
    {
        CFindDlg find;
        ASSERT_EQ(1, find.Create(m_Window.Get(), kFindFlags));
        hwnd = find.GetHandle();
    }
    EXPECT_FALSE(IsWindow(hwnd));
    PumpMessages();
}

TEST_F(FindReplaceTest, ReplaceTellsOwnerBothTextsAndAction)
{
    CReplaceDlg replace;
    ASSERT_EQ(1, replace.Create(m_Window.Get(), FR_HIDEMATCHCASE | FR_HIDEWHOLEWORD));
    EXPECT_TRUE(replace.IsBound());
    SetDlgItemTextA(replace.GetHandle(), edt1, "太郎");
    SetDlgItemTextA(replace.GetHandle(), edt2, "花子");
    PostClick(replace.GetHandle(), psh1);
    ASSERT_TRUE(PumpUntil([&] { return m_Owner.Saw(FR_REPLACE); }));
    PostClick(replace.GetHandle(), psh2);
    ASSERT_TRUE(PumpUntil([&] { return m_Owner.Saw(FR_REPLACEALL); }));
    EXPECT_EQ("太郎", m_Owner.m_Notes.back().findText);
    EXPECT_EQ("花子", m_Owner.m_Notes.back().replaceText);
    EXPECT_EQ("太郎", replace.GetFindText());
    EXPECT_EQ("花子", replace.GetReplaceText());
    EXPECT_EQ(m_Owner.m_MessageId, replace.GetMessageId());
    Close(replace);
    EXPECT_FALSE(replace.IsBound());
}

TEST_F(FindReplaceTest, ReplaceDialogOpenedAgainShowsBothLastTexts)
{
    CReplaceDlg replace;
    ASSERT_EQ(1, replace.Create(m_Window.Get(), FR_HIDEMATCHCASE | FR_HIDEWHOLEWORD));
    SetDlgItemTextA(replace.GetHandle(), edt1, "old");
    SetDlgItemTextA(replace.GetHandle(), edt2, "new");
    // Replace, not Find Next: Wine copies the replace-with box only for the
    // two replace buttons.
    PostClick(replace.GetHandle(), psh1);
    ASSERT_TRUE(PumpUntil([&] { return m_Owner.Saw(FR_REPLACE); }));
    Close(replace);
    ASSERT_EQ(1, replace.Create(m_Window.Get(), FR_HIDEMATCHCASE | FR_HIDEWHOLEWORD));
    EXPECT_EQ("old", DlgItemText(replace.GetHandle(), edt1));
    EXPECT_EQ("new", DlgItemText(replace.GetHandle(), edt2));
    EXPECT_EQ(0, replace.Create(m_Window.Get(), 0));
    Close(replace);
}

TEST_F(FindReplaceTest, AskYesNoOwnedByReplaceDialogIsAnswered)
{
    CReplaceDlg replace;
    ASSERT_EQ(1, replace.Create(m_Window.Get(), FR_HIDEMATCHCASE | FR_HIDEWHOLEWORD));
    CDialogDriver driver({IDYES});
    EXPECT_TRUE(AskYesNo(replace.GetHandle(), "置き換えますか？", "確認"));
    ExpectPlayed(driver);
    ASSERT_EQ(1u, driver.Seen().size());
    EXPECT_EQ("確認", driver.Seen()[0].m_Caption);
    EXPECT_TRUE(IsWindowEnabled(replace.GetHandle()));
    Close(replace);
}

}  // namespace
