// CMainWnd: the find and replace dialogs, find up and down, jump to a row.
// The decisions are CTextSearch's; this file reads the dialogs and carries
// the results out on the list, the title and the message boxes.
#include "app/MainWnd.h"
#include "app/MonitoringPause.h"
#include "app/UndoStep.h"

#include <commdlg.h>

#include "res/resource.h"
#include "wnd/MessageBox.h"

// The portable search logic spells the dialogs' flag bits out without
// <windows.h>.
static_assert(FindFlags::kDown == FR_DOWN, "FR_DOWN");
static_assert(FindFlags::kFindNext == FR_FINDNEXT, "FR_FINDNEXT");
static_assert(FindFlags::kReplace == FR_REPLACE, "FR_REPLACE");
static_assert(FindFlags::kReplaceAll == FR_REPLACEALL, "FR_REPLACEALL");

namespace
{

// A modeless dialog counts as open while its window exists and is enabled.
bool IsOpen(const CWndBase& dialog)
{
    return dialog.IsBound() && IsWindow(dialog.GetHandle()) && IsWindowEnabled(dialog.GetHandle());
}

// Asks before each single replacement, over the replace dialog.
class CAskReplace : public IReplaceConfirm
{
public:
    CAskReplace(CMainWnd& window, HWND owner) : m_Window(window), m_Owner(owner) {}
    bool ConfirmReplace(int32_t row, ESearchColumn) override
    {
        m_Window.GetSerifList().Select(row);
        m_Window.GetSerifList().Send(LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), TRUE);
        return AskYesNo(m_Owner, "置き換えますか？", "確認");
    }

private:
    CMainWnd& m_Window;
    HWND m_Owner;
};

}  // namespace

void CMainWnd::ShowFindDialog()
{
    if (IsOpen(m_ReplaceDlg))
        DestroyWindow(m_ReplaceDlg.GetHandle());
    if (IsOpen(m_FindDlg)) {
        SetForegroundWindow(m_FindDlg.GetHandle());
        return;
    }
    SetMonitoring(false);
    m_FindDlg.Create(m_Wnd, FR_DOWN | FR_HIDEMATCHCASE | FR_HIDEWHOLEWORD);
}

void CMainWnd::ShowReplaceDialog()
{
    if (IsOpen(m_FindDlg))
        DestroyWindow(m_FindDlg.GetHandle());
    if (IsOpen(m_ReplaceDlg)) {
        SetForegroundWindow(m_ReplaceDlg.GetHandle());
        return;
    }
    SetMonitoring(false);
    m_ReplaceDlg.Create(m_Wnd, FR_HIDEMATCHCASE | FR_HIDEWHOLEWORD);
}

void CMainWnd::FindNext(bool down)
{
    const CFindResult result =
        m_Search.FindNext(m_Script, m_FindDlg.GetFindText(), m_SerifList.GetSelected(), down);
    if (result.m_Outcome == ESearchOutcome::Found)
        SelectRow(result.m_Row);
    else if (result.m_Outcome == ESearchOutcome::ReachedEnd)
        ShowSearchEnd(IsOpen(m_FindDlg) ? m_FindDlg.GetHandle() : nullptr);
}

LRESULT CMainWnd::OnFindMessage()
{
    const DWORD flags = m_FindDlg.GetFlags();
    if (flags & FR_FINDNEXT)
        FindNext((flags & FR_DOWN) != 0);
    return 0;
}

LRESULT CMainWnd::OnReplaceMessage()
{
    EReplaceAction action = EReplaceAction::FindNext;
    if (!ReplaceActionFromFlags(m_ReplaceDlg.GetFlags(), action))
        return 0;
    HWND owner = IsOpen(m_ReplaceDlg) ? m_ReplaceDlg.GetHandle() : nullptr;
    CAskReplace ask(*this, owner);
    CReplaceResult result;
    {
        CUndoStep step(*this, action == EReplaceAction::ReplaceAll ? "すべて置換" : "置換");
        result = m_Search.ReplaceNext(m_Script, m_ReplaceDlg.GetFindText(),
                                      m_ReplaceDlg.GetReplaceText(), m_SerifList.GetSelected(),
                                      action, ask);
    }
    if (result.m_Outcome == ESearchOutcome::Ignored)
        return 0;
    if (result.Changed()) {
        SetSaved(false);
        ShowRowsChanged(result.m_ChangedRows.front(), result.m_ChangedRows.back());
    }
    if (result.m_Outcome == ESearchOutcome::Found) {
        SelectRow(result.m_Cursor >= 0 ? result.m_Cursor : result.m_Row);
    } else {
        if (result.m_Cursor >= 0)
            SelectRow(result.m_Cursor);
        ShowSearchEnd(owner);
    }
    return 0;
}

void CMainWnd::ShowSearchEnd(HWND owner)
{
    ShowMessage(owner, "最後まで検索しました。", "メッセージ",
                MB_ICONQUESTION | MB_SYSTEMMODAL | MB_SETFOREGROUND);
    if (owner != nullptr && IsWindow(owner))
        SetFocus(owner);
}

void CMainWnd::JumpToRow()
{
    CMonitoringPause pause(*this);
    if (m_JumpDlg.DoModal(m_Wnd, IDD_JUMP) != 1)
        return;
    const int32_t row = JumpTargetRow(m_JumpDlg.GetLine(), m_SerifList.GetItemCount());
    if (row >= 0)
        SelectRow(row);
}
