// The scenario file end to end: CScript::Load (file to model) and
// CScript::Save (model to file, flushed to the disk and renamed over the
// old file) for 10,000 and 100,000 serifs, beside the XML library alone on
// the same file: Tessel's parse of the text, and its writing of the tree.
// Prints the ratios end-to-end / library alone.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include <unistd.h>

#include "scenario/Script.h"
#include "tessel/Tessel.h"
// The same source builds against older trees (tools/bench-compare.sh), whose
// scenario held Shift_JIS bytes; today's holds UTF-8 and writes the same
// Shift_JIS file.
#if __has_include("text/CodePage932.h")
#include "text/CodePage932.h"
#define ROLECUE_UTF8_TEXT 1
#endif

namespace
{

// Deterministic generator (xorshift) so that every run sees the same input.
struct Random
{
    std::uint64_t state = 0x2545f4914f6cdd1dull;
    std::uint32_t Next()
    {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        return static_cast<std::uint32_t>(state >> 16);
    }
    std::uint32_t Below(std::uint32_t n) { return Next() % n; }
};

// Shift_JIS bytes of `count` characters: hiragana, katakana, kanji with the
// trail byte 0x5C, and now and then one of the five special characters.
std::string SjisText(Random& r, int count)
{
    static const char* const kanji[] = {"\x95\x5c", "\x94\x5c", "\x8e\xa6", "\x93\xfa", "\x96\x7b"};
    static const char special[] = "<>&\"'";
    std::string s;
    for (int i = 0; i < count; ++i) {
        const std::uint32_t k = r.Below(100);
        if (k < 45) {
            s += static_cast<char>(0x82);
            s += static_cast<char>(0x9f + r.Below(0x53));
        } else if (k < 70) {
            s += static_cast<char>(0x83);
            s += static_cast<char>(0x40 + r.Below(0x3f));
        } else if (k < 90) {
            s += kanji[r.Below(5)];
        } else if (k < 98) {
            s += static_cast<char>('a' + r.Below(26));
        } else {
            s += special[r.Below(5)];
        }
    }
    return s;
}

// A Shift_JIS text as the scenario holds it.
std::string Held(const std::string& sjis)
{
#ifdef ROLECUE_UTF8_TEXT
    std::string text;
    size_t bad = 0;
    if (!Cp932ToUtf8(sjis, text, bad))
        std::abort();
    return text;
#else
    return sjis;
#endif
}

CScript MakeScript(int serifs)
{
    Random r;
    CScript script;
    script.SetTitle(Held(SjisText(r, 12)));
    script.SetMemo(Held(SjisText(r, 20) + "\n" + SjisText(r, 20)));
    const int casts = 8;
    for (int c = 0; c < casts; ++c)
        script.AddCast(
            CCast(c, Held(SjisText(r, 3)), c % 3 == 0 ? Held(SjisText(r, 10)) : std::string()));
    for (int s = 0; s < serifs; ++s)
        script.AddSerif(CSerif(static_cast<int32_t>(r.Below(casts)),
                               Held(SjisText(r, 8 + static_cast<int>(r.Below(30)))),
                               r.Below(10) == 0 ? Held(SjisText(r, 6)) : std::string()));
    return script;
}

std::string Folder()
{
    static const std::string folder = [] {
        char pattern[] = "/tmp/rolecue-bench-XXXXXX";
        const char* made = mkdtemp(pattern);
        if (made == nullptr)
            std::abort();
        return std::string(made);
    }();
    return folder;
}

struct CInput
{
    CScript m_Script;
    std::string m_Path;   // the file as CScript::Save wrote it
    std::string m_Bytes;  // its bytes (CR LF)
    std::string m_Text;   // with line feeds, as the parser gets it
};

const CInput& GetInput(int serifs)
{
    static std::map<int, CInput> inputs;
    auto it = inputs.find(serifs);
    if (it == inputs.end()) {
        CInput in;
        in.m_Script = MakeScript(serifs);
        in.m_Path = Folder() + "/input-" + std::to_string(serifs) + ".xml";
        if (!in.m_Script.Save(in.m_Path))
            std::abort();
        std::FILE* file = std::fopen(in.m_Path.c_str(), "rb");
        char buffer[65536];
        std::size_t got;
        while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0)
            in.m_Bytes.append(buffer, got);
        std::fclose(file);
        in.m_Text = in.m_Bytes;
        Tessel::ReplaceAll(in.m_Text, "\r\n", "\n");
        it = inputs.emplace(serifs, std::move(in)).first;
    }
    return it->second;
}

void LoadScript(benchmark::State& state)
{
    const CInput& in = GetInput(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        CScript script;
        if (!script.Load(in.m_Path))
            state.SkipWithError("load failed");
        benchmark::DoNotOptimize(script.GetSerifCount());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * in.m_Bytes.size()));
}

void ParseTessel(benchmark::State& state)
{
    const CInput& in = GetInput(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        Tessel::DOM_Parser parser;
        parser.SetTrimWhitespace(true);
        std::unique_ptr<Tessel::Document> document(parser.Parse(std::string_view(in.m_Text)));
        benchmark::DoNotOptimize(document->GetChildCount());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * in.m_Bytes.size()));
}

void SaveScript(benchmark::State& state)
{
    const CInput& in = GetInput(static_cast<int>(state.range(0)));
    const std::string path = Folder() + "/saved-" + std::to_string(state.range(0)) + ".xml";
    for (auto _ : state) {
        if (!in.m_Script.Save(path))
            state.SkipWithError("save failed");
    }
    std::remove(path.c_str());
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * in.m_Bytes.size()));
}

void WriteTessel(benchmark::State& state)
{
    const CInput& in = GetInput(static_cast<int>(state.range(0)));
    Tessel::DOM_Parser parser;
    parser.SetTrimWhitespace(true);
    std::unique_ptr<Tessel::Document> document(parser.Parse(std::string_view(in.m_Text)));
    for (auto _ : state) {
        std::string text = document->ToString(true, 0);
        benchmark::DoNotOptimize(text.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * in.m_Bytes.size()));
}

// Keeps each benchmark's wall and CPU time per iteration for the table: the
// median when the runs are repeated (--benchmark_repetitions; with
// --benchmark_report_aggregates_only, as tools/bench.sh runs it, the single
// runs never reach the reporter), else the run itself. Keyed by the run name
// without the aggregate's suffix ("Load/CScript/10000/real_time").
class CRatioReporter : public benchmark::ConsoleReporter
{
public:
    std::map<std::string, double> m_Real;  // name -> wall ms per iteration
    std::map<std::string, double> m_Cpu;   // name -> CPU ms per iteration
    std::set<std::string> m_Seen;          // every name reported, failed ones too

    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            const std::string name = run.run_name.str();
            m_Seen.insert(name);
            if (run.error_occurred)
                continue;
            if (run.run_type == Run::RT_Aggregate) {
                if (run.aggregate_name != "median")
                    continue;
            } else if (m_Real.count(name) != 0 && run.repetitions > 1) {
                continue;  // the median follows
            }
            const double toMs = benchmark::GetTimeUnitMultiplier(benchmark::kMillisecond) /
                                benchmark::GetTimeUnitMultiplier(run.time_unit);
            m_Real[name] = run.GetAdjustedRealTime() * toMs;
            m_Cpu[name] = run.GetAdjustedCPUTime() * toMs;
        }
        ConsoleReporter::ReportRuns(runs);
    }
};

const int kSizes[] = {10000, 100000};

}  // namespace

int main(int argc, char** argv)
{
    struct CEntry
    {
        const char* m_Name;
        void (*m_Function)(benchmark::State&);
    };
    const CEntry entries[] = {
        {"Load/CScript", LoadScript},
        {"Parse/Tessel", ParseTessel},
        {"Save/CScript", SaveScript},
        {"Write/Tessel", WriteTessel},
    };
    for (int size : kSizes) {
        // The fingerprint tells whether two builds read the same file.
        std::uint64_t fingerprint = 14695981039346656037ull;
        for (unsigned char c : GetInput(size).m_Bytes)
            fingerprint = (fingerprint ^ c) * 1099511628211ull;
        std::printf("input: %d serifs, %zu bytes (CR LF), fingerprint %016llx\n", size,
                    GetInput(size).m_Bytes.size(), static_cast<unsigned long long>(fingerprint));
        for (const CEntry& e : entries)
            benchmark::RegisterBenchmark(e.m_Name, e.m_Function)
                ->Arg(size)
                ->Unit(benchmark::kMillisecond)
                ->UseRealTime();
    }
    benchmark::Initialize(&argc, argv);
    const std::string filter = benchmark::GetBenchmarkFilter();
    const bool filtered = !filter.empty() && filter != "." && filter != "all";
    CRatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);

    auto key = [](const std::string& name, int size) {
        return name + "/" + std::to_string(size) + "/real_time";
    };
    auto ms = [&](const std::map<std::string, double>& times, const std::string& name, int size) {
        auto it = times.find(key(name, size));
        return it == times.end() ? -1.0 : it->second;
    };
    // Wall time includes the disk (Save flushes the file to it); CPU time is
    // steadier on a busy machine.
    std::printf("\nEnd to end against the XML library alone (per document)\n");
    std::printf("%-8s %-32s %11s %11s %7s %11s %11s %7s\n", "serifs", "measure", "wall ms",
                "Tessel ms", "ratio", "CPU ms", "Tessel ms", "ratio");
    int printed = 0;
    std::vector<std::string> missing;
    for (int size : kSizes) {
        const struct
        {
            const char* m_Label;
            const char* m_Whole;
            const char* m_Library;
        } rows[] = {
            {"Load (file to model) / parse", "Load/CScript", "Parse/Tessel"},
            {"Save (model to disk) / ToString", "Save/CScript", "Write/Tessel"},
        };
        for (const auto& row : rows) {
            const double wholeReal = ms(reporter.m_Real, row.m_Whole, size);
            const double libReal = ms(reporter.m_Real, row.m_Library, size);
            const double wholeCpu = ms(reporter.m_Cpu, row.m_Whole, size);
            const double libCpu = ms(reporter.m_Cpu, row.m_Library, size);
            if (wholeReal <= 0 || libReal <= 0 || wholeCpu <= 0 || libCpu <= 0) {
                // A row whose two benchmarks both ran is owed; one that
                // --benchmark_filter left half out is not.
                if (reporter.m_Seen.count(key(row.m_Whole, size)) != 0 &&
                    reporter.m_Seen.count(key(row.m_Library, size)) != 0)
                    missing.push_back(std::to_string(size) + " " + row.m_Label);
                continue;
            }
            std::printf("%-8d %-32s %11.2f %11.2f %7.2f %11.2f %11.2f %7.2f\n", size, row.m_Label,
                        wholeReal, libReal, wholeReal / libReal, wholeCpu, libCpu,
                        wholeCpu / libCpu);
            ++printed;
        }
    }
    std::fflush(stdout);  // the messages below come after the table
    int result = 0;
    for (const std::string& row : missing) {
        std::fprintf(stderr,
                     "bench_ScenarioBench: no timings for the row '%s' (a run failed or "
                     "was not recorded)\n",
                     row.c_str());
        result = 1;
    }
    if (printed == 0 && (result != 0 || !filtered)) {
        std::fprintf(stderr, "bench_ScenarioBench: the end-to-end table is empty\n");
        result = 1;
    } else if (printed == 0) {
        std::printf("(no rows: --benchmark_filter left out one side of every row)\n");
    }
    for (int size : kSizes)
        std::remove(GetInput(size).m_Path.c_str());
    rmdir(Folder().c_str());
    benchmark::Shutdown();
    return result;
}
