// Scenarios as plain text: every line form, encoding and line end read from
// one table, and export followed by import giving the scenario back with
// every character.
#include "scenario/TextScript.h"
#include "text/CodePage932.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace
{

// Shift_JIS bytes of a UTF-8 text, through the program's own table (its
// suite checks it against the system's).
std::string Sjis(const std::string& text)
{
    std::string bytes;
    EXPECT_TRUE(Utf8ToCp932(text, bytes)) << text;
    return bytes;
}

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
};

// The text is read against one existing cast, 既存 with id 4.
const std::vector<CCast> kCasts = {CCast(4, "既存")};

std::vector<CCase> Cases()
{
    return {
        {"quote form",
         Sjis("太郎「おはよう」\r\n"),
         ETextEncoding::ShiftJis,
         {"太郎|おはよう|"},
         "太郎=5"},
        {"ascii colon drops one space",
         Sjis("花子: やあ\r\n花子:  二つ目\r\n花子:詰めて"),
         ETextEncoding::ShiftJis,
         {"花子|やあ|", "花子| 二つ目|", "花子|詰めて|"},
         "花子=5"},
        {"wide colon",
         Sjis("花子：こんにちは"),
         ETextEncoding::ShiftJis,
         {"花子|こんにちは|"},
         "花子=5"},
        {"colon inside quotes",
         Sjis("太郎「時刻は10:30」"),
         ETextEncoding::ShiftJis,
         {"太郎|時刻は10:30|"},
         "太郎=5"},
        {"quotes inside colon serif",
         Sjis("太郎: 「引用」です\n太郎: 「全部」  "),
         ETextEncoding::ShiftJis,
         {"太郎|「引用」です|", "太郎|「全部」  |"},
         "太郎=5"},
        {"existing cast, trimmed name, spaces after the quote",
         Sjis(" 既存 「はい」  \n既存 ：いいえ"),
         ETextEncoding::ShiftJis,
         {"既存|はい|", "既存|いいえ|"},
         ""},
        {"names 32 wide, not 33: a character counts 2, half-width katakana 1",
         std::string(32, 'a') + "「x」\n" + std::string(33, 'b') +
             ": "
             "y\n１２３４５６７８９０１２３４５６「z」\n１２３４５６７８９０１２３４５６７「w」\n" +
             "ﾊﾙｶ😊" + std::string(27, 'c') + "「v」",
         ETextEncoding::Utf8,
         {std::string(32, 'a') + "|x|", "-|" + std::string(33, 'b') + ": y|",
          "１２３４５６７８９０１２３４５６|z|", "-|１２３４５６７８９０１２３４５６７「w」|",
          "ﾊﾙｶ😊" + std::string(27, 'c') + "|v|"},
         std::string(32, 'a') + "=5 １２３４５６７８９０１２３４５６=6 ﾊﾙｶ😊" +
             std::string(27, 'c') + "=7"},
        {"stage directions",
         Sjis("「はい」と答えた\n（間）\n「いいえ」\n「A: B」"),
         ETextEncoding::ShiftJis,
         {"-|「はい」と答えた|", "-|（間）|", "-|「いいえ」|", "-|「A: B」|"},
         ""},
        {"memo lines",
         Sjis("# 冒頭\n#二行目\n太郎「a」\n# m1\n#m2\n\n#  m3\n（間）\n# "
              "ト書きのメモ\n花子「b」\n#"),
         ETextEncoding::ShiftJis,
         {"太郎|a|m1\nm2\n m3", "-|（間）|ト書きのメモ", "花子|b|"},
         "太郎=5 花子=6",
         "冒頭\n二行目"},
        {"blank lines and spaces",
         Sjis("\n   \n太郎「a」\n \n\n"),
         ETextEncoding::ShiftJis,
         {"太郎|a|"},
         "太郎=5"},
        {"three line ends",
         Sjis("太郎「一」\r\n太郎「二」\n太郎「三」\r太郎「四」\r\n"),
         ETextEncoding::ShiftJis,
         {"太郎|一|", "太郎|二|", "太郎|三|", "太郎|四|"},
         "太郎=5"},
        {"ascii only is Shift_JIS", "Taro: hi", ETextEncoding::ShiftJis, {"Taro|hi|"}, "Taro=5"},
        {"Shift_JIS extensions and half-width katakana",
         Sjis("①「纊ｶﾅ」\nⅰ: \uFFE2"),
         ETextEncoding::ShiftJis,
         {"①|纊ｶﾅ|", "ⅰ|\uFFE2|"},
         "①=5 ⅰ=6"},
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
        {"every character kept: emoji, kaomoji, 4-byte kanji, wave dash",
         u8"太郎「一♡」\r\n\r\n# 絵文字\r花子「\U0001F600と\U0001F600」\n\U00020BB7〜ʕ•ᴥ•ʔ",
         ETextEncoding::Utf8,
         {"太郎|一♡|絵文字", "花子|\U0001F600と\U0001F600|", "-|\U00020BB7〜ʕ•ᴥ•ʔ|"},
         "太郎=5 花子=6"},
        {"utf-16 surrogate pairs whole, a lone one replaced",
         Utf16(u"\uFEFF\U0001F3B2: \U0001F600", true) + Utf16(u"\n", true) +
             std::string("\x00\xD8", 2) + Utf16(u"x", true),
         ETextEncoding::Utf16Le,
         {"\U0001F3B2|\U0001F600|", "-|\uFFFDx|"},
         "\U0001F3B2=5"},
        {"NUL, and a lead byte alone, replaced",
         std::string("x\0y", 3) + "\n\x82",
         ETextEncoding::ShiftJis,
         {"-|x\uFFFDy|", "-|\uFFFD|"},
         ""},
        {"broken utf-8 after a BOM",
         kBom + "a\xFF" + "b",
         ETextEncoding::Utf8,
         {"-|a\uFFFDb|"},
         ""},
    };
}

}  // namespace

TEST(TextScript, ReadsEveryFormEncodingAndLineEnd)
{
    for (const CCase& c : Cases()) {
        SCOPED_TRACE(c.m_What);
        const CTextLines lines = DecodeTextLines(c.m_Input);
        EXPECT_EQ(c.m_Encoding, lines.m_Encoding);
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
    const CTextLines lines = DecodeTextLines(bytes);
    EXPECT_EQ(ETextEncoding::Utf8, lines.m_Encoding);
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
// at most 32 wide without colons, 「 or a leading #; texts and memos of
// pieces that stress the forms; stage directions that read as such.
CScript Generated()
{
    const std::vector<std::string> names = {"アリス", "ボブ", "先 生",   "Taro", "ﾊﾙｶ",
                                            "x#」",   "ＡＢ", "ハート♡", "😊"};
    const std::vector<std::string> pieces = {"こんにちは", "「",  "」",      ":",  "：", " ", "#",
                                             "10:30",      "ﾃｽﾄ", "～",      "〜", "表", "a", "\\",
                                             "(◕‿◕)",      "が",  "e\u0301", "♡",  "😊",  "🎲", "𠮷"};
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
    for (const char* name :
         {"cafe.xml", "morning-classroom.xml", "stage-directions.xml", "fantasy-tavern.xml"}) {
        SCOPED_TRACE(name);
        CScript sample;
        ASSERT_TRUE(sample.Load(samples + name));
        ASSERT_GT(sample.GetSerifCount(), 0);
        EXPECT_EQ(Dump(Canonical(sample)), Dump(Imported(ExportTextScript(sample))));
    }
    const CScript generated = Generated();
    ASSERT_GT(generated.GetSerifCount(), 200);
    EXPECT_EQ(Dump(generated), Dump(Canonical(generated)));
    const std::string exported = ExportTextScript(generated);
    EXPECT_EQ(0u, exported.rfind(kBom, 0));
    size_t lineEnds = 0;
    for (size_t at = exported.find("\r\n"); at != std::string::npos;
         at = exported.find("\r\n", at + 2))
        ++lineEnds;
    EXPECT_EQ(lineEnds, static_cast<size_t>(std::count(exported.begin(), exported.end(), '\n')));
    EXPECT_EQ(lineEnds, static_cast<size_t>(std::count(exported.begin(), exported.end(), '\r')));
    EXPECT_EQ(Dump(generated), Dump(Imported(exported)));
}
