// Paste sequencing: the press filter, the choice of row, the key plan, the
// cursor moves and the scroll row.
#include "appcore/PasteSequencer.h"

#include "scenario/Script.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace
{

const uint32_t kId = CPasteSequencer::kHotKeyId;

CPasteSettings NoScroll()
{
    CPasteSettings settings;
    settings.m_AutoScroll = false;
    return settings;
}

// Plays the main window's part: applies a plan's cursor moves the way the
// paste step does, and records what was pasted.
struct CSession
{
    std::vector<int32_t> m_Rows;
    int32_t m_Cursor = kNoRow;
    int32_t m_Active = -1;
    CPasteSettings m_Settings = NoScroll();
    int32_t m_PageHeight = 20;
    CPasteSequencer m_Sequencer;
    std::vector<int32_t> m_Pasted;

    CPastePlan Press()
    {
        CPastePlan plan =
            m_Sequencer.PlanPaste(m_Rows, m_Cursor, m_Active, m_Settings, m_PageHeight);
        if (plan.m_FoundRow != kNoRow)
            m_Cursor = plan.m_FoundRow;
        if (plan.HasPaste())
            m_Pasted.push_back(plan.m_PasteRow);
        if (plan.m_NextRow != kNoRow)
            m_Cursor = plan.m_NextRow;
        return plan;
    }
};

CKeyStep Down(uint8_t vk)
{
    return {CKeyStep::Press, vk, 0};
}
CKeyStep Up(uint8_t vk)
{
    return {CKeyStep::Release, vk, 0};
}
CKeyStep Wait(uint32_t ms)
{
    return {CKeyStep::Wait, 0, ms};
}

}  // namespace

// ---- press filter ---------------------------------------------------------

TEST(CPasteSequencerPressFilter, IgnoresPressWhileMainWindowIsInFront)
{
    CPasteSequencer sequencer;
    EXPECT_FALSE(sequencer.AcceptHotKeyPress(kId, true, true, 5000, 100));
    EXPECT_EQ(0u, sequencer.GetLastPressTime());
}

TEST(CPasteSequencerPressFilter, IgnoresPressWhileMonitoringIsOff)
{
    CPasteSequencer sequencer;
    EXPECT_FALSE(sequencer.AcceptHotKeyPress(kId, false, false, 5000, 100));
    EXPECT_EQ(0u, sequencer.GetLastPressTime());
}

TEST(CPasteSequencerPressFilter, IgnoresOtherIdentifiers)
{
    CPasteSequencer sequencer;
    EXPECT_FALSE(sequencer.AcceptHotKeyPress(2, false, true, 5000, 100));
    EXPECT_FALSE(sequencer.AcceptHotKeyPress(0, false, true, 5000, 100));
    EXPECT_EQ(0u, sequencer.GetLastPressTime());
    EXPECT_TRUE(sequencer.AcceptHotKeyPress(kId, false, true, 5000, 100));
    EXPECT_EQ(5000u, sequencer.GetLastPressTime());
}

TEST(CPasteSequencerPressFilter, ActsOnlyOnFirstOfTwoPressesWithinKeyWait)
{
    CPasteSequencer sequencer;
    EXPECT_TRUE(sequencer.AcceptHotKeyPress(kId, false, true, 10000, 100));
    EXPECT_FALSE(sequencer.AcceptHotKeyPress(kId, false, true, 10050, 100));
    // The ignored press did not move T: 101 ms after the accepted one passes.
    EXPECT_TRUE(sequencer.AcceptHotKeyPress(kId, false, true, 10101, 100));
}

TEST(CPasteSequencerPressFilter, IgnoresPressExactlyKeyWaitAfterTheLast)
{
    CPasteSequencer sequencer;
    ASSERT_TRUE(sequencer.AcceptHotKeyPress(kId, false, true, 10000, 100));
    EXPECT_FALSE(sequencer.AcceptHotKeyPress(kId, false, true, 10100, 100));
    EXPECT_TRUE(sequencer.AcceptHotKeyPress(kId, false, true, 10101, 100));
    EXPECT_EQ(10101u, sequencer.GetLastPressTime());
}

TEST(CPasteSequencerPressFilter, MeasuresAcrossClockWrap)
{
    CPasteSequencer sequencer;
    ASSERT_TRUE(sequencer.AcceptHotKeyPress(kId, false, true, 4294967000u, 100));
    // 500 after the wrap is 796 ms later.
    EXPECT_FALSE(sequencer.AcceptHotKeyPress(kId, false, true, 500, 796));
    EXPECT_TRUE(sequencer.AcceptHotKeyPress(kId, false, true, 500, 795));
    EXPECT_EQ(500u, sequencer.GetLastPressTime());
}

TEST(CPasteSequencerPressFilter, PressInFrontLeavesSpacingMeasuredFromEarlierPress)
{
    CPasteSequencer sequencer;
    ASSERT_TRUE(sequencer.AcceptHotKeyPress(kId, false, true, 1000, 100));
    EXPECT_FALSE(sequencer.AcceptHotKeyPress(kId, true, true, 1200, 100));
    EXPECT_FALSE(sequencer.AcceptHotKeyPress(kId, false, false, 1300, 100));
    EXPECT_EQ(1000u, sequencer.GetLastPressTime());
    EXPECT_FALSE(sequencer.AcceptHotKeyPress(kId, false, true, 1050, 100));
    EXPECT_TRUE(sequencer.AcceptHotKeyPress(kId, false, true, 1101, 100));
}

TEST(CPasteSequencerPressFilter, ZeroKeyWaitStillRefusesSameMillisecond)
{
    CPasteSequencer sequencer;
    ASSERT_TRUE(sequencer.AcceptHotKeyPress(kId, false, true, 7, 0));
    EXPECT_FALSE(sequencer.AcceptHotKeyPress(kId, false, true, 7, 0));
    EXPECT_TRUE(sequencer.AcceptHotKeyPress(kId, false, true, 8, 0));
}

TEST(CPasteSequencerPressFilter, FirstPressIsMeasuredFromTimeZero)
{
    CPasteSequencer sequencer;
    EXPECT_FALSE(sequencer.AcceptHotKeyPress(kId, false, true, 100, 100));
    EXPECT_TRUE(sequencer.AcceptHotKeyPress(kId, false, true, 101, 100));
}

// ---- key plan -------------------------------------------------------------

TEST(CPasteSequencerKeyPlan, CtrlVHeldForKeyWaitThenReleasedCtrlFirst)
{
    CPasteSequencer sequencer;
    CPasteSettings settings = NoScroll();
    settings.m_AddReturn = false;
    settings.m_KeyWaitMs = 250;
    CPastePlan plan = sequencer.PlanPaste({1}, 0, -1, settings, 20);
    EXPECT_EQ((std::vector<CKeyStep>{Down(0x11), Down(0x56), Wait(250), Up(0x11), Up(0x56)}),
              plan.m_Keys);
}

TEST(CPasteSequencerKeyPlan, AddReturnAppendsEnterDownAndUpWithoutWait)
{
    CPasteSequencer sequencer;
    CPasteSettings settings = NoScroll();
    settings.m_AddReturn = true;
    settings.m_KeyWaitMs = 100;
    CPastePlan plan = sequencer.PlanPaste({1}, 0, -1, settings, 20);
    EXPECT_EQ((std::vector<CKeyStep>{Down(0x11), Down(0x56), Wait(100), Up(0x11), Up(0x56),
                                     Down(0x0D), Up(0x0D)}),
              plan.m_Keys);
}

TEST(CPasteSequencerKeyPlan, NoKeysWithoutPasteRow)
{
    CPasteSequencer sequencer;
    CPastePlan plan = sequencer.PlanPaste({2, 2}, 0, 1, NoScroll(), 20);
    EXPECT_FALSE(plan.HasPaste());
    EXPECT_TRUE(plan.m_Keys.empty());
}

// ---- choice of row --------------------------------------------------------

TEST(CPasteSequencerPlan, EmptyListPastesNothing)
{
    CPasteSequencer sequencer;
    CPastePlan plan = sequencer.PlanPaste({}, kNoRow, -1, CPasteSettings(), 20);
    EXPECT_EQ(kNoRow, plan.m_FoundRow);
    EXPECT_FALSE(plan.HasPaste());
    EXPECT_EQ(kNoRow, plan.m_NextRow);
    EXPECT_EQ(kNoRow, plan.m_ScrollRow);
    EXPECT_EQ(kNoRow, sequencer.GetLastPastedRow());
}

TEST(CPasteSequencerPlan, WithoutActiveCastPastesEveryRowInOrderThenStops)
{
    CSession session;
    session.m_Rows = {0, 1, -1, 0};
    for (int press = 0; press < 6; ++press)
        session.Press();
    EXPECT_EQ((std::vector<int32_t>{0, 1, 2, 3}), session.m_Pasted);
    EXPECT_EQ(3, session.m_Cursor);
}

TEST(CPasteSequencerPlan, WithoutActiveCastLastRowHasNoNextRow)
{
    CSession session;
    session.m_Rows = {0, 1};
    session.m_Cursor = 1;
    CPastePlan plan = session.Press();
    EXPECT_EQ(1, plan.m_PasteRow);
    EXPECT_EQ(kNoRow, plan.m_NextRow);
    EXPECT_EQ(1, session.m_Cursor);
    plan = session.Press();
    EXPECT_FALSE(plan.HasPaste());
    EXPECT_EQ(1, plan.m_FoundRow);
}

TEST(CPasteSequencerPlan, NoSelectionStartsAtRowZero)
{
    CSession session;
    session.m_Rows = {2, 1, 1};
    session.m_Active = 1;
    CPastePlan plan = session.Press();
    EXPECT_EQ(1, plan.m_FoundRow);
    EXPECT_EQ(1, plan.m_PasteRow);
    EXPECT_EQ(2, plan.m_NextRow);
}

TEST(CPasteSequencerPlan, SkipsRowsOfOtherCasts)
{
    CSession session;
    session.m_Rows = {1, 2, 2, 1, 3, 1};
    session.m_Active = 1;
    for (int press = 0; press < 3; ++press)
        session.Press();
    EXPECT_EQ((std::vector<int32_t>{0, 3, 5}), session.m_Pasted);
}

TEST(CPasteSequencerPlan, RowWithoutCastBlocksTheScan)
{
    CSession session;
    session.m_Rows = {1, 2, -1, 1};
    session.m_Active = 1;
    CPastePlan plan = session.Press();
    EXPECT_EQ(0, plan.m_PasteRow);
    // Advancing stops on the blocking row: the cursor goes there.
    EXPECT_EQ(2, plan.m_NextRow);
    plan = session.Press();
    EXPECT_EQ(2, plan.m_FoundRow);
    EXPECT_FALSE(plan.HasPaste());
    EXPECT_EQ(kNoRow, plan.m_NextRow);
    plan = session.Press();
    EXPECT_FALSE(plan.HasPaste());
    EXPECT_EQ(2, session.m_Cursor);
    // Once the user moves past it, row 3 is pasted.
    session.m_Cursor = 3;
    plan = session.Press();
    EXPECT_EQ(3, plan.m_PasteRow);
}

TEST(CPasteSequencerPlan, BlockingRowMayBeTheCursorRowItself)
{
    CPasteSequencer sequencer;
    CPastePlan plan = sequencer.PlanPaste({-1, 1}, 0, 1, NoScroll(), 20);
    EXPECT_EQ(0, plan.m_FoundRow);
    EXPECT_FALSE(plan.HasPaste());
}

TEST(CPasteSequencerPlan, AfterLastLineOfCastCursorStaysAndPressesOnlyEmptyClipboard)
{
    CSession session;
    session.m_Rows = {1, 2, 1, 2, 2};
    session.m_Active = 1;
    session.m_Settings.m_AutoScroll = true;
    session.Press();
    CPastePlan plan = session.Press();
    EXPECT_EQ(2, plan.m_PasteRow);
    EXPECT_EQ(kNoRow, plan.m_NextRow);
    EXPECT_EQ(kNoRow, plan.m_ScrollRow);
    EXPECT_EQ(2, session.m_Cursor);
    plan = session.Press();
    EXPECT_FALSE(plan.HasPaste());
    EXPECT_EQ(2, plan.m_FoundRow);
    EXPECT_EQ(2, session.m_Cursor);
    EXPECT_EQ((std::vector<int32_t>{0, 2}), session.m_Pasted);
}

TEST(CPasteSequencerPlan, CursorAfterLastRowOfCastFindsNothingAndStays)
{
    CPasteSequencer sequencer;
    CPastePlan plan = sequencer.PlanPaste({1, 2, 2}, 1, 1, CPasteSettings(), 20);
    EXPECT_EQ(kNoRow, plan.m_FoundRow);
    EXPECT_FALSE(plan.HasPaste());
    EXPECT_TRUE(plan.m_Keys.empty());
    EXPECT_EQ(kNoRow, plan.m_NextRow);
    EXPECT_EQ(kNoRow, plan.m_ScrollRow);
}

TEST(CPasteSequencerPlan, ActiveCastWithoutAnyRowPastesNothing)
{
    CPasteSequencer sequencer;
    CPastePlan plan = sequencer.PlanPaste({1, 2}, kNoRow, 7, NoScroll(), 20);
    EXPECT_EQ(kNoRow, plan.m_FoundRow);
    EXPECT_FALSE(plan.HasPaste());
}

TEST(CPasteSequencerPlan, NeverPastesSameRowTwiceInARow)
{
    CSession session;
    session.m_Rows = {1, 2, 1};
    session.m_Active = 1;
    session.Press();       // row 0, cursor to 2
    session.m_Cursor = 0;  // keyboard back onto row 0
    CPastePlan plan = session.Press();
    EXPECT_FALSE(plan.HasPaste());
    EXPECT_EQ(0, plan.m_FoundRow);
    // A mouse click on the row lifts the rule for it.
    session.m_Sequencer.ForgetLastPastedRow();
    plan = session.Press();
    EXPECT_EQ(0, plan.m_PasteRow);
    EXPECT_EQ((std::vector<int32_t>{0, 0}), session.m_Pasted);
}

TEST(CPasteSequencerPlan, RepasteRuleAppliesToLastRowOnlyNotEarlierOnes)
{
    CSession session;
    session.m_Rows = {0, 0, 0};
    session.Press();
    session.Press();
    session.m_Cursor = 0;
    CPastePlan plan = session.Press();
    EXPECT_EQ(0, plan.m_PasteRow);
}

TEST(CPasteSequencerPlan, PlanWithoutPasteRowLeavesLastPastedRow)
{
    CPasteSequencer sequencer;
    sequencer.PlanPaste({1, 2, 1}, 0, 1, NoScroll(), 20);
    ASSERT_EQ(0, sequencer.GetLastPastedRow());
    sequencer.PlanPaste({1, 2, -1}, 1, 1, NoScroll(), 20);  // blocked
    EXPECT_EQ(0, sequencer.GetLastPastedRow());
}

TEST(CPasteSequencerPlan, ActiveCastWithNegativeIdFromFileIsFoundNotBlocked)
{
    CPasteSequencer sequencer;
    CPastePlan plan = sequencer.PlanPaste({0, -3, -1, -3}, 0, -3, NoScroll(), 20);
    EXPECT_EQ(1, plan.m_PasteRow);
    EXPECT_EQ(2, plan.m_NextRow);  // another negative id still blocks
}

TEST(CPasteSequencerPlan, CursorPastTheEndFindsNothing)
{
    CPasteSequencer sequencer;
    CPastePlan plan = sequencer.PlanPaste({1, 1}, 2, -1, CPasteSettings(), 20);
    EXPECT_EQ(kNoRow, plan.m_FoundRow);
    EXPECT_FALSE(plan.HasPaste());
    EXPECT_EQ(kNoRow, sequencer.GetLastPastedRow());
}

TEST(CPasteSequencerPlan, ActiveCastIsFirstOfTwoSameNamedCasts)
{
    CScript script;
    script.AddCast(CCast(4, "Taro"));
    script.AddCast(CCast(9, "Taro"));
    script.AddSerif(CSerif(9, "second Taro"));
    script.AddSerif(CSerif(4, "first Taro"));
    CPasteSequencer sequencer;
    CPastePlan plan = sequencer.PlanPaste(CastIdsOfSerifs(script.GetSerifs()), kNoRow,
                                          script.FindCastId("Taro"), NoScroll(), 20);
    EXPECT_EQ(1, plan.m_PasteRow);
}

// ---- scroll row -----------------------------------------------------------

TEST(CPasteSequencerScroll, ScrollPosOnePutsNextRowAtTopOfPage)
{
    CPasteSequencer sequencer;
    CPasteSettings settings;
    settings.m_ScrollPos = 1;
    std::vector<int32_t> rows(100, 0);
    CPastePlan plan = sequencer.PlanPaste(rows, 30, -1, settings, 20);
    EXPECT_EQ(31, plan.m_NextRow);
    EXPECT_EQ(50, plan.m_ScrollRow);
}

TEST(CPasteSequencerScroll, ScrollPosEqualToPageHeightOnlyShowsNextRow)
{
    CPasteSequencer sequencer;
    CPasteSettings settings;
    settings.m_ScrollPos = 20;
    std::vector<int32_t> rows(100, 0);
    CPastePlan plan = sequencer.PlanPaste(rows, 30, -1, settings, 20);
    EXPECT_EQ(31, plan.m_ScrollRow);
}

TEST(CPasteSequencerScroll, IsCappedAtLastRow)
{
    CPasteSequencer sequencer;
    CPasteSettings settings;
    settings.m_ScrollPos = 1;
    std::vector<int32_t> rows(40, 0);
    CPastePlan plan = sequencer.PlanPaste(rows, 30, -1, settings, 20);
    EXPECT_EQ(39, plan.m_ScrollRow);
}

TEST(CPasteSequencerScroll, NegativeResultBecomesRowZero)
{
    CPasteSequencer sequencer;
    CPasteSettings settings;
    settings.m_ScrollPos = 50;
    std::vector<int32_t> rows(100, 0);
    CPastePlan plan = sequencer.PlanPaste(rows, 3, -1, settings, 20);
    EXPECT_EQ(0, plan.m_ScrollRow);
}

TEST(CPasteSequencerScroll, StillComputedWhenLastRowWasPastedWithoutActiveCast)
{
    CPasteSequencer sequencer;
    CPasteSettings settings;
    settings.m_ScrollPos = 10;
    std::vector<int32_t> rows(25, 0);
    CPastePlan plan = sequencer.PlanPaste(rows, 24, -1, settings, 20);
    EXPECT_EQ(24, plan.m_PasteRow);
    EXPECT_EQ(kNoRow, plan.m_NextRow);
    // j = 25: 20 + 25 - 10 = 35, capped at 24.
    EXPECT_EQ(24, plan.m_ScrollRow);
}

TEST(CPasteSequencerScroll, UsesNextRowOfActiveCastNotPastedRow)
{
    CPasteSequencer sequencer;
    CPasteSettings settings;
    settings.m_ScrollPos = 5;
    std::vector<int32_t> rows(100, 2);
    rows[10] = 1;
    rows[40] = 1;
    CPastePlan plan = sequencer.PlanPaste(rows, 0, 1, settings, 20);
    EXPECT_EQ(10, plan.m_PasteRow);
    EXPECT_EQ(40, plan.m_NextRow);
    EXPECT_EQ(55, plan.m_ScrollRow);
}

TEST(CPasteSequencerScroll, NoScrollRowWhenAutoScrollIsOff)
{
    CPasteSequencer sequencer;
    CPasteSettings settings;
    settings.m_AutoScroll = false;
    settings.m_ScrollPos = 1;
    std::vector<int32_t> rows(100, 0);
    CPastePlan plan = sequencer.PlanPaste(rows, 30, -1, settings, 20);
    EXPECT_EQ(31, plan.m_NextRow);
    EXPECT_EQ(kNoRow, plan.m_ScrollRow);
}

TEST(CPasteSequencerScroll, ExtremeScrollPosFromFileDoesNotOverflow)
{
    CPasteSequencer sequencer;
    CPasteSettings settings;
    std::vector<int32_t> rows(100, 0);
    settings.m_ScrollPos = INT_MIN;
    EXPECT_EQ(99, sequencer.PlanPaste(rows, 30, -1, settings, INT_MAX).m_ScrollRow);
    sequencer.ForgetLastPastedRow();
    settings.m_ScrollPos = INT_MAX;
    EXPECT_EQ(0, sequencer.PlanPaste(rows, 30, -1, settings, INT_MIN).m_ScrollRow);
}
