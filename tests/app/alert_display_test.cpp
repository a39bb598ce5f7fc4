#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "app/alert_display.h"
#include "tape/alerts.h"
#include "tape/history.h"
#include "tape/refresh_cycle.h"
#include "tape/tape_test_support.h"
#include "tape/ticker_tape_refresh.h"

namespace vc {
namespace {

class tNoDownloads final : public tQuoteDownloader {
public:
    std::optional<std::vector<std::string>> Download(const std::string&) override { return std::nullopt; }
    void Abandon() override {}
};

// Remembers what it was shown and the refresh state meanwhile, and clears as the window does.
class tRecordingPresenter final : public tAlertPresenter {
public:
    explicit tRecordingPresenter(const tRefreshCycle& cycle) : cycle_(cycle) {}
    void Present(tTickerItem& item) override {
        Shown.push_back(item.Symbol);
        StatesSeen.push_back(cycle_.RefreshState);
        clearer_.Present(item);
    }
    std::vector<std::string> Shown;
    std::vector<int> StatesSeen;

private:
    const tRefreshCycle& cycle_;
    tPendingAlertClearer clearer_;
};

class AlertDisplayTest : public ::testing::Test {
protected:
    AlertDisplayTest()
        : refresh(*world.Tape), cycle(refresh, downloads, world.Clock, [](std::function<void()>) {}) {
        world.Values.ShortDateFormat = "dd/MM/yyyy";
    }
    tTickerItem& Item(const char* symbol, const char* up, const char* down) {
        tTickerItem& item = *world.Tape->AddSymbol(symbol, symbol);
        item.AlertUp = up;
        item.AlertDown = down;
        return item;
    }
    // Fires the item's alerts on a quote delivered now, then lets a second pass.
    void Fire(tTickerItem& item, double last, double low, double high) {
        ASSERT_TRUE(EvaluateAlerts(item, last, low, high, last, world.Clock));
        world.Clock.AdvanceMs(1000);
    }
    std::string History() const { return world.Dir.Read(kHistoryFileName); }

    test::tTapeWorld world;
    tTickerTapeRefresh refresh;
    tNoDownloads downloads;
    tRefreshCycle cycle;
};

TEST_F(AlertDisplayTest, OldestFirstOnePerStepEachWithItsHistoryLine) {
    tTickerItem& late = Item("LATE", "10", "");
    tTickerItem& early = Item("EARLY", "", "20");
    Fire(early, 21, 19.5, 22);
    Fire(late, 11, 10, 11);
    tRecordingPresenter presenter(cycle);

    EXPECT_TRUE(RunAlertDisplayStep(cycle, *world.Tape, world.Values, presenter));
    EXPECT_TRUE(RunAlertDisplayStep(cycle, *world.Tape, world.Values, presenter));
    EXPECT_FALSE(RunAlertDisplayStep(cycle, *world.Tape, world.Values, presenter));

    EXPECT_EQ(presenter.Shown, (std::vector<std::string>{"EARLY", "LATE"}));
    EXPECT_EQ(presenter.StatesSeen, (std::vector<int>{kRefreshBusy, kRefreshBusy}));
    EXPECT_EQ(cycle.RefreshState, kRefreshIdle);
    EXPECT_EQ(History(),
              "15/03/2024 14:30  EARLY (EARLY)              LOW (19.50) dropped below ALERT (20)\r\n"
              "15/03/2024 14:30  LATE (LATE)                CLOSE (11.00) raised above ALERT (10)\r\n");
    for (const tTickerItem* item : {&early, &late}) {
        EXPECT_TRUE(item->PendingAlertUp.empty());
        EXPECT_TRUE(item->PendingAlertDown.empty());
    }
}

TEST_F(AlertDisplayTest, BothSidesFiredGiveOneLineWithTheUpMessage) {
    tTickerItem& item = Item("BOTH", "30", "20");
    Fire(item, 25, 19, 31);
    tPendingAlertClearer clearer;
    EXPECT_TRUE(RunAlertDisplayStep(cycle, *world.Tape, world.Values, clearer));
    EXPECT_FALSE(RunAlertDisplayStep(cycle, *world.Tape, world.Values, clearer));
    EXPECT_EQ(History(),
              "15/03/2024 14:30  BOTH (BOTH)                HIGH (31.00) raised above ALERT (30)\r\n");
}

TEST_F(AlertDisplayTest, NothingWhileTheRefreshMachineWorks) {
    tTickerItem& item = Item("WAIT", "10", "");
    Fire(item, 11, 11, 11);
    tRecordingPresenter presenter(cycle);
    for (const int state : {kRefreshSending, kRefreshWaiting, kRefreshFinished, kRefreshBusy}) {
        SCOPED_TRACE(state);
        cycle.RefreshState = state;
        EXPECT_FALSE(RunAlertDisplayStep(cycle, *world.Tape, world.Values, presenter));
        EXPECT_EQ(cycle.RefreshState, state);
    }
    EXPECT_TRUE(presenter.Shown.empty());
    EXPECT_FALSE(item.PendingAlertUp.empty());
    EXPECT_FALSE(world.Dir.Exists(kHistoryFileName));
}

} // namespace
} // namespace vc
