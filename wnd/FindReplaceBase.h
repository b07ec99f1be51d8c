// CFindReplaceBase: what the system's modeless find and replace dialogs
// (CFindDlg, CReplaceDlg) have in common.
//
// The object holds the find-what buffer (Shift_JIS bytes, up to 256) and the
// FINDREPLACEA record that the system dialog works on, so it must outlive the
// dialog window; its destructor closes a dialog that is still open. The
// buffer keeps the last text, so a dialog opened again shows the previous
// search. The dialog window ends when the user closes it (or with its owner)
// and unbinds itself then; the owner window is not owned.
//
// The system tells the owner about each action with the registered message
// GetMessageId(); its lParam is this object's record.
#pragma once

#include <windows.h>
#include <commdlg.h>

#include "wnd/ControlBase.h"

class CFindReplaceBase : public CControlBase
{
public:
    enum
    {
        kTextLength = 256
    };

    ~CFindReplaceBase() override;

    // WM_COMMAND goes to OnCommand, everything else to the base WindowProc.
    LRESULT WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) override;
    // By default the system dialog handles its own buttons.
    virtual LRESULT OnCommand(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

    UINT GetMessageId() const { return m_MessageId; }
    const char* GetFindText() const { return m_FindText; }
    DWORD GetFlags() const { return m_Record.Flags; }
    const FINDREPLACEA& GetRecord() const { return m_Record; }

protected:
    typedef HWND(WINAPI* OpenFunction)(LPFINDREPLACEA record);

    CFindReplaceBase() = default;

    // Registers "commdlg_FindReplace", fills the record for owner and flags
    // (with the replace-with buffer when one is given, kTextLength bytes
    // plus the terminator) and opens the dialog with `open` (FindTextA or
    // ReplaceTextA). 0 when the message cannot be registered, the dialog
    // cannot be created, or this object's dialog is still open (it is not
    // created twice: the system works on the one record); else 1.
    int Open(HWND owner, DWORD flags, OpenFunction open, char* replaceText);

private:
    UINT m_MessageId = 0;
    char m_FindText[kTextLength + 1] = {};
    FINDREPLACEA m_Record = {};
};
