// Helpers of the editing and search command suites: small readers of the
// serif list, the clipboard and the focus, keys pressed through the input
// queue, and a pump that works like the program's message loop. The modal
// windows a command raises are played by the driver of tests/support.
//
// Texts are UTF-8, as in the program.
#pragma once

#include <windows.h>

#include <string>

#include "tests/support/DialogDriver.h"

// Deselects every row of a list view (no cursor).
void ClearSelection(HWND list);
// Whether the keyboard focus is on `window` or one of its children.
bool HasFocusIn(HWND window);

// The clipboard's CF_UNICODETEXT, as the program put it there (not made by
// the system from CF_TEXT), or L"(none)"; ClipboardText gives it as UTF-8.
std::string ClipboardText();
std::wstring ClipboardUnicode();
// Puts a plain CF_TEXT marker on the clipboard.
void SetClipboardMarker(const std::string& text);
// Puts a CF_UNICODETEXT on the clipboard, as another program would.
void SetClipboardUnicode(const std::wstring& text);

// The first visible dialog of this thread owned by `owner` (the find and
// replace dialogs of the main window), or null.
HWND OwnedDialog(HWND owner);

// Presses a key through the system's input queue (SendInput), with Shift
// and Ctrl held as asked, so that it reaches the focus window of the
// foreground window as typed keys do.
void PressKey(WORD virtualKey, bool shift = false, bool control = false);
// Dispatches the thread's pending messages the way the program's loop does:
// each keyboard or mouse message is offered to the dialogs above its window,
// and the main window's accelerators are tried in any case.
void PumpWithAccelerators(HWND main, HACCEL accelerators, DWORD ms);
