#include "wnd/EditBox.h"

#include <cstdio>
#include <vector>

const char* CEditBox::GetText()
{
    m_Text.clear();
    if (!m_Wnd)
        return m_Text.c_str();
    char buffer[kTextBufferSize];
    buffer[0] = '\0';
    // GetWindowTextA stops at 1023 bytes; on an ANSI window it copies the
    // bytes as they are, so a double-byte character can be split at the end.
    const int length = GetWindowTextA(m_Wnd, buffer, kTextBufferSize);
    m_Text.assign(buffer, length > 0 ? static_cast<size_t>(length) : 0);
    if (m_Text.size() == kTextBufferSize - 1) {
        // Drop a lone lead byte left at the cut.
        size_t i = 0;
        while (i < m_Text.size())
            i += IsDBCSLeadByte(static_cast<BYTE>(m_Text[i])) ? 2 : 1;
        if (i > m_Text.size())
            m_Text.pop_back();
    }
    return m_Text.c_str();
}

const char* CEditBox::GetFullText()
{
    m_Text.clear();
    if (!m_Wnd)
        return m_Text.c_str();
    // The length may count more bytes than the text has (it can be measured
    // through another code page), never fewer.
    const int length = GetWindowTextLengthA(m_Wnd);
    if (length <= 0)
        return m_Text.c_str();
    std::vector<char> buffer(static_cast<size_t>(length) + 1, '\0');
    const int copied = GetWindowTextA(m_Wnd, buffer.data(), length + 1);
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
