// Message boxes and the text of the last system error.
//
// Texts and captions are UTF-8. The owner window may be null.
#pragma once

#include <windows.h>

#include <string>

// Flags of the program's error boxes (caption "エラー").
const UINT kErrorBoxFlags = MB_ICONEXCLAMATION | MB_SETFOREGROUND;

// MessageBoxA; returns the button pressed (0 when the box could not be shown).
int ShowMessage(HWND owner, const char* text, const char* caption, UINT flags);

// A Yes/No question (MB_YESNO, MB_ICONQUESTION, MB_SETFOREGROUND); true only
// when Yes was pressed.
bool AskYesNo(HWND owner, const char* text, const char* caption);

// The system's text for GetLastError(), with the system's own line end, or an
// empty text when the system has none. Call it before anything else can
// change the last error.
std::string GetSystemErrorText();
