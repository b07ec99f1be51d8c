#include "wnd/WideText.h"

#include "text/Utf8.h"

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows' wchar_t is a UTF-16 code unit");

std::wstring Widen(std::string_view text)
{
    const std::u16string wide = Utf8ToUtf16(text);
    return std::wstring(wide.begin(), wide.end());
}

std::string Narrow(std::wstring_view text)
{
    const std::u16string wide(text.begin(), text.end());
    return Utf16ToUtf8(wide);
}
