// Text helpers shared by the editing dialogs. UTF-8; only ASCII bytes are
// looked at, and no byte of a longer character is ASCII, so these never
// split one.
#pragma once

#include <string>

// Removes leading and trailing ASCII spaces (0x20) only: tabs and full-width
// spaces (U+3000) stay.
std::string TrimAsciiSpaces(const std::string& text);

// "\n" to "\r\n", for showing a stored memo in a multi-line edit box. A
// "\n" that already follows "\r" is left as it is.
std::string ToCrLf(const std::string& text);

// "\r\n" to "\n", for storing what a multi-line edit box holds.
std::string FromCrLf(const std::string& text);
