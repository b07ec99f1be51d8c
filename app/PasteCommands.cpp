// CMainWnd: monitoring, the paste hotkey and the paste step, status bar.
#include "app/MainWnd.h"

#include <commctrl.h>
#include <mmsystem.h>

#include "res/resource.h"
#include "wnd/Clipboard.h"
#include "wnd/CriticalSection.h"
#include "wnd/HotKeyCtrl.h"

// The portable paste plan spells these values out without <windows.h>.
static_assert(PasteKeys::kControl == VK_CONTROL, "Ctrl key code");
static_assert(PasteKeys::kV == 'V', "V key code");
static_assert(PasteKeys::kReturn == VK_RETURN, "Enter key code");
static_assert(CPasteSequencer::kHotKeyId == ID_PASTE_HOTKEY, "hotkey identifier");

namespace
{

// One synthesised key transition: a press carries KEYEVENTF_EXTENDEDKEY, a
// release KEYEVENTF_EXTENDEDKEY | KEYEVENTF_KEYUP.
void SendKey(BYTE virtualKey, bool release)
{
    const BYTE scan = static_cast<BYTE>(MapVirtualKeyA(virtualKey, 0));
    keybd_event(virtualKey, scan, KEYEVENTF_EXTENDEDKEY | (release ? KEYEVENTF_KEYUP : 0), 0);
}

}  // namespace

bool CMainWnd::IsMonitoring() const
{
    return m_Menu.IsChecked(IDM_MONITOR);
}

void CMainWnd::SetMonitoring(bool on)
{
    if (on == IsMonitoring())
        return;
    m_ToolBar.CheckButton(IDM_MONITOR, on);
    m_Menu.Check(IDM_MONITOR, on);
    UpdateStatusBar();
}

void CMainWnd::ToggleMonitoring()
{
    SetMonitoring(!IsMonitoring());
}

bool CMainWnd::IsAddReturn() const
{
    return m_Menu.IsChecked(IDM_ADD_RETURN);
}

void CMainWnd::ToggleAddReturn()
{
    m_Menu.Check(IDM_ADD_RETURN, !IsAddReturn());
}

int32_t CMainWnd::GetActiveCastId()
{
    if (!m_CastBox.IsBound())
        return -1;
    return m_Script.FindCastId(m_CastBox.GetSelectedText());
}

// MOD_NOREPEAT: a held key pastes one line, not one per auto-repeat.
UINT PasteHotKeyModifiers(unsigned hotKey)
{
    return HotkeyToModifiers((hotKey >> 8) & 0xFF) | MOD_NOREPEAT;
}

bool CMainWnd::RegisterPasteHotKey()
{
    const unsigned hotKey = m_Option.m_Hotkey.m_HotKey & 0xFFFF;
    if (RegisterHotKey(m_Wnd, ID_PASTE_HOTKEY, PasteHotKeyModifiers(hotKey), hotKey & 0xFF)) {
        m_HotKeyRegistered = true;
        return true;
    }
    char text[256] = {};
    wsprintfA(text, "ホットキーの設定に失敗しました。:%04x", hotKey);
    ShowError(text);
    return false;
}

bool CMainWnd::UnregisterPasteHotKey()
{
    if (UnregisterHotKey(m_Wnd, ID_PASTE_HOTKEY)) {
        m_HotKeyRegistered = false;
        return true;
    }
    ShowError("ホットキーの解除に失敗しました。");
    return false;
}

// KeyWait comes unchecked from option.xml. A negative value would turn into
// a wait of about 49 days: every press ignored and a paste that never ends.
// Such a value is taken as no wait at all.
static uint32_t KeyWaitMs(int32_t keyWait)
{
    return keyWait < 0 ? 0u : static_cast<uint32_t>(keyWait);
}

LRESULT CMainWnd::OnHotKey(WPARAM id)
{
    const bool inFront = GetForegroundWindow() == m_Wnd;
    if (m_Sequencer.AcceptHotKeyPress(static_cast<uint32_t>(id), inFront, IsMonitoring(),
                                      timeGetTime(), KeyWaitMs(m_Option.m_Hotkey.m_KeyWait)))
        PasteNextSerif();
    return 0;
}

// The serif text comes from the scenario, not from the list (whose texts
// are cut at 255 bytes): row r is serif r. When the clipboard cannot be set,
// or is no longer ours when the keys would go (another program holds it or
// replaced the text), no keys are sent, so the target never receives
// what the clipboard held before; the last pasted row goes back and the
// cursor stays on the target, so the next press tries the same line again.
void CMainWnd::PasteNextSerif()
{
    CCriticalSection section;
    CCriticalSectionLock lock(section);
    CDirectNotify direct(*this);

    const std::vector<int32_t> rows = CastIdsOfSerifs(m_Script.GetSerifs());
    CPasteSettings settings;
    settings.m_AddReturn = IsAddReturn();
    settings.m_KeyWaitMs = KeyWaitMs(m_Option.m_Hotkey.m_KeyWait);
    settings.m_AutoScroll = m_Option.m_General.m_AutoScroll != 0;
    settings.m_ScrollPos = m_Option.m_General.m_ScrollPos;
    const int32_t pageHeight = static_cast<int32_t>(m_SerifList.GetCountPerPage());
    const CPasteSequencer before = m_Sequencer;
    const CPastePlan plan = m_Sequencer.PlanPaste(rows, m_SerifList.GetSelected(),
                                                  GetActiveCastId(), settings, pageHeight);

    if (plan.m_FoundRow != kNoRow)
        m_SerifList.Select(plan.m_FoundRow);
    CClipboard clipboard(m_Wnd);
    if (!plan.HasPaste()) {
        clipboard.Clear();
        return;
    }
    const char* text = plan.m_PasteRow < m_Script.GetSerifCount()
                           ? m_Script.GetSerif(plan.m_PasteRow).m_Text.c_str()
                           : nullptr;
    if (!text || clipboard.SetText(text, true) != CClipboard::kOk || !clipboard.IsStillOurs()) {
        m_Sequencer = before;
        return;
    }
    for (const CKeyStep& step : plan.m_Keys) {
        if (step.m_Kind == CKeyStep::Wait)
            Sleep(step.m_WaitMs);
        else
            SendKey(step.m_VirtualKey, step.m_Kind == CKeyStep::Release);
    }
    if (plan.m_NextRow != kNoRow)
        m_SerifList.Select(plan.m_NextRow);
    if (plan.m_ScrollRow != kNoRow)
        m_SerifList.EnsureVisible(plan.m_ScrollRow, true);
}

void CMainWnd::UpdateStatusBar()
{
    if (!m_StatusBar.IsBound())
        return;
    const int32_t row = m_SerifList.IsBound() ? m_SerifList.GetSelected() : -1;
    char text[64] = {};
    wsprintfA(text, "%ld行", static_cast<long>(row + 1));
    const std::string state = IsMonitoring() ? "監視中" : "停止中";
    // A part is rewritten (and repainted) only when its text changes.
    if (text != m_StatusTexts[0]) {
        m_StatusBar.SetText(0, text);
        m_StatusTexts[0] = text;
    }
    if (state != m_StatusTexts[1]) {
        m_StatusBar.SetText(1, state.c_str());
        m_StatusTexts[1] = state;
    }
}
