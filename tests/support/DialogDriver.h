// CDialogDriver: plays the modal windows a test opens, from inside the test.
//
// The test queues steps and then runs, on the same thread, the code that
// opens the windows: a dialog's DoModal, a property sheet, a command of the
// main window, a message box, a common dialog. A thread timer, which every
// modal message loop dispatches, runs one step per tick on the innermost
// window: the first visible, enabled dialog-class window of this thread in Z
// order, leaving out the windows that were open when the driver started
// (modeless ones such as the find dialog) and those a step has closed.
//
// "The dialog" is the first innermost window seen and, once a step has
// closed it, the next one. The dialog steps (OnDialog, SetText, Click, ...)
// act on it only: a window over it at that moment is one that no step
// expected. Such a window, and any window that turns up when every step is
// done, is recorded in Unexpected() and closed (Cancel, else No, else OK).
// Buttons are pressed by posting WM_COMMAND, so that a step never blocks
// inside a nested modal loop. When the steps are not done in time, every
// window the driver can see is closed (a safety net for a broken window,
// not a measurement) and TimedOut() says so.
//
// The driver starts when it is made. One driver runs at a time; starting
// one stops the one that ran. Texts are Shift_JIS bytes.
#pragma once

#include <windows.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

// A window the driver met.
struct CModalSeen
{
    std::string m_Caption;
    std::string m_Text;  // the texts of its static controls, joined by "\n"
    HWND m_Owner = nullptr;
    bool m_Topmost = false;     // stays on top, as a system modal box does
    bool m_YesNo = false;       // has Yes and No buttons
    bool m_FileDialog = false;  // an open or save dialog (its texts are not read)
};

class CDialogDriver
{
public:
    // A step gets the innermost window (never null); it returns false to be
    // tried again at the next tick.
    using Step = std::function<bool(HWND window)>;

    // Starts at once, with Answer(button) queued for each of `answers`.
    explicit CDialogDriver(const std::vector<int>& answers = {});
    ~CDialogDriver();
    CDialogDriver(const CDialogDriver&) = delete;
    CDialogDriver& operator=(const CDialogDriver&) = delete;

    // A step on the innermost window, whichever it is.
    CDialogDriver& Then(Step step);
    // Runs `action` on the dialog.
    CDialogDriver& OnDialog(std::function<void(HWND dialog)> action);
    // Sets the text of control `id` (WM_SETTEXT, which also notifies the
    // dialog); the control of the current page for a property sheet.
    CDialogDriver& SetText(int id, const std::string& text);
    // Selects the item of combo box `id` whose text is exactly `text`.
    CDialogDriver& SelectItem(int id, const std::string& text);
    // Posts BN_CLICKED of control `id` to its parent.
    CDialogDriver& Click(int id);
    // Posts a key press (WM_KEYDOWN, WM_KEYUP) to control `id`; the dialog's
    // message loop sees it first, as it would a typed key.
    CDialogDriver& PressKey(int id, UINT virtualKey);
    // Records the dialog in Seen().
    CDialogDriver& Record();
    // Clicks `id` of the dialog, which closes on it.
    CDialogDriver& Close(int id);
    // Records the innermost window in Seen() (a message box over the dialog,
    // or one that came first) and closes it with `button`.
    CDialogDriver& Answer(int button);
    // Waits for a window over the dialog (such as the colour chooser) and
    // runs `action` on it.
    CDialogDriver& InOther(std::function<void(HWND window)> action);

    // Starts, runs `modal` (which opens the windows to play and returns once
    // they are closed), stops and checks that the steps were played (see
    // ExpectPlayed). Returns what `modal` returned.
    INT_PTR Play(const std::function<INT_PTR()>& modal);

    // Starts again from the first step not done, with a new dialog and time.
    void Start();
    void Stop();
    // Stops and forgets every step and record, for another run.
    void Clear();

    // Whether a driver runs now.
    static bool IsRunning();

    bool Finished() const { return m_Next >= m_Steps.size(); }
    bool TimedOut() const { return m_TimedOut; }
    const std::vector<CModalSeen>& Seen() const { return m_Seen; }
    const std::vector<CModalSeen>& Unexpected() const { return m_Unexpected; }

    // The control `id` of a dialog, or of the current page of a sheet.
    static HWND Control(HWND window, int id);
    static std::string Text(HWND window);
    static CModalSeen Read(HWND window);

private:
    struct CQueued
    {
        Step m_Step;
        bool m_OnDialog;  // acts on the dialog only
    };

    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
    CDialogDriver& Queue(Step step, bool onDialog);
    void Tick();
    HWND Innermost() const;
    void Done(HWND window);
    void Refuse(HWND window);
    void GiveUp();

    std::vector<CQueued> m_Steps;
    size_t m_Next = 0;
    HWND m_Dialog = nullptr;
    std::set<HWND> m_Before;   // open when the driver started
    std::set<HWND> m_Ignored;  // closed by a step, or refused
    std::set<HWND> m_Closing;  // asked to close after the time ran out
    std::vector<CModalSeen> m_Seen;
    std::vector<CModalSeen> m_Unexpected;
    UINT_PTR m_Timer = 0;
    DWORD m_Start = 0;
    bool m_Busy = false;
    bool m_TimedOut = false;
};

// Fails the running test when the driver did not run every step, ran out of
// time or met a window that no step expected.
void ExpectPlayed(const CDialogDriver& driver);

// Presses button `id` of a dialog (or of the current page of a sheet) the
// way the dialog manager reports a click.
void PostClick(HWND window, int id);

// The first visible, enabled dialog-class window of this thread in Z order,
// with the given caption when `caption` is not null.
HWND FindThreadDialog(const char* caption = nullptr);
