// CEditBox: wrapper of an edit control. The wrapper does not own the control
// (see CControlBase).
//
// Texts are Shift_JIS bytes. GetText and GetFullText read into a buffer owned
// by the object: the pointer they return stays valid until the next call of
// either of them on the same object.
#pragma once

#include <windows.h>

#include <string>

#include "wnd/ControlBase.h"

class CEditBox : public CControlBase
{
public:
    enum
    {
        kTextBufferSize = 1024
    };

    // The control's text, cut to its first 1023 bytes (never inside a
    // double-byte character); empty when unbound.
    const char* GetText();

    // The control's whole text, however long, sized from GetWindowTextLengthA;
    // empty when unbound.
    const char* GetFullText();

    // Formats one integer with a printf-style format such as "%d" (at most 255
    // bytes are kept) and sets it as the text. 0 when unbound or the format is
    // null, else the result of SetWindowTextA.
    int SetTextFormat(int value, const char* format);

private:
    std::string m_Text;
};
