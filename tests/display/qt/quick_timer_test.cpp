#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <string>
#include <vector>

#include "display/qt/quick_timer.h"
#include "support/fake_clock.h"

namespace vc {
namespace {

// The timer counts periods on a clock the test moves; the test delivers the queued ticks itself,
// so what arrives depends on the clock alone, never on how fast the machine is.
class QuickTimerTest : public ::testing::Test {
protected:
    QuickTimerTest() {
        timer.OnTimer = [this] {
            ++ticks;
            if (inHandler) {
                inHandler(ticks);
            }
        };
    }

    // Hands every queued tick to the timer, also those queued while a handler ran.
    static void Deliver(TQuickTimer& which) {
        for (int round = 0; round < 1000 && which.QueuedTicks() > 0; ++round) {
            QCoreApplication::sendPostedEvents(&which, 0);
        }
        QCoreApplication::sendPostedEvents(&which, 0);
    }
    // Lets the clock move on and delivers what fell due.
    void Pass(std::int64_t ms) {
        clock.AdvanceMs(ms);
        timer.CheckDue();
        Deliver(timer);
    }

    QTimer* Poll(TQuickTimer& which) { return which.findChild<QTimer*>(); }

    test::tFakeClock clock;
    TQuickTimer timer{clock};
    int ticks = 0;
    std::function<void(int)> inHandler;
};

TEST_F(QuickTimerTest, StartsDisabledWithTheUsualDefaults) {
    EXPECT_FALSE(timer.Enabled());
    EXPECT_EQ(timer.Interval(), 100);
    EXPECT_EQ(timer.Resolution(), 25);
    EXPECT_FALSE(timer.NoOverflow());
    Pass(1000);
    EXPECT_EQ(ticks, 0);
}

TEST_F(QuickTimerTest, TicksOncePerPeriodThatPassed) {
    timer.SetInterval(10);
    timer.SetEnabled(true);
    ASSERT_NE(Poll(timer), nullptr);
    EXPECT_TRUE(Poll(timer)->isActive());
    EXPECT_EQ(Poll(timer)->timerType(), Qt::PreciseTimer);
    EXPECT_EQ(Poll(timer)->interval(), 10);
    const struct {
        std::int64_t Ms;
        int Total;
    } steps[] = {{9, 0}, {1, 1}, {5, 1}, {5, 2}, {30, 5}, {0, 5}};
    for (const auto& step : steps) {
        SCOPED_TRACE(std::to_string(step.Ms) + " ms later");
        Pass(step.Ms);
        EXPECT_EQ(ticks, step.Total);
    }
}

TEST_F(QuickTimerTest, DisablingStopsEveryFurtherTick) {
    const struct {
        const char* Name;
        int Queued;    // periods that pass before anything is handled
        int DisableIn; // 0: disabled from outside before delivery; k: inside the k-th handler call
        int Expected;
    } cases[] = {
        {"disabled between queued ticks", 5, 0, 0},
        {"disabled inside the first of five queued ticks", 5, 1, 1},
        {"disabled inside the third of five queued ticks", 5, 3, 3},
        {"disabled inside the last queued tick", 5, 5, 5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        ticks = 0;
        timer.SetInterval(10);
        timer.SetEnabled(true);
        inHandler = [&](int count) {
            if (count == c.DisableIn) {
                timer.SetEnabled(false);
            }
        };
        clock.AdvanceMs(10 * c.Queued);
        timer.CheckDue();
        EXPECT_EQ(timer.QueuedTicks(), c.Queued);
        if (c.DisableIn == 0) {
            timer.SetEnabled(false);
        }
        Deliver(timer);
        EXPECT_EQ(ticks, c.Expected);
        EXPECT_FALSE(timer.Enabled());
        EXPECT_EQ(timer.QueuedTicks(), 0);
        EXPECT_FALSE(Poll(timer)->isActive());
        // Time goes on; nothing more comes, whoever asks.
        Pass(1000);
        QCoreApplication::processEvents();
        EXPECT_EQ(ticks, c.Expected);
        inHandler = nullptr;
    }
}

TEST_F(QuickTimerTest, ReenablingInsideAHandlerDropsTheOldQueue) {
    timer.SetInterval(10);
    timer.SetEnabled(true);
    inHandler = [&](int count) {
        if (count == 1) {
            timer.SetEnabled(false);
            timer.SetEnabled(true);
        }
    };
    clock.AdvanceMs(40);
    timer.CheckDue();
    Deliver(timer);
    EXPECT_EQ(ticks, 1);
    // The new period started inside the handler.
    Pass(9);
    EXPECT_EQ(ticks, 1);
    Pass(1);
    EXPECT_EQ(ticks, 2);
}

TEST_F(QuickTimerTest, DisablingOneTimerLeavesTheTicksOfAnotherQueued) {
    TQuickTimer other(clock);
    int otherTicks = 0;
    other.OnTimer = [&otherTicks] { ++otherTicks; };
    timer.SetInterval(10);
    other.SetInterval(10);
    timer.SetEnabled(true);
    other.SetEnabled(true);
    clock.AdvanceMs(30);
    timer.CheckDue();
    other.CheckDue();
    timer.SetEnabled(false);
    Deliver(timer);
    Deliver(other);
    EXPECT_EQ(ticks, 0);
    EXPECT_EQ(otherTicks, 3);
}

TEST_F(QuickTimerTest, ChangingTheIntervalRestartsThePeriod) {
    const struct {
        const char* Name;
        int Before;
        std::int64_t RunBefore; // ms run at the old interval before the change
        bool QueueBefore;       // the ticks due at the change are still queued when it comes
        int After;
        std::vector<std::pair<std::int64_t, int>> Then; // ms passed since the last check, total ticks
    } cases[] = {
        {"longer period counted from the change", 100, 90, false, 200, {{150, 0}, {49, 0}, {1, 1}, {200, 2}}},
        {"shorter period counted from the change", 100, 90, false, 50, {{20, 0}, {29, 0}, {1, 1}, {50, 2}}},
        {"ticks queued at the change are dropped", 100, 250, true, 150, {{149, 0}, {1, 1}}},
        {"the same interval changes nothing", 100, 90, false, 100, {{10, 1}, {100, 2}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        ticks = 0;
        timer.SetEnabled(false);
        timer.SetInterval(c.Before);
        timer.SetEnabled(true);
        clock.AdvanceMs(c.RunBefore);
        if (c.QueueBefore) {
            timer.CheckDue();
            ASSERT_GT(timer.QueuedTicks(), 0);
        }
        timer.SetInterval(c.After);
        EXPECT_EQ(timer.Interval(), c.After);
        EXPECT_TRUE(Poll(timer)->isActive());
        EXPECT_EQ(Poll(timer)->interval(), c.After);
        for (const auto& [ms, total] : c.Then) {
            SCOPED_TRACE(std::to_string(ms) + " ms later");
            Pass(ms);
            EXPECT_EQ(ticks, total);
        }
    }
}

TEST_F(QuickTimerTest, SlowHandlerGetsItsMissedTicksOrOnlyOneWithNoOverflow) {
    const struct {
        bool NoOverflow;
        int AfterSlow; // ticks handled right after the handler that took three periods
    } cases[] = {{false, 3}, {true, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.NoOverflow ? "NoOverflow" : "without NoOverflow");
        ticks = 0;
        timer.SetEnabled(false);
        timer.SetInterval(10);
        timer.SetNoOverflow(c.NoOverflow);
        timer.SetEnabled(true);
        inHandler = [&](int count) {
            if (count == 1) {
                // Three periods pass inside the handler; the periods are counted meanwhile.
                for (int period = 0; period < 3; ++period) {
                    clock.AdvanceMs(10);
                    timer.CheckDue();
                }
            }
        };
        Pass(10);
        EXPECT_EQ(ticks, 1 + c.AfterSlow);
        // Back to one tick per period.
        Pass(10);
        EXPECT_EQ(ticks, 2 + c.AfterSlow);
        inHandler = nullptr;
    }
}

TEST_F(QuickTimerTest, AHandlerFarBehindGetsABoundedQueue) {
    timer.SetInterval(1);
    timer.SetEnabled(true);
    Pass(100000);
    EXPECT_EQ(ticks, TQuickTimer::kMaxQueuedTicks);
}

// The real clock and the real event loop: ticks come by themselves, and stop when disabled.
TEST(QuickTimerOnTheEventLoop, TicksArriveAndStop) {
    const tSystemClock clock;
    TQuickTimer timer(clock);
    int ticks = 0;
    timer.OnTimer = [&ticks] { ++ticks; };
    timer.SetInterval(5);
    timer.SetEnabled(true);
    QElapsedTimer hangGuard;
    hangGuard.start();
    while (ticks < 3 && hangGuard.elapsed() < 20000) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
    }
    ASSERT_GE(ticks, 3);
    timer.SetEnabled(false);
    const int stoppedAt = ticks;
    // Run the loop well past a few periods; a tick still under way would show here.
    QTimer done;
    bool over = false;
    QObject::connect(&done, &QTimer::timeout, [&over] { over = true; });
    done.start(50);
    while (!over) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
    }
    EXPECT_EQ(ticks, stoppedAt);
}

} // namespace
} // namespace vc
