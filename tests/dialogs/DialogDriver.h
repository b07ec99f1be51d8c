// CDialogDriver: plays a modal dialog from inside a test.
//
// The test queues steps, calls Start() and then runs the dialog's DoModal
// (or a property sheet's) on the same thread. A thread timer, which every
// modal message loop dispatches (the dialog's, a message box's, the colour
// chooser's), runs one step per tick on the innermost modal window: the
// enabled, visible top-level dialog window of this thread. Buttons are
// pressed by posting WM_COMMAND, so that a step never blocks inside a nested
// modal loop; a message box raised by the dialog is answered by an Answer
// step, which records its caption and text.
//
// A message box that no Answer step expected is recorded in Unexpected() and
// closed, and so is every window left open when the steps do not finish in
// time (a safety net for a broken dialog, not a measurement). Texts are
// Shift_JIS bytes. One driver may run at a time.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

struct CMessageSeen
{
    std::string m_Caption;
    std::string m_Text;    // the texts of the box's static controls, joined
    bool m_YesNo = false;  // the box had Yes and No buttons
};

class CDialogDriver
{
public:
    // A step gets the innermost modal window; it returns false to be tried
    // again at the next tick.
    using Step = std::function<bool(HWND top)>;

    CDialogDriver();
    ~CDialogDriver();
    CDialogDriver(const CDialogDriver&) = delete;
    CDialogDriver& operator=(const CDialogDriver&) = delete;

    CDialogDriver& Then(Step step);
    // Runs `action` on the dialog under test (the first modal window seen).
    CDialogDriver& OnDialog(std::function<void(HWND dialog)> action);
    // Sets a control's text (WM_SETTEXT, which also notifies the dialog).
    CDialogDriver& SetText(int id, const std::string& text);
    // Posts BN_CLICKED of control `id` to its parent.
    CDialogDriver& Click(int id);
    // Posts a key press (WM_KEYDOWN, WM_KEYUP) to control `id`; the dialog's
    // message loop sees it first, as it would a typed key.
    CDialogDriver& PressKey(int id, UINT virtualKey);
    // Waits for a message box over the dialog, records it and presses
    // `button` (IDOK, IDYES, IDNO).
    CDialogDriver& Answer(int button);
    // Waits for any other modal window over the dialog (such as the colour
    // chooser) and runs `action` on it.
    CDialogDriver& InOther(std::function<void(HWND window)> action);

    // Starts playing the queued steps from the first one not yet done.
    void Start();
    void Stop();
    // Forgets every step and record, for a second run of a dialog.
    void Clear();

    bool Finished() const { return m_Next >= m_Steps.size(); }
    const std::vector<CMessageSeen>& Messages() const { return m_Messages; }
    const std::vector<CMessageSeen>& Unexpected() const { return m_Unexpected; }
    bool TimedOut() const { return m_TimedOut; }

    // The control `id` of a dialog, or of the current page when `window` is
    // a property sheet.
    static HWND FindControl(HWND window, int id);
    static std::string GetText(HWND window);
    static CMessageSeen ReadMessageBox(HWND box);

private:
    static void CALLBACK TimerProc(HWND, UINT, UINT_PTR, DWORD);
    void Tick();
    HWND InnermostWindow() const;
    void CloseEverything();

    struct CQueued
    {
        Step m_Step;
        bool m_OnDialog;  // acts on the dialog under test only
    };
    std::vector<CQueued> m_Steps;
    size_t m_Next = 0;
    HWND m_Dialog = nullptr;
    UINT_PTR m_Timer = 0;
    DWORD m_StartTick = 0;
    bool m_Busy = false;
    bool m_TimedOut = false;
    std::vector<CMessageSeen> m_Messages;
    std::vector<CMessageSeen> m_Unexpected;
};
