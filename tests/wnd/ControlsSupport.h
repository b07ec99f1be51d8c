// Helpers for the control and common-dialog suites: a plain parent window,
// message pumping, and a driver that answers modal boxes from inside the test
// (a thread timer, so nothing waits for a person).
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace ctltest
{

// A hidden top-level window of a private class with DefWindowProcA (hidden:
// Wine without a window manager waits about two seconds when a shown window
// is destroyed).
// The caller destroys it (CTestWindow does).
HWND CreatePlainWindow(const char* title);

class CTestWindow
{
public:
    explicit CTestWindow(const char* title = "wndctl test");
    ~CTestWindow();
    CTestWindow(const CTestWindow&) = delete;
    CTestWindow& operator=(const CTestWindow&) = delete;
    HWND Get() const { return m_Hwnd; }

private:
    HWND m_Hwnd;
};

// Dispatches every message waiting for this thread.
void PumpMessages();

// Pumps until done() holds; gives up after maxRounds rounds of 10 ms so that a
// broken control cannot hang the suite. Returns done().
bool PumpUntil(const std::function<bool()>& done, int maxRounds = 500);

// Finds a visible, enabled top-level dialog (class "#32770") of this thread,
// with the given caption when caption is not null.
HWND FindThreadDialog(const char* caption);

// While it lives, a thread timer looks for a dialog of this thread (see
// FindThreadDialog) and calls action once with it. When no dialog turns up
// or the action did not end it, the driver gives up after about ten seconds
// and closes any dialog of the thread with IDCANCEL, so that a modal loop
// always ends; GaveUp() then says so. One driver at a time.
class CDialogDriver
{
public:
    CDialogDriver(const char* caption, std::function<void(HWND)> action);
    ~CDialogDriver();
    CDialogDriver(const CDialogDriver&) = delete;
    CDialogDriver& operator=(const CDialogDriver&) = delete;

    bool Acted() const { return m_Acted; }
    bool GaveUp() const { return m_GaveUp; }

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
    void Tick();

    std::string m_Caption;
    bool m_AnyCaption;
    std::function<void(HWND)> m_Action;
    UINT_PTR m_Timer;
    int m_Ticks;
    bool m_Acted;
    bool m_GaveUp;
};

// Presses a button of a dialog the way the dialog manager reports a click.
void PostCommand(HWND dialog, int id);

// Clipboard contents, read back with the plain Win32 calls. found tells
// whether the format was on the clipboard.
std::string ReadClipboardText(bool* found = nullptr);
std::wstring ReadClipboardUnicode(bool* found = nullptr);

// A fresh folder under the system's temporary folder, ending in "\";
// removed with its files by the destructor.
class CTempFolder
{
public:
    CTempFolder();
    ~CTempFolder();
    CTempFolder(const CTempFolder&) = delete;
    CTempFolder& operator=(const CTempFolder&) = delete;
    const std::string& Path() const { return m_Path; }
    std::string File(const char* name) const { return m_Path + name; }

private:
    std::string m_Path;
};

// Writes bytes to a file, replacing it. Returns false on failure.
bool WriteFileBytes(const std::string& path, const std::string& bytes);
bool FileExists(const std::string& path);

// True when the ANSI code page is Shift_JIS (932), as in the suites' Wine
// setup; the double-byte cases are skipped elsewhere.
bool IsShiftJisSystem();

}  // namespace ctltest
