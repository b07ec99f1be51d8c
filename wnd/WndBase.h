// CWndBase, CWndBaseEx and SharedWndProc: binding of wrapper objects to
// windows and the one window procedure that routes a bound window's messages
// to its object's virtual WindowProc.
//
// Binding lives in two places: the object's window handle and the window
// property "CPP_CLASS", whose value is the object's address. SharedWndProc
// serves as the class procedure of our registered windows, as the dialog
// procedure of our modal dialogs, and as the subclass procedure of system
// controls bound with Attach.
//
// Ownership: a wrapper never owns its window and never destroys it. The
// window unbinds itself at WM_DESTROY (after the object's handler has seen
// that message). Destroying a wrapper that is still bound unbinds it (the
// window gets its own procedure back) so that no window is left pointing at
// a dead object; it does not destroy the window.
//
// CWndBase holds the binding and declares Attach and Detach, since
// SharedWndProc binds and unbinds through any bound object; CWndBaseEx adds
// the ways of getting a window to bind (a dialog item, a new child window).
//
// Texts are UTF-8 (the process code page the manifest asks for); only "A"
// calls are used, except for GDI text (wnd/WideText.h). UI thread only.
#pragma once

#include <windows.h>

// Name of the window property that carries the bound object.
extern const char kBindingProperty[];  // "CPP_CLASS"

// The shared window, dialog and subclass procedure. No exception leaves it:
// an exception thrown by an object's WindowProc is reported through the
// handler below and the message returns 0 (a failed WM_PAINT validates the
// window first, so that it is not asked to paint again and again).
LRESULT CALLBACK SharedWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

// SharedWndProc in the form that DialogBoxParamA and friends take.
DLGPROC SharedDlgProc();

// Receives the text of an exception caught in a window procedure (never
// null). The default handler writes it to the debugger (OutputDebugStringA);
// the program installs one that shows its error box. A handler may run a
// message loop (a message box does); exceptions thrown by it are dropped.
typedef void (*WndProcErrorHandler)(const char* what);

// Installs a handler (null restores the default); returns the previous one.
WndProcErrorHandler SetWndProcErrorHandler(WndProcErrorHandler handler);

// Passes a text to the current handler, once per incident: a report made
// while the handler is still running (a failure in a procedure that the
// handler's message box dispatched) goes to the default handler instead.
// Never throws.
void ReportWndProcException(const char* what);

// For a catch (...) block of a window procedure: reports the exception being
// handled, with its what() text or "unknown exception". An exception object
// that has been reported already (caught again further out) is not reported
// twice. Never throws.
void ReportCurrentWndProcException();

class CWndBase
{
public:
    CWndBase() : m_Wnd(nullptr), m_PrevProc(nullptr), m_IsDialog(0) {}
    virtual ~CWndBase();

    // Default message handling: the saved previous procedure when the window
    // was subclassed, else 0 for a dialog (the dialog manager does the rest),
    // else DefWindowProcA.
    virtual LRESULT WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

    // Binds this object to an existing window: sets "CPP_CLASS" and, unless
    // the window's procedure slot (DWLP_DLGPROC for dialogs, else
    // GWLP_WNDPROC) already holds SharedWndProc, subclasses it and keeps the
    // old procedure. An object bound elsewhere is unbound first; a window
    // bound to another object is taken from it first (that object gets
    // unbound, the window its own procedure back). Returns 1, or 0 for a null
    // handle or one that is not a window (nothing changes then).
    int Attach(HWND hWnd);

    // Undoes Attach: writes a saved previous procedure back, removes the
    // property. Returns 1, or 0 when the object was not bound.
    int Detach();

    HWND GetHandle() const { return m_Wnd; }
    bool IsBound() const { return m_Wnd != nullptr; }
    // True when the bound window was a dialog at binding time.
    bool IsDialog() const { return m_IsDialog != 0; }

    int GetId() const;
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    // ShowWindow; true when the window was visible before.
    bool Show(int showCommand) const;
    // Invalidates the whole window (erasing when asked) and updates it.
    bool Redraw(bool erase) const;
    // SetWindowTextA; a null text or an unbound object does nothing and
    // returns false.
    bool SetText(const char* text) const;
    HWND GetParentWindow() const;

    CWndBase(const CWndBase&) = delete;
    CWndBase& operator=(const CWndBase&) = delete;

protected:
    HWND m_Wnd;          // bound window, null while unbound
    WNDPROC m_PrevProc;  // procedure replaced by subclassing, or null
    int m_IsDialog;      // 1 when the window had a dialog procedure at binding
};

// Adds binding to dialog items and creation of child windows of any class.
class CWndBaseEx : public CWndBase
{
public:
    // GetDlgItem, then Attach. 0 when the parent is null or has no such item.
    int AttachDlgItem(HWND parent, int controlId);

    // CreateWindowExA with the program's module handle and this object as the
    // creation parameter, then Attach (which subclasses a system control).
    // `menu` is the control id for child windows. Returns 0 without creating
    // anything when the object is already bound, and 0 (unbound) when
    // creation fails.
    int CreateChild(const char* className, const char* text, DWORD style, DWORD exStyle, int x,
                    int y, int width, int height, HWND parent, HMENU menu);
};
