// CEditBox: wrapper of an edit control. The wrapper does not own the control
// (see CControlBase).
//
// Texts are UTF-8. GetText and GetFullText read into a buffer owned
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

    // The control's text, cut between characters to a width of 1023 (ASCII
    // and half-width katakana count 1, every other character 2: the 1023
    // bytes of a Shift_JIS text); empty when unbound.
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
