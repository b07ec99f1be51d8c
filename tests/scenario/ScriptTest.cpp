// The scenario model: cast identity, lookups, list editing, the cascade of a
// cast deletion and the error text rules.
#include "scenario/Script.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace
{

std::vector<int32_t> CastIdsOf(const CScript& script)
{
    std::vector<int32_t> ids;
    for (const CSerif& serif : script.GetSerifs())
        ids.push_back(serif.m_CastId);
    return ids;
}

std::vector<std::string> TextsOf(const CScript& script)
{
    std::vector<std::string> texts;
    for (const CSerif& serif : script.GetSerifs())
        texts.push_back(serif.m_Text);
    return texts;
}

CScript MakeScript(const std::vector<int32_t>& castIds)
{
    CScript script;
    for (size_t i = 0; i < castIds.size(); ++i)
        script.AddSerif(CSerif(castIds[i], "s" + std::to_string(i)));
    return script;
}

}  // namespace

TEST(CScriptNextCastId, IsZeroForEmptyList)
{
    EXPECT_EQ(0, CScript::NextCastId({}));
}

TEST(CScriptNextCastId, IsOneMoreThanLargestWhateverTheOrder)
{
    EXPECT_EQ(6, CScript::NextCastId({CCast(0, "a"), CCast(5, "b"), CCast(2, "c")}));
}

TEST(CScriptNextCastId, ReusesLargestIdAfterItsCastWasRemoved)
{
    std::vector<CCast> casts = {CCast(0, "a"), CCast(5, "b"), CCast(6, "c")};
    EXPECT_EQ(7, CScript::NextCastId(casts));
    casts.pop_back();
    EXPECT_EQ(6, CScript::NextCastId(casts));
}

TEST(CScriptNextCastId, IsZeroWhenEveryIdIsNegative)
{
    // A negative id means "no cast"; a new cast must never get one.
    EXPECT_EQ(0, CScript::NextCastId({CCast(-5, "a"), CCast(-1, "b")}));
    EXPECT_EQ(0, CScript::NextCastId({CCast(INT_MIN, "a")}));
}

TEST(CScriptNextCastId, IgnoresNegativeIdsBesidePositiveOnes)
{
    EXPECT_EQ(4, CScript::NextCastId({CCast(-9, "a"), CCast(3, "b"), CCast(-1, "c")}));
}

TEST(CScriptNextCastId, TakesSmallestFreeIdWhenLargestCannotGrow)
{
    EXPECT_EQ(1, CScript::NextCastId({CCast(0, "a"), CCast(INT_MAX, "b"), CCast(2, "c")}));
    EXPECT_EQ(3, CScript::NextCastId({CCast(1, "a"), CCast(0, "b"), CCast(INT_MAX, "c"),
                                      CCast(2, "d"), CCast(-4, "e")}));
}

TEST(CScriptFindCastId, IsMinusOneForEmptyCastList)
{
    CScript script;
    EXPECT_EQ(-1, script.FindCastId("Taro"));
    EXPECT_EQ(-1, script.FindCastId(""));
}

TEST(CScriptFindCastId, FindsEmptyNameOnlyWhenACastHasIt)
{
    CScript script;
    script.AddCast(CCast(3, "Taro"));
    EXPECT_EQ(-1, script.FindCastId(""));
    script.AddCast(CCast(4, ""));
    EXPECT_EQ(4, script.FindCastId(""));
}

TEST(CScriptFindCastId, ReturnsFirstOfTwoSameNamedCasts)
{
    CScript script;
    script.AddCast(CCast(7, "花子"));
    script.AddCast(CCast(2, "花子"));
    EXPECT_EQ(7, script.FindCastId("花子"));
}

TEST(CScriptFindCastId, ComparesBytesWithoutFolding)
{
    CScript script;
    script.AddCast(CCast(1, "taro"));
    script.AddCast(CCast(2, "ＴＡＲＯ"));  // full width
    EXPECT_EQ(-1, script.FindCastId("Taro"));
    EXPECT_EQ(-1, script.FindCastId("TARO"));
    EXPECT_EQ(2, script.FindCastId("ＴＡＲＯ"));
    EXPECT_EQ(-1, script.FindCastId("taro "));
    EXPECT_EQ(-1, script.FindCastId("tar"));
}

TEST(CScriptFindCastName, IsEmptyForUndefinedOrNegativeId)
{
    CScript script;
    script.AddCast(CCast(0, "Taro"));
    script.AddCast(CCast(-3, "Ghost"));
    EXPECT_EQ("Taro", script.FindCastName(0));
    EXPECT_EQ("", script.FindCastName(9));
    EXPECT_EQ("", script.FindCastName(-3));
    EXPECT_EQ("", script.FindCastName(-1));
}

TEST(CScriptFindCastName, ReturnsFirstOfTwoCastsWithSameId)
{
    CScript script;
    script.AddCast(CCast(1, "first"));
    script.AddCast(CCast(1, "second"));
    EXPECT_EQ("first", script.FindCastName(1));
}

TEST(CScriptSerifList, RefusesPositionsOutOfRange)
{
    CScript script = MakeScript({1, 2});
    EXPECT_FALSE(script.InsertSerif(3, CSerif()));
    EXPECT_FALSE(script.InsertSerif(-1, CSerif()));
    EXPECT_FALSE(script.SetSerif(2, CSerif()));
    EXPECT_FALSE(script.EraseSerif(2));
    EXPECT_FALSE(script.EraseSerif(-1));
    EXPECT_FALSE(script.ExchangeSerifs(0));
    EXPECT_FALSE(script.ExchangeSerifs(2));
    EXPECT_EQ((std::vector<std::string>{"s0", "s1"}), TextsOf(script));
}

TEST(CScriptSerifList, EditsKeepTheOtherRowsInOrder)
{
    CScript script = MakeScript({1, 2, 3});
    EXPECT_TRUE(script.InsertSerif(3, CSerif(8, "end")));
    EXPECT_TRUE(script.InsertSerif(1, CSerif(9, "new")));
    EXPECT_TRUE(script.EraseSerif(2));
    EXPECT_TRUE(script.ExchangeSerifs(3));  // "end" moves up
    EXPECT_TRUE(script.SetSerif(0, CSerif(5, "top", "memo")));
    EXPECT_EQ((std::vector<std::string>{"top", "new", "end", "s2"}), TextsOf(script));
    EXPECT_EQ("memo", script.GetSerif(0).m_Memo);
}

TEST(CScriptCastDeletion, RemovesExactlyTheSerifsOfDeletedCastsKeepingOrder)
{
    CScript script = MakeScript({1, 2, 1, 3, 2, 1, -1, 9});
    script.ReplaceCasts({CCast(2, "b")});
    script.RemoveSerifsOfCasts({1, 3});
    EXPECT_EQ((std::vector<int32_t>{2, 2, -1, 9}), CastIdsOf(script));
    EXPECT_EQ((std::vector<std::string>{"s1", "s4", "s6", "s7"}), TextsOf(script));
    ASSERT_EQ(1, script.GetCastCount());
    EXPECT_EQ("b", script.GetCast(0).m_Name);
}

TEST(CScriptCastDeletion, CastWithoutSerifsLeavesSerifsUnchanged)
{
    CScript script = MakeScript({1, 2, 1});
    script.RemoveSerifsOfCasts({5});
    EXPECT_EQ((std::vector<std::string>{"s0", "s1", "s2"}), TextsOf(script));
}

TEST(CScriptCastDeletion, EmptyIdListChangesNothing)
{
    CScript script = MakeScript({1, -1, 2});
    script.RemoveSerifsOfCasts({});
    EXPECT_EQ((std::vector<int32_t>{1, -1, 2}), CastIdsOf(script));
}

TEST(CScriptCastDeletion, NegativeIdRemovesSerifsWithThatId)
{
    CScript script = MakeScript({-1, 0, -2, -1});
    script.RemoveSerifsOfCasts({-1});
    EXPECT_EQ((std::vector<int32_t>{0, -2}), CastIdsOf(script));
}

TEST(CScriptCastDeletion, ReplaceCastsCopiesTheGivenList)
{
    CScript script;
    script.AddCast(CCast(0, "old"));
    std::vector<CCast> edited = {CCast(0, "new", "m"), CCast(1, "two")};
    script.ReplaceCasts(edited);
    edited[0].m_Name = "changed later";
    ASSERT_EQ(2, script.GetCastCount());
    EXPECT_EQ("new", script.GetCast(0).m_Name);
    EXPECT_EQ("m", script.GetCast(0).m_Memo);
    EXPECT_EQ(1, script.GetCast(1).m_Id);
}

TEST(CScriptClear, EmptiesEverythingButTheErrorText)
{
    CScript script = MakeScript({1});
    script.SetTitle("t");
    script.SetMemo("m\nm");
    script.AddCast(CCast(1, "c"));
    script.SetError("broken");
    script.Clear();
    EXPECT_EQ("", script.GetTitle());
    EXPECT_EQ("", script.GetMemo());
    EXPECT_EQ(0, script.GetCastCount());
    EXPECT_EQ(0, script.GetSerifCount());
    EXPECT_EQ("スクリプトにエラーがあるか、未対応の形式です。\n\nbroken", script.GetError());
}

TEST(IXMLBaseError, IsEmptyWhenConstructed)
{
    CScript script;
    EXPECT_EQ("", script.GetError());
}

TEST(IXMLBaseError, SetErrorPutsFixedSentenceAndBlankLineFirst)
{
    CScript script;
    script.SetError("");
    EXPECT_EQ("スクリプトにエラーがあるか、未対応の形式です。\n\n", script.GetError());
    script.SetError("エラー場所：12\nx");
    EXPECT_EQ("スクリプトにエラーがあるか、未対応の形式です。\n\nエラー場所：12\nx",
              script.GetError());
}
