// CMainWnd: undo and redo. The history (scenario/ScriptHistory.h) puts the
// scenario back; this file makes the list, the cast box, the cursor, the
// title and the status bar follow.
#include "app/MainWnd.h"

#include <algorithm>

void CMainWnd::TakeStep(bool redo)
{
    const std::vector<int32_t> activeCasts = GetActiveCasts();
    const CScriptHistory::CStep* step = redo ? m_History.Redo(m_Script) : m_History.Undo(m_Script);
    if (step == nullptr)
        return;
    const CScriptChange& change = step->m_Change;
    if (change.ChangesCasts()) {
        RefreshCastsAndSerifs();
        SetActiveCasts(activeCasts);
    } else {
        ShowRowCount(std::max(change.GetFirstRow(), 0));
    }
    if (change.GetFirstRow() >= 0 && m_Script.GetSerifCount() > 0)
        SelectRow(std::min(change.GetFirstRow(), m_Script.GetSerifCount() - 1));
    SetSaved(m_History.IsAtSavePoint());
    ShowStatusNote(((redo ? "やり直しました：" : "元に戻しました：") + step->m_Name).c_str());
}
