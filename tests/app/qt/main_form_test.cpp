#include <gtest/gtest.h>

#include <QTest>
#include <QTimer>

#include <string>

#include "app/close_query.h"
#include "app/qt/main_form.h"
#include "display/qt/float_bar.h"
#include "platform/plain_edge_dock.h"
#include "support/fake_clock.h"
#include "support/qt/fault_server.h"
#include "support/scripted_message_boxer.h"
#include "support/temp_dir.h"
#include "tape/history.h"
#include "tape/ini_object.h"
#include "tape/refresh_cycle.h"
#include "tape/ticker_tape.h"
#include "toolkit/dates.h"
#include "toolkit/program_values.h"
#include "toolkit/translation.h"
#include "toolkit/vocabulary.h"

namespace vc {
namespace {

const double kNow = EncodeDate(2024, 3, 15) + EncodeTime(14, 30, 0);

class tFakeStartupEntry final : public tStartupEntry {
public:
    bool Exists() override { return false; }
    bool Create(const std::string&) override { return true; }
};

// Eleven symbols, so a cycle takes two batches; the first one fires the up alert of S01.
std::string SettingsText(int port) {
    std::string text = "[General]\r\nQuoteHostUS=127.0.0.1:" + std::to_string(port) + "\r\n\r\n";
    text += "[Tape_000]\r\nAantal=11\r\nSpeed=20\r\n\r\n";
    for (int n = 0; n < 11; ++n) {
        const std::string index = (n < 10 ? "00" : "0") + std::to_string(n);
        const std::string symbol = (n < 9 ? "S0" : "S") + std::to_string(n + 1);
        text += "[Tape_000_Item" + index + "]\r\nSymbol=" + symbol + "\r\n";
        if (n == 0) {
            text += "AlertUp=1\r\n";
        }
        text += "\r\n";
    }
    return text;
}

// The answer trickles in over about a second, so the batch is in flight for a while.
test::tFaultReply TricklingQuote() {
    test::tFaultReply reply;
    reply.Body = "\"S01\",\"3/15/2024\",\"2:29pm\",41.0,42.5,40.1,41.2,1000,N/A,N/A,40.9\r\n";
    reply.ChunkBytes = 4;
    reply.ChunkDelayMs = 60;
    return reply;
}

class MainFormTest : public ::testing::Test {
protected:
    MainFormTest() : server(TricklingQuote()), clock(kNow) {
        home.Write("Velocrest.INI", SettingsText(server.Port()));
        values.ProgramDir = home.Path().string() + "/";
        values.SettingsFileName = home.File("Velocrest.INI");
        values.Clock = &clock;
        RegisterStartupVocabulary(translation);
    }
    // Runs until the first activation has scheduled the first cycle, then lets it fall due.
    void StartCycle(tMainForm& form) {
        form.show();
        ASSERT_TRUE(QTest::qWaitFor([&] { return form.Cycle().NextRefresh != kRefreshOff; }, 10000));
        clock.AdvanceMs(6000);
    }

    test::tTempDir home;
    test::tFaultServer server;
    test::tFakeClock clock;
    tProgramValues values;
    tTranslation translation;
    tFakeStartupEntry startup;
};

TEST_F(MainFormTest, CloseWaitsForTheBatchInFlightThenSavesWithoutMergingIt) {
    test::tScriptedMessageBoxer boxer({kMrNo});
    tMainForm form(values, translation, boxer, startup, "velocrest", std::make_unique<tPlainEdgeDock>());
    int finished = 0;
    form.OnFinished = [&] { ++finished; };
    ASSERT_EQ(form.Tape().ItemCount(), 11);
    StartCycle(form);

    // The download waits in its own event loop; this timer runs inside it and closes the window
    // while the batch is on its way.
    bool closed = false;
    bool savedAtClose = true;
    bool hiddenAtClose = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        const tRefreshCycle& cycle = form.Cycle();
        if (!closed && cycle.Worker && cycle.Worker->Status == tVelocrestThread::kRunning) {
            closed = true;
            form.close();
            savedAtClose = home.Exists("Velocrest.BCK");
            // The tape leaves the screen at once; only the batch finishes behind it.
            hiddenAtClose = !form.isVisible() && !form.FloatBar()->isVisible();
        }
    });
    poll.start(5);
    ASSERT_TRUE(QTest::qWaitFor([&] { return home.Exists("Velocrest.BCK"); }, 30000));
    ASSERT_TRUE(closed);
    EXPECT_FALSE(savedAtClose);
    EXPECT_TRUE(hiddenAtClose);
    EXPECT_EQ(finished, 1);
    EXPECT_EQ(boxer.Questions.size(), 1u);
    EXPECT_EQ(form.Cycle().NextRefresh, kRefreshOff);
    EXPECT_FALSE(form.Cycle().Worker);
    // One request only: the rest of the cycle is not sent, and the answer that came is not merged.
    EXPECT_EQ(server.Requests().size(), 1u);
    const tIniObject saved(values.SettingsFileName);
    EXPECT_EQ(saved.ReadFloat("Tape_000_Item000", "Close", -1), 0);
    EXPECT_FALSE(home.Exists(kHistoryFileName));
    EXPECT_EQ(saved.ReadString("General", "AskStartup", ""), "1");
}

TEST_F(MainFormTest, SessionEndGivesUpTheBatchInFlightAndSavesAtOnceWithoutAsking) {
    test::tScriptedMessageBoxer boxer;
    tMainForm form(values, translation, boxer, startup, "velocrest", std::make_unique<tPlainEdgeDock>());
    int finished = 0;
    form.OnFinished = [&] { ++finished; };
    StartCycle(form);

    // Inside the download's own event loop, as the signal or the session manager arrives there.
    bool ended = false;
    bool savedAtEnd = false;
    bool hiddenAtEnd = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        const tRefreshCycle& cycle = form.Cycle();
        if (!ended && cycle.Worker && cycle.Worker->Status == tVelocrestThread::kRunning) {
            ended = true;
            form.EndSession();
            savedAtEnd = home.Exists("Velocrest.BCK");
            hiddenAtEnd = !form.isVisible() && !form.FloatBar()->isVisible();
        }
    });
    poll.start(5);
    ASSERT_TRUE(QTest::qWaitFor([&] { return ended; }, 30000));
    EXPECT_TRUE(savedAtEnd);
    EXPECT_TRUE(hiddenAtEnd);
    EXPECT_EQ(finished, 1);
    EXPECT_TRUE(boxer.Questions.empty());
    EXPECT_FALSE(form.Cycle().Worker);
    EXPECT_EQ(form.Cycle().NextRefresh, kRefreshOff);
    // Longer than the trickling answer would take: it never arrives, nothing is merged, and no
    // further batch is sent.
    QTest::qWait(1500);
    EXPECT_EQ(server.Requests().size(), 1u);
    EXPECT_DOUBLE_EQ(form.Tape().ItemAt(0).Close, 0);
    EXPECT_FALSE(home.Exists(kHistoryFileName));
    EXPECT_EQ(finished, 1);
    const tIniObject saved(values.SettingsFileName);
    EXPECT_EQ(saved.ReadInteger("Tape_000", "Aantal", 0), 11);
    EXPECT_EQ(saved.ReadString("General", "AskStartup", ""), "");
}

TEST_F(MainFormTest, CycleMergesAndShowsTheAlertThenCancelKeepsTheWindowOpen) {
    test::tScriptedMessageBoxer boxer({kMrCancel, kMrYes});
    tMainForm form(values, translation, boxer, startup, "velocrest", std::make_unique<tPlainEdgeDock>());
    int finished = 0;
    form.OnFinished = [&] { ++finished; };
    StartCycle(form);
    ASSERT_TRUE(QTest::qWaitFor([&] { return home.Exists(kHistoryFileName); }, 30000));
    EXPECT_EQ(server.Requests().size(), 2u);
    EXPECT_NE(home.Read(kHistoryFileName).find("(S01)"), std::string::npos) << home.Read(kHistoryFileName);
    EXPECT_NE(home.Read(kHistoryFileName).find("CLOSE (41.20) raised above ALERT (1)\r\n"),
              std::string::npos);
    EXPECT_DOUBLE_EQ(form.Tape().ItemAt(0).Close, 41.2);
    // The alert was shown once: its pending texts are gone.
    EXPECT_TRUE(form.Tape().ItemAt(0).PendingAlertUp.empty());

    form.close();
    EXPECT_FALSE(form.Cycle().Closing);
    QTest::qWait(50);
    EXPECT_FALSE(home.Exists("Velocrest.BCK"));
    EXPECT_EQ(finished, 0);

    form.close();
    ASSERT_TRUE(QTest::qWaitFor([&] { return home.Exists("Velocrest.BCK"); }, 10000));
    EXPECT_EQ(boxer.Questions.size(), 2u);
    EXPECT_EQ(finished, 1);
}

} // namespace
} // namespace vc
