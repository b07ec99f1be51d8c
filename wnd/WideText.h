// The program's UTF-8 strings on the "W" side of Win32, for the calls that
// do not follow the process code page: GDI keeps the system code page
// whatever the manifest asks for, so text is drawn, measured and given to
// fonts through the "W" calls, and the clipboard holds CF_UNICODETEXT.
// Every such conversion goes through here.
#pragma once

#include <string>
#include <string_view>

// UTF-8 to UTF-16 (an invalid byte becomes U+FFFD).
std::wstring Widen(std::string_view text);
// UTF-16 to UTF-8 (a lone surrogate becomes U+FFFD).
std::string Narrow(std::wstring_view text);
