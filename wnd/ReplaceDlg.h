// CReplaceDlg: the system's modeless replace dialog.
//
// The object holds the find-what and replace-with buffers (Shift_JIS bytes,
// up to 256 each) and the FINDREPLACEA record that the system dialog works
// on, so it must outlive the dialog window; its destructor closes a dialog
// that is still open. The buffers keep the last texts for the next opening.
// The dialog window unbinds itself when it ends; the owner is not owned.
//
// The system tells the owner about each action with the registered message
// GetMessageId(); its lParam is this object's record.
#pragma once

#include <windows.h>
#include <commdlg.h>

#include "wnd/ControlBase.h"

class CReplaceDlg : public CControlBase
{
public:
    enum
    {
        kTextLength = 256
    };

    CReplaceDlg();
    ~CReplaceDlg() override;

    // Opens the dialog owned by owner with the given FR_ flags. 0 when the
    // message "commdlg_FindReplace" cannot be registered, the dialog cannot be
    // created, or this object's dialog is still open; else 1.
    int Create(HWND owner, DWORD flags);

    // WM_COMMAND goes to OnCommand, everything else to the base WindowProc.
    LRESULT WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) override;
    // By default the system dialog handles its own buttons.
    virtual LRESULT OnCommand(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

    UINT GetMessageId() const { return m_MessageId; }
    const char* GetFindText() const { return m_FindText; }
    const char* GetReplaceText() const { return m_ReplaceText; }
    DWORD GetFlags() const { return m_Record.Flags; }
    const FINDREPLACEA& GetRecord() const { return m_Record; }

private:
    UINT m_MessageId;
    char m_FindText[kTextLength + 1];
    char m_ReplaceText[kTextLength + 1];
    FINDREPLACEA m_Record;
};
