// Entry point of Rolecue.exe: the error box for exceptions caught in window
// procedures, single instance, class registration, the main window,
// accelerators and the message loop.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "app/MainWnd.h"
#include "persist/ErrorText.h"
#include "res/resource.h"
#include "wnd/MessageBox.h"
#include "wnd/Mutex.h"
#include "wnd/WideText.h"
#include "wnd/WndBase.h"

namespace
{

// Both live from before WinMain until the process ends; the mutex is
// released and closed by its destructor at exit.
CMainWnd g_MainWnd;
CMutex g_InstanceMutex;

WndProcErrorHandler g_DebuggerReport = nullptr;

// An exception caught in a window procedure: the debugger gets the text as
// before, the user the program's error box (owned by the main window once it
// exists). The framework calls this once per incident and never while a box
// of it is still up.
void ShowWndProcError(const char* what)
{
    if (g_DebuggerReport)
        g_DebuggerReport(what);
    // The user sees no place in our sources; the debugger got it above.
    const std::string text =
        std::string("予期しないエラーが発生しました。\n") + UserErrorText(what);
    g_MainWnd.ShowError(text.c_str());
}

// Every narrow string of the program is UTF-8, which the "A" calls take only
// under the manifest's UTF-8 code page: Windows before 10 (1903) ignores it.
// The box is shown through the "W" call, since the "A" one would read the
// UTF-8 text in the system's code page.
bool RequireUtf8CodePage()
{
    if (GetACP() == CP_UTF8)
        return true;
    MessageBoxW(nullptr, Widen("このプログラムには Windows 10 (1903) 以降が必要です。").c_str(),
                Widen("エラー").c_str(), kErrorBoxFlags);
    return false;
}

bool IsKeyboardOrMouse(UINT message)
{
    return (message >= WM_KEYFIRST && message <= 0x0108) ||
           (message >= WM_MOUSEFIRST && message <= 0x0209);
}

// Keyboard and mouse messages are offered to every parent window in turn
// (the modeless find and replace dialogs); the main window's accelerators
// are tried in any case, so they work while those dialogs have the focus.
int RunMessageLoop(HWND main, HACCEL accelerators)
{
    MSG message = {};
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        bool taken = false;
        if (IsKeyboardOrMouse(message.message)) {
            for (HWND parent = GetParent(message.hwnd); parent != nullptr && !taken;
                 parent = GetParent(parent))
                taken = IsDialogMessageA(parent, &message) != 0;
        }
        const bool translated =
            accelerators != nullptr && TranslateAcceleratorA(main, accelerators, &message) != 0;
        if (translated || taken)
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE module, HINSTANCE, LPSTR, int)
{
    // Before anything else, and before any file is touched.
    if (!RequireUtf8CodePage())
        return 0;
    g_DebuggerReport = SetWndProcErrorHandler(ShowWndProcError);

    INITCOMMONCONTROLSEX controls = {sizeof(controls),
                                     ICC_WIN95_CLASSES | ICC_COOL_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);

    // A second copy leaves at once, silently.
    const int instance = g_InstanceMutex.Create(CMainWnd::kProductName);
    if (instance == CMutex::kAlreadyExists || instance == CMutex::kNotAMutex)
        return 0;

    if (CMainWnd::RegisterMainClass() == 0) {
        MessageBoxA(nullptr, "アプリケーションを初期化できません", nullptr, MB_ICONEXCLAMATION);
        return 0;
    }
    if (!g_MainWnd.CreateMain()) {
        MessageBoxA(nullptr, "ウインドウを作成できません", nullptr, MB_ICONEXCLAMATION);
        return 0;
    }
    HWND main = g_MainWnd.GetHandle();
    CenterWindow(GetDesktopWindow(), main);
    ShowWindow(main, SW_SHOW);
    UpdateWindow(main);

    HACCEL accelerators = LoadAcceleratorsA(module, MAKEINTRESOURCEA(IDR_ACCELERATORS));
    if (accelerators == nullptr) {
        const std::string text =
            std::string("アクセラレータのロードに失敗しました。\n") + GetSystemErrorText();
        MessageBoxA(nullptr, text.c_str(), "", MB_OK);
    }
    return RunMessageLoop(main, accelerators);
}
