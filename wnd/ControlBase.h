// CControlBase: base of the wrappers of system controls (edit, combo box,
// list view, ...). A control is bound with AttachDlgItem or created with
// CreateChild; binding subclasses it, so every message the wrapper does not
// handle reaches the control's own procedure unchanged. The wrapper does not
// own the control: the control ends with its parent window and unbinds
// itself at WM_DESTROY.
#pragma once

#include "wnd/WndBase.h"

class CControlBase : public CWndBaseEx
{
public:
    CControlBase() = default;
    ~CControlBase() override = default;
};
