// The line reader and tokenizer: classes, columns, lines.
#include <sstream>

#include "TesselTestSupport.h"

using namespace Tessel;

namespace
{

struct T
{
    std::string text;
    int cls;
    int column;
    bool operator==(const T& o) const
    {
        return text == o.text && cls == o.cls && column == o.column;
    }
};

std::ostream& operator<<(std::ostream& os, const T& t)
{
    return os << "{'" << t.text << "'," << t.cls << "," << t.column << "}";
}

// All tokens up to and including the first end token, from memory and from
// a stream; both must agree.
std::vector<T> Tokens(const std::string& input)
{
    std::vector<T> out[2];
    for (int mode = 0; mode < 2; ++mode) {
        LineReader reader;
        std::istringstream in(input);
        if (mode == 0)
            reader.Start(in);
        else
            reader.Start(std::string_view(input));
        for (int guard = 0; guard < 10000; ++guard) {
            Token t = reader.Next();
            out[mode].push_back(T{std::string(t.text), t.cls, t.column});
            if (t.cls == TokenEnd)
                break;
        }
    }
    EXPECT_EQ(out[0], out[1]);
    return out[0];
}

}  // namespace

TEST(Tokenizer, ListedBytesHaveTheirFixedClasses)
{
    EXPECT_EQ(0, ClassOfByte('\0'));
    EXPECT_EQ(1, ClassOfByte('\n'));
    EXPECT_EQ(2, ClassOfByte(' '));
    EXPECT_EQ(3, ClassOfByte('\t'));
    EXPECT_EQ(4, ClassOfByte('<'));
    EXPECT_EQ(5, ClassOfByte('='));
    EXPECT_EQ(6, ClassOfByte('>'));
    EXPECT_EQ(7, ClassOfByte('/'));
    EXPECT_EQ(8, ClassOfByte('-'));
    EXPECT_EQ(9, ClassOfByte(';'));
    EXPECT_EQ(10, ClassOfByte('!'));
    EXPECT_EQ(11, ClassOfByte('?'));
    EXPECT_EQ(12, ClassOfByte('&'));
    EXPECT_EQ(13, ClassOfByte('"'));
    EXPECT_EQ(14, ClassOfByte('\''));
}

TEST(Tokenizer, EveryOtherByteIsText)
{
    const std::string listed("\0\n \t<=>/-;!?&\"'", 15);
    int text = 0;
    for (int b = 0; b < 256; ++b) {
        if (listed.find(static_cast<char>(b)) == std::string::npos) {
            EXPECT_EQ(100, ClassOfByte(static_cast<unsigned char>(b))) << b;
            ++text;
        }
    }
    EXPECT_EQ(256 - 15, text);
    EXPECT_EQ(100, ClassOfByte('\r')) << "carriage return is an ordinary text byte";
}

TEST(Tokenizer, CutsATagIntoTokensWithColumns)
{
    std::vector<T> expected = {{"<", 4, 0},
                               {"a", 100, 1},
                               {" ", 2, 2},
                               {"x", 100, 3},
                               {"=", 5, 4},
                               {"\"", 13, 5},
                               {"1", 100, 6},
                               {"\"", 13, 7},
                               {">", 6, 8},
                               {"\n", 1, 9},
                               {std::string(1, '\0'), 0, 10}};
    EXPECT_EQ(expected, Tokens("<a x=\"1\">\n"));
}

TEST(Tokenizer, TextTokenIsAMaximalRunOfUnlistedBytes)
{
    std::vector<T> t = Tokens("ab\rcd-ef");
    ASSERT_EQ(4u, t.size());
    EXPECT_EQ((T{"ab\rcd", 100, 0}), t[0]);
    EXPECT_EQ((T{"-", 8, 5}), t[1]);
    EXPECT_EQ((T{"ef", 100, 6}), t[2]);
    EXPECT_EQ(0, t[3].cls);
}

TEST(Tokenizer, ColumnsCountFromTheStartOfEachLine)
{
    std::vector<T> t = Tokens("<a>\n<b>\n  <c/>");
    // Third line: two spaces, then < at column 2, c at 3, / at 4, > at 5.
    std::vector<T> third(t.end() - 6, t.end() - 1);
    std::vector<T> expected = {{" ", 2, 1}, {"<", 4, 2}, {"c", 100, 3}, {"/", 7, 4}, {">", 6, 5}};
    EXPECT_EQ(expected, third);
}

TEST(Tokenizer, LastLineWithoutLineFeedGetsNone)
{
    std::vector<T> t = Tokens("a\nb");
    std::vector<T> expected = {
        {"a", 100, 0}, {"\n", 1, 1}, {"b", 100, 0}, {std::string(1, '\0'), 0, 1}};
    EXPECT_EQ(expected, t);
}

TEST(Tokenizer, FinalLineFeedEndsTheLastLine)
{
    std::vector<T> t = Tokens("a\n");
    std::vector<T> expected = {{"a", 100, 0}, {"\n", 1, 1}, {std::string(1, '\0'), 0, 2}};
    EXPECT_EQ(expected, t);
}

TEST(Tokenizer, EmptyLinesGiveLineFeedTokens)
{
    std::vector<T> t = Tokens("\n\n");
    std::vector<T> expected = {{"\n", 1, 0}, {"\n", 1, 0}, {std::string(1, '\0'), 0, 1}};
    EXPECT_EQ(expected, t);
}

TEST(Tokenizer, EmptyInputGivesEndTokensForever)
{
    LineReader reader;
    reader.Start(std::string_view());
    for (int i = 0; i < 3; ++i) {
        Token t = reader.Next();
        EXPECT_EQ(TokenEnd, t.cls);
        EXPECT_EQ(0, t.column);
        EXPECT_EQ(std::string(1, '\0'), std::string(t.text))
            << "the end token's text is one NUL byte";
    }
}

TEST(Tokenizer, EmptyMemoryInputReadsNothingOutsideIt)
{
    // An empty text once left the cursor on a shared one-byte placeholder, and
    // the end column read the byte before it (caught by AddressSanitizer).
    // The zero-size heap block is what the fuzzer hands over for no bytes.
    std::unique_ptr<char[]> none(new char[0]);
    for (std::string_view text :
         {std::string_view(), std::string_view(none.get(), 0), std::string_view("")}) {
        LineReader reader;
        reader.Start(text);
        for (int i = 0; i < 2; ++i) {
            Token t = reader.Next();
            EXPECT_EQ(TokenEnd, t.cls);
            EXPECT_EQ(0, t.column);
        }
    }
}

TEST(Tokenizer, EndTokenRepeatsAfterInputEnds)
{
    LineReader reader;
    reader.Start(std::string_view("ab"));
    EXPECT_EQ(TokenText, reader.Next().cls);
    for (int i = 0; i < 3; ++i) {
        Token t = reader.Next();
        EXPECT_EQ(TokenEnd, t.cls);
        EXPECT_EQ(2, t.column) << "the cursor stays where it is";
    }
}

TEST(Tokenizer, NulByteEndsItsLine)
{
    std::string input("ab\0cd\nef", 8);
    std::vector<T> expected = {{"ab", 100, 0}, {"ef", 100, 0}, {std::string(1, '\0'), 0, 2}};
    EXPECT_EQ(expected, Tokens(input));
}

TEST(Tokenizer, LineStartingWithNulIsSkipped)
{
    std::string input("\0x\n\0y\nz", 7);
    std::vector<T> expected = {{"z", 100, 0}, {std::string(1, '\0'), 0, 1}};
    EXPECT_EQ(expected, Tokens(input));
}

TEST(Tokenizer, ShiftJisTrailBytesAreNeverDelimiters)
{
    // 0x95 0x5C is a kanji whose trail byte is the backslash; 0x83 0x5E has a
    // trail byte in 0x40..0x7E; 0x82 0xA0 is a hiragana. All stay one token.
    std::string sjis = "\x95\x5c\x83\x5e\x82\xa0";
    std::vector<T> t = Tokens(sjis + "<");
    ASSERT_EQ(3u, t.size());
    EXPECT_EQ((T{sjis, 100, 0}), t[0]);
    EXPECT_EQ((T{"<", 4, 6}), t[1]);
}

TEST(Tokenizer, GivenBackTokensReturnLastFirst)
{
    LineReader reader;
    reader.Start(std::string_view("abc"));
    Token a = reader.Next();
    Token end = reader.Next();
    reader.PushBack(a);
    reader.PushBack(end);
    EXPECT_EQ(TokenEnd, reader.Next().cls);
    Token again = reader.Next();
    EXPECT_EQ(TokenText, again.cls);
    EXPECT_EQ("abc", std::string(again.text));
    EXPECT_EQ(TokenEnd, reader.Next().cls);
}

TEST(Tokenizer, NeverFilledTokenHasColumnMinusOne)
{
    Token t;
    EXPECT_EQ(-1, t.column);
}

// Regressions found by fuzz/TesselFuzz.cpp.

TEST(TokenizerRegression, EndColumnOnANulLineAfterSkippedLineFeeds)
{
    // Memory input once gave the length of the line before the NUL line as the
    // end token's column; a stream is on the NUL line, at column 0.
    std::string input("<o\n\n\0\x06\n", 7);
    std::vector<T> expected = {
        {"<", 4, 0}, {"o", 100, 1}, {"\n", 1, 2}, {"\n", 1, 0}, {std::string(1, '\0'), 0, 0}};
    EXPECT_EQ(expected, Tokens(input));
    auto r = TesselTest::Sax(input, true, {false});
    EXPECT_EQ(TesselTest::Events({"error 0 0", "start o []"}), r.events);
}

TEST(TokenizerRegression, EndColumnAfterTheLastLineFeed)
{
    EXPECT_EQ(1, Tokens("a\n\n").back().column);
    EXPECT_EQ(3, Tokens("ab\n").back().column);
    EXPECT_EQ(2, Tokens(std::string("ab\0cd\n", 6)).back().column);
    EXPECT_EQ(0, Tokens(std::string("a\n\0b\n", 5)).back().column);
}
