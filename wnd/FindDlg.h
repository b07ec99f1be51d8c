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
    CFindDlg() = default;
    ~CFindDlg() override = default;

    // Opens the dialog owned by owner with the given FR_ flags. 0 when the
    // message "commdlg_FindReplace" cannot be registered, the dialog cannot be
    // created, or this object's dialog is still open (it is not created
    // twice: the system works on the one record); else 1.
    int Create(HWND owner, DWORD flags);
};
