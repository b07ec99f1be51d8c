// Undo and redo against a model: random scenarios edited by random commands
// of random operations, with undos, redos and saves in between. The model
// keeps a copy of the scenario after every step, the history only what
// changed; they must agree at every step.
#include "scenario/Script.h"
#include "scenario/ScriptHistory.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace
{

std::string Describe(const CScript& script)
{
    std::string text =
        script.GetTitle() + "|" + script.GetMemo() + "|" + script.GetDirectionFormat() + "|";
    for (const CCast& cast : script.GetCasts())
        text += std::to_string(cast.m_Id) + ":" + cast.m_Name + ":" + cast.m_Memo + ":" +
                cast.m_Format + ",";
    text += "|";
    for (const CSerif& serif : script.GetSerifs())
        text += std::to_string(serif.m_CastId) + ":" + serif.m_Text + ":" + serif.m_Memo + ",";
    return text;
}

class CRandomEdits
{
public:
    explicit CRandomEdits(uint32_t seed) : m_Random(seed) {}

    int Pick(int below) { return std::uniform_int_distribution<int>(0, below - 1)(m_Random); }

    std::string Text()
    {
        static const char* const kParts[] = {"a",      "♡", "😊",
                                             "セリフ", "",  "long text over sixteen bytes"};
        std::string text;
        for (int i = Pick(3); i > 0; --i)
            text += kParts[Pick(6)];
        return text;
    }
    CSerif Serif() { return CSerif(Pick(6) - 1, Text(), Pick(4) == 0 ? Text() : std::string()); }

    CScript Scenario()
    {
        CScript script;
        script.SetTitle(Text());
        for (int i = Pick(5); i > 0; --i)
            script.AddCast(CCast(i, Text()));
        for (int i = Pick(30); i > 0; --i)
            script.AddSerif(Serif());
        return script;
    }

    // One operation of the scenario, at a random place.
    void Operate(CScript& script)
    {
        const int32_t count = script.GetSerifCount();
        switch (Pick(12)) {
        case 0:
            script.AddSerif(Serif());
            break;
        case 1:
            script.InsertSerif(Pick(count + 1), Serif());
            break;
        case 2: {
            std::vector<CSerif> serifs;
            for (int i = Pick(4); i > 0; --i)
                serifs.push_back(Serif());
            script.InsertSerifs(Pick(count + 1), serifs);
            break;
        }
        case 3:
            if (count > 0) {
                const int32_t row = Pick(count);
                // Now and then the same serif again, which changes nothing.
                script.SetSerif(row, Pick(3) == 0 ? CSerif(script.GetSerif(row)) : Serif());
            }
            break;
        case 4:
            script.EraseSerif(count > 0 ? Pick(count) : 0);
            break;
        case 5:
            script.ExchangeSerifs(Pick(count + 1));
            break;
        case 6:
            script.AddCast(CCast(CScript::NextCastId(script.GetCasts()), Text()));
            break;
        case 7: {
            std::vector<CCast> casts = script.GetCasts();
            if (!casts.empty() && Pick(2) == 0)
                casts[static_cast<size_t>(Pick(static_cast<int>(casts.size())))].m_Name = Text();
            else if (!casts.empty() && Pick(2) == 0)
                casts[static_cast<size_t>(Pick(static_cast<int>(casts.size())))].m_Format = Text();
            else if (!casts.empty())
                casts.erase(casts.begin() + Pick(static_cast<int>(casts.size())));
            script.ReplaceCasts(casts);
            break;
        }
        case 8:
            script.RemoveSerifsOfCasts({Pick(6) - 1, Pick(6) - 1});
            break;
        case 9:
            script.SetTitle(Pick(2) == 0 ? script.GetTitle() : Text());
            break;
        case 10:
            if (Pick(2) == 0)
                script.SetMemo(Text());
            else
                script.SetDirectionFormat(Text());
            break;
        case 11:
            if (Pick(8) == 0)
                script.Clear();
            break;
        }
    }

private:
    std::mt19937 m_Random;
};

// What the history should hold: the scenario after each step, the step
// the scenario is at, the oldest step still held and the saved one.
struct CModel
{
    std::vector<std::string> m_States;
    size_t m_At = 0;
    long m_Saved = 0;  // -1: no state is the saved one
};

TEST(ScriptHistory, UndoAndRedoFollowAModelOverRandomCommands)
{
    for (uint32_t seed = 1; seed <= 2000; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        CRandomEdits edits(seed);
        CScript script = edits.Scenario();
        // Small bounds now and then, so that the oldest steps go.
        const size_t maxSteps = seed % 3 == 0 ? 1 + seed % 7 : CScriptHistory::kDefaultMaxSteps;
        const size_t maxBytes = seed % 5 == 0 ? 2000 : CScriptHistory::kDefaultMaxBytes;
        CScriptHistory history(maxSteps, maxBytes);
        history.Clear(script);
        CModel model;
        model.m_States.push_back(Describe(script));

        for (int command = 0; command < 40; ++command) {
            const int action = edits.Pick(10);
            if (action < 6) {
                const std::string before = Describe(script);
                history.Begin(script, "step");
                for (int i = edits.Pick(3) + 1; i > 0; --i)
                    edits.Operate(script);
                const std::string after = Describe(script);
                const bool added = history.End(script);
                // Operations that cancel out still make a step.
                ASSERT_TRUE(added || before == after);
                if (!added)
                    continue;
                // Undo gives the state before, redo the state after (unless
                // the step alone was over the memory bound, and went).
                if (history.CanUndo()) {
                    ASSERT_NE(history.Undo(script), nullptr);
                    ASSERT_EQ(Describe(script), before);
                    ASSERT_NE(history.Redo(script), nullptr);
                    ASSERT_EQ(Describe(script), after);
                }

                model.m_States.resize(model.m_At + 1);  // the redo steps go
                if (model.m_Saved > static_cast<long>(model.m_At))
                    model.m_Saved = -1;
                model.m_States.push_back(after);
                ++model.m_At;
                ASSERT_LE(history.GetStepCount(), maxSteps);
                ASSERT_LE(history.GetBytes(), maxBytes);
                ASSERT_FALSE(history.CanRedo());
            } else if (action < 8) {
                const bool could = history.CanUndo();
                ASSERT_EQ(history.Undo(script) != nullptr, could);
                if (could)
                    --model.m_At;
            } else if (action < 9) {
                const bool could = history.CanRedo();
                ASSERT_EQ(history.Redo(script) != nullptr, could);
                if (could)
                    ++model.m_At;
            } else {
                history.MarkSaved();
                model.m_Saved = static_cast<long>(model.m_At);
            }
            ASSERT_EQ(Describe(script), model.m_States[model.m_At]);
            ASSERT_EQ(history.IsAtSavePoint(), model.m_Saved == static_cast<long>(model.m_At));
            // Only the newest steps are kept: the oldest reachable is a
            // state of the model's, and the kept steps end at the newest.
            ASSERT_LE(history.GetUndoCount(), model.m_At);
            ASSERT_EQ(history.GetStepCount() - history.GetUndoCount(),
                      model.m_States.size() - 1 - model.m_At);
        }

        // Undoing all gives the oldest state kept, redoing all the newest.
        const size_t oldest = model.m_At - history.GetUndoCount();
        while (history.Undo(script) != nullptr) {
        }
        ASSERT_EQ(Describe(script), model.m_States[oldest]);
        if (maxSteps == CScriptHistory::kDefaultMaxSteps &&
            maxBytes == CScriptHistory::kDefaultMaxBytes) {
            ASSERT_EQ(oldest, 0u);
        }
        while (history.Redo(script) != nullptr) {
        }
        ASSERT_EQ(Describe(script), model.m_States.back());
    }
}

TEST(ScriptHistory, ClearForgetsTheStepsAndSavesTheStateNow)
{
    CScript script;
    CScriptHistory history;
    history.Clear(script);
    history.Begin(script, "セリフ追加");
    history.Begin(script, "inner joins the outer");
    script.AddSerif(CSerif(0, "a"));
    EXPECT_FALSE(history.End(script));
    EXPECT_TRUE(history.End(script));
    ASSERT_NE(history.NextUndo(), nullptr);
    EXPECT_EQ(history.NextUndo()->m_Name, "セリフ追加");
    EXPECT_FALSE(history.IsAtSavePoint());
    EXPECT_FALSE(script.IsRecording());

    history.Clear(script);
    EXPECT_FALSE(history.CanUndo());
    EXPECT_TRUE(history.IsAtSavePoint());
    history.ForgetSavePoint();
    EXPECT_FALSE(history.IsAtSavePoint());

    // A copy of a recorded scenario does not record into its change.
    history.Begin(script, "copy");
    CScript copy = script;
    copy.AddSerif(CSerif(0, "b"));
    EXPECT_FALSE(history.End(script));

    // A change made outside a step: the steps no longer fit the rows and
    // are dropped, not applied.
    history.Begin(script, "セリフ削除");
    script.EraseSerif(0);
    EXPECT_TRUE(history.End(script));
    script.AddSerif(CSerif(1, "unrecorded"));
    EXPECT_EQ(history.Undo(script), nullptr);
    EXPECT_FALSE(history.CanUndo());
    ASSERT_EQ(script.GetSerifCount(), 1);
    EXPECT_EQ(script.GetSerif(0).m_Text, "unrecorded");
}

}  // namespace
