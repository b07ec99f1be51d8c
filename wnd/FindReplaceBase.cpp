#include "wnd/FindReplaceBase.h"

#include <cstring>

#include "text/Utf8.h"

std::string CFindReplaceBase::LimitedText(const char* buffer)
{
    return std::string(buffer, CutToWidth(buffer, kTextLength));
}

CFindReplaceBase::~CFindReplaceBase()
{
    // The system dialog points into this object: it cannot stay open longer.
    if (m_Wnd)
        DestroyWindow(m_Wnd);
}

int CFindReplaceBase::Open(HWND owner, DWORD flags, OpenFunction open, char* replaceText)
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
    m_Record.wFindWhatLen = kBufferBytes;
    if (replaceText) {
        m_Record.lpstrReplaceWith = replaceText;
        m_Record.wReplaceWithLen = kBufferBytes;
    }
    HWND dialog = open(&m_Record);
    if (!dialog)
        return 0;
    return Attach(dialog);
}

LRESULT CFindReplaceBase::WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND)
        return OnCommand(hWnd, message, wParam, lParam);
    return CControlBase::WindowProc(hWnd, message, wParam, lParam);
}

LRESULT CFindReplaceBase::OnCommand(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return CControlBase::WindowProc(hWnd, message, wParam, lParam);
}
