#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "support/fake_clock.h"
#include "tape/refresh_cycle.h"
#include "tape/ticker_tape_refresh.h"
#include "tape_test_support.h"
#include "toolkit/dates.h"

namespace vc {
namespace {

using Lines = std::vector<std::string>;

constexpr double kSecond = 1.0 / 86400;
const double kStart = EncodeDate(2024, 3, 15) + EncodeTime(9, 0, 0);

std::string Symbol(int n) {
    char text[8];
    std::snprintf(text, sizeof text, "S%02d", n);
    return text;
}

std::vector<std::string> Symbols(int count) {
    std::vector<std::string> symbols;
    for (int n = 1; n <= count; ++n) {
        symbols.push_back(Symbol(n));
    }
    return symbols;
}

// "S01+S02+...": symbols first to last, as the log writes a batch.
std::string Run(int first, int last) {
    std::string text;
    for (int n = first; n <= last; ++n) {
        text += (n > first ? "+" : "") + Symbol(n);
    }
    return text;
}

std::string QuoteLine(const std::string& symbol) {
    return "YAHTICK|" + symbol + "|15/03/2024|14:30:00|1|2|0.5|1.5|100|0|0|1";
}

// The symbols of quote lines or request entries (field 2), joined with "+"; "-" for none.
std::string SymbolsOf(const Lines& lines) {
    if (lines.empty()) {
        return "-";
    }
    std::string text;
    for (const std::string& line : lines) {
        const std::size_t start = line.find('|') + 1;
        text += (text.empty() ? "" : "+") + line.substr(start, line.find('|', start) - start);
    }
    return text;
}

// A batch "YAHTICK|A+YAHTICK|B" as "A+B".
std::string BatchSymbols(const std::string& batch) {
    std::string text = batch;
    for (std::size_t at; (at = text.find("YAHTICK|")) != std::string::npos;) {
        text.erase(at, 8);
    }
    return text;
}

class tFakeTape final : public tRefreshTape {
public:
    explicit tFakeTape(Lines& log) : log_(log) {}
    std::vector<std::string> BuildRequestList() override {
        log_.push_back("build");
        std::vector<std::string> entries;
        for (const std::string& symbol : Symbols) {
            entries.push_back("YAHTICK|" + symbol);
        }
        return entries;
    }
    void MergeQuotes(std::vector<std::string>& lines) override {
        log_.push_back("merge " + SymbolsOf(lines));
        std::erase_if(lines, [this](const std::string& line) {
            const std::size_t start = line.find('|') + 1;
            return Unchanged.count(line.substr(start, line.find('|', start) - start)) > 0;
        });
    }

    std::vector<std::string> Symbols;
    // Symbols whose lines repeat what the tape holds: the merge drops them.
    std::set<std::string> Unchanged;

private:
    Lines& log_;
};

class tFakeDownloader final : public tQuoteDownloader {
public:
    explicit tFakeDownloader(Lines& log) : log_(log) {}
    std::optional<Lines> Download(const std::string& symbolsBatch) override {
        Batches.push_back(symbolsBatch);
        const std::string symbols = BatchSymbols(symbolsBatch);
        log_.push_back("download " + symbols);
        if (During) {
            During();
        }
        if (Failing.count(symbols.substr(0, symbols.find('+'))) > 0) {
            return std::nullopt;
        }
        Lines lines;
        std::size_t start = 0;
        while (start <= symbols.size()) {
            const std::size_t end = std::min(symbols.find('+', start), symbols.size());
            lines.push_back(QuoteLine(symbols.substr(start, end - start)));
            start = end + 1;
        }
        return lines;
    }
    // The fake answers at once, so there is nothing to cut short: the call is only logged.
    void Abandon() override { log_.push_back("abandon"); }

    std::vector<std::string> Batches;
    // Batches whose first symbol is one of these fail.
    std::set<std::string> Failing;
    // Runs inside the download, where the event loop would be run.
    std::function<void()> During;

private:
    Lines& log_;
};

// A cycle with fakes around it; posted downloads wait in Jobs until the test runs them.
class RefreshCycleTest : public ::testing::Test {
protected:
    RefreshCycleTest() : clock(kStart) { MakeCycle(); }

    void MakeCycle() {
        tRefreshHooks hooks;
        hooks.HandOver = [this](const Lines& lines) { log.push_back("handover " + SymbolsOf(lines)); };
        hooks.BatchMerged = [this] {
            log.push_back(std::string("merged") + (cycle->Worker ? " (worker still held)" : ""));
        };
        cycle = std::make_unique<tRefreshCycle>(
            tape, downloader, clock, [this](std::function<void()> job) { jobs.push_back(std::move(job)); },
            hooks);
    }

    void RunJobs() {
        std::vector<std::function<void()>> now;
        now.swap(jobs);
        for (auto& job : now) {
            job();
        }
    }

    Lines log;
    test::tFakeClock clock;
    tFakeTape tape{log};
    tFakeDownloader downloader{log};
    std::vector<std::function<void()>> jobs;
    std::unique_ptr<tRefreshCycle> cycle;
};

enum class tDo {
    Tick,     // one refresh step; Value = the state expected afterwards
    RunJobs,  // the event loop runs the posted downloads
    Wait,     // Value seconds pass
    Close,    // the window agreed to close
    Schedule, // ScheduleRefresh(Value seconds)
    NextAt,   // NextRefresh is expected Value seconds after the start (kRefreshOff: switched off)
};

struct tStep {
    tDo Do;
    double Value = 0;
};

struct tScenario {
    const char* Name;
    std::vector<std::string> Symbols;
    std::set<std::string> Unchanged;
    std::set<std::string> Failing;
    std::vector<tStep> Steps;
    Lines Log;
};

tStep Tick(int state) {
    return {tDo::Tick, static_cast<double>(state)};
}
constexpr tStep kRunJobs{tDo::RunJobs};
constexpr tStep kClose{tDo::Close};
tStep Wait(double seconds) {
    return {tDo::Wait, seconds};
}
tStep NextAt(double seconds) {
    return {tDo::NextAt, seconds};
}
tStep Schedule(double seconds) {
    return {tDo::Schedule, seconds};
}

std::vector<tScenario> Scenarios() {
    std::vector<std::string> withColon = Symbols(12);
    withColon[2] = "EUR:USD";
    return {
        {"empty tape: 0, 2, 4, 0 without a request, next cycle a minute later",
         {},
         {},
         {},
         {Tick(0), NextAt(5), Wait(4), Tick(0), Wait(1), Tick(2), Tick(4), Wait(3), Tick(0), NextAt(68),
          Wait(59), Tick(0), Wait(1), Tick(2), Tick(4)},
         {"build", "build"}},
        {"25 symbols: batches of 10, 10 and 5, each after the previous merge; rest counted from the end",
         Symbols(25),
         {},
         {},
         {Wait(5), Tick(2), Tick(3),  Tick(3), kRunJobs, Tick(2), Tick(3), kRunJobs,   Wait(30), Tick(2),
          Tick(3), Tick(3), kRunJobs, Tick(2), Tick(4),  Wait(2), Tick(0), NextAt(97), Wait(59), Tick(0)},
         {"build", "download " + Run(1, 10), "merge " + Run(1, 10), "handover " + Run(1, 10), "merged",
          "download " + Run(11, 20), "merge " + Run(11, 20), "handover " + Run(11, 20), "merged",
          "download " + Run(21, 25), "merge " + Run(21, 25), "handover " + Run(21, 25), "merged"}},
        {"a batch with ':' is not requested and the cycle goes on",
         withColon,
         {},
         {},
         {Wait(5), Tick(2), Tick(3), kRunJobs, Tick(2), Tick(3), kRunJobs, Tick(2), Tick(4), Tick(0)},
         {"build", "merge -", "handover -", "merged", "download S11+S12", "merge S11+S12", "handover S11+S12",
          "merged"}},
        {"a failed download merges nothing and the next batch follows",
         Symbols(15),
         {},
         {"S01"},
         {Wait(5), Tick(2), Tick(3), kRunJobs, Tick(2), Tick(3), kRunJobs, Tick(2), Tick(4), Tick(0),
          NextAt(65)},
         {"build", "download " + Run(1, 10), "merge -", "handover -", "merged", "download " + Run(11, 15),
          "merge " + Run(11, 15), "handover " + Run(11, 15), "merged"}},
        {"lines that repeat the stored values are not handed over",
         Symbols(3),
         {"S02"},
         {},
         {Wait(5), Tick(2), Tick(3), kRunJobs, Tick(2), Tick(4), Tick(0)},
         {"build", "download S01+S02+S03", "merge S01+S02+S03", "handover S01+S03", "merged"}},
        {"closing with a batch in flight waits for it, discards it and sends nothing more",
         Symbols(15),
         {},
         {},
         {Wait(5), Tick(2), Tick(3), kClose, Tick(3), Tick(3), NextAt(5), kRunJobs, Tick(0),
          NextAt(kRefreshOff), Wait(600), Tick(0), Tick(0), NextAt(kRefreshOff)},
         {"build", "download " + Run(1, 10)}},
        {"closing while idle switches the cycle off before it starts",
         Symbols(3),
         {},
         {},
         {kClose, Tick(0), NextAt(kRefreshOff), Wait(600), Tick(0)},
         {}},
        {"closing while sending drops the rest of the cycle",
         Symbols(15),
         {},
         {},
         {Wait(5), Tick(2), Tick(3), kRunJobs, Tick(2), kClose, Tick(0), NextAt(kRefreshOff), Wait(600),
          Tick(0)},
         {"build", "download " + Run(1, 10), "merge " + Run(1, 10), "handover " + Run(1, 10), "merged"}},
        {"closing at the end of a cycle leaves no next cycle",
         {},
         {},
         {},
         {Wait(5), Tick(2), Tick(4), kClose, Tick(0), NextAt(kRefreshOff), Wait(600), Tick(0)},
         {"build"}},
        {"schedule requests within a cycle do not restart it; while idle they move the next cycle",
         Symbols(15),
         {},
         {},
         {Wait(5),     Tick(2), Schedule(2), NextAt(5),   Tick(3),   Schedule(2), kRunJobs,   Tick(2),
          Schedule(2), Tick(3), kRunJobs,    Tick(2),     Tick(4),   Tick(0),     NextAt(65), Schedule(2),
          NextAt(7),   Wait(1), Tick(0),     Schedule(2), NextAt(8), Wait(2),     Tick(2)},
         {"build", "download " + Run(1, 10), "merge " + Run(1, 10), "handover " + Run(1, 10), "merged",
          "download " + Run(11, 15), "merge " + Run(11, 15), "handover " + Run(11, 15), "merged", "build"}},
    };
}

TEST_F(RefreshCycleTest, TickSequences) {
    for (const tScenario& scenario : Scenarios()) {
        SCOPED_TRACE(scenario.Name);
        clock.Set(kStart);
        log.clear();
        jobs.clear();
        tape.Symbols = scenario.Symbols;
        tape.Unchanged = scenario.Unchanged;
        downloader.Failing = scenario.Failing;
        MakeCycle();
        cycle->ScheduleFirstRefresh(5);
        double elapsed = 0;
        for (std::size_t i = 0; i < scenario.Steps.size(); ++i) {
            const tStep& step = scenario.Steps[i];
            SCOPED_TRACE("step " + std::to_string(i + 1) + " at " + std::to_string(elapsed) + " s");
            switch (step.Do) {
            case tDo::Tick:
                cycle->Step();
                EXPECT_EQ(cycle->RefreshState, static_cast<int>(step.Value));
                break;
            case tDo::RunJobs:
                EXPECT_FALSE(jobs.empty()) << "no download was posted";
                RunJobs();
                break;
            case tDo::Wait:
                clock.AdvanceMs(static_cast<std::int64_t>(step.Value * 1000));
                elapsed += step.Value;
                break;
            case tDo::Close:
                cycle->Closing = true;
                break;
            case tDo::Schedule:
                cycle->ScheduleRefresh(step.Value);
                break;
            case tDo::NextAt:
                if (step.Value == kRefreshOff) {
                    EXPECT_EQ(cycle->NextRefresh, kRefreshOff);
                } else {
                    EXPECT_NEAR(cycle->NextRefresh, kStart + step.Value * kSecond, 1e-3 * kSecond);
                }
                break;
            }
        }
        EXPECT_EQ(log, scenario.Log);
    }
}

TEST_F(RefreshCycleTest, BatchEntriesAreJoinedWithPlusInTapeOrder) {
    tape.Symbols = Symbols(12);
    cycle->ScheduleFirstRefresh(0);
    for (int tick = 0; tick < 8; ++tick) {
        cycle->Step();
        RunJobs();
    }
    ASSERT_EQ(downloader.Batches.size(), 2u);
    EXPECT_EQ(downloader.Batches[0], "YAHTICK|S01+YAHTICK|S02+YAHTICK|S03+YAHTICK|S04+YAHTICK|S05+"
                                     "YAHTICK|S06+YAHTICK|S07+YAHTICK|S08+YAHTICK|S09+YAHTICK|S10");
    EXPECT_EQ(downloader.Batches[1], "YAHTICK|S11+YAHTICK|S12");
}

TEST_F(RefreshCycleTest, WorkerStatusGoesFromCreatedThroughRunningToFinished) {
    tape.Symbols = Symbols(2);
    cycle->ScheduleFirstRefresh(0);
    cycle->Step();
    cycle->Step();
    ASSERT_TRUE(cycle->Worker);
    EXPECT_EQ(cycle->Worker->Symbols, "YAHTICK|S01+YAHTICK|S02");
    // Queued, not yet run: the download happens outside the tick.
    EXPECT_EQ(cycle->Worker->Status, tVelocrestThread::kCreated);
    EXPECT_TRUE(downloader.Batches.empty());
    std::vector<int> seen;
    downloader.During = [this, &seen] {
        seen.push_back(cycle->Worker->Status);
        // Ticks that arrive while the download runs the event loop wait for it.
        cycle->Step();
        seen.push_back(cycle->RefreshState);
        seen.push_back(cycle->Worker ? cycle->Worker->Status : -1);
    };
    RunJobs();
    EXPECT_EQ(seen,
              (std::vector<int>{tVelocrestThread::kRunning, kRefreshWaiting, tVelocrestThread::kRunning}));
    ASSERT_TRUE(cycle->Worker);
    EXPECT_EQ(cycle->Worker->Status, tVelocrestThread::kFinished);
    ASSERT_TRUE(cycle->Worker->Quotes.has_value());
    EXPECT_EQ(SymbolsOf(*cycle->Worker->Quotes), "S01+S02");
    cycle->Step();
    EXPECT_FALSE(cycle->Worker);
    EXPECT_EQ(cycle->RefreshState, kRefreshSending);
}

TEST_F(RefreshCycleTest, AWorkerGoneBeforeItsJobRanDownloadsNothing) {
    tape.Symbols = Symbols(2);
    cycle->ScheduleFirstRefresh(0);
    cycle->Step();
    cycle->Step();
    ASSERT_EQ(jobs.size(), 1u);
    cycle.reset();
    RunJobs();
    EXPECT_TRUE(downloader.Batches.empty());
}

TEST_F(RefreshCycleTest, ACycleFreedWhileItsDownloadRunsIsNotTouchedAfterwards) {
    tape.Symbols = Symbols(2);
    cycle->ScheduleFirstRefresh(0);
    cycle->Step();
    cycle->Step();
    downloader.During = [this] { cycle.reset(); };
    RunJobs();
    EXPECT_EQ(downloader.Batches.size(), 1u);
    EXPECT_FALSE(cycle);
    EXPECT_EQ(log, (Lines{"build", "download S01+S02"}));
}

TEST_F(RefreshCycleTest, AbandonGivesUpTheBatchWhereverItIsAndNothingFollows) {
    enum class tWhen { Downloading, Posted, BetweenBatches, Resting };
    const struct {
        const char* Name;
        tWhen When;
        Lines Log;
    } cases[] = {
        // The download is told to stop; what it still returns is never merged.
        {"while the batch downloads", tWhen::Downloading, {"build", "download " + vc::Run(1, 10), "abandon"}},
        // The worker's job was posted but has not run: it never downloads.
        {"before the batch's job ran", tWhen::Posted, {"build"}},
        {"between two batches",
         tWhen::BetweenBatches,
         {"build", "download " + vc::Run(1, 10), "merge " + vc::Run(1, 10), "handover " + vc::Run(1, 10),
          "merged"}},
        {"resting between cycles", tWhen::Resting, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        log.clear();
        jobs.clear();
        tape.Symbols = Symbols(15);
        MakeCycle();
        cycle->ScheduleFirstRefresh(0);
        if (c.When != tWhen::Resting) {
            cycle->Step();
            cycle->Step();
        }
        if (c.When == tWhen::Downloading) {
            downloader.During = [this] { cycle->Abandon(); };
        } else if (c.When == tWhen::BetweenBatches) {
            RunJobs();
            cycle->Step();
        }
        if (c.When != tWhen::Downloading) {
            cycle->Abandon();
        }
        RunJobs();
        downloader.During = nullptr;
        EXPECT_FALSE(cycle->Worker);
        EXPECT_TRUE(cycle->Closing);
        EXPECT_EQ(cycle->NextRefresh, kRefreshOff);
        // Ticks go on until the window is gone: they send nothing and merge nothing.
        clock.AdvanceMs(120000);
        for (int tick = 0; tick < 5; ++tick) {
            cycle->Step();
            RunJobs();
        }
        EXPECT_EQ(log, c.Log);
    }
}

TEST_F(RefreshCycleTest, AlertDisplayRunsOnlyWhileIdleAndHoldsTheMachineBusy) {
    const struct {
        int State;
        bool Runs;
    } cases[] = {{kRefreshIdle, true},
                 {kRefreshSending, false},
                 {kRefreshWaiting, false},
                 {kRefreshFinished, false},
                 {kRefreshBusy, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE("state " + std::to_string(c.State));
        log.clear();
        tape.Symbols = Symbols(3);
        MakeCycle();
        cycle->ScheduleFirstRefresh(0);
        cycle->RefreshState = c.State;
        std::vector<int> during;
        const bool ran = AlertDisplayStep(*cycle, [&] {
            during.push_back(cycle->RefreshState);
            // The alert window runs the event loop: the ticks that arrive meanwhile leave the
            // machine alone although a cycle is due.
            cycle->Step();
            during.push_back(cycle->RefreshState);
        });
        EXPECT_EQ(ran, c.Runs);
        if (c.Runs) {
            EXPECT_EQ(during, (std::vector<int>{kRefreshBusy, kRefreshBusy}));
            EXPECT_EQ(cycle->RefreshState, kRefreshIdle);
            EXPECT_TRUE(log.empty());
        } else {
            EXPECT_TRUE(during.empty());
            EXPECT_EQ(cycle->RefreshState, c.State);
        }
    }
}

// The cycle against the real tape: what the tape's merge keeps is what is handed over, and a
// repeated quote still reaches the alert thresholds.
TEST(RefreshCycleOnTape, RepeatedQuoteIsNotHandedOverButStillAlerts) {
    test::tTapeWorld world(false);
    tTickerItem* same = world.Tape->AddSymbol("SAME", "");
    world.Tape->AddSymbol("NEW", "");
    // The first delivery stores the quote; the cycle then delivers the very same line again.
    Lines first{QuoteLine("SAME")};
    world.Tape->MergeQuotes(first);
    ASSERT_EQ(first.size(), 1u);
    same->AlertUp = "1.2";

    Lines log;
    tFakeDownloader downloader(log);
    tTickerTapeRefresh tape(*world.Tape);
    std::vector<Lines> handed;
    tRefreshHooks hooks;
    hooks.HandOver = [&handed](const Lines& lines) { handed.push_back(lines); };
    std::vector<std::function<void()>> jobs;
    tRefreshCycle cycle(
        tape, downloader, world.Clock, [&jobs](std::function<void()> job) { jobs.push_back(std::move(job)); },
        hooks);
    cycle.ScheduleFirstRefresh(0);
    cycle.Step();
    cycle.Step();
    ASSERT_EQ(jobs.size(), 1u);
    jobs[0]();
    cycle.Step();
    EXPECT_EQ(downloader.Batches, (Lines{"YAHTICK|SAME+YAHTICK|NEW"}));
    ASSERT_EQ(handed.size(), 1u);
    EXPECT_EQ(SymbolsOf(handed[0]), "NEW");
    EXPECT_EQ(world.Tape->ItemAt(world.Tape->IndexOfSymbol("NEW")).Close, 1.5);
    EXPECT_FALSE(same->PendingAlertUp.empty());
}

} // namespace
} // namespace vc
