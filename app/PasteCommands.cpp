// CMainWnd: monitoring, the paste hotkey and the paste step, status bar.
#include "app/MainWnd.h"

#include <commctrl.h>
#include <mmsystem.h>

#include "appcore/PasteGuard.h"
#include "appcore/PasteText.h"
#include "res/resource.h"
#include "wnd/Clipboard.h"
#include "wnd/HotKeyCtrl.h"
#include "wnd/ProcessIntegrity.h"

// The portable paste plan spells these values out without <windows.h>.
static_assert(PasteKeys::kControl == VK_CONTROL, "Ctrl key code");
static_assert(PasteKeys::kShift == VK_SHIFT, "Shift key code");
static_assert(PasteKeys::kV == 'V', "V key code");
static_assert(PasteKeys::kInsert == VK_INSERT, "Insert key code");
static_assert(PasteKeys::kReturn == VK_RETURN, "Enter key code");
static_assert(HeldKeys::kLeftShift == VK_LSHIFT && HeldKeys::kRightShift == VK_RSHIFT,
              "Shift key codes");
static_assert(HeldKeys::kLeftAlt == VK_LMENU && HeldKeys::kRightAlt == VK_RMENU, "Alt key codes");
static_assert(HeldKeys::kLeftWin == VK_LWIN && HeldKeys::kRightWin == VK_RWIN, "Windows key codes");
static_assert(CPasteSequencer::kHotKeyId == ID_PASTE_HOTKEY, "hotkey identifier");

namespace
{

const char kElevatedTarget[] = "管理者として実行中のウィンドウには貼り付けできません";

// One synthesised key transition. Ctrl, V, Enter and Insert go as extended
// keys, as they always have (Insert must: without the flag it is the keypad's
// 0); the Shift keys, the left Alt and the mask key go as plain ones, so that
// the system and the target see the key the user holds.
void SendKey(BYTE virtualKey, bool release)
{
    const bool plain = virtualKey == VK_SHIFT || virtualKey == VK_LSHIFT ||
                       virtualKey == VK_RSHIFT || virtualKey == VK_LMENU ||
                       virtualKey == HeldKeys::kMenuMask;
    const BYTE scan = static_cast<BYTE>(MapVirtualKeyA(virtualKey, 0));
    keybd_event(virtualKey, scan,
                (plain ? 0 : KEYEVENTF_EXTENDEDKEY) | (release ? KEYEVENTF_KEYUP : 0), 0);
}

void SendKeys(const std::vector<CKeyStep>& keys)
{
    for (const CKeyStep& step : keys) {
        if (step.m_Kind == CKeyStep::Wait)
            Sleep(step.m_WaitMs);
        else
            SendKey(step.m_VirtualKey, step.m_Kind == CKeyStep::Release);
    }
}

// The hotkey fires while its keys are still down: waits a moment for the
// user to let go of Shift, Alt and the Windows keys, and gives the ones
// still down.
std::vector<uint8_t> WaitForHeldKeys()
{
    const DWORD start = GetTickCount();
    for (;;) {
        std::vector<uint8_t> held;
        for (uint8_t key : HeldKeys::kWatched) {
            if (GetAsyncKeyState(key) & 0x8000)
                held.push_back(key);
        }
        if (held.empty() || GetTickCount() - start >= HeldKeys::kWaitMs)
            return held;
        Sleep(HeldKeys::kPollMs);
    }
}

class CForegroundProbe : public IIntegrityProbe
{
public:
    // Our own level never changes while we run: read once, not per press.
    bool ReadOwnLevel(uint32_t& level) override
    {
        static uint32_t own = 0;
        static const bool known = ReadOwnIntegrityLevel(own);
        level = own;
        return known;
    }
    bool ReadTargetLevel(uint32_t& level) override
    {
        return ReadWindowIntegrityLevel(GetForegroundWindow(), level);
    }
};

}  // namespace

void CMainWnd::SetMonitoring(bool on)
{
    if (on == m_Monitoring)
        return;
    m_Monitoring = on;
    RefreshViews();
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
    const uint32_t now = timeGetTime();
    const uint32_t keyWait = KeyWaitMs(m_Option.m_Hotkey.m_KeyWait);
    const uint32_t key = static_cast<uint32_t>(id);
    if (m_Sequencer.AcceptHotKeyPress(key, inFront, IsMonitoring(), now, keyWait))
        PasteNextSerif();
    else if (m_Sequencer.AcceptCuePress(key, inFront, IsMonitoring(), now, keyWait))
        OnCueKey(key);
    return 0;
}

CPasteSettings CMainWnd::GetPasteSettings()
{
    CPasteSettings settings;
    settings.m_PasteKey = m_Option.m_Paste.m_Key;
    settings.m_AddReturn = IsAddReturn();
    settings.m_KeyWaitMs = KeyWaitMs(m_Option.m_Hotkey.m_KeyWait);
    settings.m_EnterWaitMs =
        static_cast<uint32_t>(COptionPaste::ClampWait(m_Option.m_Paste.m_EnterWait));
    settings.m_AutoScroll = m_Option.m_General.m_AutoScroll != 0;
    settings.m_ScrollPos = m_Option.m_General.m_ScrollPos;
    return settings;
}

// A window in front that runs above our integrity level would drop the
// keys: nothing at all happens then but a note in the status bar.
bool CMainWnd::RefuseElevatedTarget()
{
    CForegroundProbe probe;
    if (!IsTargetAboveUs(probe))
        return false;
    ShowStatusNote(kElevatedTarget);
    MessageBeep(MB_ICONEXCLAMATION);
    return true;
}

// The serif text comes from the scenario: row r is serif r. When the
// clipboard cannot be set, or is no longer ours when the keys would go
// (another program holds it or replaced the text), no keys are sent, so the
// target never receives what the clipboard held before; the last pasted row
// goes back and the cursor stays on the target, so the next press tries the
// same line again.
//
// The keys go out before any view is touched: the cursor moves after them,
// and the views are refreshed once the press is done (a posted message), so
// that nothing on our side stands between the hotkey and the chat.
void CMainWnd::PasteNextSerif()
{
    struct CHoldRefresh
    {
        CMainWnd& m_Window;
        explicit CHoldRefresh(CMainWnd& window) : m_Window(window)
        {
            m_Window.m_HoldRefresh = true;
        }
        ~CHoldRefresh()
        {
            m_Window.m_HoldRefresh = false;
            PostMessageA(m_Window.m_Wnd, kRefreshMessage, 0, 0);
        }
    } hold(*this);

    m_StatusNote.clear();
    if (RefuseElevatedTarget())
        return;
    const CPressRows press = PressRowsOf(m_Script.GetSerifs(), GetActiveCasts());
    const int32_t pageHeight = static_cast<int32_t>(m_SerifList.GetCountPerPage());
    const CPasteSequencer before = m_Sequencer;
    const CPastePlan plan = m_Sequencer.PlanPaste(press.m_Rows, m_SerifList.GetSelected(),
                                                  press.m_Active, GetPasteSettings(), pageHeight);

    if (!plan.HasPaste()) {
        CClipboard(m_Wnd).Clear();
        // The emptied clipboard is ours too: a restore still due goes ahead.
        if (m_RestorePending)
            m_PastedSequence = GetClipboardSequenceNumber();
        if (plan.m_FoundRow != kNoRow)
            m_SerifList.Select(plan.m_FoundRow);
        return;
    }
    if (plan.m_PasteRow >= m_Script.GetSerifCount() ||
        !TypeText(PasteTextOfRow(plan.m_PasteRow), plan.m_Keys)) {
        m_Sequencer = before;
        if (plan.m_FoundRow != kNoRow)
            m_SerifList.Select(plan.m_FoundRow);
        return;
    }
    const int32_t cursor = plan.m_NextRow != kNoRow ? plan.m_NextRow : plan.m_FoundRow;
    if (cursor != kNoRow)
        m_SerifList.Select(cursor);
    if (plan.m_ScrollRow != kNoRow)
        m_SerifList.EnsureVisible(plan.m_ScrollRow, true);
}

void CMainWnd::TypeSerif(int32_t row)
{
    if (row < 0 || row >= m_Script.GetSerifCount() || RefuseElevatedTarget())
        return;
    TypeText(PasteTextOfRow(row), PlanPasteKeys(GetPasteSettings()));
}

std::string CMainWnd::PasteTextOfRow(int32_t row) const
{
    const std::string line = FormattedLineOfRow(m_Script, row);
    return m_Option.m_Paste.m_EscapeMarkup ? EscapeChatMarkup(line) : line;
}

bool CMainWnd::TypeText(const std::string& text, const std::vector<CKeyStep>& keys)
{
    const COptionPaste& options = m_Option.m_Paste;
    CClipboard clipboard(m_Wnd);
    const std::vector<uint8_t> held = WaitForHeldKeys();
    if (options.m_RestoreClipboard)
        KeepClipboardForRestore(clipboard);
    const int result = clipboard.SetText(text.c_str(), options.m_KeepOutOfHistory != 0);
    if (result != CClipboard::kOk || !clipboard.IsStillOurs()) {
        // A refused set may have emptied the clipboard: give the user's back.
        if (result == CClipboard::kRefused && m_RestorePending)
            RestoreClipboardNow(GetClipboardSequenceNumber());
        return false;
    }
    SendKeys(PlanHeldKeyUps(held));
    SendKeys(keys);
    if (m_RestorePending) {
        m_PastedSequence = clipboard.GetSequence();
        const UINT wait = static_cast<UINT>(COptionPaste::ClampWait(options.m_RestoreWait));
        SetTimer(m_Wnd, kRestoreTimerId, wait < USER_TIMER_MINIMUM ? USER_TIMER_MINIMUM : wait,
                 nullptr);
    }
    return true;
}

// A press while an earlier restore is still due keeps the content saved
// first, unless the user has copied something since our last paste: then
// that is what goes back at the end.
void CMainWnd::KeepClipboardForRestore(const CClipboard& clipboard)
{
    if (m_RestorePending && GetClipboardSequenceNumber() == m_PastedSequence)
        return;
    m_RestorePending = m_SavedClipboard.Take(clipboard);
}

void CMainWnd::RestoreClipboardNow(DWORD sequence)
{
    KillTimer(m_Wnd, kRestoreTimerId);
    if (m_RestorePending)
        m_SavedClipboard.RestoreIf(CClipboard(m_Wnd), sequence);
    m_RestorePending = false;
    m_SavedClipboard = CClipboardSnapshot();
}

LRESULT CMainWnd::OnTimer(WPARAM id)
{
    if (id == kRestoreTimerId)
        RestoreClipboardNow(m_PastedSequence);
    return 0;
}

void CMainWnd::ShowStatusNote(const char* text)
{
    m_StatusNote = text;
}
