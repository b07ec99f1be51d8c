#include "wnd/FindDlg.h"

int CFindDlg::Create(HWND owner, DWORD flags)
{
    return Open(owner, flags, &FindTextA, nullptr);
}
