#include "wnd/Window.h"

ATOM CWindow::RegisterWndClass(const char* className, UINT classStyle, HICON icon, HICON smallIcon,
                               HCURSOR cursor, HBRUSH background, int menuId)
{
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof(wc);
    wc.style = classStyle;
    wc.lpfnWndProc = SharedWndProc;
    wc.cbClsExtra = 0;
    wc.cbWndExtra = 0;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hIcon = icon;
    wc.hCursor = cursor;
    wc.hbrBackground = background;
    wc.lpszMenuName = menuId ? MAKEINTRESOURCEA(menuId) : nullptr;
    wc.lpszClassName = className;
    wc.hIconSm = smallIcon;
    return RegisterClassExA(&wc);
}

int CWindow::Create(const char* className, const char* title, DWORD style, DWORD exStyle, int x,
                    int y, int width, int height, HWND parent, HMENU menu)
{
    if (m_Wnd)
        return 0;
    HWND hWnd = CreateWindowExA(exStyle, className, title, style, x, y, width, height, parent, menu,
                                GetModuleHandleA(nullptr), static_cast<CWndBase*>(this));
    if (!hWnd) {
        Detach();
        return 0;
    }
    // Windows of our classes are bound by now; others get subclassed.
    return Attach(hWnd);
}

int CWindow::SetIcon(int iconId)
{
    if (!m_Wnd)
        return 0;
    HICON icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(iconId));
    if (!icon)
        return 0;
    return Send(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon)) ? 1 : 0;
}

void CWindow::Destroy()
{
    if (m_Wnd)
        DestroyWindow(m_Wnd);
}

bool CenterWindow(HWND reference, HWND window)
{
    RECT ref, rc;
    if (!GetWindowRect(reference, &ref) || !GetWindowRect(window, &rc))
        return false;
    const int w = rc.right - rc.left;
    const int h = rc.bottom - rc.top;
    const int refW = ref.right - ref.left;
    const int refH = ref.bottom - ref.top;

    RECT work;
    if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0)) {
        work.left = 0;
        work.top = 0;
        work.right = GetSystemMetrics(SM_CXSCREEN);
        work.bottom = GetSystemMetrics(SM_CYSCREEN);
    }

    int x = ref.left + (refW - w) / 2;
    if (x < work.left)
        x = work.left;
    else if (x + w > work.right)
        x = work.right - w;

    int y = ref.top + (refH - h) / 2;
    if (y < work.top)
        y = work.top;
    else if (y + h > work.bottom)
        y = work.bottom - h;

    return SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER) != FALSE;
}
