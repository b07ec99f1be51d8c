#include "wnd/ReplaceDlg.h"

int CReplaceDlg::Create(HWND owner, DWORD flags)
{
    return Open(owner, flags, &ReplaceTextA, m_ReplaceText);
}
