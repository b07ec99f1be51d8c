// Text helpers shared by the editing dialogs. Byte strings in Shift_JIS;
// only ASCII bytes are looked at, and no ASCII byte below 0x40 can be the
// second byte of a Shift_JIS character, so these never split one.
#pragma once

#include <string>

// Removes leading and trailing ASCII spaces (0x20) only: tabs and full-width
// spaces (0x81 0x40) stay.
std::string TrimAsciiSpaces(const std::string& text);

// "\n" to "\r\n", for showing a stored memo in a multi-line edit box. A
// "\n" that already follows "\r" is left as it is.
std::string ToCrLf(const std::string& text);

// "\r\n" to "\n", for storing what a multi-line edit box holds.
std::string FromCrLf(const std::string& text);
