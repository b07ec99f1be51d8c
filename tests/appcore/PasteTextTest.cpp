// What a press pastes: the paste format with its placeholders and braces,
// the chat markup escaped, and a row's formatted line from its cast or the
// stage directions' format.
#include "appcore/PasteText.h"
#include "appcore/Standby.h"

#include "scenario/Script.h"

#include <gtest/gtest.h>

namespace
{

TEST(PasteText, FormatFillsNameAndTextAndLeavesTheRest)
{
    const struct
    {
        const char* m_Format;
        const char* m_Name;
        const char* m_Text;
        const char* m_Line;
    } cases[] = {
        {"", "店主", "いらっしゃい", "いらっしゃい"},
        {"{name}「{text}」", "店主", "いらっしゃい", "店主「いらっしゃい」"},
        {"{name}: {text}", "衛兵", "止まれ", "衛兵: 止まれ"},
        {"【{name}】{text}", "", "ト書き", "【】ト書き"},
        {"{text}{text}", "a", "b", "bb"},
        {"{{name}} {name}", "n", "t", "{name} n"},
        {"{{{name}}}", "n", "t", "{n}"},
        {"{who}: {text} }", "n", "t", "{who}: t }"},
        {"{name", "n", "t", "{name"},
        {"}{", "n", "t", "}{"},
        // Braces in the name or the line are theirs, never read as a format.
        {"{name}＞{text}", "{text}", "{name} {{", "{text}＞{name} {{"},
        {"♡{name}♡", "😊", "", "♡😊♡"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.m_Line, FormatPasteLine(c.m_Format, c.m_Name, c.m_Text)) << c.m_Format;
}

TEST(PasteText, EscapingKeepsTheLineAsWrittenInAMarkdownChat)
{
    const struct
    {
        const char* m_Text;
        const char* m_Sent;
    } cases[] = {
        {"(*´▽`*)", "(\\*´▽\\`\\*)"},
        {"¯\\_(ツ)_/¯", "¯\\\\\\_(ツ)\\_/¯"},
        {"> 引用ではない", "\\> 引用ではない"},
        {">>> three", "\\>>> three"},
        {"# 見出しではない", "\\# 見出しではない"},
        {"## two", "\\## two"},
        {"- 箇条書きではない", "\\- 箇条書きではない"},
        {"a\r\n> b\n# c\r- d", "a\r\n\\> b\n\\# c\r\\- d"},
        {"->x #tag -5 >b", "->x #tag -5 >b"},
        {"~~消す~~ ||秘密|| __下線__", "\\~\\~消す\\~\\~ \\|\\|秘密\\|\\| \\_\\_下線\\_\\_"},
        {"何もない行です♡", "何もない行です♡"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.m_Sent, EscapeChatMarkup(c.m_Text)) << c.m_Text;
}

TEST(PasteText, RowsTakeTheirCastsFormatAndDirectionsTheScenarios)
{
    CScript script;
    script.AddCast(CCast(0, "店主", "", "{name}「{text}」"));
    script.AddCast(CCast(1, "勇者"));
    script.SetDirectionFormat("（{text}）");
    for (const CSerif& serif : {CSerif(0, "いらっしゃい"), CSerif(1, "こんにちは"),
                                CSerif(-1, "扉が開く"), CSerif(7, "誰か")})
        script.AddSerif(serif);
    EXPECT_EQ("店主「いらっしゃい」", FormattedLineOfRow(script, 0));
    EXPECT_EQ("こんにちは", FormattedLineOfRow(script, 1));
    EXPECT_EQ("（扉が開く）", FormattedLineOfRow(script, 2));
    EXPECT_EQ("（誰か）", FormattedLineOfRow(script, 3));

    EXPECT_EQ(5u, CountCharacters("a♡😊𠮷x"));
    EXPECT_EQ("", LongLineNote("12345", 5));
    EXPECT_EQ("6 文字の行です", LongLineNote("12345♡", 5));
    EXPECT_EQ("", LongLineNote("12345♡", 0));
}

}  // namespace
