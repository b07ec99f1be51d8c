#include "tests/support/DialogDriver.h"

#include <commctrl.h>
#include <dlgs.h>

#include <gtest/gtest.h>

#include <utility>

namespace
{

CDialogDriver* g_Running = nullptr;

// Long enough for any window under Wine; only one that never reacts
// reaches it.
const DWORD kGiveUpAfterMs = 20000;
const UINT kTickMs = 20;

bool IsDialogWindow(HWND window)
{
    char name[16] = {};
    GetClassNameA(window, name, sizeof name);
    return lstrcmpA(name, "#32770") == 0;
}

BOOL CALLBACK CollectDialog(HWND window, LPARAM param)
{
    if (IsWindowVisible(window) && IsDialogWindow(window))
        reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
    return TRUE;
}

// The visible dialog-class windows of this thread, in Z order.
std::vector<HWND> ThreadDialogs()
{
    std::vector<HWND> found;
    EnumThreadWindows(GetCurrentThreadId(), CollectDialog, reinterpret_cast<LPARAM>(&found));
    return found;
}

BOOL CALLBACK CollectStatic(HWND child, LPARAM param)
{
    char name[16] = {};
    GetClassNameA(child, name, sizeof name);
    if (lstrcmpiA(name, "Static") == 0) {
        const std::string text = CDialogDriver::Text(child);
        std::string* all = reinterpret_cast<std::string*>(param);
        if (!text.empty()) {
            if (!all->empty())
                *all += "\n";
            *all += text;
        }
    }
    return TRUE;
}

// An open or save dialog has its file name box (cmb13 or edt1) inside.
bool IsFileDialog(HWND window)
{
    return GetDlgItem(window, cmb13) != nullptr || GetDlgItem(window, edt1) != nullptr;
}

// Closes a window that no step expected with the answer that changes the
// least.
void Dismiss(HWND window)
{
    int button = IDOK;
    if (GetDlgItem(window, IDCANCEL) != nullptr)
        button = IDCANCEL;
    else if (GetDlgItem(window, IDNO) != nullptr)
        button = IDNO;
    PostClick(window, button);
}

}  // namespace

CDialogDriver::CDialogDriver(const std::vector<int>& answers)
{
    for (int button : answers)
        Answer(button);
    Start();
}

CDialogDriver::~CDialogDriver()
{
    Stop();
}

CDialogDriver& CDialogDriver::Queue(Step step, bool onDialog)
{
    m_Steps.push_back(CQueued{std::move(step), onDialog});
    return *this;
}

CDialogDriver& CDialogDriver::Then(Step step)
{
    return Queue(std::move(step), false);
}

CDialogDriver& CDialogDriver::OnDialog(std::function<void(HWND)> action)
{
    return Queue(
        [action](HWND dialog) {
            action(dialog);
            return true;
        },
        true);
}

CDialogDriver& CDialogDriver::SetText(int id, const std::string& text)
{
    return OnDialog([id, text](HWND dialog) {
        SendMessageA(Control(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    });
}

CDialogDriver& CDialogDriver::SelectItem(int id, const std::string& text)
{
    return OnDialog([id, text](HWND dialog) {
        HWND box = Control(dialog, id);
        const int count = static_cast<int>(SendMessageA(box, CB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            const LRESULT length = SendMessageA(box, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0);
            std::string item(static_cast<size_t>(length) + 1, '\0');
            SendMessageA(box, CB_GETLBTEXT, static_cast<WPARAM>(i),
                         reinterpret_cast<LPARAM>(&item[0]));
            item.resize(static_cast<size_t>(length));
            if (item == text) {
                SendMessageA(box, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
                return;
            }
        }
        ADD_FAILURE() << "no item " << text << " in control " << id;
    });
}

CDialogDriver& CDialogDriver::Click(int id)
{
    return OnDialog([id](HWND dialog) { PostClick(dialog, id); });
}

CDialogDriver& CDialogDriver::PressKey(int id, UINT virtualKey)
{
    return OnDialog([id, virtualKey](HWND dialog) {
        HWND control = Control(dialog, id);
        const UINT scan = MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC);
        PostMessageA(control, WM_KEYDOWN, virtualKey, 1 | (scan << 16));
        PostMessageA(control, WM_KEYUP, virtualKey, 1 | (scan << 16) | 0xC0000000u);
    });
}

CDialogDriver& CDialogDriver::Record()
{
    return OnDialog([this](HWND dialog) { m_Seen.push_back(Read(dialog)); });
}

CDialogDriver& CDialogDriver::Close(int id)
{
    return Queue(
        [this, id](HWND dialog) {
            Done(dialog);
            PostClick(dialog, id);
            return true;
        },
        true);
}

CDialogDriver& CDialogDriver::Answer(int button)
{
    return Then([this, button](HWND window) {
        m_Seen.push_back(Read(window));
        Done(window);
        PostClick(window, button);
        return true;
    });
}

CDialogDriver& CDialogDriver::InOther(std::function<void(HWND)> action)
{
    return Then([this, action](HWND window) {
        if (window == m_Dialog)
            return false;
        action(window);
        return true;
    });
}

INT_PTR CDialogDriver::Play(const std::function<INT_PTR()>& modal)
{
    Start();
    const INT_PTR result = modal();
    Stop();
    ExpectPlayed(*this);
    return result;
}

void CDialogDriver::Start()
{
    Stop();
    if (g_Running != nullptr)
        g_Running->Stop();
    m_Dialog = nullptr;
    m_Busy = false;
    const std::vector<HWND> open = ThreadDialogs();
    m_Before = std::set<HWND>(open.begin(), open.end());
    g_Running = this;
    m_Start = GetTickCount();
    m_Timer = SetTimer(nullptr, 0, kTickMs, OnTimer);
}

void CDialogDriver::Stop()
{
    if (m_Timer != 0)
        KillTimer(nullptr, m_Timer);
    m_Timer = 0;
    if (g_Running == this)
        g_Running = nullptr;
}

void CDialogDriver::Clear()
{
    Stop();
    m_Steps.clear();
    m_Next = 0;
    m_Dialog = nullptr;
    m_Before.clear();
    m_Ignored.clear();
    m_Closing.clear();
    m_Seen.clear();
    m_Unexpected.clear();
    m_TimedOut = false;
}

bool CDialogDriver::IsRunning()
{
    return g_Running != nullptr;
}

void CALLBACK CDialogDriver::OnTimer(HWND, UINT, UINT_PTR id, DWORD)
{
    if (g_Running != nullptr && g_Running->m_Timer == id)
        g_Running->Tick();
}

HWND CDialogDriver::Innermost() const
{
    for (HWND window : ThreadDialogs()) {
        if (IsWindowEnabled(window) && m_Before.count(window) == 0 && m_Ignored.count(window) == 0)
            return window;
    }
    return nullptr;
}

// A window a step has closed: the driver looks at it no more, and when it
// was the dialog, the next window is.
void CDialogDriver::Done(HWND window)
{
    m_Ignored.insert(window);
    if (window == m_Dialog)
        m_Dialog = nullptr;
}

// Records and closes a window that no step expected.
void CDialogDriver::Refuse(HWND window)
{
    m_Unexpected.push_back(Read(window));
    Done(window);
    Dismiss(window);
}

void CDialogDriver::Tick()
{
    // A step's own SendMessage or message box may dispatch the timer again.
    if (m_Busy)
        return;
    m_Busy = true;
    if (m_Dialog != nullptr && !(IsWindow(m_Dialog) && IsWindowVisible(m_Dialog)))
        m_Dialog = nullptr;
    HWND window = Innermost();
    if (GetTickCount() - m_Start > kGiveUpAfterMs) {
        GiveUp();
    } else if (window != nullptr && !Finished()) {
        if (m_Dialog == nullptr)
            m_Dialog = window;
        CQueued& step = m_Steps[m_Next];
        if (step.m_OnDialog && window != m_Dialog)
            Refuse(window);
        else if (step.m_Step(window))
            ++m_Next;
    } else if (window != nullptr && window != m_Dialog) {
        Refuse(window);
    }
    m_Busy = false;
}

// Closes every window opened since the start: first with its button, then,
// when it did not react, by ending its dialog. The innermost one is recorded.
void CDialogDriver::GiveUp()
{
    const HWND innermost = Innermost();
    bool open = false;
    for (HWND window : ThreadDialogs()) {
        if (m_Before.count(window) != 0)
            continue;
        open = true;
        if (m_Closing.insert(window).second) {
            if (window == innermost)
                m_Unexpected.push_back(Read(window));
            Dismiss(window);
        } else {
            EndDialog(window, IDCANCEL);
        }
    }
    if (open || !Finished())
        m_TimedOut = true;
}

HWND CDialogDriver::Control(HWND window, int id)
{
    HWND control = GetDlgItem(window, id);
    if (control != nullptr)
        return control;
    HWND page = reinterpret_cast<HWND>(SendMessageA(window, PSM_GETCURRENTPAGEHWND, 0, 0));
    return page != nullptr ? GetDlgItem(page, id) : nullptr;
}

std::string CDialogDriver::Text(HWND window)
{
    const int length = GetWindowTextLengthA(window);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const int got = GetWindowTextA(window, &text[0], length + 1);
    text.resize(got > 0 ? static_cast<size_t>(got) : 0);
    return text;
}

CModalSeen CDialogDriver::Read(HWND window)
{
    CModalSeen seen;
    seen.m_Caption = Text(window);
    seen.m_FileDialog = IsFileDialog(window);
    if (!seen.m_FileDialog)
        EnumChildWindows(window, CollectStatic, reinterpret_cast<LPARAM>(&seen.m_Text));
    seen.m_Owner = GetWindow(window, GW_OWNER);
    seen.m_Topmost = (GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    seen.m_YesNo = GetDlgItem(window, IDYES) != nullptr && GetDlgItem(window, IDNO) != nullptr;
    return seen;
}

void ExpectPlayed(const CDialogDriver& driver)
{
    EXPECT_TRUE(driver.Finished()) << "a window the test waited for did not open, or closed "
                                      "before every step ran";
    EXPECT_FALSE(driver.TimedOut());
    for (const CModalSeen& seen : driver.Unexpected())
        ADD_FAILURE() << "unexpected window: " << seen.m_Caption << ": " << seen.m_Text;
}

void PostClick(HWND window, int id)
{
    HWND control = CDialogDriver::Control(window, id);
    HWND parent = control != nullptr ? GetParent(control) : window;
    PostMessageA(parent, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(control));
}

namespace
{

struct CCaptionSearch
{
    const char* m_Caption;
    HWND m_Found;
};

BOOL CALLBACK FindDialog(HWND window, LPARAM param)
{
    CCaptionSearch* search = reinterpret_cast<CCaptionSearch*>(param);
    if (!IsDialogWindow(window) || !IsWindowVisible(window) || !IsWindowEnabled(window))
        return TRUE;
    if (search->m_Caption != nullptr && CDialogDriver::Text(window) != search->m_Caption)
        return TRUE;
    search->m_Found = window;
    return FALSE;
}

}  // namespace

HWND FindThreadDialog(const char* caption)
{
    CCaptionSearch search = {caption, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&search));
    return search.m_Found;
}
