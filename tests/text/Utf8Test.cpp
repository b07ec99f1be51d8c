// UTF-8 stepping, cutting, width and UTF-16 conversion.
#include <algorithm>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "text/Utf8.h"

namespace
{

// Pieces of the random texts: every kind of character the helpers treat
// differently. The invalid ones come last, so that a valid text draws only
// from the ones before them.
const char* const kPieces[] = {
    "a",
    "Z",
    " ",
    "\r\n",
    "12345678",
    u8"ｱ",
    u8"ﾞ",
    u8"ア",
    u8"漢字",
    u8"♡",
    u8"é",
    u8"Ω",
    u8"𠮷",
    u8"😊",
    u8"👍🏽",
    u8"\U0001F468\u200D\U0001F469\u200D\U0001F467",
    u8"\u2764\uFE0F",
    u8"\U0001F3F4\U000E0067\U000E0062\U000E0073\U000E0063\U000E0074\U000E007F",
    u8"🇯🇵",
    u8"🇺",
    u8"🇸",
    u8"\u0301",
    u8"\u3099",
    u8"\u200D",
    u8"\U0001F3FB",
    u8"\uFE0F",
    "\xC0\x80",
    "\xED\xA0\x80",
    "\xF4\x90\x80\x80",
    "\xE3\x81",
    "\x80",
    "\xFF",
};
constexpr size_t kValidPieces = 26;

std::string RandomText(std::mt19937& random, bool valid)
{
    const size_t choices = valid ? kValidPieces : std::size(kPieces);
    std::string text;
    for (size_t n = random() % 24; n > 0; --n)
        text += kPieces[random() % choices];
    return text;
}

// The starts of the characters, by CharLength, with the end last.
std::vector<size_t> CharStarts(std::string_view text)
{
    std::vector<size_t> starts{0};
    while (starts.back() < text.size()) {
        const size_t length = CharLength(text, starts.back());
        if (length == 0)
            break;
        starts.push_back(starts.back() + length);
    }
    return starts;
}

}  // namespace

TEST(Utf8, CutsAndStepsAgreeOnRandomText)
{
    std::mt19937 random(932);
    for (int round = 0; round < 3000; ++round) {
        const std::string text = RandomText(random, round % 2 == 0);
        SCOPED_TRACE(testing::PrintToString(text));
        const bool valid = IsValidUtf8(text);
        ASSERT_TRUE(valid || round % 2 == 1);

        // The characters partition the text, and IsCharBoundary is true
        // exactly at their starts.
        const std::vector<size_t> starts = CharStarts(text);
        ASSERT_EQ(text.size(), starts.back());
        size_t next = 0;
        for (size_t at = 0; at <= text.size() + 1; ++at) {
            const bool start = next < starts.size() && starts[next] == at;
            ASSERT_EQ(start, IsCharBoundary(text, at)) << "at " << at;
            next += start;
        }

        // The code points partition it too; rebuilt from them, the text is
        // the same with U+FFFD for each invalid byte, in UTF-16 as well.
        std::string rebuilt;
        size_t firstInvalid = std::string::npos;
        for (size_t at = 0; at < text.size();) {
            char32_t codePoint;
            size_t length;
            if (!DecodeUtf8(text, at, codePoint, length) && firstInvalid == std::string::npos)
                firstInvalid = at;
            ASSERT_EQ(length, CodePointLength(text, at));
            AppendUtf8(rebuilt, codePoint);
            at += length;
        }
        EXPECT_EQ(firstInvalid, FindInvalidUtf8(text));
        EXPECT_TRUE(!valid || text == rebuilt);
        EXPECT_EQ(rebuilt, Utf16ToUtf8(Utf8ToUtf16(text)));

        // Every cut is the longest start that fits and ends between
        // characters.
        for (size_t limit = 0; limit <= text.size() + 1; ++limit) {
            const size_t cut = CutAtCharBoundary(text, limit);
            ASSERT_LE(cut, limit);
            ASSERT_TRUE(IsCharBoundary(text, cut)) << "limit " << limit;
            ASSERT_TRUE(cut == text.size() ||
                        *std::upper_bound(starts.begin(), starts.end(), cut) > limit)
                << "limit " << limit;
            ASSERT_TRUE(!valid || IsValidUtf8(text.substr(0, cut)));
        }
        const size_t width = TextWidth(text);
        for (size_t limit = 0; limit <= width + 1; ++limit) {
            const size_t cut = CutToWidth(text, limit);
            ASSERT_TRUE(IsCharBoundary(text, cut)) << "width " << limit;
            ASSERT_LE(TextWidth(text.substr(0, cut)), limit);
            const auto after = std::upper_bound(starts.begin(), starts.end(), cut);
            ASSERT_TRUE(cut == text.size() || TextWidth(text.substr(0, *after)) > limit)
                << "width " << limit;
        }
    }
}

TEST(Utf8, KnownWidthsCutsAndInvalidSequences)
{
    // Out of the assertions, whose text is also compiled as a narrow string.
    const std::string mixed = u8"aｱア♡😊";
    const std::string digitsThenEmoji = u8"0123456789abcdef😊";
    const std::string twoFlags = u8"🇯🇵🇺🇸";
    const std::string flagAndHalf = u8"🇯🇵🇯";
    const std::string thumbsUpMedium = u8"👍🏽";
    EXPECT_EQ(8u, TextWidth(mixed));
    EXPECT_EQ(6u, TextWidth(u8"\uFF60\uFF61\uFF9F\uFFA0"));  // the half-width range's ends
    EXPECT_EQ(2u, TextWidth("\xFF"));
    EXPECT_EQ(4u, TextWidth("\xC0\x80"));
    EXPECT_EQ(4u, CutToWidth(mixed, 3));
    EXPECT_EQ(7u, CutToWidth(mixed, 4));
    EXPECT_EQ(16u, CutToWidth(digitsThenEmoji, 17));
    EXPECT_EQ(20u, CutToWidth(digitsThenEmoji, 18));

    // A mark stays with its base, a flag is never halved, and a joined
    // sequence or a skin tone is one character.
    EXPECT_EQ(1u, CutToWidth(u8"aか\u3099", 3));
    EXPECT_EQ(1u, CutAtCharBoundary(u8"ae\u0301", 3));
    EXPECT_EQ(8u, CutToWidth(twoFlags, 6));
    EXPECT_EQ(8u, CharLength(flagAndHalf, 0));
    EXPECT_EQ(4u, CharLength(flagAndHalf, 8));
    EXPECT_EQ(18u, CharLength(u8"\U0001F468\u200D\U0001F469\u200D\U0001F467x", 0));
    EXPECT_EQ(8u, CharLength(thumbsUpMedium, 0));
    EXPECT_EQ(6u, CharLength(u8"\u2764\uFE0Fa", 0));
    EXPECT_TRUE(ExtendsCharacter(0x1D165));  // marks beyond the BMP
    EXPECT_TRUE(ExtendsCharacter(0xE01EF));
    EXPECT_FALSE(ExtendsCharacter(0x1F600));

    struct Case
    {
        const char* text;
        bool valid;
        char32_t codePoint;
        size_t length;
    };
    const Case cases[] = {
        {"\xC0\x80", false, 0xFFFD, 1},          // overlong
        {"\xE0\x9F\xBF", false, 0xFFFD, 1},      // overlong
        {"\xF0\x8F\xBF\xBF", false, 0xFFFD, 1},  // overlong
        {"\xED\xA0\x80", false, 0xFFFD, 1},      // surrogate
        {"\xF4\x90\x80\x80", false, 0xFFFD, 1},  // above U+10FFFF
        {"\xE3\x81", false, 0xFFFD, 1},          // cut short
        {"\xBF", false, 0xFFFD, 1},              // continuation alone
        {"\xED\x9F\xBF", true, 0xD7FF, 3},
        {"\xF4\x8F\xBF\xBF", true, 0x10FFFF, 4},
        {u8"𠮷", true, 0x20BB7, 4},
    };
    for (const Case& c : cases) {
        char32_t codePoint;
        size_t length;
        EXPECT_EQ(c.valid, DecodeUtf8(c.text, 0, codePoint, length)) << c.text;
        EXPECT_EQ(c.codePoint, codePoint) << c.text;
        EXPECT_EQ(c.length, length) << c.text;
    }
    char32_t codePoint;
    size_t length;
    EXPECT_FALSE(DecodeUtf8(std::string_view("\xE3\x81\x82", 2), 0, codePoint, length));
    EXPECT_EQ(2u, FindInvalidUtf8("ab\xC0\x80"));
    EXPECT_EQ(u"\uFFFD\uFFFD", Utf8ToUtf16("\xE3\x81"));
    EXPECT_EQ(u8"\uFFFDa", Utf16ToUtf8(std::u16string{0xD800, u'a'}));
}
