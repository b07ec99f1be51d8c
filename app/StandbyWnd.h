// CStandbyWnd: the standby strip, a small always-on-top window of class
// "RolecueStandby" owned by the main window, that shows what the next press
// of the paste hotkey will do (see appcore/Standby.h).
//
// The strip never takes the activation or the focus: it is a tool window
// with WS_EX_NOACTIVATE, is shown with SW_SHOWNOACTIVATE and answers
// WM_MOUSEACTIVATE with MA_NOACTIVATE (under Wine a plain SW_SHOW or a click
// would activate it anyway). The user drags it with the mouse; near its
// right edge the drag changes its width. Its window text is the whole line,
// uncut, for tests and screen readers; only the drawing cuts the serif's
// text to the width, with "…". Its font, height and margins follow the DPI
// of its screen; the width is the user's, in pixels.
#pragma once

#include <windows.h>

#include <string>

#include "appcore/Standby.h"
#include "wnd/Window.h"

class CStandbyWnd : public CWindow
{
public:
    static const char kClassName[];  // "RolecueStandby"

    CStandbyWnd() = default;
    ~CStandbyWnd() override;

    static ATOM RegisterStandbyClass();
    // Creates the strip hidden, at `x`, `y` with `width` moved onto the
    // nearest monitor's work area when that rectangle is on no monitor.
    bool CreateStandby(HWND owner, int x, int y, int width);

    // Shows the line; repaints only when it changed.
    void SetLine(const CStandbyLine& line);
    // Shows or hides the strip without activating it.
    void ShowStrip(bool show);

    // The strip's place on the screen.
    RECT GetScreenRect() const;
    // The strip's height for the current font.
    int GetStripHeight() const { return m_Height; }

    LRESULT WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) override;

    // The DPI the strip's font and height are made for.
    UINT GetDpi() const { return m_Dpi; }

private:
    void MakeFont(UINT dpi);
    void OnPaint();
    void OnButtonDown(LPARAM position);
    void OnMouseMove(LPARAM position);

    CStandbyLine m_Line;
    HFONT m_Font = nullptr;
    UINT m_Dpi = 96;
    int m_Height = 28;
    // The drag under way: none, moving, or sizing from the right edge.
    enum EDrag
    {
        None,
        Move,
        Size
    } m_Drag = None;
    POINT m_DragStart = {};  // cursor, screen coordinates
    RECT m_DragRect = {};    // the strip when the drag began
};

// The rectangle moved onto the work area of the monitor nearest to it, when
// it is on no monitor at all; unchanged otherwise.
RECT KeepOnAMonitor(const RECT& rect);

// The longest start of `text`, cut between characters (a mark stays with
// its letter, an emoji sequence whole), that fits into `width` pixels in the
// font selected into `dc` with "…" after it; the whole text when it fits.
std::string CutToPixels(HDC dc, const std::string& text, int width);
