#include "wnd/Dialog.h"

INT_PTR CDialog::DoModal(HWND parent, int templateId)
{
    // Still bound means this object's dialog is open (a nested DoModal from
    // inside it): binding it to a second dialog would tear it from the first.
    if (m_Wnd)
        return -1;
    return DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId), parent,
                           SharedDlgProc(), reinterpret_cast<LPARAM>(static_cast<CWndBase*>(this)));
}

bool CDialog::EndDialog(INT_PTR result)
{
    if (!m_Wnd)
        return false;
    return ::EndDialog(m_Wnd, result) != FALSE;
}

LRESULT CDialog::OnClose()
{
    EndDialog(0);
    return 0;
}
