// Code page 932 with the program's own table: known codes, errors, and every
// code of the code page both ways.
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "text/CodePage932.h"
#include "text/Utf8.h"

namespace
{

std::string Utf8Of(char32_t codePoint)
{
    std::string out;
    AppendUtf8(out, codePoint);
    return out;
}

// Which of several codes for one code point Windows writes: the lowest.
int Preference(const std::string& code)
{
    const unsigned lead = static_cast<unsigned char>(code[0]);
    if (code.size() == 1 || (lead >= 0x81 && lead <= 0x84) || (lead >= 0x88 && lead <= 0x9F) ||
        (lead >= 0xE0 && lead <= 0xEA))
        return 0;
    if (lead == 0x87)
        return 1;
    if (lead >= 0xFA && lead <= 0xFC)
        return 2;
    if (lead == 0xED || lead == 0xEE)
        return 3;
    return 4;
}

}  // namespace

TEST(CodePage932, KnownCodesBothWays)
{
    struct Case
    {
        const char* bytes;  // decodes to codePoint; nullptr when no code does
        char32_t codePoint;
        const char* encoded;  // what codePoint encodes to; nullptr for nothing
    };
    const Case cases[] = {
        {"A", U'A', "A"},
        {"\x5C", 0x5C, "\x5C"},
        {"\x7E", 0x7E, "\x7E"},
        {"\xB1", 0xFF71, "\xB1"},  // half-width katakana a
        {"\x82\xA0", 0x3042, "\x82\xA0"},
        {"\x95\x5C", 0x8868, "\x95\x5C"},  // a trail byte that is a backslash
        {"\x81\x60", 0xFF5E, "\x81\x60"},
        {nullptr, 0x301C, nullptr},  // WAVE DASH: only a best fit
        {"\x87\x40", 0x2460, "\x87\x40"},
        {"\x87\x90", 0x2252, "\x81\xE0"},
        {"\x81\xE0", 0x2252, "\x81\xE0"},
        {"\xED\x40", 0x7E8A, "\xFA\x5C"},
        {"\xEE\xF9", 0xFFE2, "\x81\xCA"},
        {"\xFA\x54", 0xFFE2, "\x81\xCA"},
        {"\xFA\x4A", 0x2160, "\x87\x54"},
        {"\xEE\xEF", 0x2170, "\xFA\x40"},
        {"\xF0\x40", 0xE000, "\xF0\x40"},
        {"\xF9\xFC", 0xE757, "\xF9\xFC"},
        {"\x80", 0x80, "\x80"},
        {"\xA0", 0xF8F0, "\xA0"},
        {"\xFD", 0xF8F1, "\xFD"},
        {nullptr, 0xA5, nullptr},
        {nullptr, 0x1F600, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "U+" << std::hex << static_cast<unsigned>(c.codePoint));
        if (c.bytes) {
            const std::string bytes = c.bytes;
            char32_t codePoint;
            size_t length;
            EXPECT_TRUE(DecodeCodePage932(bytes, 0, codePoint, length));
            EXPECT_EQ(c.codePoint, codePoint);
            EXPECT_EQ(bytes.size(), length);
            std::string utf8;
            size_t badAt;
            EXPECT_TRUE(Cp932ToUtf8(bytes, utf8, badAt));
            EXPECT_EQ(Utf8Of(c.codePoint), utf8);
        }
        std::string one = "x", whole = "x";
        EXPECT_EQ(c.encoded != nullptr, EncodeCodePage932(c.codePoint, one));
        EXPECT_EQ(c.encoded != nullptr, Utf8ToCp932(Utf8Of(c.codePoint), whole));
        EXPECT_EQ(c.encoded ? std::string("x") + c.encoded : "x", one);
        EXPECT_EQ(c.encoded ? c.encoded : "x", whole);
    }
    std::string bytes = "kept";
    EXPECT_FALSE(Utf8ToCp932("ab\xFF", bytes));
    EXPECT_EQ("kept", bytes);
}

TEST(CodePage932, ReportsTheFirstBadSequence)
{
    struct Case
    {
        const char* bytes;
        size_t badAt;
    };
    const Case cases[] = {
        {"ab\x85\x40", 2},  // unassigned
        {"ab\x82", 2},      // lead byte at the end
        {"\x82\x7F", 0},   {"a\x82\x20", 1}, {"\x82\xA0\x81\xFD", 2},
    };
    for (const Case& c : cases) {
        std::string utf8 = "kept";
        size_t badAt = 99;
        EXPECT_FALSE(Cp932ToUtf8(c.bytes, utf8, badAt)) << c.bytes;
        EXPECT_EQ(c.badAt, badAt) << c.bytes;
        EXPECT_EQ("kept", utf8);
        char32_t codePoint;
        size_t length;
        EXPECT_FALSE(DecodeCodePage932(c.bytes, c.badAt, codePoint, length));
        EXPECT_EQ(1u, length);
    }
}

TEST(CodePage932, EveryCodeDecodesAndEncodesToTheOneWindowsWrites)
{
    std::vector<std::string> codes;
    for (unsigned first = 0; first < 0x100; ++first) {
        for (unsigned second = 0; second < 0x100; ++second) {
            const std::string code{static_cast<char>(first), static_cast<char>(second)};
            char32_t codePoint;
            size_t length;
            if (!DecodeCodePage932(code, 0, codePoint, length))
                continue;
            codes.push_back(code.substr(0, length));
            if (length == 1)
                break;
        }
    }
    ASSERT_EQ(196u + 9604u, codes.size());

    std::map<char32_t, std::string> preferred;
    std::string allBytes, allUtf8;
    for (const std::string& code : codes) {
        char32_t codePoint;
        size_t length;
        DecodeCodePage932(code, 0, codePoint, length);
        auto [it, added] = preferred.emplace(codePoint, code);
        if (!added && Preference(code) < Preference(it->second))
            it->second = code;
        allBytes += code;
        AppendUtf8(allUtf8, codePoint);
    }
    std::string expectedBytes;
    for (const std::string& code : codes) {
        char32_t codePoint;
        size_t length;
        DecodeCodePage932(code, 0, codePoint, length);
        std::string encoded;
        ASSERT_TRUE(EncodeCodePage932(codePoint, encoded)) << std::hex << codePoint;
        EXPECT_EQ(preferred[codePoint], encoded) << std::hex << codePoint;
        expectedBytes += encoded;
    }

    // The whole-text conversions agree with the code-by-code ones.
    std::string utf8, bytes;
    size_t badAt;
    ASSERT_TRUE(Cp932ToUtf8(allBytes, utf8, badAt));
    EXPECT_EQ(allUtf8, utf8);
    ASSERT_TRUE(Utf8ToCp932(allUtf8, bytes));
    EXPECT_EQ(expectedBytes, bytes);
}
