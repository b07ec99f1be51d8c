// Search, replace and jump: which row and column a scan stops at, the rows it
// passes over, what replacing does to the scenario, matching of whole
// characters in UTF-8, and the jump target.
#include "appcore/TextSearch.h"

#include "scenario/Script.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <utility>
#include <vector>

// Literals are UTF-8: three bytes for a katakana.
static_assert(sizeof("ア") == 4, "narrow literals must be UTF-8");

namespace
{

const int32_t kTaro = 0;
const int32_t kHanako = 1;

CScript MakeScript(const std::vector<CSerif>& serifs)
{
    CScript script;
    script.AddCast(CCast(kTaro, "太郎"));
    script.AddCast(CCast(kHanako, "花子"));
    for (const CSerif& serif : serifs)
        script.AddSerif(serif);
    return script;
}

// Plays the user at the "replace?" question: answers in turn from a list
// (Yes when the list runs out) and records the rows asked about.
class CAnswers : public IReplaceConfirm
{
public:
    explicit CAnswers(std::vector<bool> answers = {}) : m_Answers(std::move(answers)) {}

    bool ConfirmReplace(int32_t row, ESearchColumn column) override
    {
        m_AskedRows.push_back(row);
        m_AskedColumns.push_back(column);
        if (m_Next < m_Answers.size())
            return m_Answers[m_Next++];
        return true;
    }

    std::vector<int32_t> m_AskedRows;
    std::vector<ESearchColumn> m_AskedColumns;

private:
    std::vector<bool> m_Answers;
    size_t m_Next = 0;
};

std::string Padding(size_t bytes)
{
    return std::string(bytes, '.');
}

}  // namespace

// ---- find (find dialog, F3, Shift+F3) ---------------------------------------

TEST(CTextSearchFind, DoesNothingForEmptyText)
{
    CScript script = MakeScript({CSerif(kTaro, "おはよう")});
    CTextSearch search;
    CFindResult result = search.FindNext(script, "", 0, true);
    EXPECT_EQ(ESearchOutcome::Ignored, result.m_Outcome);
    EXPECT_EQ(CTextSearch::kNoRow, search.GetLastFoundRow());
}

TEST(CTextSearchFind, DoesNothingWithoutCursor)
{
    CScript script = MakeScript({CSerif(kTaro, "おはよう")});
    CTextSearch search;
    EXPECT_EQ(ESearchOutcome::Ignored, search.FindNext(script, "おはよう", -1, true).m_Outcome);
    EXPECT_EQ(ESearchOutcome::Ignored, search.FindNext(script, "おはよう", -1, false).m_Outcome);
}

TEST(CTextSearchFind, FindsCastNameThroughFirstColumn)
{
    CScript script = MakeScript({CSerif(kTaro, "おはよう"), CSerif(kHanako, "こんにちは")});
    CTextSearch search;
    CFindResult result = search.FindNext(script, "花子", 0, true);
    ASSERT_EQ(ESearchOutcome::Found, result.m_Outcome);
    EXPECT_EQ(1, result.m_Row);
    EXPECT_EQ(ESearchColumn::CastName, result.m_Column);
}

TEST(CTextSearchFind, ReportsFirstMatchingColumnInListOrder)
{
    CScript script = MakeScript({CSerif(kTaro, "x", "memo x"), CSerif(kTaro, "y", "memo x")});
    CTextSearch search;
    EXPECT_EQ(ESearchColumn::Text, search.FindNext(script, "x", 0, true).m_Column);
    CFindResult memo = search.FindNext(script, "x", 0, true);
    EXPECT_EQ(1, memo.m_Row);
    EXPECT_EQ(ESearchColumn::Memo, memo.m_Column);
}

TEST(CTextSearchFind, IsCaseSensitive)
{
    CScript script = MakeScript({CSerif(kTaro, "AB"), CSerif(kTaro, "ＡＢ")});
    CTextSearch search;
    EXPECT_EQ(ESearchOutcome::ReachedEnd, search.FindNext(script, "ab", 0, true).m_Outcome);
    EXPECT_EQ(ESearchOutcome::ReachedEnd, search.FindNext(script, "ａｂ", 0, true).m_Outcome);
}

TEST(CTextSearchFind, FindsMatchBeyondByte255OfEveryColumn)
{
    CScript script;
    script.AddCast(CCast(7, Padding(300) + "長い名前"));
    script.AddSerif(CSerif(kTaro, Padding(300) + "奥の台詞"));
    script.AddSerif(CSerif(kTaro, "短い", Padding(1000) + "奥のメモ"));
    script.AddSerif(CSerif(7, "名無し"));
    CTextSearch search;
    EXPECT_EQ(0, search.FindNext(script, "奥の台詞", 0, true).m_Row);
    EXPECT_EQ(1, search.FindNext(script, "奥のメモ", 0, true).m_Row);
    CFindResult name = search.FindNext(script, "長い名前", 0, true);
    EXPECT_EQ(2, name.m_Row);
    EXPECT_EQ(ESearchColumn::CastName, name.m_Column);
}

TEST(CTextSearchFind, FindsSerifWhoseCastIsUndefinedByItsText)
{
    CScript script = MakeScript({CSerif(42, "迷子の台詞"), CSerif(-1, "無名")});
    CTextSearch search;
    EXPECT_EQ(0, search.FindNext(script, "迷子", 0, true).m_Row);
    EXPECT_EQ(1, search.FindNext(script, "無名", 0, true).m_Row);
}

TEST(CTextSearchFind, RepeatedDownwardFindMovesOnFromFoundRow)
{
    CScript script = MakeScript({CSerif(kTaro, "a"), CSerif(kTaro, "鍵"), CSerif(kTaro, "b"),
                                 CSerif(kTaro, "鍵"), CSerif(kTaro, "c")});
    CTextSearch search;
    int32_t cursor = 0;
    CFindResult first = search.FindNext(script, "鍵", cursor, true);
    ASSERT_EQ(1, first.m_Row);
    cursor = first.m_Row;
    CFindResult second = search.FindNext(script, "鍵", cursor, true);
    ASSERT_EQ(3, second.m_Row);
    cursor = second.m_Row;
    EXPECT_EQ(ESearchOutcome::ReachedEnd, search.FindNext(script, "鍵", cursor, true).m_Outcome);
    EXPECT_EQ(3, search.GetLastFoundRow());
}

TEST(CTextSearchFind, CursorOnMatchingRowIsFoundFirst)
{
    CScript script = MakeScript({CSerif(kTaro, "鍵"), CSerif(kTaro, "鍵")});
    CTextSearch search;
    EXPECT_EQ(0, search.FindNext(script, "鍵", 0, true).m_Row);
}

TEST(CTextSearchFind, NewSearchFromEarlierRowPassesOverLastFoundRow)
{
    CScript script = MakeScript({CSerif(kTaro, "a"), CSerif(kTaro, "b"), CSerif(kTaro, "扉 窓"),
                                 CSerif(kTaro, "c"), CSerif(kTaro, "窓")});
    CTextSearch search;
    ASSERT_EQ(2, search.FindNext(script, "扉", 0, true).m_Row);
    // Row 2 matches "窓" too, but it is the last found row.
    EXPECT_EQ(4, search.FindNext(script, "窓", 0, true).m_Row);
    // Row 4 is now held; row 2 may be found again.
    EXPECT_EQ(2, search.FindNext(script, "扉", 0, true).m_Row);
}

TEST(CTextSearchFind, LastFoundRowAsOnlyMatchReachesEnd)
{
    CScript script = MakeScript({CSerif(kTaro, "a"), CSerif(kTaro, "扉")});
    CTextSearch search;
    ASSERT_EQ(1, search.FindNext(script, "扉", 0, true).m_Row);
    EXPECT_EQ(ESearchOutcome::ReachedEnd, search.FindNext(script, "扉", 0, true).m_Outcome);
    EXPECT_EQ(ESearchOutcome::ReachedEnd, search.FindNext(script, "扉", 1, false).m_Outcome);
    EXPECT_EQ(1, search.GetLastFoundRow());
}

TEST(CTextSearchFind, UpwardFromRowZeroWithoutMatchReachesEndAtOnce)
{
    CScript script = MakeScript({CSerif(kTaro, "a"), CSerif(kTaro, "扉")});
    CTextSearch search;
    CFindResult result = search.FindNext(script, "扉", 0, false);
    EXPECT_EQ(ESearchOutcome::ReachedEnd, result.m_Outcome);
    EXPECT_EQ(CTextSearch::kNoRow, result.m_Row);
    EXPECT_EQ(CTextSearch::kNoRow, search.GetLastFoundRow());
}

TEST(CTextSearchFind, UpwardFindMovesOnFromFoundRow)
{
    CScript script = MakeScript(
        {CSerif(kTaro, "鍵"), CSerif(kTaro, "鍵"), CSerif(kTaro, "b"), CSerif(kTaro, "鍵")});
    CTextSearch search;
    ASSERT_EQ(3, search.FindNext(script, "鍵", 3, true).m_Row);
    EXPECT_EQ(1, search.FindNext(script, "鍵", 3, false).m_Row);
    EXPECT_EQ(0, search.FindNext(script, "鍵", 1, false).m_Row);
    EXPECT_EQ(ESearchOutcome::ReachedEnd, search.FindNext(script, "鍵", 0, false).m_Outcome);
}

TEST(CTextSearchFind, StartBeyondListScansNothingDownAndFromLastRowUp)
{
    CScript script = MakeScript({CSerif(kTaro, "鍵"), CSerif(kTaro, "b")});
    CTextSearch search;
    EXPECT_EQ(ESearchOutcome::ReachedEnd, search.FindNext(script, "鍵", 5, true).m_Outcome);
    EXPECT_EQ(0, search.FindNext(script, "鍵", INT32_MAX, false).m_Row);
}

TEST(CTextSearchFind, EmptyScenarioReachesEnd)
{
    CScript script;
    CTextSearch search;
    EXPECT_EQ(ESearchOutcome::ReachedEnd, search.FindNext(script, "x", 0, true).m_Outcome);
    EXPECT_EQ(ESearchOutcome::ReachedEnd, search.FindNext(script, "x", 0, false).m_Outcome);
}

TEST(CTextSearchFind, LastFoundRowOutlivesEdits)
{
    CScript script = MakeScript({CSerif(kTaro, "扉"), CSerif(kTaro, "扉")});
    CTextSearch search;
    ASSERT_EQ(0, search.FindNext(script, "扉", 0, true).m_Row);
    // Rows move under the held number; the number is still passed over.
    script.InsertSerif(0, CSerif(kTaro, "新しい扉"));
    EXPECT_EQ(1, search.FindNext(script, "扉", 0, true).m_Row);
}

TEST(CTextSearchFind, PassesOverRowWhoseOnlyMatchSplitsCharacters)
{
    CScript script = MakeScript({CSerif(kTaro, "ア"), CSerif(kTaro, "A")});
    CTextSearch search;
    EXPECT_EQ(1, search.FindNext(script, "A", 0, true).m_Row);
}

// ---- replace dialog -----------------------------------------------------

TEST(CTextSearchReplace, DoesNothingForEmptyFindTextOrWithoutCursor)
{
    CScript script = MakeScript({CSerif(kTaro, "a")});
    CTextSearch search;
    CAnswers answers;
    EXPECT_EQ(
        ESearchOutcome::Ignored,
        search.ReplaceNext(script, "", "b", 0, EReplaceAction::ReplaceAll, answers).m_Outcome);
    EXPECT_EQ(
        ESearchOutcome::Ignored,
        search.ReplaceNext(script, "a", "b", -1, EReplaceAction::ReplaceAll, answers).m_Outcome);
    EXPECT_EQ("a", script.GetSerif(0).m_Text);
}

TEST(CTextSearchReplace, FindNextLooksOnlyAtTextAndMemo)
{
    CScript script = MakeScript({CSerif(kTaro, "a"), CSerif(kHanako, "b", "太郎へ")});
    CTextSearch search;
    CAnswers answers;
    CReplaceResult result =
        search.ReplaceNext(script, "太郎", "次郎", 0, EReplaceAction::FindNext, answers);
    ASSERT_EQ(ESearchOutcome::Found, result.m_Outcome);
    EXPECT_EQ(1, result.m_Row);
    EXPECT_EQ(1, result.m_Cursor);
    EXPECT_EQ(ESearchColumn::Memo, result.m_Column);
    EXPECT_FALSE(result.Changed());
    EXPECT_TRUE(answers.m_AskedRows.empty());
    EXPECT_EQ("太郎へ", script.GetSerif(1).m_Memo);
}

TEST(CTextSearchReplace, NeverChangesCastNames)
{
    CScript script = MakeScript({CSerif(kTaro, "やあ"), CSerif(kHanako, "太郎さん")});
    CTextSearch search;
    CAnswers answers;
    CReplaceResult result =
        search.ReplaceNext(script, "太郎", "次郎", 0, EReplaceAction::ReplaceAll, answers);
    EXPECT_EQ(std::vector<int32_t>{1}, result.m_ChangedRows);
    EXPECT_EQ("次郎さん", script.GetSerif(1).m_Text);
    EXPECT_EQ("太郎", script.FindCastName(kTaro));
    EXPECT_EQ(kTaro, script.GetSerif(0).m_CastId);
}

TEST(CTextSearchReplace, ReplaceAnsweredNoLeavesTextAndCursorOnFoundRow)
{
    CScript script = MakeScript({CSerif(kTaro, "x"), CSerif(kTaro, "猫と猫"), CSerif(kTaro, "猫")});
    CTextSearch search;
    CAnswers answers({false});
    CReplaceResult result =
        search.ReplaceNext(script, "猫", "犬", 0, EReplaceAction::Replace, answers);
    ASSERT_EQ(ESearchOutcome::Found, result.m_Outcome);
    EXPECT_EQ(1, result.m_Row);
    EXPECT_EQ(1, result.m_Cursor);
    EXPECT_FALSE(result.Changed());
    EXPECT_EQ(0u, result.m_Replacements);
    EXPECT_EQ("猫と猫", script.GetSerif(1).m_Text);
    EXPECT_EQ(std::vector<int32_t>{1}, answers.m_AskedRows);

    // The next Replace from the cursor continues below the declined row.
    CReplaceResult next =
        search.ReplaceNext(script, "猫", "犬", result.m_Cursor, EReplaceAction::Replace, answers);
    EXPECT_EQ(2, next.m_Row);
    EXPECT_EQ("犬", script.GetSerif(2).m_Text);
    EXPECT_EQ("猫と猫", script.GetSerif(1).m_Text);
}

TEST(CTextSearchReplace, ReplaceAnsweredYesChangesOneTextAndMovesCursorBelow)
{
    CScript script = MakeScript({CSerif(kTaro, "猫と猫", "猫のメモ"), CSerif(kTaro, "猫")});
    CTextSearch search;
    CAnswers answers({true});
    CReplaceResult result =
        search.ReplaceNext(script, "猫", "犬", 0, EReplaceAction::Replace, answers);
    ASSERT_EQ(ESearchOutcome::Found, result.m_Outcome);
    EXPECT_EQ(0, result.m_Row);
    EXPECT_EQ(ESearchColumn::Text, result.m_Column);
    EXPECT_EQ(1, result.m_Cursor);
    EXPECT_EQ(2u, result.m_Replacements);
    EXPECT_EQ(std::vector<int32_t>{0}, result.m_ChangedRows);
    EXPECT_EQ("犬と犬", script.GetSerif(0).m_Text);
    EXPECT_EQ("猫のメモ", script.GetSerif(0).m_Memo);
    EXPECT_EQ("猫", script.GetSerif(1).m_Text);
    EXPECT_EQ(0, search.GetLastReplaceRow());
}

TEST(CTextSearchReplace, ReplaceOnLastRowLeavesCursorThere)
{
    CScript script = MakeScript({CSerif(kTaro, "a"), CSerif(kTaro, "猫")});
    CTextSearch search;
    CAnswers answers;
    CReplaceResult result =
        search.ReplaceNext(script, "猫", "犬", 0, EReplaceAction::Replace, answers);
    EXPECT_EQ(1, result.m_Row);
    EXPECT_EQ(1, result.m_Cursor);
    EXPECT_EQ(
        ESearchOutcome::ReachedEnd,
        search.ReplaceNext(script, "犬", "猫", result.m_Cursor, EReplaceAction::Replace, answers)
            .m_Outcome);
}

TEST(CTextSearchReplace, ReplaceAllFromMiddleChangesOnlyThatRowAndBelow)
{
    CScript script =
        MakeScript({CSerif(kTaro, "猫0"), CSerif(kTaro, "猫1"), CSerif(kTaro, "猫2"),
                    CSerif(kTaro, "b", "猫3"), CSerif(kTaro, "c"), CSerif(kTaro, "猫5", "猫5")});
    CTextSearch search;
    CAnswers answers({false, false, false});
    CReplaceResult result =
        search.ReplaceNext(script, "猫", "犬", 2, EReplaceAction::ReplaceAll, answers);
    EXPECT_EQ(ESearchOutcome::ReachedEnd, result.m_Outcome);
    EXPECT_TRUE(result.Changed());
    EXPECT_EQ((std::vector<int32_t>{2, 3, 5}), result.m_ChangedRows);
    EXPECT_EQ(4u, result.m_Replacements);
    EXPECT_TRUE(answers.m_AskedRows.empty());
    EXPECT_EQ("猫0", script.GetSerif(0).m_Text);
    EXPECT_EQ("猫1", script.GetSerif(1).m_Text);
    EXPECT_EQ("犬2", script.GetSerif(2).m_Text);
    EXPECT_EQ("犬3", script.GetSerif(3).m_Memo);
    EXPECT_EQ("犬5", script.GetSerif(5).m_Text);
    EXPECT_EQ("犬5", script.GetSerif(5).m_Memo);
    EXPECT_EQ(5, result.m_Cursor);
    EXPECT_EQ(CTextSearch::kNoRow, search.GetLastReplaceRow());
}

TEST(CTextSearchReplace, ReplaceAllIncludesCursorRowJustFound)
{
    // Find Next stops at row 1 and holds it; Replace All from that cursor
    // must still replace row 1.
    CScript script = MakeScript({CSerif(kTaro, "a"), CSerif(kTaro, "猫"), CSerif(kTaro, "猫")});
    CTextSearch search;
    CAnswers answers;
    CReplaceResult found =
        search.ReplaceNext(script, "猫", "犬", 0, EReplaceAction::FindNext, answers);
    ASSERT_EQ(1, found.m_Row);
    CReplaceResult all =
        search.ReplaceNext(script, "猫", "犬", found.m_Cursor, EReplaceAction::ReplaceAll, answers);
    EXPECT_EQ((std::vector<int32_t>{1, 2}), all.m_ChangedRows);
    EXPECT_EQ("犬", script.GetSerif(1).m_Text);
}

TEST(CTextSearchReplace, ReplaceAllDoesNotRescanInsertedText)
{
    CScript script = MakeScript({CSerif(kTaro, "aaa")});
    CTextSearch search;
    CAnswers answers;
    CReplaceResult result =
        search.ReplaceNext(script, "a", "aa", 0, EReplaceAction::ReplaceAll, answers);
    EXPECT_EQ("aaaaaa", script.GetSerif(0).m_Text);
    EXPECT_EQ(3u, result.m_Replacements);
}

TEST(CTextSearchReplace, ReplaceAllWithoutMatchChangesNothing)
{
    CScript script = MakeScript({CSerif(kTaro, "a"), CSerif(kTaro, "b")});
    CTextSearch search;
    CAnswers answers;
    CReplaceResult result =
        search.ReplaceNext(script, "猫", "犬", 0, EReplaceAction::ReplaceAll, answers);
    EXPECT_EQ(ESearchOutcome::ReachedEnd, result.m_Outcome);
    EXPECT_FALSE(result.Changed());
    EXPECT_EQ(CTextSearch::kNoRow, result.m_Cursor);
}

TEST(CTextSearchReplace, ReplacingWithSameBytesIsNoChange)
{
    CScript script = MakeScript({CSerif(kTaro, "猫")});
    CTextSearch search;
    CAnswers answers;
    CReplaceResult result =
        search.ReplaceNext(script, "猫", "猫", 0, EReplaceAction::ReplaceAll, answers);
    EXPECT_EQ(1u, result.m_Replacements);
    EXPECT_FALSE(result.Changed());
}

TEST(CTextSearchReplace, ReplacesBeyondByte255)
{
    CScript script =
        MakeScript({CSerif(kTaro, Padding(254) + "猫" + Padding(300) + "猫", Padding(600) + "猫")});
    CTextSearch search;
    CAnswers answers;
    CReplaceResult result =
        search.ReplaceNext(script, "猫", "犬", 0, EReplaceAction::ReplaceAll, answers);
    EXPECT_EQ(3u, result.m_Replacements);
    EXPECT_EQ(Padding(254) + "犬" + Padding(300) + "犬", script.GetSerif(0).m_Text);
    EXPECT_EQ(Padding(600) + "犬", script.GetSerif(0).m_Memo);
}

TEST(CTextSearchReplace, KeepsCastIdOfReplacedSerif)
{
    CScript script = MakeScript({CSerif(kHanako, "猫", "m"), CSerif(-1, "猫")});
    CTextSearch search;
    CAnswers answers;
    search.ReplaceNext(script, "猫", "犬", 0, EReplaceAction::ReplaceAll, answers);
    EXPECT_EQ(kHanako, script.GetSerif(0).m_CastId);
    EXPECT_EQ("m", script.GetSerif(0).m_Memo);
    EXPECT_EQ(-1, script.GetSerif(1).m_CastId);
}

TEST(CTextSearchReplace, KeepsItsOwnLastRowApartFromFind)
{
    CScript script = MakeScript({CSerif(kTaro, "猫"), CSerif(kTaro, "猫")});
    CTextSearch search;
    CAnswers answers;
    ASSERT_EQ(0, search.FindNext(script, "猫", 0, true).m_Row);
    // The find's last row does not make the replace dialog pass over row 0.
    EXPECT_EQ(0,
              search.ReplaceNext(script, "猫", "犬", 0, EReplaceAction::FindNext, answers).m_Row);
    EXPECT_EQ(0, search.GetLastFoundRow());
    EXPECT_EQ(0, search.GetLastReplaceRow());
}

// ---- the replace dialog's flags -------------------------------------------

TEST(ReplaceActionFromFlags, MapsEachButton)
{
    EReplaceAction action = EReplaceAction::ReplaceAll;
    ASSERT_TRUE(ReplaceActionFromFlags(FindFlags::kFindNext | FindFlags::kDown, action));
    EXPECT_EQ(EReplaceAction::FindNext, action);
    ASSERT_TRUE(ReplaceActionFromFlags(FindFlags::kReplace, action));
    EXPECT_EQ(EReplaceAction::Replace, action);
    ASSERT_TRUE(ReplaceActionFromFlags(FindFlags::kReplaceAll, action));
    EXPECT_EQ(EReplaceAction::ReplaceAll, action);
}

TEST(ReplaceActionFromFlags, IgnoresClosingAndOtherMessages)
{
    EReplaceAction action = EReplaceAction::FindNext;
    EXPECT_FALSE(ReplaceActionFromFlags(0x40 /* FR_DIALOGTERM */, action));
    EXPECT_FALSE(ReplaceActionFromFlags(FindFlags::kDown, action));
    EXPECT_FALSE(ReplaceActionFromFlags(0, action));
}

TEST(ReplaceActionFromFlags, PrefersAskingOverReplacingAll)
{
    EReplaceAction action = EReplaceAction::FindNext;
    ASSERT_TRUE(ReplaceActionFromFlags(FindFlags::kReplace | FindFlags::kReplaceAll, action));
    EXPECT_EQ(EReplaceAction::Replace, action);
}

// ---- whole characters in UTF-8 ---------------------------------------------

TEST(FindInText, MatchesWholeCharactersOnly)
{
    // ア is E3 82 A2, イ E3 82 A4, ｱ EF BD B1, 😊 F0 9F 98 8A.
    const struct
    {
        const char* m_Text;
        const char* m_What;
        size_t m_At;
    } cases[] = {
        {"アA", "A", 3},
        {"ア", "\xA2", std::string::npos},        // the last byte of a character
        {"ア", "\xE3\x82", std::string::npos},    // its first two
        {"アイ", "\xA2\xE3", std::string::npos},  // the halves of two characters
        {"a😊b", "\x9F\x98", std::string::npos},   // the middle of an emoji
        {"a😊b", "😊", 1},
        {"ｱｲｳ", "ｲｳ", 3},
        {"\xE3\n", "\n", 1},  // a broken byte stands alone
        {"x\xE3", "\xE3", 1},
        {"e\xCC\x81", "e", 0},  // a base letter before its mark
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.m_Text);
        EXPECT_EQ(c.m_At, FindInText(c.m_Text, c.m_What));
    }
}

TEST(FindInText, FindsNothingForEmptyOrLongerText)
{
    EXPECT_EQ(std::string::npos, FindInText("abc", ""));
    EXPECT_EQ(std::string::npos, FindInText("ab", "abc"));
    EXPECT_EQ(std::string::npos, FindInText("", "a"));
}

TEST(ReplaceInText, LeavesOtherCharactersIntact)
{
    std::string path = "表示\\ソフト\\ア";
    EXPECT_EQ(2u, ReplaceInText(path, "\\", "/"));
    EXPECT_EQ("表示/ソフト/ア", path);

    std::string text = "アA";
    EXPECT_EQ(1u, ReplaceInText(text, "A", "B"));
    EXPECT_EQ("アB", text);

    std::string halves = "アイ";
    EXPECT_EQ(0u, ReplaceInText(halves, "\xA2\xE3", "x"));
    EXPECT_EQ("アイ", halves);

    std::string emoji = "😊と😊";
    EXPECT_EQ(2u, ReplaceInText(emoji, "😊", "♡"));
    EXPECT_EQ("♡と♡", emoji);
}

TEST(ReplaceInText, GoesOnAfterInsertedText)
{
    std::string text = "aaa";
    EXPECT_EQ(3u, ReplaceInText(text, "a", "aa"));
    EXPECT_EQ("aaaaaa", text);

    std::string overlapping = "aaaa";
    EXPECT_EQ(2u, ReplaceInText(overlapping, "aa", "b"));
    EXPECT_EQ("bb", overlapping);

    std::string removed = "猫犬猫";
    EXPECT_EQ(2u, ReplaceInText(removed, "猫", ""));
    EXPECT_EQ("犬", removed);
}

TEST(ReplaceInText, EmptyFindTextReplacesNothing)
{
    std::string text = "abc";
    EXPECT_EQ(0u, ReplaceInText(text, "", "x"));
    EXPECT_EQ("abc", text);
}

// ---- jump -----------------------------------------------------------------

TEST(JumpTargetRow, LineOneSelectsFirstRow)
{
    EXPECT_EQ(0, JumpTargetRow(1, 3));
    EXPECT_EQ(2, JumpTargetRow(3, 3));
}

TEST(JumpTargetRow, LinesOutsideListSelectNothing)
{
    EXPECT_EQ(CTextSearch::kNoRow, JumpTargetRow(0, 3));
    EXPECT_EQ(CTextSearch::kNoRow, JumpTargetRow(4, 3));
    EXPECT_EQ(CTextSearch::kNoRow, JumpTargetRow(-5, 3));
    EXPECT_EQ(CTextSearch::kNoRow, JumpTargetRow(1, 0));
    EXPECT_EQ(CTextSearch::kNoRow, JumpTargetRow(INT32_MIN, 3));
    EXPECT_EQ(CTextSearch::kNoRow, JumpTargetRow(INT32_MAX, 3));
}
