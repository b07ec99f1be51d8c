#include "dialogs/OkCancelDlg.h"

LRESULT COkCancelDlg::WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CLOSE:
        return OnClose();
    case WM_INITDIALOG:
        return OnInitDialog();
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        if (id == GetOkId())
            OnOK();
        else if (id == IDCANCEL)
            Send(WM_CLOSE);
        else
            OnCommandId(id);
        return 0;
    }
    case WM_NOTIFY:
        return OnNotify(reinterpret_cast<const NMHDR*>(lParam));
    }
    return CDialog::WindowProc(hWnd, message, wParam, lParam);
}

int COkCancelDlg::GetOkId() const
{
    return IDOK;
}

void COkCancelDlg::OnCommandId(int) {}

LRESULT COkCancelDlg::OnNotify(const NMHDR*)
{
    return 0;
}
