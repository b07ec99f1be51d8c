#include "text/Utf8.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <vector>

namespace
{

struct CodePointRange
{
    char32_t first;
    char32_t last;
};

#include "text/CombiningMarks.inc"

constexpr char32_t kReplacement = 0xFFFD;
constexpr char32_t kZeroWidthJoiner = 0x200D;

bool IsContinuation(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

bool IsRegionalIndicator(char32_t codePoint)
{
    return codePoint >= 0x1F1E6 && codePoint <= 0x1F1FF;
}

// Whether the eight bytes at `p` are all ASCII. Long runs of ASCII (markup,
// numbers, CR LF) are the common case in the program's lines.
bool IsAsciiWord(const char* p)
{
    std::uint64_t word;
    std::memcpy(&word, p, sizeof word);
    return (word & 0x8080808080808080ull) == 0;
}

unsigned char ByteAt(std::string_view text, size_t at)
{
    return static_cast<unsigned char>(text[at]);
}

// The code point at `at`, U+FFFD for an invalid byte (one byte long).
char32_t CodePointAt(std::string_view text, size_t at, size_t& length)
{
    char32_t codePoint;
    DecodeUtf8(text, at, codePoint, length);
    return codePoint;
}

// Whether `at` lies inside the sequence of a valid code point (after its
// first byte). A continuation byte that no valid sequence covers is an
// invalid byte and so starts a code point of its own.
bool IsInsideCodePoint(std::string_view text, size_t at)
{
    if (!IsContinuation(ByteAt(text, at)))
        return false;
    for (size_t back = 1; back <= 3 && back <= at; ++back) {
        if (IsContinuation(ByteAt(text, at - back)))
            continue;
        size_t length;
        CodePointAt(text, at - back, length);
        return length > back;
    }
    return false;
}

// Where the code point before `at` starts (`at` > 0). Only one byte among
// the four before `at` can start a valid sequence that ends exactly at `at`;
// without one, the byte before `at` is an invalid byte, or `at` is inside a
// code point and the answer is one byte back, which walks to its start.
size_t PreviousCodePointStart(std::string_view text, size_t at)
{
    for (size_t back = 1; back <= 4 && back <= at; ++back) {
        if (IsContinuation(ByteAt(text, at - back)))
            continue;
        size_t length;
        CodePointAt(text, at - back, length);
        return length == back ? at - back : at - 1;
    }
    return at - 1;
}

bool EndsWithJoiner(std::string_view text, size_t at)
{
    return at >= 3 && text.substr(at - 3, 3) == "\xE2\x80\x8D";
}

bool IsCombiningMark(char32_t codePoint)
{
    const auto* range =
        std::upper_bound(std::begin(kCombiningMarks), std::end(kCombiningMarks), codePoint,
                         [](char32_t value, const CodePointRange& r) { return value < r.first; });
    return range != std::begin(kCombiningMarks) && codePoint <= (range - 1)->last;
}

// The marks and the zero width joiner of the BMP as one bit per code point
// (8 KB), made on first use: stepping through Japanese text asks about
// every code point, and a bit costs less than a search of the ranges.
bool IsBmpExtender(char32_t codePoint)
{
    static const std::vector<std::uint64_t> bits = [] {
        std::vector<std::uint64_t> b(0x10000 / 64);
        auto set = [&b](char32_t c) { b[c / 64] |= std::uint64_t{1} << (c % 64); };
        for (const CodePointRange& r : kCombiningMarks) {
            for (char32_t c = r.first; c <= r.last && c < 0x10000; ++c)
                set(c);
        }
        set(kZeroWidthJoiner);
        return b;
    }();
    return (bits[codePoint / 64] >> (codePoint % 64)) & 1;
}

size_t CodePointWidth(char32_t codePoint)
{
    return codePoint < 0x80 || (codePoint >= 0xFF61 && codePoint <= 0xFF9F) ? 1 : 2;
}

}  // namespace

bool DecodeUtf8(std::string_view text, size_t at, char32_t& codePoint, size_t& length)
{
    const unsigned char lead = ByteAt(text, at);
    codePoint = kReplacement;
    length = 1;
    if (lead < 0x80) {
        codePoint = lead;
        return true;
    }
    size_t need;
    char32_t value;
    // The second byte's range excludes the overlong forms (E0 80..9F,
    // F0 80..8F), the surrogates (ED A0..BF) and values above U+10FFFF
    // (F4 90..BF); C0, C1 and F5..FF start nothing.
    unsigned char low = 0x80, high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        need = 1;
        value = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        need = 2;
        value = lead & 0x0F;
        if (lead == 0xE0)
            low = 0xA0;
        else if (lead == 0xED)
            high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        need = 3;
        value = lead & 0x07;
        if (lead == 0xF0)
            low = 0x90;
        else if (lead == 0xF4)
            high = 0x8F;
    } else {
        return false;
    }
    if (text.size() - at <= need)
        return false;
    for (size_t i = 1; i <= need; ++i) {
        const unsigned char byte = ByteAt(text, at + i);
        if (byte < low || byte > high)
            return false;
        low = 0x80;
        high = 0xBF;
        value = (value << 6) | (byte & 0x3F);
    }
    codePoint = value;
    length = need + 1;
    return true;
}

void AppendUtf8(std::string& out, char32_t codePoint)
{
    if ((codePoint >= 0xD800 && codePoint <= 0xDFFF) || codePoint > 0x10FFFF)
        codePoint = kReplacement;
    if (codePoint < 0x80) {
        out += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        out += static_cast<char>(0xC0 | (codePoint >> 6));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        out += static_cast<char>(0xE0 | (codePoint >> 12));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (codePoint >> 18));
        out += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
}

size_t FindInvalidUtf8(std::string_view text)
{
    size_t at = 0;
    while (at < text.size()) {
        if (text.size() - at >= 8 && IsAsciiWord(text.data() + at)) {
            at += 8;
            continue;
        }
        char32_t codePoint;
        size_t length;
        if (!DecodeUtf8(text, at, codePoint, length))
            return at;
        at += length;
    }
    return std::string_view::npos;
}

size_t CodePointLength(std::string_view text, size_t at)
{
    if (at >= text.size())
        return 0;
    size_t length;
    CodePointAt(text, at, length);
    return length;
}

bool ExtendsCharacter(char32_t codePoint)
{
    if (codePoint < 0x300)
        return false;
    if (codePoint < 0x10000)
        return IsBmpExtender(codePoint);
    if ((codePoint >= 0x1F3FB && codePoint <= 0x1F3FF) ||
        (codePoint >= 0xE0020 && codePoint <= 0xE007F))
        return true;
    return IsCombiningMark(codePoint);
}

size_t CharLength(std::string_view text, size_t at)
{
    const size_t size = text.size();
    if (at >= size)
        return 0;
    if (ByteAt(text, at) < 0x80 && (at + 1 == size || ByteAt(text, at + 1) < 0x80))
        return 1;
    size_t length;
    char32_t codePoint = CodePointAt(text, at, length);
    size_t end = at + length;
    // The regional indicators in a row up to here, counted from `at`: an odd
    // count leaves the last one waiting for the second of its flag.
    size_t regionalRun = IsRegionalIndicator(codePoint) ? 1 : 0;
    while (end < size) {
        const bool afterJoiner = codePoint == kZeroWidthJoiner;
        const char32_t next = CodePointAt(text, end, length);
        const bool secondOfFlag = IsRegionalIndicator(next) && regionalRun % 2 == 1;
        if (!afterJoiner && !secondOfFlag && !ExtendsCharacter(next))
            break;
        regionalRun = IsRegionalIndicator(next) ? regionalRun + 1 : 0;
        codePoint = next;
        end += length;
    }
    return end - at;
}

bool IsCharBoundary(std::string_view text, size_t at)
{
    if (at == 0 || at >= text.size())
        return at <= text.size();
    if (ByteAt(text, at) < 0x80)
        return !EndsWithJoiner(text, at);
    if (IsInsideCodePoint(text, at))
        return false;
    size_t length;
    const char32_t codePoint = CodePointAt(text, at, length);
    if (ExtendsCharacter(codePoint))
        return false;
    size_t before = PreviousCodePointStart(text, at);
    const char32_t previous = CodePointAt(text, before, length);
    if (previous == kZeroWidthJoiner)
        return false;
    if (!IsRegionalIndicator(codePoint) || !IsRegionalIndicator(previous))
        return true;
    // A flag is two regional indicators counted from the start of their run:
    // this one starts a flag when an even number of them comes before it.
    size_t run = 1;
    while (before > 0) {
        before = PreviousCodePointStart(text, before);
        if (!IsRegionalIndicator(CodePointAt(text, before, length)))
            break;
        ++run;
    }
    return run % 2 == 0;
}

size_t CutAtCharBoundary(std::string_view text, size_t maxBytes)
{
    if (maxBytes >= text.size())
        return text.size();
    size_t at = maxBytes;
    while (at > 0 && !IsCharBoundary(text, at))
        at = PreviousCodePointStart(text, at);
    return at;
}

size_t TextWidth(std::string_view text)
{
    size_t width = 0;
    size_t at = 0;
    while (at < text.size()) {
        if (text.size() - at >= 8 && IsAsciiWord(text.data() + at)) {
            at += 8;
            width += 8;
            continue;
        }
        size_t length;
        width += CodePointWidth(CodePointAt(text, at, length));
        at += length;
    }
    return width;
}

size_t CutToWidth(std::string_view text, size_t maxWidth)
{
    size_t width = 0;
    size_t at = 0;
    while (at < text.size()) {
        if (text.size() - at >= 8 && maxWidth - width >= 8 && IsAsciiWord(text.data() + at)) {
            at += 8;
            width += 8;
            continue;
        }
        size_t length;
        const size_t w = CodePointWidth(CodePointAt(text, at, length));
        if (w > maxWidth - width)
            break;
        width += w;
        at += length;
    }
    // `at` ends the longest run of whole code points that fits; widths only
    // grow, so the last character boundary at or before it is the answer.
    return CutAtCharBoundary(text, at);
}

std::u16string Utf8ToUtf16(std::string_view text)
{
    std::u16string out;
    out.reserve(text.size());
    size_t at = 0;
    while (at < text.size()) {
        const unsigned char byte = ByteAt(text, at);
        if (byte < 0x80) {
            out += static_cast<char16_t>(byte);
            ++at;
            continue;
        }
        size_t length;
        const char32_t codePoint = CodePointAt(text, at, length);
        at += length;
        if (codePoint < 0x10000) {
            out += static_cast<char16_t>(codePoint);
        } else {
            out += static_cast<char16_t>(0xD800 + ((codePoint - 0x10000) >> 10));
            out += static_cast<char16_t>(0xDC00 + (codePoint & 0x3FF));
        }
    }
    return out;
}

std::string Utf16ToUtf8(std::u16string_view text)
{
    std::string out;
    out.reserve(text.size() * 3 / 2);
    for (size_t at = 0; at < text.size(); ++at) {
        char32_t unit = text[at];
        if (unit < 0x80) {
            out += static_cast<char>(unit);
            continue;
        }
        if (unit >= 0xD800 && unit <= 0xDBFF && at + 1 < text.size() && text[at + 1] >= 0xDC00 &&
            text[at + 1] <= 0xDFFF) {
            unit = 0x10000 + ((unit - 0xD800) << 10) + (text[at + 1] - 0xDC00);
            ++at;
        }
        // A lone surrogate is left to AppendUtf8, which writes U+FFFD for it.
        AppendUtf8(out, unit);
    }
    return out;
}
