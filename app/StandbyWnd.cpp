#include "app/StandbyWnd.h"

#include <windowsx.h>

#include <algorithm>
#include <string>
#include <vector>

#include "option/OptionCue.h"
#include "text/Utf8.h"
#include "wnd/Dpi.h"
#include "wnd/WideText.h"

const char CStandbyWnd::kClassName[] = "RolecueStandby";

namespace
{

// Sizes at 96 DPI, scaled to the strip's.
const int kPadding = 6;      // left and right of the text
const int kSizeEdge = 8;     // the width of the right edge that sizes
const int kFontHeight = 16;  // the text's em height
// The length of a line over the user's limit: red, readable on the
// tooltip yellow of the strip.
const COLORREF kWarningColor = RGB(0xC0, 0x00, 0x00);
const int kMargin = 10;  // the strip's height beyond the text's
const char kEllipsis[] = "…";

int PixelWidth(HDC dc, const std::string& text)
{
    const std::wstring wide = Widen(text);
    SIZE size = {};
    GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
    return size.cx;
}

void DrawLine(HDC dc, const std::string& text, RECT& area, UINT flags)
{
    const std::wstring wide = Widen(text);
    DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &area, flags);
}

}  // namespace

// The cut is found by halving, so a long line costs a few measurements, not
// one per character.
std::string CutToPixels(HDC dc, const std::string& text, int width)
{
    if (PixelWidth(dc, text) <= width)
        return text;
    std::vector<size_t> ends;  // where each character ends
    for (size_t i = 0; i < text.size();) {
        i += CharLength(text, i);
        ends.push_back(i);
    }
    size_t fits = 0;  // characters that fit with the ellipsis
    size_t low = 1, high = ends.size();
    while (low <= high) {
        const size_t middle = (low + high) / 2;
        if (PixelWidth(dc, text.substr(0, ends[middle - 1]) + kEllipsis) <= width) {
            fits = middle;
            low = middle + 1;
        } else {
            high = middle - 1;
        }
    }
    return (fits ? text.substr(0, ends[fits - 1]) : std::string()) + kEllipsis;
}

RECT KeepOnAMonitor(const RECT& rect)
{
    if (MonitorFromRect(&rect, MONITOR_DEFAULTTONULL) != nullptr)
        return rect;
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoA(MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST), &info))
        return rect;
    const RECT& work = info.rcWork;
    const LONG width = std::min(rect.right - rect.left, work.right - work.left);
    const LONG height = std::min(rect.bottom - rect.top, work.bottom - work.top);
    RECT moved;
    moved.left = std::min(std::max(rect.left, work.left), work.right - width);
    moved.top = std::min(std::max(rect.top, work.top), work.bottom - height);
    moved.right = moved.left + width;
    moved.bottom = moved.top + height;
    return moved;
}

CStandbyWnd::~CStandbyWnd()
{
    if (m_Font)
        DeleteObject(m_Font);
}

ATOM CStandbyWnd::RegisterStandbyClass()
{
    return RegisterWndClass(kClassName, CS_HREDRAW | CS_VREDRAW, nullptr, nullptr,
                            LoadCursor(nullptr, IDC_SIZEALL),
                            reinterpret_cast<HBRUSH>(COLOR_INFOBK + 1), 0);
}

void CStandbyWnd::MakeFont(UINT dpi)
{
    m_Dpi = dpi;
    // DEFAULT_CHARSET lets the system's font fallback draw what the face
    // lacks (emoji, symbols).
    LOGFONTW face = {};
    face.lfHeight = -ScaleToDpi(kFontHeight, dpi);
    face.lfWeight = FW_NORMAL;
    face.lfCharSet = DEFAULT_CHARSET;
    face.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    lstrcpynW(face.lfFaceName, L"MS UI Gothic", LF_FACESIZE);
    HFONT font = CreateFontIndirectW(&face);
    if (font) {
        if (m_Font)
            DeleteObject(m_Font);
        m_Font = font;
    }
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, m_Font ? m_Font : GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICW metrics = {};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    m_Height = metrics.tmHeight + ScaleToDpi(kMargin, dpi);
}

bool CStandbyWnd::CreateStandby(HWND owner, int x, int y, int width)
{
    // The strip is made for the DPI of its owner's screen; a move to another
    // screen brings WM_DPICHANGED.
    MakeFont(GetWindowDpi(owner));
    width = std::min(std::max(width, static_cast<int>(COptionCue::kMinWidth)),
                     static_cast<int>(COptionCue::kMaxWidth));
    const RECT wanted = {x, y, x + width, y + m_Height};
    const RECT place = KeepOnAMonitor(wanted);
    return Create(kClassName, "", WS_POPUP | WS_BORDER,
                  WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, place.left, place.top,
                  place.right - place.left, place.bottom - place.top, owner, nullptr) != 0;
}

void CStandbyWnd::SetLine(const CStandbyLine& line)
{
    if (!IsBound())
        return;
    if (line.m_Head == m_Line.m_Head && line.m_Text == m_Line.m_Text &&
        line.m_Warning == m_Line.m_Warning && line.m_Tail == m_Line.m_Tail)
        return;
    m_Line = line;
    SetWindowTextA(m_Wnd, m_Line.Whole().c_str());
    InvalidateRect(m_Wnd, nullptr, TRUE);
}

void CStandbyWnd::ShowStrip(bool show)
{
    if (!IsBound() || (IsWindowVisible(m_Wnd) != FALSE) == show)
        return;
    ShowWindow(m_Wnd, show ? SW_SHOWNOACTIVATE : SW_HIDE);
}

RECT CStandbyWnd::GetScreenRect() const
{
    RECT rect = {};
    if (IsBound())
        GetWindowRect(m_Wnd, &rect);
    return rect;
}

LRESULT CStandbyWnd::WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_DPICHANGED: {
        // The new font and height, at the place the system suggests.
        MakeFont(HIWORD(wParam));
        const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
        SetWindowPos(m_Wnd, nullptr, suggested->left, suggested->top,
                     suggested->right - suggested->left, m_Height,
                     SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOOWNERZORDER);
        InvalidateRect(m_Wnd, nullptr, TRUE);
        return 0;
    }
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_LBUTTONDOWN:
        OnButtonDown(lParam);
        return 0;
    case WM_MOUSEMOVE:
        OnMouseMove(lParam);
        return 0;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
        if (m_Drag != None) {
            m_Drag = None;
            if (GetCapture() == m_Wnd)
                ReleaseCapture();
        }
        return 0;
    case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT) {
            POINT cursor = {};
            GetCursorPos(&cursor);
            RECT rect = GetScreenRect();
            SetCursor(LoadCursor(nullptr, cursor.x >= rect.right - ScaleToDpi(kSizeEdge, m_Dpi)
                                              ? IDC_SIZEWE
                                              : IDC_SIZEALL));
            return TRUE;
        }
        break;
    default:
        break;
    }
    return CWindow::WindowProc(hWnd, message, wParam, lParam);
}

void CStandbyWnd::OnPaint()
{
    PAINTSTRUCT paint = {};
    HDC dc = BeginPaint(m_Wnd, &paint);
    RECT client = {};
    GetClientRect(m_Wnd, &client);
    HGDIOBJ old = SelectObject(dc, m_Font ? m_Font : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));

    RECT area = client;
    area.left += ScaleToDpi(kPadding, m_Dpi);
    area.right -= ScaleToDpi(kPadding, m_Dpi);
    const UINT flags = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
    // The count stays at the right edge, a long line's length (in the
    // warning colour) before it, the head at the left; the text between
    // them gives way.
    const int tailWidth = PixelWidth(dc, m_Line.m_Tail);
    DrawLine(dc, m_Line.m_Tail, area, flags | DT_RIGHT);
    RECT left = area;
    left.right = std::max(left.left, area.right - tailWidth);
    if (!m_Line.m_Warning.empty()) {
        const int warningWidth =
            std::min(PixelWidth(dc, m_Line.m_Warning), static_cast<int>(left.right - left.left));
        SetTextColor(dc, kWarningColor);
        DrawLine(dc, m_Line.m_Warning, left, flags | DT_RIGHT);
        SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
        left.right -= warningWidth;
    }
    const int headWidth =
        std::min(PixelWidth(dc, m_Line.m_Head), static_cast<int>(left.right - left.left));
    DrawLine(dc, CutToPixels(dc, m_Line.m_Head, headWidth), left, flags);
    left.left += headWidth;
    DrawLine(dc, CutToPixels(dc, m_Line.m_Text, std::max(0L, left.right - left.left)), left, flags);

    SelectObject(dc, old);
    EndPaint(m_Wnd, &paint);
}

void CStandbyWnd::OnButtonDown(LPARAM position)
{
    GetCursorPos(&m_DragStart);
    m_DragRect = GetScreenRect();
    RECT client = {};
    GetClientRect(m_Wnd, &client);
    m_Drag = GET_X_LPARAM(position) >= client.right - ScaleToDpi(kSizeEdge, m_Dpi) ? Size : Move;
    SetCapture(m_Wnd);
}

void CStandbyWnd::OnMouseMove(LPARAM)
{
    if (m_Drag == None || GetCapture() != m_Wnd)
        return;
    POINT cursor = {};
    GetCursorPos(&cursor);
    const int dx = cursor.x - m_DragStart.x;
    const int dy = cursor.y - m_DragStart.y;
    const UINT flags = SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOOWNERZORDER;
    if (m_Drag == Move) {
        SetWindowPos(m_Wnd, nullptr, m_DragRect.left + dx, m_DragRect.top + dy, 0, 0,
                     flags | SWP_NOSIZE);
    } else {
        const int width =
            std::min(std::max(static_cast<int>(m_DragRect.right - m_DragRect.left) + dx,
                              static_cast<int>(COptionCue::kMinWidth)),
                     static_cast<int>(COptionCue::kMaxWidth));
        SetWindowPos(m_Wnd, nullptr, 0, 0, width, m_DragRect.bottom - m_DragRect.top,
                     flags | SWP_NOMOVE);
    }
}
