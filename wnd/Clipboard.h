// CClipboard: plain-text output to the system clipboard.
//
// Texts are UTF-8. SetText copies the text, as UTF-16, into global memory
// that the clipboard then owns; the caller keeps its own text. The owner
// window is not owned either; null means "no owner".
#pragma once

#include <windows.h>

class CClipboard
{
public:
    // Results of SetText.
    enum
    {
        kOk = 0,
        kNoText = -1,      // null text pointer: nothing was touched
        kNoMemory = -2,    // GlobalAlloc failed
        kCannotOpen = -3,  // another program kept the clipboard open
        kRefused = -4      // SetClipboardData did not take the data
    };

    CClipboard() : m_Owner(nullptr), m_Sequence(0) {}
    explicit CClipboard(HWND owner) : m_Owner(owner), m_Sequence(0) {}

    // Empties the clipboard and puts the text on it as CF_UNICODETEXT, every
    // character exactly (emoji as whole surrogate pairs). No CF_TEXT goes on:
    // the system makes one, in the reader's code page, for programs that ask
    // for it. Returns kOk or one of the negative results above. kNoText,
    // kNoMemory and kCannotOpen leave the clipboard as it was; after kRefused
    // it may be empty. Texts of INT_MAX bytes or more are refused with
    // kNoMemory.
    //
    // With keepOutOfHistory, the text is marked for clipboard history,
    // cloud sync and clipboard monitors: the registered formats
    // ExcludeClipboardContentFromMonitorProcessing,
    // CanIncludeInClipboardHistory and CanUploadToCloudClipboard (a zero
    // DWORD each) go on beside it. A mark the system does not take leaves the text
    // on the clipboard and the result kOk.
    int SetText(const char* text, bool keepOutOfHistory = false);

    // Empties the clipboard. 0 when it cannot be opened, else the result of
    // CloseClipboard (non-zero).
    int Clear();

    // True when the clipboard can be opened and nothing has changed it since
    // this object's last successful SetText (its sequence number is the same).
    // Opening waits out another program that holds the clipboard, as Open
    // does. A paste checks this before sending the paste keys: the target
    // then finds the clipboard free, and never gets text that another program
    // put there meanwhile. The data is not read back: Wine keeps a copy of
    // every GetClipboardData made by the owner, about 1 KiB a paste.
    bool IsStillOurs() const;

    // OpenClipboard, retried for up to a second: clipboard managers, history
    // services and Wine's X11 bridge hold it open for short moments after
    // every change. Exposed for callers that read.
    bool Open() const;

    // The clipboard's sequence number right after the last successful
    // SetText; 0 before any.
    DWORD GetSequence() const { return m_Sequence; }

private:
    HWND m_Owner;
    DWORD m_Sequence;  // after the last successful SetText; 0 before any
};

// Opens the clipboard with CClipboard::Open and closes it on every way out
// of the scope that holds it.
class COpenClipboard
{
public:
    explicit COpenClipboard(const CClipboard& clipboard) : m_Open(clipboard.Open()) {}
    ~COpenClipboard()
    {
        if (m_Open)
            CloseClipboard();
    }
    COpenClipboard(const COpenClipboard&) = delete;
    COpenClipboard& operator=(const COpenClipboard&) = delete;

    bool IsOpen() const { return m_Open; }
    // Closes now and gives CloseClipboard's result.
    BOOL Close()
    {
        m_Open = false;
        return CloseClipboard();
    }

private:
    bool m_Open;
};
