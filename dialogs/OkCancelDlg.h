// COkCancelDlg: the message routing shared by the editing dialogs (cast,
// jump, scenario settings, serif).
//
// WindowProc sends WM_INITDIALOG to OnInitDialog, WM_CLOSE to OnClose (the
// dialog ends with 0), WM_NOTIFY to OnNotify and WM_COMMAND by control id:
// the OK id (GetOkId) to OnOK, IDCANCEL to WM_CLOSE, every other id to
// OnCommandId. WM_COMMAND returns 0 whatever the notification code; every
// other message goes to CDialog::WindowProc. A dialog whose OK id is not
// IDOK receives IDOK (Enter in an edit box) in OnCommandId like any other id.
#pragma once

#include <windows.h>

#include "wnd/Dialog.h"

class COkCancelDlg : public CDialog
{
public:
    ~COkCancelDlg() override = default;

    LRESULT WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    COkCancelDlg() = default;

    // The WM_INITDIALOG result: 0, since the dialogs set the focus
    // themselves.
    virtual LRESULT OnInitDialog() = 0;
    // The OK button: checks, stores and ends the dialog (or shows why not).
    virtual void OnOK() = 0;
    // The control id that means OK; IDOK unless a dialog says otherwise.
    virtual int GetOkId() const;
    // Commands other than OK and Cancel; by default none is handled.
    virtual void OnCommandId(int id);
    // Notifications from the controls; by default 0 (nothing handled).
    virtual LRESULT OnNotify(const NMHDR* header);
};
