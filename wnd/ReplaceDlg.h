// CReplaceDlg: the system's modeless replace dialog.
//
// Adds the replace-with buffer (UTF-8) to what
// CFindReplaceBase holds; both buffers keep the last texts for the next
// opening. The owner learns about each action through GetMessageId() with
// this object's record as lParam.
#pragma once

#include <windows.h>

#include "wnd/FindReplaceBase.h"

class CReplaceDlg : public CFindReplaceBase
{
public:
    // Opens the replace dialog owned by owner with the given FR_ flags; 1 or
    // 0 as CFindReplaceBase::Open.
    int Create(HWND owner, DWORD flags);

    // The replace-with text, cut between characters to kTextLength.
    std::string GetReplaceText() const { return LimitedText(m_ReplaceText); }

private:
    char m_ReplaceText[kBufferBytes + 1] = {};
};
