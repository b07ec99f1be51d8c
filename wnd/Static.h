// CStatic: wrapper of a static text control. Texts are UTF-8. The
// wrapper does not own the control (see CControlBase).
#pragma once

#include <windows.h>

#include "wnd/ControlBase.h"

class CStatic : public CControlBase
{
public:
    // CreateChild of class "STATIC". 1 when created and bound; 0 when this
    // object is already bound or creation fails.
    int Create(HWND parent, const char* text, DWORD style, DWORD exStyle, int x, int y, int width,
               int height, int controlId)
    {
        return CreateChild("STATIC", text, style, exStyle, x, y, width, height, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)));
    }
};
