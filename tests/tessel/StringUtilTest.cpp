// The string helpers.
#include <climits>

#include "TesselTestSupport.h"

using namespace Tessel;

TEST(EscapeEntities, ReplacesTheFiveCharactersInTableOrder)
{
    std::string s = "a<b & \"c\"";
    EXPECT_EQ(4u, EscapeEntities(s));
    EXPECT_EQ("a&lt;b &amp; &quot;c&quot;", s);
}

TEST(EscapeEntities, AllFiveAndAmpersandsOfInsertedReferencesStay)
{
    std::string s = "&\"<>'";
    EXPECT_EQ(5u, EscapeEntities(s));
    EXPECT_EQ("&amp;&quot;&lt;&gt;&apos;", s);
    std::string ref = "&lt;";
    EXPECT_EQ(1u, EscapeEntities(ref));
    EXPECT_EQ("&amp;lt;", ref);
}

TEST(EscapeEntities, TextWithoutThemIsUnchanged)
{
    std::string s = "plain \x95\x5c text";
    EXPECT_EQ(0u, EscapeEntities(s));
    EXPECT_EQ("plain \x95\x5c text", s);
    std::string empty;
    EXPECT_EQ(0u, EscapeEntities(empty));
}

TEST(UnescapeEntities, EscapedReferenceIsDecodedTwice)
{
    std::string s = "&amp;lt;";
    EXPECT_EQ(2u, UnescapeEntities(s));
    EXPECT_EQ("<", s);
}

TEST(UnescapeEntities, ReversesEscape)
{
    std::string s = "a&lt;b &amp; &quot;c&quot; &apos;d&apos; &gt;";
    EXPECT_EQ(7u, UnescapeEntities(s));
    EXPECT_EQ("a<b & \"c\" 'd' >", s);
}

TEST(UnescapeEntities, CaseAndUnknownReferencesStay)
{
    std::string s = "&LT; &#60; &nbsp; &amp";
    EXPECT_EQ(0u, UnescapeEntities(s));
    EXPECT_EQ("&LT; &#60; &nbsp; &amp", s);
}

TEST(EntityCopies, LeaveTheArgumentAlone)
{
    const std::string original = "a<b";
    EXPECT_EQ("a&lt;b", EscapeEntitiesCopy(original));
    EXPECT_EQ("a<b", original);
    const std::string escaped = "a&lt;b";
    EXPECT_EQ("a<b", UnescapeEntitiesCopy(escaped));
    EXPECT_EQ("a&lt;b", escaped);
}

TEST(ReplaceAll, CrLfToLf)
{
    std::string s = "a\r\nb\r\nc\r\n";
    EXPECT_EQ(3u, ReplaceAll(s, "\r\n", "\n"));
    EXPECT_EQ("a\nb\nc\n", s);
}

TEST(ReplaceAll, LfToCrLfConvertsEachOnce)
{
    std::string s = "a\nb\n\n";
    EXPECT_EQ(3u, ReplaceAll(s, "\n", "\r\n"));
    EXPECT_EQ("a\r\nb\r\n\r\n", s);
}

TEST(ReplaceAll, SearchResumesAfterTheInsertedText)
{
    std::string s = "aaa";
    EXPECT_EQ(3u, ReplaceAll(s, "a", "aa"));
    EXPECT_EQ("aaaaaa", s);
    std::string t = "aaaa";
    EXPECT_EQ(2u, ReplaceAll(t, "aa", "a"));
    EXPECT_EQ("aa", t);
    std::string u = "aaa";
    EXPECT_EQ(1u, ReplaceAll(u, "aa", "b"));
    EXPECT_EQ("ba", u);
}

TEST(ReplaceAll, ShorterReplacementsWorkInPlace)
{
    std::string s = "x&lt;&lt;y&lt;";
    EXPECT_EQ(3u, ReplaceAll(s, "&lt;", "<"));
    EXPECT_EQ("x<<y<", s);
    std::string same = "abcabc";
    EXPECT_EQ(2u, ReplaceAll(same, "bc", "XY"));
    EXPECT_EQ("aXYaXY", same);
    std::string whole = "\r\n";
    EXPECT_EQ(1u, ReplaceAll(whole, "\r\n", "\n"));
    EXPECT_EQ("\n", whole);
}

TEST(ReplaceAll, PatternTakenFromTheTextItself)
{
    std::string s = "abXabYab";
    EXPECT_EQ(3u, ReplaceAll(s, std::string_view(s).substr(0, 2), ""));
    EXPECT_EQ("XY", s);
    std::string t = "ab-ab";
    EXPECT_EQ(1u, ReplaceAll(t, "-", std::string_view(t).substr(0, 2)));
    EXPECT_EQ("ababab", t);
}

TEST(ReplaceAll, EmptyFromReplacesNothing)
{
    std::string s = "abc";
    EXPECT_EQ(0u, ReplaceAll(s, "", "x"));
    EXPECT_EQ("abc", s);
}

TEST(ReplaceAll, ToEmptyDeletes)
{
    std::string s = "a-b-c";
    EXPECT_EQ(2u, ReplaceAll(s, "-", ""));
    EXPECT_EQ("abc", s);
}

TEST(ReplaceAll, NoMatch)
{
    std::string s = "abc";
    EXPECT_EQ(0u, ReplaceAll(s, "x", "y"));
    EXPECT_EQ("abc", s);
}

TEST(FormatString, FormatsOfTheProgram)
{
    EXPECT_EQ("0000ff", FormatString(255, "%06x"));
    EXPECT_EQ("-1", FormatString(-1, "%ld"));
    EXPECT_EQ("0077", FormatString(0x77, "%04x"));
    EXPECT_EQ("0377", FormatString(0x377, "%04x"));
    EXPECT_EQ("ffcccc", FormatString(0xffcccc, "%06x"));
    EXPECT_EQ("10", FormatString(10, "%ld"));
    EXPECT_EQ("-2147483648", FormatString(INT_MIN, "%ld"));
    EXPECT_EQ("2147483647", FormatString(INT_MAX, "%ld"));
    EXPECT_EQ("ffffffff", FormatString(-1, "%04x"));
}

TEST(FormatString, TextAroundAndOtherConversions)
{
    EXPECT_EQ("id=42;", FormatString(42, "id=%d;"));
    EXPECT_EQ("   42|42   ", FormatString(42, "%5ld|%-5d"));
    EXPECT_EQ("100%", FormatString(100, "%d%%"));
    EXPECT_EQ("0X1F", FormatString(31, "%#X"));
    EXPECT_EQ("A", FormatString(65, "%c"));
    EXPECT_EQ("7 7", FormatString(7, "%d %u"));
    EXPECT_EQ("-1", FormatString(0xffff, "%hd"));
}

TEST(FormatString, UnsupportedConversionsAreCopied)
{
    EXPECT_EQ("%s", FormatString(1, "%s"));
    EXPECT_EQ("%f%p", FormatString(1, "%f%p"));
    EXPECT_EQ("x%", FormatString(1, "x%"));
    EXPECT_EQ("%*d", FormatString(1, "%*d"));
}

TEST(FormatString, ResultStopsAtTheFirstNul)
{
    EXPECT_EQ("a", FormatString(0, "a%cb"));
}

TEST(FormatString, ResultHoldsAtMost127Bytes)
{
    EXPECT_EQ(std::string(127, ' '), FormatString(5, "%200d"));
    EXPECT_EQ(std::string(127, ' '), FormatString(5, "%99999999999999999999d"));
    EXPECT_EQ(std::string(127, '0'), FormatString(5, "%.500d"));
    std::string longText(300, 'x');
    EXPECT_EQ(std::string(127, 'x'), FormatString(5, longText));
    EXPECT_EQ(std::string(126, ' ') + "5", FormatString(5, "%127d"));
    EXPECT_EQ(std::string(120, 'x') + "000000f",
              FormatString(0xff, std::string(120, 'x') + "%08x"));
}
