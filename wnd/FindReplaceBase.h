// CFindReplaceBase: what the system's modeless find and replace dialogs
// (CFindDlg, CReplaceDlg) have in common.
//
// The object holds the find-what buffer (UTF-8) and the FINDREPLACEA record that the system dialog works on, so it must outlive the
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

#include <string>

#include "wnd/ControlBase.h"

class CFindReplaceBase : public CControlBase
{
public:
    enum
    {
        // The texts' limit, as wide as 256 Shift_JIS bytes were: ASCII and
        // half-width katakana count 1, every other character 2.
        kTextLength = 256,
        // What the dialog may write: every character it takes, in UTF-8.
        kBufferBytes = 3 * kTextLength
    };

    ~CFindReplaceBase() override;

    // WM_COMMAND goes to OnCommand, everything else to the base WindowProc.
    LRESULT WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) override;
    // By default the system dialog handles its own buttons.
    virtual LRESULT OnCommand(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

    UINT GetMessageId() const { return m_MessageId; }
    // The find-what text, cut between characters to kTextLength.
    std::string GetFindText() const { return LimitedText(m_FindText); }
    DWORD GetFlags() const { return m_Record.Flags; }
    const FINDREPLACEA& GetRecord() const { return m_Record; }

protected:
    typedef HWND(WINAPI* OpenFunction)(LPFINDREPLACEA record);

    CFindReplaceBase() = default;

    static std::string LimitedText(const char* buffer);

    // Registers "commdlg_FindReplace", fills the record for owner and flags
    // (with the replace-with buffer when one is given, kBufferBytes bytes
    // plus the terminator) and opens the dialog with `open` (FindTextA or
    // ReplaceTextA). 0 when the message cannot be registered, the dialog
    // cannot be created, or this object's dialog is still open (it is not
    // created twice: the system works on the one record); else 1.
    int Open(HWND owner, DWORD flags, OpenFunction open, char* replaceText);

private:
    UINT m_MessageId = 0;
    char m_FindText[kBufferBytes + 1] = {};
    FINDREPLACEA m_Record = {};
};
