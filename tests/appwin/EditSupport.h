// Helpers of the editing and search command suites: a player that works the
// modal windows a command raises (the serif, cast, settings and jump
// dialogs, the option sheet, message boxes) from inside the test, and small
// readers of the serif list, the clipboard and the find dialogs.
//
// Texts are Shift_JIS bytes (the sources are compiled to CP932). Nothing
// here owns a window: the player only posts to the windows it finds.
#pragma once

#include <windows.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

// A modal window the player met: its caption, the texts of its static
// controls joined by "\n", its owner and whether it stays on top (a system
// modal box does).
struct CModalSeen
{
    std::string m_Caption;
    std::string m_Text;
    HWND m_Owner = nullptr;
    bool m_Topmost = false;
};

// CModalPlayer: plays queued steps on the modal windows of this thread from
// a thread timer, which every modal message loop dispatches.
//
// The window a step acts on is the innermost one: the first visible and
// enabled dialog-class window of this thread in Z order, leaving out the
// dialogs that were already open when the player was made (the modeless
// find and replace dialogs) and the windows a step has closed. A window
// that appears when no step is left is recorded in Unexpected() and
// cancelled. Steps that do not finish in time close everything (a safety
// net, not a measurement). One player may run at a time; it stops in its
// destructor.
class CModalPlayer
{
public:
    // A step gets the innermost window (never null) and returns false to be
    // tried again at the next tick.
    using Step = std::function<bool(HWND window)>;

    CModalPlayer();
    ~CModalPlayer();
    CModalPlayer(const CModalPlayer&) = delete;
    CModalPlayer& operator=(const CModalPlayer&) = delete;

    CModalPlayer& Then(Step step);
    // Runs an action on the innermost window.
    CModalPlayer& Do(std::function<void(HWND window)> action);
    // Sets the text of control `id` (of the current page for a sheet).
    CModalPlayer& SetText(int id, const std::string& text);
    // Selects the combo box item of control `id` whose text is `text`.
    CModalPlayer& SelectItem(int id, const std::string& text);
    // Posts BN_CLICKED of control `id`; the window stays the innermost one.
    CModalPlayer& Click(int id);
    // Posts BN_CLICKED of `id` to a window that closes on it.
    CModalPlayer& Close(int id);
    // Records the innermost window (a message box, mostly) in Seen() and
    // closes it with `button`.
    CModalPlayer& Answer(int button);
    // Records the innermost window's caption and static texts in Seen().
    CModalPlayer& Record();

    // Whether a player runs now.
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
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
    void Tick();
    HWND Innermost() const;

    std::vector<Step> m_Steps;
    size_t m_Next = 0;
    std::set<HWND> m_Ignored;  // open before the player, or closed by a step
    std::vector<CModalSeen> m_Seen;
    std::vector<CModalSeen> m_Unexpected;
    UINT_PTR m_Timer = 0;
    DWORD m_Start = 0;
    bool m_Busy = false;
    bool m_TimedOut = false;
};

// Deselects every row of a list view (no cursor).
void ClearSelection(HWND list);
// Whether the keyboard focus is on `window` or one of its children.
bool HasFocusIn(HWND window);

// The clipboard's CF_TEXT, or "(none)" when it holds none.
std::string ClipboardText();
// The clipboard's CF_UNICODETEXT, or L"(none)".
std::wstring ClipboardUnicode();
// Puts a plain CF_TEXT marker on the clipboard.
void SetClipboardMarker(const std::string& text);

// Presses a key through the system's input queue (SendInput), with Shift
// and Ctrl held as asked, so that it reaches the focus window of the
// foreground window as typed keys do.
void PressKey(WORD virtualKey, bool shift = false, bool control = false);
// Dispatches the thread's pending messages the way the program's loop does:
// each keyboard or mouse message is offered to the dialogs above its window,
// and the main window's accelerators are tried in any case.
void PumpWithAccelerators(HWND main, HACCEL accelerators, DWORD ms);
