// CDialog: modal dialogs run from a template of the program's resources
// with SharedWndProc as the dialog procedure.
//
// The object is bound at WM_INITDIALOG and unbound at WM_DESTROY, so one
// object can show its dialog again and again. Concrete dialogs override
// WindowProc, handle WM_INITDIALOG, WM_COMMAND and WM_CLOSE, and pass every
// other message to the base WindowProc, which returns 0 so that the dialog
// manager does its default processing.
#pragma once

#include <windows.h>

#include "wnd/Window.h"

class CDialog : public CWindow
{
public:
    // DialogBoxParamA with the program's module and this object as the
    // initialisation parameter. Returns the value given to EndDialog (1 for
    // OK, 0 for cancel in our dialogs), or -1 when the dialog cannot be
    // created or this object is still bound to a dialog that is open.
    INT_PTR DoModal(HWND parent, int templateId);

    // EndDialog on the bound window; false when unbound or when it fails.
    bool EndDialog(INT_PTR result);

    // Ends the dialog with 0. Returns 0 (the WM_CLOSE result).
    LRESULT OnClose();
};
