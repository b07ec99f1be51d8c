// Helpers for the control and common-dialog suites: a plain parent window,
// the clipboard read back, and the system's code page. Message pumping, the
// driver of modal boxes and temporary folders are in tests/support.
#pragma once

#include <windows.h>

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

// Clipboard contents, read back with the plain Win32 calls. found tells
// whether the format was on the clipboard. The text is CF_UNICODETEXT as
// UTF-8 (CF_TEXT is made by the system in the locale's code page, not the
// program's).
std::string ReadClipboardText(bool* found = nullptr);
std::wstring ReadClipboardUnicode(bool* found = nullptr);

// Whether a file or folder of that name exists.
bool FileExists(const std::string& path);

}  // namespace ctltest
