// CCheckBox: wrapper of a check box button. The wrapper does not own the
// control (see CControlBase).
#pragma once

#include <windows.h>

#include "wnd/ControlBase.h"

class CCheckBox : public CControlBase
{
public:
    // Whether the box shows a check (BST_CHECKED; the grey third state of a
    // three-state box is not a check). False when unbound.
    bool IsChecked() const
    {
        return m_Wnd && IsDlgButtonChecked(GetParentWindow(), GetId()) == BST_CHECKED;
    }

    // BM_SETCHECK with BST_CHECKED for a non-zero flag, else BST_UNCHECKED.
    void SetCheck(int flag) const
    {
        if (m_Wnd)
            Send(BM_SETCHECK, flag ? BST_CHECKED : BST_UNCHECKED);
    }
};
