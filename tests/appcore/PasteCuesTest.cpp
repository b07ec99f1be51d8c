// The standby strip's preview and the cue keys, against the press itself:
// the strip shows what a press does, in every state; skip, back and repeat
// at both ends of the list and around rows without a cast.
#include "appcore/PasteText.h"
#include "appcore/Standby.h"

#include "scenario/Script.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace
{

CPasteSettings Quiet()
{
    CPasteSettings settings;
    settings.m_AutoScroll = false;
    return settings;
}

// Runs presses and cue keys written as a string on `rows` (cursor starting
// at row 0): 'p' press, 's' skip, 'b' back, 'r' repeat. Gives the rows the
// presses and repeats typed, and ends with the cursor, as "0 2 | 3".
std::string Play(const std::vector<int32_t>& rows, int32_t cast, const std::string& keys)
{
    CPasteSequencer sequencer;
    int32_t cursor = 0;
    std::string typed;
    for (char key : keys) {
        int32_t moved = kNoRow;
        if (key == 'p') {
            const CPastePlan plan = sequencer.PlanPaste(rows, cursor, cast, Quiet(), 10);
            if (plan.m_FoundRow != kNoRow)
                cursor = plan.m_FoundRow;
            if (plan.HasPaste())
                typed += std::to_string(plan.m_PasteRow) + " ";
            moved = plan.m_NextRow;
        } else if (key == 's') {
            moved = sequencer.Skip(rows, cursor, cast);
        } else if (key == 'b') {
            moved = sequencer.Back(rows, cursor, cast);
        } else if (key == 'r') {
            const int32_t row = sequencer.RepeatRow(rows, cast);
            if (row != kNoRow)
                typed += std::to_string(row) + " ";
        }
        if (moved != kNoRow)
            cursor = moved;
    }
    return typed + "| " + std::to_string(cursor);
}

}  // namespace

// The preview's row is the row a press pastes, or stops at, whatever the
// list, cursor, set of active casts and history of presses; the row pasted
// belongs to an active cast, and with one active cast the press is the one
// it always was (the cast ids searched directly).
TEST(StandbyPreview, AlwaysAgreesWithThePress)
{
    std::mt19937 random(20261208);
    for (int round = 0; round < 20000; ++round) {
        std::vector<CSerif> serifs(random() % 8);
        for (CSerif& serif : serifs)
            serif.m_CastId = static_cast<int32_t>(random() % 4) - 1;  // -1 blocks
        std::vector<int32_t> active;
        for (int32_t id = 0; id < 3; ++id) {
            if (random() % 3 == 0)
                active.push_back(id);
        }
        const CPressRows press = PressRowsOf(serifs, active);
        const std::vector<int32_t>& rows = press.m_Rows;
        const int32_t cast = press.m_Active;
        const int32_t count = static_cast<int32_t>(rows.size());
        const int32_t start = static_cast<int32_t>(random() % (count + 2)) - 1;
        std::vector<int> steps(random() % 4);
        for (int& step : steps)
            step = static_cast<int>(random() % 3);

        // The presses and backs of `steps`, then the next press's plan.
        auto play = [&](const std::vector<int32_t>& playRows, int32_t playCast,
                        CPasteSequencer& sequencer, int32_t& cursor) {
            cursor = start;
            for (int step : steps) {
                const CPastePlan plan =
                    sequencer.PlanPaste(playRows, cursor, playCast, Quiet(), 10);
                cursor = plan.m_NextRow != kNoRow    ? plan.m_NextRow
                         : plan.m_FoundRow != kNoRow ? plan.m_FoundRow
                                                     : cursor;
                if (step == 0)
                    sequencer.Back(playRows, cursor, playCast);
            }
        };
        CPasteSequencer sequencer;
        int32_t cursor = kNoRow;
        play(rows, cast, sequencer, cursor);
        const CStandby standby = PreviewNextPress(sequencer, rows, cursor, cast);
        CPasteSequencer copy = sequencer;
        const CPastePlan plan = copy.PlanPaste(rows, cursor, cast, Quiet(), 10);
        switch (standby.m_Kind) {
        case EStandbyKind::Paste: {
            ASSERT_EQ(plan.m_PasteRow, standby.m_Row) << round;
            ASSERT_GT(standby.m_Remaining, 0) << round;
            const int32_t speaker = serifs[static_cast<size_t>(standby.m_Row)].m_CastId;
            ASSERT_TRUE(active.empty() ||
                        std::find(active.begin(), active.end(), speaker) != active.end())
                << round;
            break;
        }
        case EStandbyKind::Blocked:
            ASSERT_FALSE(plan.HasPaste()) << round;
            ASSERT_EQ(plan.m_FoundRow, standby.m_Row) << round;
            ASSERT_LT(rows[static_cast<size_t>(standby.m_Row)], 0) << round;
            break;
        case EStandbyKind::Nothing:
            ASSERT_FALSE(plan.HasPaste()) << round;
            break;
        }
        if (active.size() == 1) {
            CPasteSequencer direct;
            int32_t directCursor = kNoRow;
            play(CastIdsOfSerifs(serifs), active[0], direct, directCursor);
            const CPastePlan directPlan =
                direct.PlanPaste(CastIdsOfSerifs(serifs), directCursor, active[0], Quiet(), 10);
            ASSERT_EQ(directCursor, cursor) << round;
            ASSERT_EQ(directPlan.m_PasteRow, plan.m_PasteRow) << round;
            ASSERT_EQ(directPlan.m_NextRow, plan.m_NextRow) << round;
            ASSERT_EQ(directPlan.m_FoundRow, plan.m_FoundRow) << round;
        }
    }
}

TEST(StandbyPreview, LinesAndCounts)
{
    CScript script;
    script.AddCast(CCast(0, "アリス"));
    script.AddCast(CCast(1, "ボブ"));
    for (const CSerif& serif : {CSerif(0, "一行目\r\n二行目"), CSerif(1, "やあ"),
                                CSerif(-1, "場面転換\nです"), CSerif(0, "着いた")})
        script.AddSerif(serif);
    const std::vector<int32_t> rows = CastIdsOfSerifs(script.GetSerifs());
    const struct
    {
        int32_t m_Cursor, m_Cast;
        const char* m_Line;
    } cases[] = {
        {0, 0, "アリス：一行目　残り 2"},
        {1, 1, "ボブ：やあ　残り 1"},
        {1, 0, "ト書きで停止：場面転換"},
        {3, 1, "このキャストのセリフはもうありません"},
        {0, -1, "アリス（キャスト未選択）：一行目　残り 4"},
        {2, -1, "（キャスト未選択）：場面転換　残り 2"},
        {4, -1, "このキャストのセリフはもうありません"},
    };
    for (const auto& c : cases) {
        CPasteSequencer sequencer;
        EXPECT_EQ(
            c.m_Line,
            StandbyLine(PreviewNextPress(sequencer, rows, c.m_Cursor, c.m_Cast), script).Whole())
            << c.m_Cursor << " " << c.m_Cast;
    }
}

// The strip shows the line as a press pastes it, in its format, and the
// length of a line over the limit.
TEST(StandbyPreview, FormattedLinesAndTheLengthWarning)
{
    CScript script;
    script.AddCast(CCast(0, "店主", "", "{name}「{text}」"));
    script.SetDirectionFormat("（{text}）");
    script.AddSerif(CSerif(0, "いらっしゃい"));
    script.AddSerif(CSerif(-1, "扉"));
    const std::vector<int32_t> rows = CastIdsOfSerifs(script.GetSerifs());
    CPasteSequencer sequencer;
    EXPECT_EQ("店主：店主「いらっしゃい」　残り 1",
              StandbyLine(PreviewNextPress(sequencer, rows, 0, 0), script).Whole());
    EXPECT_EQ("店主：店主「いらっしゃい」（10 文字）　残り 1",
              StandbyLine(PreviewNextPress(sequencer, rows, 0, 0), script, 9).Whole());
    EXPECT_EQ("店主：店主「いらっしゃい」　残り 1",
              StandbyLine(PreviewNextPress(sequencer, rows, 0, 0), script, 10).Whole());
    EXPECT_EQ("（キャスト未選択）：（扉）　残り 1",
              StandbyLine(PreviewNextPress(sequencer, rows, 1, -1), script).Whole());
}

TEST(PasteCues, SkipBackAndRepeatAtBothEndsAndAroundBlockingRows)
{
    // Rows: 0 A, 1 B, 2 A, 3 blocking, 4 A, 5 A.
    const std::vector<int32_t> blocked = {0, 1, 0, -1, 0, 0};
    // Rows: 0 A, 1 B, 2 A: B's only line is not the last row.
    const std::vector<int32_t> open = {0, 1, 0};
    const struct
    {
        const std::vector<int32_t>& m_Rows;
        int32_t m_Cast;
        const char* m_Keys;
        const char* m_Expected;  // typed rows | cursor
    } cases[] = {
        {blocked, 0, "sp", "2 | 3"},        // skip the first line, paste the next
        {blocked, 0, "pbp", "0 0 | 2"},     // back at the start: the first line again
        {blocked, 0, "ppbp", "0 2 2 | 3"},  // after 1 and 2, back and press give 2 again
        {blocked, 0, "pbbp", "0 0 | 2"},    // back cannot go before the first line
        {blocked, 0, "ppsp", "0 2 | 3"},    // skip at a blocking row does nothing
        {blocked, 0, "ppb", "0 2 | 2"},     // back from a blocking row: the line before it
        {blocked, 0, "ppr", "0 2 2 | 3"},   // repeat types the last line again, cursor stays
        {blocked, 0, "r", "| 0"},           // nothing typed yet: nothing to repeat
        {blocked, 0, "psr", "0 0 | 3"},     // a skipped line is not repeated
        {blocked, 1, "pp", "1 | 3"},        // the press stops at the blocking row
        {blocked, 1, "pbp", "1 1 | 3"},     // back over the row of another cast
        {blocked, -1, "ppppppp", "0 1 2 3 4 5 | 5"},
        {blocked, -1, "pppbp", "0 1 2 2 | 3"},  // without a cast nothing stops back
        {blocked, -1, "sssssss", "| 5"},
        {blocked, -1, "sssssp", "5 | 5"},
        {blocked, -1, "ppppppbp", "0 1 2 3 4 5 5 | 5"},  // back at the very end
        {open, 1, "pp", "1 | 1"},      // the cast's last line: the press finds nothing
        {open, 1, "pbp", "1 1 | 1"},   // back makes it pastable again
        {open, 1, "sp", "| 1"},        // skipped: a press pastes nothing
        {open, 1, "spr", "| 1"},       // and nothing was typed to repeat
        {open, 1, "pbbp", "1 1 | 1"},  // the line before B's is A's: back stays
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.m_Expected, Play(c.m_Rows, c.m_Cast, c.m_Keys)) << c.m_Cast << " " << c.m_Keys;
    }
    EXPECT_EQ("| 0", Play({}, 0, "sbrp"));
}
