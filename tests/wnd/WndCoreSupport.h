// Helpers for the window framework suites (windows, dialogs, sheets, bars,
// menus): a plain parent window, delayed actions that run inside a modal
// loop, a safety net that ends a modal loop nobody ended, and a hook that
// tells which procedure a window had when it received WM_NCDESTROY.
#pragma once

#include <windows.h>

#include <functional>

namespace wndtest
{

// A hidden top-level window of a private class with DefWindowProcA,
// destroyed by the destructor. Hidden because Wine without a window manager
// waits up to two seconds for the map state of a shown captioned window.
class CPlainWindow
{
public:
    explicit CPlainWindow(const char* title = "wndcore test", int width = 400, int height = 300);
    ~CPlainWindow();
    CPlainWindow(const CPlainWindow&) = delete;
    CPlainWindow& operator=(const CPlainWindow&) = delete;
    HWND Get() const { return m_Wnd; }

private:
    HWND m_Wnd;
};

// Runs the action once, `delayMs` from now, from a thread timer: every
// message loop of the thread (a modal dialog's, a property sheet's, a menu's)
// dispatches it.
void RunLater(std::function<void()> action, UINT delayMs = 20);

// Number of windows of the class that this thread owns (children included).
int CountThreadWindows(const char* className);

// While it lives, a thread timer watches the modal loops of the thread:
// after about ten seconds it ends every dialog of the thread (IDCANCEL) and
// any menu, so that a broken test cannot hang the suite. GaveUp() then says
// so. One at a time.
class CModalSafetyNet
{
public:
    CModalSafetyNet();
    ~CModalSafetyNet();
    CModalSafetyNet(const CModalSafetyNet&) = delete;
    CModalSafetyNet& operator=(const CModalSafetyNet&) = delete;
    bool GaveUp() const;
};

// While it lives, records the window procedure (GWLP_WNDPROC) that `window`
// has at the moment it receives WM_NCDESTROY. One at a time.
class CNcDestroyWatch
{
public:
    explicit CNcDestroyWatch(HWND window = nullptr);
    ~CNcDestroyWatch();
    CNcDestroyWatch(const CNcDestroyWatch&) = delete;
    CNcDestroyWatch& operator=(const CNcDestroyWatch&) = delete;
    // Watches another window from now on (such as a dialog's control, known
    // only once the dialog runs).
    void Watch(HWND window);
    bool Seen() const;
    LONG_PTR ProcedureAtNcDestroy() const;
    // Whether the window still had the "CPP_CLASS" property then.
    bool HadPropertyAtNcDestroy() const;
};

}  // namespace wndtest
