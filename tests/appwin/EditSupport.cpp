// Helpers of the editing and search command suites.
#include "EditSupport.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <utility>

namespace
{

CModalPlayer* g_Player = nullptr;

// Long enough for any dialog under Wine; only a window that never reacts
// reaches it.
const DWORD kGiveUpAfterMs = 20000;
const UINT kTickMs = 30;

bool IsDialogWindow(HWND window)
{
    char name[16] = {};
    GetClassNameA(window, name, sizeof name);
    return lstrcmpA(name, "#32770") == 0;
}

struct CThreadWindows
{
    std::vector<HWND> m_Dialogs;  // visible dialog windows, in Z order
};

BOOL CALLBACK CollectDialogs(HWND window, LPARAM param)
{
    if (IsWindowVisible(window) && IsDialogWindow(window))
        reinterpret_cast<CThreadWindows*>(param)->m_Dialogs.push_back(window);
    return TRUE;
}

std::vector<HWND> ThreadDialogs()
{
    CThreadWindows found;
    EnumThreadWindows(GetCurrentThreadId(), CollectDialogs, reinterpret_cast<LPARAM>(&found));
    return found.m_Dialogs;
}

BOOL CALLBACK CollectStatic(HWND child, LPARAM param)
{
    char name[16] = {};
    GetClassNameA(child, name, sizeof name);
    if (lstrcmpiA(name, "Static") == 0) {
        const std::string text = CModalPlayer::Text(child);
        std::string* all = reinterpret_cast<std::string*>(param);
        if (!text.empty()) {
            if (!all->empty())
                *all += "\n";
            *all += text;
        }
    }
    return TRUE;
}

// Closes a window no step expected with its safest answer.
void Dismiss(HWND window)
{
    int button = IDOK;
    if (GetDlgItem(window, IDNO) != nullptr)
        button = IDNO;
    else if (GetDlgItem(window, IDCANCEL) != nullptr)
        button = IDCANCEL;
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
}

void PostClick(HWND window, int id)
{
    HWND control = CModalPlayer::Control(window, id);
    HWND parent = control != nullptr ? GetParent(control) : window;
    // A button of a property sheet itself (OK, Cancel) belongs to the sheet.
    if (parent != window && GetDlgItem(window, id) == control)
        parent = window;
    PostMessageA(parent, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(control));
}

}  // namespace

CModalPlayer::CModalPlayer()
{
    for (HWND window : ThreadDialogs())
        m_Ignored.insert(window);
    g_Player = this;
    m_Start = GetTickCount();
    m_Timer = SetTimer(nullptr, 0, kTickMs, OnTimer);
}

CModalPlayer::~CModalPlayer()
{
    KillTimer(nullptr, m_Timer);
    if (g_Player == this)
        g_Player = nullptr;
}

bool CModalPlayer::IsRunning()
{
    return g_Player != nullptr;
}

CModalPlayer& CModalPlayer::Then(Step step)
{
    m_Steps.push_back(std::move(step));
    return *this;
}

CModalPlayer& CModalPlayer::Do(std::function<void(HWND)> action)
{
    return Then([action](HWND window) {
        action(window);
        return true;
    });
}

CModalPlayer& CModalPlayer::SetText(int id, const std::string& text)
{
    return Do([id, text](HWND window) {
        SendMessageA(Control(window, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    });
}

CModalPlayer& CModalPlayer::SelectItem(int id, const std::string& text)
{
    return Do([id, text](HWND window) {
        HWND box = Control(window, id);
        const int count = static_cast<int>(SendMessageA(box, CB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            char item[512] = {};
            SendMessageA(box, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item));
            if (text == item) {
                SendMessageA(box, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
                return;
            }
        }
        ADD_FAILURE() << "no item " << text << " in control " << id;
    });
}

CModalPlayer& CModalPlayer::Click(int id)
{
    return Do([id](HWND window) { PostClick(window, id); });
}

CModalPlayer& CModalPlayer::Close(int id)
{
    return Then([this, id](HWND window) {
        m_Ignored.insert(window);
        PostClick(window, id);
        return true;
    });
}

CModalPlayer& CModalPlayer::Answer(int button)
{
    return Then([this, button](HWND window) {
        m_Seen.push_back(Read(window));
        m_Ignored.insert(window);
        PostMessageA(window, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
        return true;
    });
}

CModalPlayer& CModalPlayer::Record()
{
    return Do([this](HWND window) { m_Seen.push_back(Read(window)); });
}

HWND CModalPlayer::Control(HWND window, int id)
{
    HWND control = GetDlgItem(window, id);
    if (control != nullptr)
        return control;
    HWND page = reinterpret_cast<HWND>(SendMessageA(window, PSM_GETCURRENTPAGEHWND, 0, 0));
    return page != nullptr ? GetDlgItem(page, id) : nullptr;
}

std::string CModalPlayer::Text(HWND window)
{
    const int length = GetWindowTextLengthA(window);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const int got = GetWindowTextA(window, &text[0], length + 1);
    text.resize(got > 0 ? static_cast<size_t>(got) : 0);
    return text;
}

CModalSeen CModalPlayer::Read(HWND window)
{
    CModalSeen seen;
    seen.m_Caption = Text(window);
    EnumChildWindows(window, CollectStatic, reinterpret_cast<LPARAM>(&seen.m_Text));
    seen.m_Owner = GetWindow(window, GW_OWNER);
    seen.m_Topmost = (GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    return seen;
}

void CALLBACK CModalPlayer::OnTimer(HWND, UINT, UINT_PTR, DWORD)
{
    if (g_Player != nullptr)
        g_Player->Tick();
}

HWND CModalPlayer::Innermost() const
{
    for (HWND window : ThreadDialogs()) {
        if (IsWindowEnabled(window) && m_Ignored.count(window) == 0)
            return window;
    }
    return nullptr;
}

void CModalPlayer::Tick()
{
    // A step's own message box or SendMessage may dispatch this timer again.
    if (m_Busy)
        return;
    m_Busy = true;
    HWND window = Innermost();
    if (GetTickCount() - m_Start > kGiveUpAfterMs) {
        if (window != nullptr) {
            m_TimedOut = true;
            m_Unexpected.push_back(Read(window));
            m_Ignored.insert(window);
            Dismiss(window);
        }
    } else if (window != nullptr && m_Next < m_Steps.size()) {
        if (m_Steps[m_Next](window))
            ++m_Next;
    } else if (window != nullptr) {
        m_Unexpected.push_back(Read(window));
        m_Ignored.insert(window);
        Dismiss(window);
    }
    m_Busy = false;
}

void ClearSelection(HWND list)
{
    LVITEMA item = {};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = 0;
    SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item));
}

bool HasFocusIn(HWND window)
{
    HWND focus = GetFocus();
    return focus != nullptr && (focus == window || IsChild(window, focus));
}

std::string ClipboardText()
{
    std::string text = "(none)";
    if (!OpenClipboard(nullptr))
        return text;
    HANDLE data = GetClipboardData(CF_TEXT);
    if (data != nullptr) {
        const char* bytes = static_cast<const char*>(GlobalLock(data));
        if (bytes != nullptr)
            text = bytes;
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

std::wstring ClipboardUnicode()
{
    std::wstring text = L"(none)";
    if (!OpenClipboard(nullptr))
        return text;
    // Only what the program placed itself: a system conversion from CF_TEXT
    // would make the answer meaningless.
    if (IsClipboardFormatAvailable(CF_UNICODETEXT)) {
        UINT format = 0;
        bool placed = false;
        while ((format = EnumClipboardFormats(format)) != 0) {
            if (format == CF_UNICODETEXT)
                placed = true;
        }
        HANDLE data = placed ? GetClipboardData(CF_UNICODETEXT) : nullptr;
        if (data != nullptr) {
            const wchar_t* chars = static_cast<const wchar_t*>(GlobalLock(data));
            if (chars != nullptr)
                text = chars;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

void SetClipboardMarker(const std::string& text)
{
    if (!OpenClipboard(nullptr))
        return;
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    if (memory != nullptr) {
        char* bytes = static_cast<char*>(GlobalLock(memory));
        lstrcpyA(bytes, text.c_str());
        GlobalUnlock(memory);
        if (SetClipboardData(CF_TEXT, memory) == nullptr)
            GlobalFree(memory);
    }
    CloseClipboard();
}

void PressKey(WORD virtualKey, bool shift, bool control)
{
    std::vector<INPUT> inputs;
    auto add = [&inputs](WORD key, bool up) {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
        input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC));
        input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        inputs.push_back(input);
    };
    if (control)
        add(VK_CONTROL, false);
    if (shift)
        add(VK_SHIFT, false);
    add(virtualKey, false);
    add(virtualKey, true);
    if (shift)
        add(VK_SHIFT, true);
    if (control)
        add(VK_CONTROL, true);
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void PumpWithAccelerators(HWND main, HACCEL accelerators, DWORD ms)
{
    const DWORD start = GetTickCount();
    do {
        MSG message = {};
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT)
                continue;
            bool taken = false;
            const bool input =
                (message.message >= WM_KEYFIRST && message.message <= WM_KEYLAST) ||
                (message.message >= WM_MOUSEFIRST && message.message <= WM_MOUSELAST);
            if (input) {
                for (HWND parent = GetParent(message.hwnd); parent != nullptr && !taken;
                     parent = GetParent(parent))
                    taken = IsDialogMessageA(parent, &message) != 0;
            }
            const bool translated = TranslateAcceleratorA(main, accelerators, &message) != 0;
            if (taken || translated)
                continue;
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        Sleep(10);
    } while (GetTickCount() - start < ms);
}
