// The standby strip's work on 10,000 serifs against the paste plan's: the
// strip's preview (the rows' cast ids gathered, the press's search, the
// remaining count) and its line, beside the cast ids and the plan of one
// press, which every press already computes. The strip is updated once a
// press and on each change, so its cost should stay of the order of the
// plan's.
#include <benchmark/benchmark.h>

#include "appcore/Standby.h"
#include "scenario/Script.h"

namespace
{

CScript MakeScript(int32_t count)
{
    CScript script;
    script.AddCast(CCast(0, "アリス"));
    script.AddCast(CCast(1, "ボブ"));
    script.AddCast(CCast(2, "キャロル"));
    for (int32_t i = 0; i < count; ++i)
        script.AddSerif(CSerif(i % 3, "こんにちは、今日はいい天気ですね。行" + std::to_string(i)));
    return script;
}

void BM_PastePlan(benchmark::State& state)
{
    const CScript script = MakeScript(static_cast<int32_t>(state.range(0)));
    CPasteSettings settings;
    int32_t cursor = 0;
    for (auto _ : state) {
        CPasteSequencer sequencer;
        const std::vector<int32_t> rows = CastIdsOfSerifs(script.GetSerifs());
        benchmark::DoNotOptimize(sequencer.PlanPaste(rows, cursor, 2, settings, 20));
        cursor = (cursor + 7) % script.GetSerifCount();
    }
}

void BM_StandbyUpdate(benchmark::State& state)
{
    const CScript script = MakeScript(static_cast<int32_t>(state.range(0)));
    const CPasteSequencer sequencer;
    int32_t cursor = 0;
    for (auto _ : state) {
        const std::vector<int32_t> rows = CastIdsOfSerifs(script.GetSerifs());
        const CStandby standby = PreviewNextPress(sequencer, rows, cursor, 2);
        benchmark::DoNotOptimize(StandbyLine(standby, script).Whole());
        cursor = (cursor + 7) % script.GetSerifCount();
    }
}

}  // namespace

BENCHMARK(BM_PastePlan)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_StandbyUpdate)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
