// Tessel against tinyxml2 and pugixml on scenario-shaped documents: Shift_JIS
// texts, CR LF line ends, tab indentation, 1,000 / 10,000 / 100,000 serifs.
// Measures, in one run, parse-to-tree (and free) of each library, and the
// writing of the same tree, then prints the ratios Tessel / other.
//
// Tessel is measured on the program's own path: the file's CR LF become line
// feeds first (what the text-mode stream does on Windows), then DOM_Parser
// with trimming on. The other two get the CR LF bytes directly, with their
// default options.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <pugixml.hpp>
#include <tinyxml2.h>

#include "tessel/Tessel.h"

namespace
{

// Deterministic generator (xorshift) so that every run sees the same input.
struct Random
{
    std::uint64_t state = 0x9e3779b97f4a7c15ull;
    std::uint32_t Next()
    {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        return static_cast<std::uint32_t>(state >> 16);
    }
    std::uint32_t Below(std::uint32_t n) { return Next() % n; }
};

// Shift_JIS text of count characters: hiragana, katakana (trail bytes in
// 0x40..0x7E), a few kanji with trail byte 0x5C, punctuation, and now and
// then an escaped ASCII character as the scenario writer stores it.
std::string SjisText(Random& r, int count)
{
    static const char* const kanji[] = {"\x95\x5c", "\x94\x5c", "\x8e\xa6", "\x8d\x73", "\x93\xfa",
                                        "\x96\x7b", "\x8c\xea", "\x89\xef", "\x98\x62"};
    std::string s;
    for (int i = 0; i < count; ++i) {
        std::uint32_t k = r.Below(100);
        if (k < 45) {
            s += static_cast<char>(0x82);
            s += static_cast<char>(0x9f + r.Below(0x53));
        } else if (k < 70) {
            s += static_cast<char>(0x83);
            s += static_cast<char>(0x40 + r.Below(0x3f));
        } else if (k < 88) {
            s += kanji[r.Below(sizeof kanji / sizeof kanji[0])];
        } else if (k < 95) {
            s += "\x81\x41";  // ideographic comma
        } else if (k < 98) {
            s += static_cast<char>('a' + r.Below(26));
        } else {
            s += r.Below(2) ? "&amp;" : "&lt;";
        }
    }
    return s;
}

void Value(std::string& out, const char* tag, const std::string& value, int depth)
{
    std::string indent(static_cast<std::size_t>(depth), '\t');
    out += indent + "<" + tag + ">\r\n" + indent + "\t" + value + "\r\n" + indent + "</" + tag +
           ">\r\n";
}

// The text of a scenario file as CScript::Save writes it on Windows.
std::string ScenarioFile(int serifs)
{
    Random r;
    std::string out =
        "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n<script version=\"1.0\">\r\n";
    Value(out, "title", SjisText(r, 12), 1);
    Value(out, "memo", SjisText(r, 30), 1);
    const int casts = 8;
    for (int c = 0; c < casts; ++c) {
        out += "\t<cast>\r\n";
        Value(out, "cast_id", std::to_string(c), 2);
        Value(out, "name", SjisText(r, 3), 2);
        Value(out, "memo", c % 3 == 0 ? SjisText(r, 10) : std::string(), 2);
        out += "\t</cast>\r\n";
    }
    for (int s = 0; s < serifs; ++s) {
        out += "\t<serif>\r\n";
        Value(out, "cast_id", std::to_string(static_cast<int>(r.Below(casts))), 2);
        Value(out, "serif", SjisText(r, 8 + static_cast<int>(r.Below(30))), 2);
        Value(out, "memo", r.Below(10) == 0 ? SjisText(r, 6) : std::string(), 2);
        out += "\t</serif>\r\n";
    }
    out += "</script>\r\n";
    return out;
}

struct Input
{
    std::string crlf;  // the file's bytes
    std::string lf;    // after text-mode reading
};

const Input& GetInput(int serifs)
{
    static std::map<int, Input> inputs;
    auto it = inputs.find(serifs);
    if (it == inputs.end()) {
        Input in;
        in.crlf = ScenarioFile(serifs);
        in.lf = in.crlf;
        Tessel::ReplaceAll(in.lf, "\r\n", "\n");
        it = inputs.emplace(serifs, std::move(in)).first;
    }
    return it->second;
}

// Counts the serif elements, so every library's tree is walked the same way
// after parsing and the parse cannot be optimised away.
std::size_t CountSerifs(const Tessel::Document& doc)
{
    std::size_t n = 0;
    for (Tessel::Node* child : doc.GetRootElement()) {
        if (const Tessel::Element* e = child->AsElement())
            n += e->GetNameRef() == "serif";
    }
    return n;
}

void ParseTessel(benchmark::State& state)
{
    const Input& in = GetInput(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        std::string text = in.crlf;
        Tessel::ReplaceAll(text, "\r\n", "\n");
        Tessel::DOM_Parser parser;
        parser.SetTrimWhitespace(true);
        std::unique_ptr<Tessel::Document> doc(parser.Parse(std::string_view(text)));
        benchmark::DoNotOptimize(CountSerifs(*doc));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * in.crlf.size()));
}

void ParseTesselLF(benchmark::State& state)
{
    const Input& in = GetInput(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        Tessel::DOM_Parser parser;
        parser.SetTrimWhitespace(true);
        std::unique_ptr<Tessel::Document> doc(parser.Parse(std::string_view(in.lf)));
        benchmark::DoNotOptimize(CountSerifs(*doc));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * in.lf.size()));
}

void ParseTesselStream(benchmark::State& state)
{
    const Input& in = GetInput(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        std::istringstream stream(in.lf);
        Tessel::DOM_Parser parser;
        parser.SetTrimWhitespace(true);
        std::unique_ptr<Tessel::Document> doc(parser.Parse(stream));
        benchmark::DoNotOptimize(CountSerifs(*doc));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * in.lf.size()));
}

void ParseTinyXML2(benchmark::State& state)
{
    const Input& in = GetInput(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        tinyxml2::XMLDocument doc;
        if (doc.Parse(in.crlf.data(), in.crlf.size()) != tinyxml2::XML_SUCCESS)
            state.SkipWithError("tinyxml2");
        std::size_t n = 0;
        for (auto* e = doc.RootElement()->FirstChildElement("serif"); e;
             e = e->NextSiblingElement("serif"))
            ++n;
        benchmark::DoNotOptimize(n);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * in.crlf.size()));
}

void ParsePugixml(benchmark::State& state)
{
    const Input& in = GetInput(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        pugi::xml_document doc;
        if (!doc.load_buffer(in.crlf.data(), in.crlf.size()))
            state.SkipWithError("pugixml");
        std::size_t n = 0;
        for (auto e : doc.document_element().children("serif")) {
            (void)e;
            ++n;
        }
        benchmark::DoNotOptimize(n);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * in.crlf.size()));
}

void WriteTessel(benchmark::State& state)
{
    const Input& in = GetInput(static_cast<int>(state.range(0)));
    Tessel::DOM_Parser parser;
    parser.SetTrimWhitespace(true);
    std::unique_ptr<Tessel::Document> doc(parser.Parse(std::string_view(in.lf)));
    std::size_t size = 0;
    for (auto _ : state) {
        std::string text = doc->ToString(true, 0);
        size = text.size();
        benchmark::DoNotOptimize(text.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
}

void WriteTinyXML2(benchmark::State& state)
{
    const Input& in = GetInput(static_cast<int>(state.range(0)));
    tinyxml2::XMLDocument doc;
    doc.Parse(in.crlf.data(), in.crlf.size());
    std::size_t size = 0;
    for (auto _ : state) {
        tinyxml2::XMLPrinter printer;
        doc.Print(&printer);
        size = static_cast<std::size_t>(printer.CStrSize());
        benchmark::DoNotOptimize(printer.CStr());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
}

struct StringWriter : pugi::xml_writer
{
    std::string text;
    void write(const void* data, std::size_t size) override
    {
        text.append(static_cast<const char*>(data), size);
    }
};

void WritePugixml(benchmark::State& state)
{
    const Input& in = GetInput(static_cast<int>(state.range(0)));
    pugi::xml_document doc;
    doc.load_buffer(in.crlf.data(), in.crlf.size());
    std::size_t size = 0;
    for (auto _ : state) {
        StringWriter writer;
        doc.save(writer, "\t");
        size = writer.text.size();
        benchmark::DoNotOptimize(writer.text.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
}

// Keeps each benchmark's CPU time per iteration for the ratio table: the
// median when the runs are repeated (--benchmark_repetitions), else the run.
class RatioReporter : public benchmark::ConsoleReporter
{
public:
    std::map<std::string, double> times;  // name -> ms per iteration
    std::set<std::string> seen;           // every name reported, failed ones too
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            seen.insert(run.run_name.str());
            if (run.error_occurred)
                continue;
            double ms = run.GetAdjustedCPUTime() *
                        benchmark::GetTimeUnitMultiplier(benchmark::kMillisecond) /
                        benchmark::GetTimeUnitMultiplier(run.time_unit);
            std::string name = run.run_name.str();
            if (run.run_type == Run::RT_Aggregate) {
                if (run.aggregate_name == "median")
                    times[name] = ms;
            } else if (!times.count(name) || run.repetitions <= 1) {
                times[name] = ms;
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }
};

const int kSizes[] = {1000, 10000, 100000};

}  // namespace

int main(int argc, char** argv)
{
    struct Entry
    {
        const char* name;
        void (*function)(benchmark::State&);
    };
    const Entry entries[] = {
        {"Parse/Tessel", ParseTessel},
        {"Parse/TesselLF", ParseTesselLF},
        {"Parse/TesselStream", ParseTesselStream},
        {"Parse/TinyXML2", ParseTinyXML2},
        {"Parse/Pugixml", ParsePugixml},
        {"Write/Tessel", WriteTessel},
        {"Write/TinyXML2", WriteTinyXML2},
        {"Write/Pugixml", WritePugixml},
    };
    for (int size : kSizes) {
        std::printf("input: %d serifs, %zu bytes (CR LF)\n", size, GetInput(size).crlf.size());
        for (const Entry& e : entries) {
            benchmark::RegisterBenchmark(e.name, e.function)
                ->Arg(size)
                ->Unit(benchmark::kMillisecond);
        }
    }
    benchmark::Initialize(&argc, argv);
    const std::string filter = benchmark::GetBenchmarkFilter();
    const bool filtered = !filter.empty() && filter != "." && filter != "all";
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);

    auto ms = [&](const std::string& name, int size) {
        auto it = reporter.times.find(name + "/" + std::to_string(size));
        return it == reporter.times.end() ? -1.0 : it->second;
    };
    std::printf("\nRatios (CPU time per document, median of the repetitions; Tessel / other,\n"
                "below 1.0 Tessel is faster)\n");
    std::printf("%-8s %-20s %10s %10s %10s %14s %14s\n", "serifs", "measure", "Tessel ms",
                "tinyxml2", "pugixml", "Tessel/tinyxml2", "Tessel/pugixml");
    int printed = 0;
    std::vector<std::string> missing;
    for (int size : kSizes) {
        const struct
        {
            const char* label;
            const char* tessel;
            const char* tiny;
            const char* pugi;
        } rows[] = {
            {"parse (CR LF -> LF)", "Parse/Tessel", "Parse/TinyXML2", "Parse/Pugixml"},
            {"parse (LF text)", "Parse/TesselLF", "Parse/TinyXML2", "Parse/Pugixml"},
            {"parse (stream)", "Parse/TesselStream", "Parse/TinyXML2", "Parse/Pugixml"},
            {"write", "Write/Tessel", "Write/TinyXML2", "Write/Pugixml"},
        };
        for (const auto& row : rows) {
            double t = ms(row.tessel, size), x = ms(row.tiny, size), p = ms(row.pugi, size);
            if (t < 0 || x < 0 || p < 0) {
                // Owed when all three ran; not when --benchmark_filter left one out.
                const std::string suffix = "/" + std::to_string(size);
                if (reporter.seen.count(row.tessel + suffix) &&
                    reporter.seen.count(row.tiny + suffix) &&
                    reporter.seen.count(row.pugi + suffix))
                    missing.push_back(std::to_string(size) + " " + row.label);
                continue;
            }
            std::printf("%-8d %-20s %10.3f %10.3f %10.3f %14.2f %14.2f\n", size, row.label, t, x, p,
                        t / x, t / p);
            ++printed;
        }
    }
    std::fflush(stdout);  // the messages below come after the table
    int result = 0;
    for (const std::string& row : missing) {
        std::fprintf(
            stderr,
            "bench_TesselBench: no timings for the row '%s' (a run failed or was not recorded)\n",
            row.c_str());
        result = 1;
    }
    if (printed == 0 && (result != 0 || !filtered)) {
        std::fprintf(stderr, "bench_TesselBench: the ratio table is empty\n");
        result = 1;
    } else if (printed == 0) {
        std::printf("(no rows: --benchmark_filter left out part of every row)\n");
    }
    benchmark::Shutdown();
    return result;
}
