// What the settings-file benchmarks share: a temporary folder for their files, the large tape file
// they load and save (500 items with 50 recent trades each, as such a tape leaves it), and a
// console reporter that keeps each benchmark's time for the ratios printed at the end.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "tape/ini_object.h"
#include "tape/ticker_tape.h"
#include "toolkit/clock.h"
#include "toolkit/program_values.h"
#include "toolkit/text.h"

namespace vc::bench {

inline constexpr int kBigTapeItems = 500;
inline constexpr int kTradesPerItem = 50;

// A fresh folder below the system's temporary folder, removed with everything in it at the end.
class tBenchFolder {
public:
    tBenchFolder() {
        std::string folder = (std::filesystem::temp_directory_path() / "velocrest-bench-XXXXXX").string();
        if (mkdtemp(folder.data()) != nullptr) {
            path_ = folder;
        }
    }
    ~tBenchFolder() {
        if (!path_.empty()) {
            std::error_code ec;
            std::filesystem::remove_all(path_, ec);
        }
    }
    tBenchFolder(const tBenchFolder&) = delete;
    tBenchFolder& operator=(const tBenchFolder&) = delete;

    // Empty when no folder could be made.
    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

inline std::string BigTapeSymbol(int i) {
    return "SYM" + std::to_string(i) + ".AS";
}

// The big tape's items, with alert thresholds and prices but no recent trades.
inline void FillBigTape(tTickerTape& tape) {
    for (int i = 0; i < kBigTapeItems; ++i) {
        tTickerItem* item = tape.AddSymbol(BigTapeSymbol(i), "Company number " + std::to_string(i) + " N.V.");
        item->AlertUp = std::to_string(40 + i);
        item->AlertDown = "5.25";
        item->Close = 10 + i * 0.37;
        item->Prev = item->Close - 0.1;
    }
}

// Writes the big tape, every item with its full list of recent trades, to path as the tape saves it.
inline void WriteBigTapeFile(const std::string& path) {
    const tSystemClock clock;
    tProgramValues values;
    values.Clock = &clock;
    tTickerTape tape(values);
    FillBigTape(tape);
    for (int i = 0; i < kBigTapeItems; ++i) {
        tTickerItem& item = tape.ItemAt(i);
        for (int trade = 0; trade < kTradesPerItem; ++trade) {
            item.RecentTrades.push_back("15/03/2024|" + std::to_string(10 + trade / 6) + ":" +
                                        std::to_string(10 + trade % 6 * 9) + ":00|" + NumberText(item.Close) +
                                        "|" + NumberText(item.Close + 1) + "|" + NumberText(item.Close - 1) +
                                        "|" + NumberText(item.Close + trade * 0.01) + "|" +
                                        std::to_string(1000 * trade));
        }
    }
    tIniObject ini(path);
    tape.SaveSettings(ini);
}

// Keeps each benchmark's real time per round, in the benchmark's unit, for the summary.
class tRecorder : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> Times;

    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration && !run.error_occurred) {
                Times[run.benchmark_name()] = run.GetAdjustedRealTime();
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }

    // Both times when both ran and the baseline took any time at all.
    bool Pair(const std::string& ours, const std::string& baseline, double& oursTime,
              double& baselineTime) const {
        const auto a = Times.find(ours);
        const auto b = Times.find(baseline);
        if (a == Times.end() || b == Times.end() || b->second <= 0) {
            return false;
        }
        oursTime = a->second;
        baselineTime = b->second;
        return true;
    }
};

} // namespace vc::bench
