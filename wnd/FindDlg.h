// CFindDlg: the system's modeless find dialog.
//
// Record, find-what buffer, message id and command routing come from
// CFindReplaceBase: the buffer keeps the last text for the next opening, and
// the owner learns about each action through GetMessageId() with this
// object's record as lParam.
#pragma once

#include <windows.h>

#include "wnd/FindReplaceBase.h"

class CFindDlg : public CFindReplaceBase
{
public:
    // Opens the find dialog owned by owner with the given FR_ flags; 1 or 0
    // as CFindReplaceBase::Open.
    int Create(HWND owner, DWORD flags);
};
