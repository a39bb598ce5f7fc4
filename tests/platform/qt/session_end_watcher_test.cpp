#include "platform/qt/session_end_watcher.h"

#include <QCoreApplication>
#include <QTest>
#include <csignal>
#include <gtest/gtest.h>
#include <vector>

#include "platform/qt/desktop_platform_factory.h"
#include "support/fake_environment.h"

namespace vc {
namespace {

// Generous: only a lost hand-over comes near it.
constexpr int kHangGuardMs = 10000;

using tHandlerFn = void (*)(int);

tHandlerFn CurrentHandler(int signal) {
    struct sigaction action {};
    sigaction(signal, nullptr, &action);
    return action.sa_handler;
}

void IgnoreSignal(int) {}

class SessionEndWatcherTest : public ::testing::Test {
protected:
    // Whatever a test does, the process ends up with the default handlers again.
    void TearDown() override {
        std::signal(SIGTERM, SIG_DFL);
        std::signal(SIGINT, SIG_DFL);
    }
    tSessionEndHandler Recorder() {
        return [this](tSessionEnd reason) { calls_.push_back(reason); };
    }

    std::vector<tSessionEnd> calls_;
};

TEST_F(SessionEndWatcherTest, TerminationSignalsReachTheHandlerOnTheEventLoop) {
    for (const int signal : {SIGTERM, SIGINT}) {
        SCOPED_TRACE(signal);
        calls_.clear();
        tSessionEndWatcher watcher(Recorder());
        ASSERT_TRUE(watcher.CatchesSignals());
        ASSERT_EQ(raise(signal), 0);
        // Nothing runs inside the signal handler itself.
        EXPECT_TRUE(calls_.empty());
        EXPECT_TRUE(QTest::qWaitFor([this] { return !calls_.empty(); }, kHangGuardMs));
        EXPECT_EQ(calls_, std::vector<tSessionEnd>{tSessionEnd::Signal});
    }
}

TEST_F(SessionEndWatcherTest, SignalsBeforeTheLoopComesRoundAreOneRequest) {
    tSessionEndWatcher watcher(Recorder());
    ASSERT_TRUE(watcher.CatchesSignals());
    ASSERT_EQ(raise(SIGTERM), 0);
    ASSERT_EQ(raise(SIGINT), 0);
    ASSERT_EQ(raise(SIGTERM), 0);
    ASSERT_TRUE(QTest::qWaitFor([this] { return !calls_.empty(); }, kHangGuardMs));
    QCoreApplication::processEvents();
    EXPECT_EQ(calls_.size(), 1u);

    // A later signal is a request of its own.
    ASSERT_EQ(raise(SIGTERM), 0);
    EXPECT_TRUE(QTest::qWaitFor([this] { return calls_.size() == 2; }, kHangGuardMs));
}

TEST_F(SessionEndWatcherTest, TheEarlierHandlersComeBackAfterwards) {
    std::signal(SIGINT, IgnoreSignal);
    {
        tSessionEndWatcher watcher(Recorder());
        ASSERT_TRUE(watcher.CatchesSignals());
        EXPECT_NE(CurrentHandler(SIGTERM), SIG_DFL);
        EXPECT_NE(CurrentHandler(SIGINT), &IgnoreSignal);
    }
    EXPECT_EQ(CurrentHandler(SIGTERM), SIG_DFL);
    EXPECT_EQ(CurrentHandler(SIGINT), &IgnoreSignal);
}

TEST_F(SessionEndWatcherTest, OnlyOneWatcherCatchesTheSignals) {
    tSessionEndWatcher first(Recorder());
    int secondCalls = 0;
    {
        tSessionEndWatcher second([&secondCalls](tSessionEnd) { ++secondCalls; });
        EXPECT_TRUE(first.CatchesSignals());
        EXPECT_FALSE(second.CatchesSignals());
    }
    // The second one's end did not take the signals away from the first.
    ASSERT_NE(CurrentHandler(SIGTERM), SIG_DFL);
    ASSERT_EQ(raise(SIGTERM), 0);
    EXPECT_TRUE(QTest::qWaitFor([this] { return !calls_.empty(); }, kHangGuardMs));
    EXPECT_EQ(secondCalls, 0);
}

TEST_F(SessionEndWatcherTest, ThePlatformWatchesUntilToldToStop) {
    const std::unique_ptr<tDesktopPlatform> platform =
        CreateDesktopPlatform(test::FakeEnvironment({{"HOME", "/nonexistent"}}));
    platform->WatchSessionEnd(Recorder());
    // Replacing the handler keeps the watch.
    int replaced = 0;
    platform->WatchSessionEnd([&replaced](tSessionEnd) { ++replaced; });
    ASSERT_NE(CurrentHandler(SIGTERM), SIG_DFL);
    ASSERT_EQ(raise(SIGTERM), 0);
    EXPECT_TRUE(QTest::qWaitFor([&replaced] { return replaced == 1; }, kHangGuardMs));
    EXPECT_TRUE(calls_.empty());

    platform->WatchSessionEnd({});
    EXPECT_EQ(CurrentHandler(SIGTERM), SIG_DFL);
    EXPECT_EQ(CurrentHandler(SIGINT), SIG_DFL);
}

} // namespace
} // namespace vc
