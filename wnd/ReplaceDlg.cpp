#include "wnd/ReplaceDlg.h"

#include <cstring>

CReplaceDlg::CReplaceDlg() : m_messageId(0)
{
  std::memset(m_findText, 0, sizeof(m_findText));
  std::memset(m_replaceText, 0, sizeof(m_replaceText));
  std::memset(&m_record, 0, sizeof(m_record));
}

CReplaceDlg::~CReplaceDlg()
{
  // The system dialog points into this object: it cannot stay open longer.
  if (m_hWnd)
    DestroyWindow(m_hWnd);
}

int CReplaceDlg::Create(HWND owner, DWORD flags)
{
  if (m_hWnd)
    return 0;
  const UINT messageId = RegisterWindowMessageA(FINDMSGSTRINGA);
  if (!messageId)
    return 0;
  m_messageId = messageId;
  std::memset(&m_record, 0, sizeof(m_record));
  m_record.lStructSize = sizeof(m_record);
  m_record.hwndOwner = owner;
  m_record.hInstance = GetModuleHandleA(nullptr);
  m_record.Flags = flags;
  m_record.lpstrFindWhat = m_findText;
  m_record.wFindWhatLen = kTextLength;
  m_record.lpstrReplaceWith = m_replaceText;
  m_record.wReplaceWithLen = kTextLength;
  HWND dialog = ReplaceTextA(&m_record);
  if (!dialog)
    return 0;
  return Attach(dialog);
}

LRESULT CReplaceDlg::WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
  if (message == WM_COMMAND)
    return OnCommand(hWnd, message, wParam, lParam);
  return CControlBase::WindowProc(hWnd, message, wParam, lParam);
}

LRESULT CReplaceDlg::OnCommand(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
  return CControlBase::WindowProc(hWnd, message, wParam, lParam);
}
