#include "WndCoreSupport.h"

#include <map>
#include <utility>

namespace wndtest
{

namespace
{

const char kPlainClass[] = "RolecueWndCoreTestPlain";

void RegisterPlainClass()
{
    static bool registered = false;
    if (registered)
        return;
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kPlainClass;
    registered = RegisterClassExA(&wc) != 0;
}

std::map<UINT_PTR, std::function<void()>>& PendingActions()
{
    static std::map<UINT_PTR, std::function<void()>> actions;
    return actions;
}

void CALLBACK OnRunLater(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    auto& actions = PendingActions();
    auto it = actions.find(id);
    if (it == actions.end())
        return;
    std::function<void()> action = std::move(it->second);
    actions.erase(it);
    action();
}

struct CCountRequest
{
    const char* m_ClassName;
    int m_Count;
};

BOOL CALLBACK CountChild(HWND hWnd, LPARAM lParam)
{
    CCountRequest* request = reinterpret_cast<CCountRequest*>(lParam);
    char name[64] = {};
    GetClassNameA(hWnd, name, sizeof(name));
    if (lstrcmpiA(name, request->m_ClassName) == 0)
        ++request->m_Count;
    return TRUE;
}

BOOL CALLBACK CountTop(HWND hWnd, LPARAM lParam)
{
    CountChild(hWnd, lParam);
    EnumChildWindows(hWnd, CountChild, lParam);
    return TRUE;
}

// Safety net state.
UINT_PTR g_netTimer = 0;
int g_netTicks = 0;
bool g_netGaveUp = false;

BOOL CALLBACK CancelDialog(HWND hWnd, LPARAM)
{
    char name[16] = {};
    GetClassNameA(hWnd, name, sizeof(name));
    if (lstrcmpA(name, "#32770") == 0)
        PostMessageA(hWnd, WM_COMMAND, IDCANCEL, 0);
    return TRUE;
}

void CALLBACK OnNetTick(HWND, UINT, UINT_PTR, DWORD)
{
    if (++g_netTicks < 100)
        return;
    g_netGaveUp = true;
    EndMenu();
    EnumThreadWindows(GetCurrentThreadId(), CancelDialog, 0);
}

// NC destroy watch state.
HHOOK g_hook = nullptr;
HWND g_watched = nullptr;
bool g_seen = false;
LONG_PTR g_procedure = 0;
bool g_hadProperty = false;

LRESULT CALLBACK WatchHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION) {
        const CWPSTRUCT* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (message->hwnd == g_watched && message->message == WM_NCDESTROY) {
            g_seen = true;
            g_procedure = GetWindowLongPtrA(message->hwnd, GWLP_WNDPROC);
            g_hadProperty = GetPropA(message->hwnd, "CPP_CLASS") != nullptr;
        }
    }
    return CallNextHookEx(g_hook, code, wParam, lParam);
}

}  // namespace

CPlainWindow::CPlainWindow(const char* title, int width, int height) : m_Wnd(nullptr)
{
    RegisterPlainClass();
    m_Wnd = CreateWindowExA(0, kPlainClass, title, WS_OVERLAPPEDWINDOW, 50, 50, width, height,
                            nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

CPlainWindow::~CPlainWindow()
{
    if (m_Wnd && IsWindow(m_Wnd))
        DestroyWindow(m_Wnd);
}

void RunLater(std::function<void()> action, UINT delayMs)
{
    UINT_PTR id = SetTimer(nullptr, 0, delayMs, OnRunLater);
    if (id)
        PendingActions()[id] = std::move(action);
}

int CountThreadWindows(const char* className)
{
    CCountRequest request = {className, 0};
    EnumThreadWindows(GetCurrentThreadId(), CountTop, reinterpret_cast<LPARAM>(&request));
    return request.m_Count;
}

CModalSafetyNet::CModalSafetyNet()
{
    g_netTicks = 0;
    g_netGaveUp = false;
    g_netTimer = SetTimer(nullptr, 0, 100, OnNetTick);
}

CModalSafetyNet::~CModalSafetyNet()
{
    if (g_netTimer)
        KillTimer(nullptr, g_netTimer);
    g_netTimer = 0;
}

bool CModalSafetyNet::GaveUp() const
{
    return g_netGaveUp;
}

CNcDestroyWatch::CNcDestroyWatch(HWND window)
{
    g_watched = window;
    g_seen = false;
    g_procedure = 0;
    g_hadProperty = false;
    g_hook = SetWindowsHookExA(WH_CALLWNDPROC, WatchHook, nullptr, GetCurrentThreadId());
}

CNcDestroyWatch::~CNcDestroyWatch()
{
    if (g_hook)
        UnhookWindowsHookEx(g_hook);
    g_hook = nullptr;
    g_watched = nullptr;
}

void CNcDestroyWatch::Watch(HWND window)
{
    g_watched = window;
    g_seen = false;
}

bool CNcDestroyWatch::Seen() const
{
    return g_seen;
}

LONG_PTR CNcDestroyWatch::ProcedureAtNcDestroy() const
{
    return g_procedure;
}

bool CNcDestroyWatch::HadPropertyAtNcDestroy() const
{
    return g_hadProperty;
}

}  // namespace wndtest
