// CMainWnd: editing serifs (edit, add, insert, delete, move, copy) and the
// cast, scenario settings and option dialogs.
#include "app/MainWnd.h"
#include "app/MonitoringPause.h"
#include "app/UndoStep.h"

#include "res/DialogRes.h"
#include "dialogs/OptionSheet.h"
#include "res/resource.h"
#include "wnd/Clipboard.h"
#include "wnd/MessageBox.h"

void CMainWnd::EditSerif()
{
    const int32_t row = m_SerifList.GetSelected();
    if (row < 0 || row >= m_Script.GetSerifCount())
        return;
    CMonitoringPause pause(*this);
    m_SerifDlg.Setup(&m_Script, m_Script.GetSerif(row), "セリフ編集");
    if (m_SerifDlg.DoModal(m_Wnd, IDD_SERIF) != 1)
        return;
    SetSaved(false);
    CUndoStep step(*this, "セリフ編集");
    m_Script.SetSerif(row, m_SerifDlg.GetSerif());
    ShowRowsChanged(row, row);
}

void CMainWnd::AddSerif()
{
    const int32_t count = m_Script.GetSerifCount();
    if (m_Script.GetCastCount() == 0) {
        ShowError("キャストがいません。\nキャストを追加してください。");
        EditCasts();
        return;
    }
    CMonitoringPause pause(*this);
    m_SerifDlg.Setup(&m_Script, CSerif(0, std::string()), "セリフ追加");
    if (m_SerifDlg.DoModal(m_Wnd, IDD_SERIF) != 1)
        return;
    SetSaved(false);
    CUndoStep step(*this, "セリフ追加");
    m_Script.AddSerif(m_SerifDlg.GetSerif());
    ShowRowCount(count);
    SelectRow(count);
}

void CMainWnd::InsertSerif()
{
    const int32_t row = m_SerifList.GetSelected();
    if (row < 0 || row > m_Script.GetSerifCount())
        return;
    CMonitoringPause pause(*this);
    m_SerifDlg.Setup(&m_Script, CSerif(0, std::string()), "セリフ挿入");
    if (m_SerifDlg.DoModal(m_Wnd, IDD_SERIF) != 1)
        return;
    SetSaved(false);
    CUndoStep step(*this, "セリフ挿入");
    m_Script.InsertSerif(row, m_SerifDlg.GetSerif());
    ShowRowCount(row);
    SelectRow(row);
}

void CMainWnd::DeleteSerif()
{
    const int32_t row = m_SerifList.GetSelected();
    if (row < 0 || row >= m_Script.GetSerifCount())
        return;
    if (AskYesNo(m_Wnd, "セリフを削除します", "確認")) {
        CUndoStep step(*this, "セリフ削除");
        m_Script.EraseSerif(row);
        ShowRowCount(row);
        // The cursor goes to the row above, or stays on row 0.
        m_SerifList.Select(row == 0 ? 0 : row - 1);
        SetSaved(false);
    }
    SetFocus(m_SerifList.GetHandle());
}

void CMainWnd::MoveSerifUp()
{
    const int32_t row = m_SerifList.GetSelected();
    if (row <= 0 || row >= m_Script.GetSerifCount())
        return;
    SetSaved(false);
    CUndoStep step(*this, "セリフを一つ上に");
    m_Script.ExchangeSerifs(row);
    ShowRowsChanged(row - 1, row);
    m_SerifList.Select(row - 1);
}

void CMainWnd::MoveSerifDown()
{
    const int32_t row = m_SerifList.GetSelected();
    if (row < 0 || row + 1 >= m_Script.GetSerifCount())
        return;
    SetSaved(false);
    CUndoStep step(*this, "セリフを一つ下に");
    m_Script.ExchangeSerifs(row + 1);
    ShowRowsChanged(row, row + 1);
    m_SerifList.Select(row + 1);
}

void CMainWnd::CopySerif()
{
    const int32_t row = m_SerifList.GetSelected();
    if (row < 0 || row >= m_Script.GetSerifCount())
        return;
    const CSerif& serif = m_Script.GetSerif(row);
    const std::string text =
        m_Script.FindCastName(serif.m_CastId) + "\t" + serif.m_Text + "\t" + serif.m_Memo;
    CClipboard clipboard;
    clipboard.SetText(text.c_str());
}

void CMainWnd::EditCasts()
{
    CMonitoringPause pause(*this);
    const int32_t row = m_SerifList.GetSelected();
    m_CastDlg.Setup(&m_Script, "キャスト編集");
    int result = 0;
    {
        CUndoStep step(*this, "キャスト編集");
        result = m_CastDlg.DoModal(m_Wnd, IDD_CAST);
    }
    if (result != 1)
        return;
    SetSaved(false);
    RefreshCastsAndSerifs();
    if (row >= 0)
        SelectRow(row);
}

void CMainWnd::EditScenarioSettings()
{
    CMonitoringPause pause(*this);
    m_ScriptDlg.Setup(&m_Script, "シナリオ設定");
    CUndoStep step(*this, "シナリオ設定");
    if (m_ScriptDlg.DoModal(m_Wnd, IDD_SCRIPT) == 1)
        SetSaved(false);
}

void CMainWnd::EditOptions()
{
    CMonitoringPause pause(*this);
    const unsigned hotKeyBefore = m_Option.m_Hotkey.m_HotKey;
    const COptionCue cueBefore = m_Option.m_Cue;
    COptionSheet sheet(&m_Option, m_Wnd);
    if (sheet.DoModal() <= 0)
        return;
    if (m_Option.m_Hotkey.m_HotKey != hotKeyBefore) {
        UnregisterPasteHotKey();
        RegisterPasteHotKey();
    }
    const COptionCue& cue = m_Option.m_Cue;
    if (cue.m_Skip != cueBefore.m_Skip || cue.m_Back != cueBefore.m_Back ||
        cue.m_Repeat != cueBefore.m_Repeat || cue.m_NextCast != cueBefore.m_NextCast ||
        cue.m_PrevCast != cueBefore.m_PrevCast) {
        UnregisterCueHotKeys();
        RegisterCueHotKeys();
    }
    m_SerifList.Redraw(true);
}
