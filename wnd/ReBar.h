// CReBar: the rebar that holds the toolbar and other controls in bands.
//
// Bound (and subclassed) by Create; a child of its parent window, ending
// with it. The band children stay owned by their own wrappers. Texts are
// UTF-8.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "wnd/ControlBase.h"

class CReBar : public CControlBase
{
public:
    // Creates the rebar (class "ReBarWindow32", WS_EX_TOOLWINDOW, no control
    // id) and gives it an empty bar description. 0 when creation failed.
    int Create(HWND parent, DWORD style, int x, int y, int width, int height)
    {
        INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_COOL_CLASSES};
        InitCommonControlsEx(&icc);
        const int created = CreateChild(REBARCLASSNAMEA, "", style, WS_EX_TOOLWINDOW, x, y, width,
                                        height, parent, nullptr);
        if (!created)
            return 0;
        REBARINFO info = {};
        info.cbSize = sizeof(info);
        info.fMask = 0;
        info.himl = nullptr;
        Send(RB_SETBARINFO, 0, reinterpret_cast<LPARAM>(&info));
        return created;
    }

    // Inserts a band holding `child` at `index` (-1 appends), with the text,
    // the band width, the child's minimum size and the band style
    // (RBBS_CHILDEDGE is always added). False without a call when the child
    // is null.
    bool InsertBand(HWND child, const char* text, UINT width, UINT minWidth, UINT minHeight,
                    UINT bandStyle, int index = -1)
    {
        if (!child)
            return false;
        REBARBANDINFOA band = {};
        band.cbSize = sizeof(band);
        band.fMask = RBBIM_STYLE | RBBIM_TEXT | RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_SIZE;
        band.fStyle = bandStyle | RBBS_CHILDEDGE;
        band.lpText = const_cast<char*>(text ? text : "");
        band.hwndChild = child;
        band.cxMinChild = minWidth;
        band.cyMinChild = minHeight;
        band.cx = width;
        return Send(RB_INSERTBANDA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&band)) !=
               0;
    }
};
