#include "wnd/EditBox.h"

#include <cstdio>
#include <vector>

#include "text/Utf8.h"

const char* CEditBox::GetText()
{
    // Read whole and cut here, between characters: the limit keeps the
    // meaning it had for Shift_JIS text, 1023 bytes, with a character
    // counting 2 (ASCII and half-width katakana 1).
    GetFullText();
    m_Text.resize(CutToWidth(m_Text, kTextBufferSize - 1));
    return m_Text.c_str();
}

const char* CEditBox::GetFullText()
{
    m_Text.clear();
    if (!m_Wnd)
        return m_Text.c_str();
    // Sized from the UTF-16 length, which the control knows exactly: each
    // unit is at most three bytes of UTF-8 (a surrogate pair four for two).
    // The "A" length may be measured otherwise.
    const int units = GetWindowTextLengthW(m_Wnd);
    if (units <= 0)
        return m_Text.c_str();
    const size_t size = static_cast<size_t>(units) * 3 + 1;
    std::vector<char> buffer(size, '\0');
    const int copied = GetWindowTextA(m_Wnd, buffer.data(), static_cast<int>(size));
    if (copied > 0)
        m_Text.assign(buffer.data(), static_cast<size_t>(copied));
    return m_Text.c_str();
}

int CEditBox::SetTextFormat(int value, const char* format)
{
    if (!m_Wnd || !format)
        return 0;
    char buffer[256];
    buffer[0] = '\0';
    std::snprintf(buffer, sizeof(buffer), format, value);
    return SetWindowTextA(m_Wnd, buffer);
}
