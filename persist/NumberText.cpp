#include "persist/NumberText.h"

#include <limits>

namespace
{

bool IsCSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Skips white space and the sign; returns whether the number is negative.
bool SkipToDigits(const std::string& text, size_t& i)
{
    while (i < text.size() && IsCSpace(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    return negative;
}

}  // namespace

int32_t ReadDecimal(const std::string& text)
{
    size_t i = 0;
    const bool negative = SkipToDigits(text, i);
    // Accumulate the magnitude, stopping at one past INT32_MAX's magnitude
    // for negative numbers so that INT32_MIN itself reads exactly.
    const int64_t limit = negative ? int64_t(std::numeric_limits<int32_t>::max()) + 1
                                   : int64_t(std::numeric_limits<int32_t>::max());
    int64_t magnitude = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        magnitude = magnitude * 10 + (text[i] - '0');
        if (magnitude > limit)
            magnitude = limit;
    }
    return static_cast<int32_t>(negative ? -magnitude : magnitude);
}

uint32_t ReadHex(const std::string& text)
{
    size_t i = 0;
    const bool negative = SkipToDigits(text, i);
    if (i + 2 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X') &&
        HexDigit(text[i + 2]) >= 0)
        i += 2;
    uint32_t value = 0;
    for (; i < text.size() && HexDigit(text[i]) >= 0; ++i)
        value = (value << 4) | static_cast<uint32_t>(HexDigit(text[i]));
    return negative ? 0u - value : value;
}
