// The tape's two heavy jobs against plain baselines measured in the same run:
// - merging one refresh cycle's worth of quotes (500 lines) into a 500-item tape, against copying
//   the same lines and splitting out the fields the merge reads;
// - loading and saving a 500-item tape whose items carry full price lists (50 entries each),
//   against reading and atomically writing the same file bytes.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "bench_support.h"
#include "tape/ticker_tape.h"
#include "toolkit/atomic_file.h"
#include "toolkit/clock.h"
#include "toolkit/dates.h"
#include "toolkit/text.h"

namespace {

using vc::bench::BigTapeSymbol;
using vc::bench::FillBigTape;
constexpr int kItems = vc::bench::kBigTapeItems;

std::string gFolder;
vc::tSystemClock gClock;

// Two rounds of quotes that differ in every price, so every merge changes every item.
std::vector<std::string> QuoteLines(int round) {
    std::vector<std::string> lines;
    for (int i = 0; i < kItems; ++i) {
        const double close = 10 + i * 0.37 + (round % 2 == 0 ? 0.01 : 0.02);
        lines.push_back("YAHTICK|" + BigTapeSymbol(i) + "|15/03/2024|14:30|" + vc::NumberText(close - 0.2) +
                        "|" + vc::NumberText(close + 0.5) + "|" + vc::NumberText(close - 0.6) + "|" +
                        vc::NumberText(close) + "|" + std::to_string(100000 + i + round % 2) + "|x|y|" +
                        vc::NumberText(close - 0.1));
    }
    return lines;
}

void BM_MergeQuotes(benchmark::State& state) {
    vc::tProgramValues values;
    values.Clock = &gClock;
    vc::tTickerTape tape(values);
    FillBigTape(tape);
    const std::vector<std::string> rounds[2] = {QuoteLines(0), QuoteLines(1)};
    int round = 0;
    for (auto _ : state) {
        std::vector<std::string> lines = rounds[round++ % 2];
        tape.MergeQuotes(lines);
        if (lines.size() != kItems) {
            state.SkipWithError("a merge changed fewer items than it should");
            break;
        }
        benchmark::DoNotOptimize(lines.data());
    }
}

void BM_MergeBaseline_CopyAndSplit(benchmark::State& state) {
    const std::vector<std::string> rounds[2] = {QuoteLines(0), QuoteLines(1)};
    int round = 0;
    for (auto _ : state) {
        std::vector<std::string> lines = rounds[round++ % 2];
        double sum = 0;
        for (const std::string& line : lines) {
            benchmark::DoNotOptimize(vc::Field(line, 2));
            benchmark::DoNotOptimize(vc::Field(line, 3));
            for (const int field : {5, 6, 7, 8, 9, 12}) {
                sum += vc::ToNumber(vc::Field(line, field));
            }
        }
        benchmark::DoNotOptimize(sum);
    }
}

std::string SettingsPath() {
    return gFolder + "/Velocrest.INI";
}

void BM_LoadAndSaveSettings(benchmark::State& state) {
    vc::tProgramValues values;
    values.Clock = &gClock;
    values.ProgramDir = gFolder + "/";
    values.SettingsFileName = SettingsPath();
    const std::string out = gFolder + "/Saved.INI";
    for (auto _ : state) {
        vc::tTickerTape tape(values);
        tape.LoadSettings();
        if (tape.ItemCount() != kItems) {
            state.SkipWithError("the tape did not load whole");
            break;
        }
        vc::tIniObject ini(out);
        tape.SaveSettings(ini);
        benchmark::DoNotOptimize(ini.Save());
    }
}

// The load alone, to tell its share from the save's.
void BM_LoadSettingsOnly(benchmark::State& state) {
    vc::tProgramValues values;
    values.Clock = &gClock;
    values.ProgramDir = gFolder + "/";
    values.SettingsFileName = SettingsPath();
    for (auto _ : state) {
        vc::tTickerTape tape(values);
        tape.LoadSettings();
        benchmark::DoNotOptimize(tape.ItemCount());
    }
}

void BM_FileBaseline_ReadAndWrite(benchmark::State& state) {
    const std::string out = gFolder + "/Copy.INI";
    for (auto _ : state) {
        std::string bytes;
        vc::ReadFileLimited(SettingsPath(), std::size_t{64} << 20, bytes);
        benchmark::DoNotOptimize(vc::WriteFileAtomically(out, bytes));
    }
}

BENCHMARK(BM_MergeQuotes)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MergeBaseline_CopyAndSplit)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LoadAndSaveSettings)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadSettingsOnly)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FileBaseline_ReadAndWrite)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    const vc::bench::tBenchFolder folder;
    if (folder.Path().empty()) {
        return 1;
    }
    gFolder = folder.Path();
    vc::bench::WriteBigTapeFile(SettingsPath());
    std::printf("settings file: %ju bytes\n",
                static_cast<std::uintmax_t>(std::filesystem::file_size(SettingsPath())));

    benchmark::Initialize(&argc, argv);
    vc::bench::tRecorder recorder;
    benchmark::RunSpecifiedBenchmarks(&recorder);

    const auto ratio = [&](const char* title, const char* ours, const char* baseline, const char* unit,
                           double goal) {
        double a = 0;
        double b = 0;
        if (recorder.Pair(ours, baseline, a, b)) {
            std::printf("%-24s %9.3f %s  baseline %9.3f %s  ratio %6.2f  (goal under %g %s)\n", title, a,
                        unit, b, unit, a / b, goal, unit);
        }
    };
    ratio("merge 500 quotes", "BM_MergeQuotes", "BM_MergeBaseline_CopyAndSplit", "us", 1000);
    ratio("load + save 500 items", "BM_LoadAndSaveSettings", "BM_FileBaseline_ReadAndWrite", "ms", 40);
    ratio("load alone", "BM_LoadSettingsOnly", "BM_FileBaseline_ReadAndWrite", "ms", 40);
    return 0;
}
