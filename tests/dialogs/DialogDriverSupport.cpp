#include "DialogDriver.h"

#include <commctrl.h>

#include <utility>

namespace
{
CDialogDriver* g_Running = nullptr;

// Long enough for any dialog under Wine; only a dialog that never reacts
// reaches it.
const DWORD kGiveUpAfterMs = 20000;
const UINT kTickMs = 20;

bool IsDialogClass(HWND window)
{
    char name[16] = {};
    GetClassNameA(window, name, sizeof(name));
    return lstrcmpA(name, "#32770") == 0;
}

struct CThreadDialogs
{
    std::vector<HWND> m_All;   // visible dialog windows of the thread
    HWND m_Enabled = nullptr;  // the one that takes input
};

BOOL CALLBACK CollectDialog(HWND window, LPARAM param)
{
    auto* found = reinterpret_cast<CThreadDialogs*>(param);
    if (IsWindowVisible(window) && IsDialogClass(window)) {
        found->m_All.push_back(window);
        if (IsWindowEnabled(window) && !found->m_Enabled)
            found->m_Enabled = window;
    }
    return TRUE;
}

CThreadDialogs ThreadDialogs()
{
    CThreadDialogs found;
    EnumThreadWindows(GetCurrentThreadId(), CollectDialog, reinterpret_cast<LPARAM>(&found));
    return found;
}

struct CBoxTexts
{
    std::string m_Text;
};

BOOL CALLBACK CollectStatic(HWND child, LPARAM param)
{
    auto* texts = reinterpret_cast<CBoxTexts*>(param);
    char name[16] = {};
    GetClassNameA(child, name, sizeof(name));
    if (lstrcmpiA(name, "Static") == 0) {
        std::string text = CDialogDriver::GetText(child);
        if (!text.empty()) {
            if (!texts->m_Text.empty())
                texts->m_Text += '|';
            texts->m_Text += text;
        }
    }
    return TRUE;
}

// Closes a window that no step asked for: a message box gets its safe
// answer, any other dialog its Cancel.
void Dismiss(HWND window)
{
    if (GetDlgItem(window, IDNO))
        PostMessageA(window, WM_COMMAND, IDNO, 0);
    else if (GetDlgItem(window, IDCANCEL))
        PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
    else
        PostMessageA(window, WM_COMMAND, IDOK, 0);
}
}  // namespace

CDialogDriver::CDialogDriver() = default;

CDialogDriver::~CDialogDriver()
{
    Stop();
}

CDialogDriver& CDialogDriver::Then(Step step)
{
    m_Steps.push_back(CQueued{std::move(step), false});
    return *this;
}

CDialogDriver& CDialogDriver::OnDialog(std::function<void(HWND)> action)
{
    m_Steps.push_back(CQueued{[action](HWND top) {
                                  action(top);
                                  return true;
                              },
                              true});
    return *this;
}

CDialogDriver& CDialogDriver::SetText(int id, const std::string& text)
{
    return OnDialog([id, text](HWND dialog) {
        SendMessageA(FindControl(dialog, id), WM_SETTEXT, 0,
                     reinterpret_cast<LPARAM>(text.c_str()));
    });
}

CDialogDriver& CDialogDriver::Click(int id)
{
    return OnDialog([id](HWND dialog) {
        HWND control = FindControl(dialog, id);
        HWND parent = control ? GetParent(control) : dialog;
        PostMessageA(parent, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(control));
    });
}

CDialogDriver& CDialogDriver::PressKey(int id, UINT virtualKey)
{
    return OnDialog([id, virtualKey](HWND dialog) {
        HWND control = FindControl(dialog, id);
        UINT scan = MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC);
        PostMessageA(control, WM_KEYDOWN, virtualKey, 1 | (scan << 16));
        PostMessageA(control, WM_KEYUP, virtualKey, 1 | (scan << 16) | 0xC0000000u);
    });
}

CDialogDriver& CDialogDriver::Answer(int button)
{
    return Then([this, button](HWND top) {
        if (!top || top == m_Dialog)
            return false;
        m_Messages.push_back(ReadMessageBox(top));
        PostMessageA(top, WM_COMMAND, button, 0);
        return true;
    });
}

CDialogDriver& CDialogDriver::InOther(std::function<void(HWND)> action)
{
    return Then([this, action](HWND top) {
        if (!top || top == m_Dialog)
            return false;
        action(top);
        return true;
    });
}

void CDialogDriver::Start()
{
    Stop();
    m_Dialog = nullptr;
    m_Busy = false;
    g_Running = this;
    m_StartTick = GetTickCount();
    m_Timer = SetTimer(nullptr, 0, kTickMs, TimerProc);
}

void CDialogDriver::Clear()
{
    Stop();
    m_Steps.clear();
    m_Next = 0;
    m_TimedOut = false;
    m_Messages.clear();
    m_Unexpected.clear();
}

void CDialogDriver::Stop()
{
    if (m_Timer)
        KillTimer(nullptr, m_Timer);
    m_Timer = 0;
    if (g_Running == this)
        g_Running = nullptr;
}

void CALLBACK CDialogDriver::TimerProc(HWND, UINT, UINT_PTR, DWORD)
{
    if (g_Running)
        g_Running->Tick();
}

HWND CDialogDriver::InnermostWindow() const
{
    return ThreadDialogs().m_Enabled;
}

void CDialogDriver::Tick()
{
    if (m_Busy)
        return;
    m_Busy = true;
    HWND top = InnermostWindow();
    if (!m_Dialog && top)
        m_Dialog = top;

    if (GetTickCount() - m_StartTick > kGiveUpAfterMs) {
        m_TimedOut = true;
        CloseEverything();
    } else if (top && m_Next < m_Steps.size()) {
        CQueued& step = m_Steps[m_Next];
        if (step.m_OnDialog && top != m_Dialog) {
            // A message box that no step waits for.
            m_Unexpected.push_back(ReadMessageBox(top));
            Dismiss(top);
        } else if (step.m_Step(top)) {
            ++m_Next;
        }
    } else if (top && top != m_Dialog) {
        // Every step is done, yet something new is on screen.
        m_Unexpected.push_back(ReadMessageBox(top));
        Dismiss(top);
    }
    m_Busy = false;
}

void CDialogDriver::CloseEverything()
{
    CThreadDialogs found = ThreadDialogs();
    for (HWND window : found.m_All) {
        if (window == m_Dialog)
            continue;
        if (window == found.m_Enabled)
            m_Unexpected.push_back(ReadMessageBox(window));
        EndDialog(window, 0);
    }
    if (m_Dialog && IsWindow(m_Dialog))
        PostMessageA(m_Dialog, WM_COMMAND, IDCANCEL, 0);
}

HWND CDialogDriver::FindControl(HWND window, int id)
{
    HWND control = GetDlgItem(window, id);
    if (control)
        return control;
    HWND page = reinterpret_cast<HWND>(SendMessageA(window, PSM_GETCURRENTPAGEHWND, 0, 0));
    return page ? GetDlgItem(page, id) : nullptr;
}

std::string CDialogDriver::GetText(HWND window)
{
    int length = GetWindowTextLengthA(window);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    int got = GetWindowTextA(window, &text[0], length + 1);
    text.resize(got > 0 ? static_cast<size_t>(got) : 0);
    return text;
}

CMessageSeen CDialogDriver::ReadMessageBox(HWND box)
{
    CMessageSeen seen;
    seen.m_Caption = GetText(box);
    CBoxTexts texts;
    EnumChildWindows(box, CollectStatic, reinterpret_cast<LPARAM>(&texts));
    seen.m_Text = texts.m_Text;
    seen.m_YesNo = GetDlgItem(box, IDYES) && GetDlgItem(box, IDNO);
    return seen;
}
