#include "wnd/FindDlg.h"

#include <cstring>

CFindDlg::CFindDlg() : m_MessageId(0)
{
    std::memset(m_FindText, 0, sizeof(m_FindText));
    std::memset(&m_Record, 0, sizeof(m_Record));
}

CFindDlg::~CFindDlg()
{
    // The system dialog points into this object: it cannot stay open longer.
    if (m_Wnd)
        DestroyWindow(m_Wnd);
}

int CFindDlg::Create(HWND owner, DWORD flags)
{
    if (m_Wnd)
        return 0;
    const UINT messageId = RegisterWindowMessageA(FINDMSGSTRINGA);
    if (!messageId)
        return 0;
    m_MessageId = messageId;
    std::memset(&m_Record, 0, sizeof(m_Record));
    m_Record.lStructSize = sizeof(m_Record);
    m_Record.hwndOwner = owner;
    m_Record.hInstance = GetModuleHandleA(nullptr);
    m_Record.Flags = flags;
    m_Record.lpstrFindWhat = m_FindText;
    m_Record.wFindWhatLen = kTextLength;
    HWND dialog = FindTextA(&m_Record);
    if (!dialog)
        return 0;
    return Attach(dialog);
}

LRESULT CFindDlg::WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND)
        return OnCommand(hWnd, message, wParam, lParam);
    return CControlBase::WindowProc(hWnd, message, wParam, lParam);
}

LRESULT CFindDlg::OnCommand(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return CControlBase::WindowProc(hWnd, message, wParam, lParam);
}
