// Undo of a replace all over 100,000 serifs: how long the replace takes with
// and without the recording, how long its undo and redo take, and what the
// step holds (the "held MB" counter) against the scenario's own size.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "appcore/TextSearch.h"
#include "scenario/Script.h"
#include "scenario/ScriptHistory.h"

namespace
{

class CNoQuestion : public IReplaceConfirm
{
public:
    bool ConfirmReplace(int32_t, ESearchColumn) override { return true; }
};

// 100,000 serifs of Japanese text, every one holding the word replaced.
const CScript& Scenario()
{
    static const CScript script = [] {
        CScript made;
        made.AddCast(CCast(0, "店主"));
        made.AddCast(CCast(1, "衛兵"));
        for (int i = 0; i < 100000; ++i)
            made.AddSerif(CSerif(
                i % 2, "いらっしゃい、旅の方。今日は" + std::to_string(i) + "番目のお客さんだ♡",
                i % 10 == 0 ? "メモ" : ""));
        return made;
    }();
    return script;
}

size_t ScenarioBytes(const CScript& script)
{
    size_t bytes = 0;
    for (const CSerif& serif : script.GetSerifs())
        bytes += sizeof(CSerif) + serif.m_Text.capacity() + serif.m_Memo.capacity();
    return bytes;
}

void ReplaceAll(CScript& script)
{
    CTextSearch search;
    CNoQuestion confirm;
    search.ReplaceNext(script, "旅の方", "冒険者さん", 0, EReplaceAction::ReplaceAll, confirm);
}

void ReplaceAllPlain(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        CScript script = Scenario();
        state.ResumeTiming();
        ReplaceAll(script);
        benchmark::DoNotOptimize(script.GetSerifCount());
    }
}

void ReplaceAllRecorded(benchmark::State& state)
{
    size_t held = 0;
    for (auto _ : state) {
        state.PauseTiming();
        CScript script = Scenario();
        CScriptHistory history;
        history.Clear(script);
        state.ResumeTiming();
        history.Begin(script, "すべて置換");
        ReplaceAll(script);
        history.End(script);
        held = history.GetBytes();
    }
    state.counters["held MB"] = static_cast<double>(held) / (1024.0 * 1024.0);
    state.counters["scenario MB"] =
        static_cast<double>(ScenarioBytes(Scenario())) / (1024.0 * 1024.0);
}

void UndoReplaceAll(benchmark::State& state)
{
    CScript script = Scenario();
    CScriptHistory history;
    history.Clear(script);
    history.Begin(script, "すべて置換");
    ReplaceAll(script);
    history.End(script);
    const bool redo = state.range(0) != 0;
    for (auto _ : state) {
        // Each iteration times one way; the way back is untimed.
        if (redo) {
            state.PauseTiming();
            history.Undo(script);
            state.ResumeTiming();
            history.Redo(script);
        } else {
            history.Undo(script);
            state.PauseTiming();
            history.Redo(script);
            state.ResumeTiming();
        }
    }
    if (history.NextUndo() == nullptr ||
        script.GetSerif(0).m_Text.find("冒険者") == std::string::npos)
        state.SkipWithError("the step did not come back");
}

}  // namespace

BENCHMARK(ReplaceAllPlain)->Name("ReplaceAll/100000/plain")->Unit(benchmark::kMillisecond);
BENCHMARK(ReplaceAllRecorded)->Name("ReplaceAll/100000/recorded")->Unit(benchmark::kMillisecond);
BENCHMARK(UndoReplaceAll)->Name("ReplaceAll/100000/undo")->Arg(0)->Unit(benchmark::kMillisecond);
BENCHMARK(UndoReplaceAll)->Name("ReplaceAll/100000/redo")->Arg(1)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
