// CStatusBar: the status bar, with parts of fixed widths side by side.
//
// Bound (and subclassed) by Create; the bar is a child of its parent window
// and ends with it. WM_SIZE goes to the virtual OnSize, whose default lets
// the control size itself; the parent forwards its own WM_SIZE here. Texts
// are UTF-8.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <climits>
#include <vector>

#include "wnd/WndBase.h"

class CStatusBar : public CWndBaseEx
{
public:
    // CreateStatusWindowA, then Attach. Whether the bar was made and bound.
    bool Create(HWND parent, UINT controlId, DWORD style, const char* text)
    {
        if (m_Wnd)
            return false;
        HWND hWnd = CreateStatusWindowA(static_cast<LONG>(style), text, parent, controlId);
        return hWnd && Attach(hWnd);
    }

    LRESULT WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_SIZE)
            return OnSize(hWnd, wParam, lParam);
        return CWndBaseEx::WindowProc(hWnd, message, wParam, lParam);
    }

    virtual LRESULT OnSize(HWND hWnd, WPARAM wParam, LPARAM lParam)
    {
        return CWndBaseEx::WindowProc(hWnd, WM_SIZE, wParam, lParam);
    }

    // Adds a part `width` pixels wide right of the last one. 0 when width < 1
    // (nothing changes) and when the bar refuses the parts (the part is not
    // kept); else the SB_SETPARTS result.
    LRESULT AddPart(int width)
    {
        if (width < 1)
            return 0;
        int right = width;
        if (!m_Parts.empty()) {
            if (m_Parts.back() > INT_MAX - width)
                return 0;
            right += m_Parts.back();
        }
        m_Parts.push_back(right);
        const LRESULT result =
            Send(SB_SETPARTS, m_Parts.size(), reinterpret_cast<LPARAM>(m_Parts.data()));
        if (!result)
            m_Parts.pop_back();
        return result;
    }

    // Replaces the parts by parts of the given widths, left to right. 0 when
    // a width is below 1, the edges would overflow or the bar refuses the
    // parts (then the parts stay as they were); else the SB_SETPARTS result.
    LRESULT SetPartWidths(const std::vector<int>& widths)
    {
        std::vector<int> parts;
        int right = 0;
        for (int width : widths) {
            if (width < 1 || right > INT_MAX - width)
                return 0;
            right += width;
            parts.push_back(right);
        }
        if (parts.empty())
            return 0;
        const LRESULT result =
            Send(SB_SETPARTS, parts.size(), reinterpret_cast<LPARAM>(parts.data()));
        if (result)
            m_Parts.swap(parts);
        return result;
    }

    // SB_SETTEXTA with the part ORed with the drawing type (0, SBT_NOBORDERS,
    // SBT_POPOUT, ...). 0 without a call when the part is not 0 to 255: a
    // larger number would run into the drawing-type bits.
    LRESULT SetText(int part, const char* text, UINT drawingType = 0) const
    {
        if (part < 0 || part > 255)
            return 0;
        return Send(SB_SETTEXTA, static_cast<WPARAM>(part) | drawingType,
                    reinterpret_cast<LPARAM>(text));
    }

    // Right edges of the parts, in pixels from the left edge.
    const std::vector<int>& GetParts() const { return m_Parts; }

private:
    std::vector<int> m_Parts;
};
