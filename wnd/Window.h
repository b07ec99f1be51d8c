// CWindow: top-level windows of our own registered classes, and
// CenterWindow.
//
// A window of a class registered with RegisterWndClass runs SharedWndProc as
// its class procedure; Create passes the object as the creation parameter,
// and the object is bound at WM_NCCREATE. The object does not own the
// window: Destroy (or the user) ends it, and the window must be destroyed
// before the object. Texts are UTF-8.
#pragma once

#include <windows.h>

#include "wnd/WndBase.h"

class CWindow : public CWndBaseEx
{
public:
    // RegisterClassExA with SharedWndProc, no class or window extra bytes and
    // the program's module handle; menuId 0 means no menu. Returns the class
    // atom, 0 on failure.
    static ATOM RegisterWndClass(const char* className, UINT classStyle, HICON icon,
                                 HICON smallIcon, HCURSOR cursor, HBRUSH background, int menuId);

    // CreateWindowExA with the program's module handle and this object as
    // the creation parameter. Returns 1 when the window was created and is
    // bound to this object (a window of a foreign class gets subclassed);
    // 0 without creating anything when already bound, 0 (unbound) when
    // creation fails.
    int Create(const char* className, const char* title, DWORD style, DWORD exStyle, int x, int y,
               int width, int height, HWND parent, HMENU menu);

    // Sets the small icon to the icon resource of the program's module.
    // Returns 1 when the window had a small icon before, else 0; when the
    // icon cannot be loaded, returns 0 and leaves the window's icon alone.
    int SetIcon(int iconId);

    // DestroyWindow when bound (the window unbinds itself at WM_DESTROY).
    void Destroy();
};

// Moves `window` so that it is centred over `reference`, kept inside the
// work area (the screen when the work area is not available): a position
// left of (above) the work area goes to its left (top) edge, else one past
// its right (bottom) edge is pulled back. Size and Z order stay. Returns
// false when either window has no rectangle.
bool CenterWindow(HWND reference, HWND window);
