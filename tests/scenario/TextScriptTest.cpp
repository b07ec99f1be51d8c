// Scenarios as plain text: every line form, encoding and line end read from
// one table, and export followed by import giving the scenario back.
#include "scenario/TextScript.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>
#endif

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace
{

#ifdef _WIN32
// The program's own conversion: without best fit.
class CTestCodec : public IShiftJisCodec
{
public:
    bool Encode(char32_t c, std::string& bytes) const override
    {
        const wchar_t wide[2] = {static_cast<wchar_t>(c < 0x10000 ? c : 0xD7C0 + (c >> 10)),
                                 static_cast<wchar_t>(0xDC00 + (c & 0x3FF))};
        char out[8] = {};
        BOOL lost = FALSE;
        const int n = WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, wide, c < 0x10000 ? 1 : 2, out,
                                          sizeof out, nullptr, &lost);
        bytes.assign(out, n > 0 && !lost ? n : 0);
        return !bytes.empty();
    }
    char32_t Decode(const std::string& s) const override
    {
        wchar_t wide[2] = {};
        const int n = MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, s.data(),
                                          static_cast<int>(s.size()), wide, 2);
        return n == 1 ? static_cast<char32_t>(wide[0]) : 0xFFFD;
    }
};
#else
// glibc's CP932; a code point counts only when it converts back to itself,
// as without best fit on Windows.
class CTestCodec : public IShiftJisCodec
{
public:
    bool Encode(char32_t c, std::string& bytes) const override
    {
        bytes = Convert("CP932", "UTF-32LE", std::string(reinterpret_cast<const char*>(&c), 4));
        return !bytes.empty() && Decode(bytes) == c;
    }
    char32_t Decode(const std::string& s) const override
    {
        const std::string out = Convert("UTF-32LE", "CP932", s);
        char32_t c = 0xFFFD;
        if (out.size() == 4)
            std::memcpy(&c, out.data(), 4);
        return c;
    }

private:
    static std::string Convert(const char* to, const char* from, const std::string& in)
    {
        iconv_t cd = iconv_open(to, from);
        char out[16] = {};
        char* source = const_cast<char*>(in.data());
        char* target = out;
        size_t left = in.size();
        size_t room = sizeof out;
        const bool ok = iconv(cd, &source, &left, &target, &room) != static_cast<size_t>(-1);
        iconv_close(cd);
        return ok && left == 0 ? std::string(out, target) : std::string();
    }
};
#endif

const CTestCodec kCodec;

std::string Utf16(const std::u16string& text, bool littleEndian)
{
    std::string bytes;
    for (char16_t unit : text) {
        const char high = static_cast<char>(unit >> 8);
        const char low = static_cast<char>(unit & 0xFF);
        bytes += littleEndian ? std::string{low, high} : std::string{high, low};
    }
    return bytes;
}

const std::string kBom = "\xEF\xBB\xBF";

struct CCase
{
    const char* m_What;
    std::string m_Input;
    ETextEncoding m_Encoding;
    std::vector<std::string> m_Serifs;  // "name|text|memo", name "-" without a cast
    std::string m_NewCasts;             // "name=id ..."
    std::string m_ScriptMemo = "";
    std::string m_Unmapped = "";  // "line:code point ... =count"
};

// The text is read against one existing cast, 既存 with id 4.
const std::vector<CCast> kCasts = {CCast(4, "既存")};

const std::vector<CCase> kCases = {
    {"quote form", "太郎「おはよう」\r\n", ETextEncoding::ShiftJis, {"太郎|おはよう|"}, "太郎=5"},
    {"ascii colon drops one space",
     "花子: やあ\r\n花子:  二つ目\r\n花子:詰めて",
     ETextEncoding::ShiftJis,
     {"花子|やあ|", "花子| 二つ目|", "花子|詰めて|"},
     "花子=5"},
    {"wide colon", "花子：こんにちは", ETextEncoding::ShiftJis, {"花子|こんにちは|"}, "花子=5"},
    {"colon inside quotes",
     "太郎「時刻は10:30」",
     ETextEncoding::ShiftJis,
     {"太郎|時刻は10:30|"},
     "太郎=5"},
    {"quotes inside colon serif",
     "太郎: 「引用」です\n太郎: 「全部」  ",
     ETextEncoding::ShiftJis,
     {"太郎|「引用」です|", "太郎|「全部」  |"},
     "太郎=5"},
    {"existing cast, trimmed name, spaces after the quote",
     " 既存 「はい」  \n既存 ：いいえ",
     ETextEncoding::ShiftJis,
     {"既存|はい|", "既存|いいえ|"},
     ""},
    {"names of 32 bytes, not 33",
     std::string(32, 'a') + "「x」\n" + std::string(33, 'b') +
         ": y\n１２３４５６７８９０１２３４５６「z」",
     ETextEncoding::ShiftJis,
     {std::string(32, 'a') + "|x|", "-|" + std::string(33, 'b') + ": y|",
      "１２３４５６７８９０１２３４５６|z|"},
     std::string(32, 'a') + "=5 １２３４５６７８９０１２３４５６=6"},
    {"stage directions",
     "「はい」と答えた\n（間）\n「いいえ」\n「A: B」",
     ETextEncoding::ShiftJis,
     {"-|「はい」と答えた|", "-|（間）|", "-|「いいえ」|", "-|「A: B」|"},
     ""},
    {"memo lines",
     "# 冒頭\n#二行目\n太郎「a」\n# m1\n#m2\n\n#  m3\n（間）\n# ト書きのメモ\n花子「b」\n#",
     ETextEncoding::ShiftJis,
     {"太郎|a|m1\nm2\n m3", "-|（間）|ト書きのメモ", "花子|b|"},
     "太郎=5 花子=6",
     "冒頭\n二行目"},
    {"blank lines and spaces",
     "\n   \n太郎「a」\n \n\n",
     ETextEncoding::ShiftJis,
     {"太郎|a|"},
     "太郎=5"},
    {"three line ends",
     "太郎「一」\r\n太郎「二」\n太郎「三」\r太郎「四」\r\n",
     ETextEncoding::ShiftJis,
     {"太郎|一|", "太郎|二|", "太郎|三|", "太郎|四|"},
     "太郎=5"},
    {"ascii only is Shift_JIS", "Taro: hi", ETextEncoding::ShiftJis, {"Taro|hi|"}, "Taro=5"},
    {"utf-8 with BOM",
     kBom + u8"太郎「一」\r\n花子: ｶﾅ",
     ETextEncoding::Utf8,
     {"太郎|一|", "花子|ｶﾅ|"},
     "太郎=5 花子=6"},
    {"utf-8 without BOM",
     u8"太郎「一」\r\n花子: 二",
     ETextEncoding::Utf8,
     {"太郎|一|", "花子|二|"},
     "太郎=5 花子=6"},
    {"utf-16 LE with BOM",
     Utf16(u"\uFEFF太郎「一」\r\n花子: 二", true),
     ETextEncoding::Utf16Le,
     {"太郎|一|", "花子|二|"},
     "太郎=5 花子=6"},
    {"utf-16 BE with BOM",
     Utf16(u"\uFEFF太郎「一」\r花子: 二", false),
     ETextEncoding::Utf16Be,
     {"太郎|一|", "花子|二|"},
     "太郎=5 花子=6"},
    {"unmappable characters with their lines",
     u8"太郎「一」\r\n\r\n# 絵文字\r花子「\U0001F600と\U0001F600」\n\U00020BB7",
     ETextEncoding::Utf8,
     {"太郎|一|絵文字", "花子|?と?|", "-|?|"},
     "太郎=5 花子=6",
     "",
     "4:1F600 4:1F600 5:20BB7 =3"},
    {"ten places kept, all counted",
     u8"\U0001F600\U0001F600\U0001F600\U0001F600\U0001F600\U0001F600"
     u8"\n\U0001F600\U0001F600\U0001F600\U0001F600\U0001F600",
     ETextEncoding::Utf8,
     {"-|??????|", "-|?????|"},
     "",
     "",
     "1:1F600 1:1F600 1:1F600 1:1F600 1:1F600 1:1F600 2:1F600 2:1F600 2:1F600 2:1F600 =11"},
    {"NUL, and a lead byte alone kept",
     std::string("x\0y", 3) + "\n\x82",
     ETextEncoding::ShiftJis,
     {"-|x?y|", "-|\x82|"},
     "",
     "",
     "1:0 =1"},
    {"broken utf-8 after a BOM",
     kBom + "a\xFF" + "b",
     ETextEncoding::Utf8,
     {"-|a?b|"},
     "",
     "",
     "1:FFFD =1"},
};

std::string Describe(const CTextLines& lines)
{
    std::string out;
    char place[32];
    for (const CUnmappedChar& c : lines.m_Unmapped) {
        std::snprintf(place, sizeof place, "%d:%X ", static_cast<int>(c.m_Line),
                      static_cast<unsigned>(c.m_CodePoint));
        out += place;
    }
    return lines.m_UnmappedCount == 0 ? out : out + "=" + std::to_string(lines.m_UnmappedCount);
}

}  // namespace

TEST(TextScript, ReadsEveryFormEncodingAndLineEnd)
{
    for (const CCase& c : kCases) {
        SCOPED_TRACE(c.m_What);
        const CTextLines lines = DecodeTextLines(c.m_Input, kCodec);
        EXPECT_EQ(c.m_Encoding, lines.m_Encoding);
        EXPECT_EQ(c.m_Unmapped, Describe(lines));
        const CTextScript text = ParseTextScript(lines.m_Lines, kCasts);

        std::vector<CCast> casts = kCasts;
        std::string newCasts;
        for (const CCast& cast : text.m_NewCasts) {
            newCasts +=
                (newCasts.empty() ? "" : " ") + cast.m_Name + "=" + std::to_string(cast.m_Id);
            casts.push_back(cast);
        }
        EXPECT_EQ(c.m_NewCasts, newCasts);
        std::vector<std::string> serifs;
        for (const CSerif& serif : text.m_Serifs) {
            std::string name = "-";
            for (const CCast& cast : casts)
                name = cast.m_Id == serif.m_CastId ? cast.m_Name : name;
            serifs.push_back(name + "|" + serif.m_Text + "|" + serif.m_Memo);
        }
        EXPECT_EQ(c.m_Serifs, serifs);
        EXPECT_EQ(c.m_ScriptMemo, text.m_ScriptMemo);
    }
}

namespace
{

CScript Imported(const std::string& bytes)
{
    const CTextLines lines = DecodeTextLines(bytes, kCodec);
    EXPECT_EQ(ETextEncoding::Utf8, lines.m_Encoding);
    EXPECT_EQ(0, lines.m_UnmappedCount);
    CScript script;
    ApplyTextScript(ParseTextScript(lines.m_Lines, script.GetCasts()), -1, script);
    return script;
}

// The form in which a scenario comes back: the casts that speak, in the
// order of their first serif, numbered from 0; no scenario or cast memo.
CScript Canonical(const CScript& script)
{
    CScript out;
    for (const CSerif& serif : script.GetSerifs()) {
        const std::string name = script.FindCastName(serif.m_CastId);
        if (!name.empty() && out.FindCastId(name) < 0)
            out.AddCast(CCast(CScript::NextCastId(out.GetCasts()), name));
        out.AddSerif(CSerif(name.empty() ? -1 : out.FindCastId(name), serif.m_Text, serif.m_Memo));
    }
    return out;
}

// Casts as "id:name", then serifs as "cast id|text|memo".
std::vector<std::string> Dump(const CScript& script)
{
    std::vector<std::string> out;
    for (const CCast& cast : script.GetCasts())
        out.push_back(std::to_string(cast.m_Id) + ":" + cast.m_Name);
    for (const CSerif& serif : script.GetSerifs())
        out.push_back(std::to_string(serif.m_CastId) + "|" + serif.m_Text + "|" + serif.m_Memo);
    return out;
}

// Random casts, serifs, memos and stage directions within the rules: names
// of 1 to 32 bytes without colons, 「 or a leading #; texts and memos of
// pieces that stress the forms; stage directions that read as such.
CScript Generated()
{
    const std::vector<std::string> names = {"アリス", "ボブ", "先 生", "Taro",
                                            "ﾊﾙｶ",    "x#」", "ＡＢ"};
    const std::vector<std::string> pieces = {"こんにちは", "「",  "」", ":",  "：", " ", "#",
                                             "10:30",      "ﾃｽﾄ", "～", "表", "a",  "\\"};
    std::mt19937 random(20240601);
    auto pick = [&random](size_t count) { return static_cast<size_t>(random() % count); };
    auto text = [&](size_t most) {
        std::string out;
        for (size_t n = pick(most + 1); n > 0; --n)
            out += pieces[pick(pieces.size())];
        return out;
    };
    CScript script;
    for (int i = 0; i < 300; ++i) {
        std::string memo = pick(3) == 0 ? text(4) : std::string();
        if (pick(8) == 0)
            memo += "\n" + text(3);
        if (pick(6) == 0) {
            const std::string direction = text(5);
            const CTextScript read = ParseTextScript({direction}, {});
            if (read.m_Serifs.size() == 1 && read.m_Serifs[0].m_CastId == -1 &&
                read.m_Serifs[0].m_Text == direction)
                script.AddSerif(CSerif(-1, direction, memo));
            continue;
        }
        const std::string& name = names[pick(names.size())];
        if (script.FindCastId(name) < 0)
            script.AddCast(CCast(CScript::NextCastId(script.GetCasts()), name));
        script.AddSerif(CSerif(script.FindCastId(name), text(6), memo));
    }
    return script;
}

}  // namespace

TEST(TextScript, ExportThenImportGivesScenarioBack)
{
    const std::string samples = std::string(ROLECUE_TEST_DATA) + "/../../samples/";
    for (const char* name : {"cafe.xml", "morning-classroom.xml", "stage-directions.xml"}) {
        SCOPED_TRACE(name);
        CScript sample;
        ASSERT_TRUE(sample.Load(samples + name));
        ASSERT_GT(sample.GetSerifCount(), 0);
        EXPECT_EQ(Dump(Canonical(sample)), Dump(Imported(ExportTextScript(sample, kCodec))));
    }
    const CScript generated = Generated();
    ASSERT_GT(generated.GetSerifCount(), 200);
    EXPECT_EQ(Dump(generated), Dump(Canonical(generated)));
    const std::string exported = ExportTextScript(generated, kCodec);
    EXPECT_EQ(0u, exported.rfind(kBom, 0));
    size_t lineEnds = 0;
    for (size_t at = exported.find("\r\n"); at != std::string::npos;
         at = exported.find("\r\n", at + 2))
        ++lineEnds;
    EXPECT_EQ(lineEnds, static_cast<size_t>(std::count(exported.begin(), exported.end(), '\n')));
    EXPECT_EQ(lineEnds, static_cast<size_t>(std::count(exported.begin(), exported.end(), '\r')));
    EXPECT_EQ(Dump(generated), Dump(Imported(exported)));
}
