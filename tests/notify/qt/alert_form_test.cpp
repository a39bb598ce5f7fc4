#include "notify/qt/alert_form.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "notify/alert_channel.h"
#include "notify/alert_sound.h"
#include "support/screenshot.h"
#include "tape/alerts.h"
#include "tape/tape_test_support.h"

namespace vc {
namespace {

class tRecordingSound : public tAlertSound {
public:
    void Play(const std::string& file) override { Played.push_back(file); }
    void Beep() override { ++Beeps; }
    std::vector<std::string> Played;
    int Beeps = 0;
};

// A channel whose send runs whatever the test wants to happen meanwhile.
class tSlowChannel : public tAlertChannel {
public:
    bool Enabled(const tTickerTape&) const override { return true; }
    std::string SendingLine(const tTickerTape&) const override {
        return "Sending email to : me@example.test";
    }
    std::string Send(const tTickerItem&, const tTickerTape&, const std::string& message) override {
        Message = message;
        if (During) {
            During();
        }
        return "E-mail was sent to : me@example.test";
    }
    std::function<void()> During;
    std::string Message;
};

// A tape of three symbols; the second has a fired up (or down) alert waiting.
struct tAlertWorld {
    explicit tAlertWorld(bool up = true) {
        world.Tape->AddSymbol("AAPL", "Apple");
        item = world.Tape->AddSymbol("ASML.AS", "ASML Holding");
        world.Tape->AddSymbol("BP.L", "BP");
        item->Date = test::kTapeNow;
        item->Close = up ? 50.5 : 44;
        item->Prev = 49.5;
        item->Low = 43.5;
        item->High = 51;
        item->AlertUp = "50";
        item->AlertDown = "45";
        world.Tape->Direction = kDirectionLeft;
        EvaluateAlerts(*item, item->Close, 0, 0, 0, world.Clock);
    }

    std::unique_ptr<tScr_AlertForm> Open(std::vector<tAlertChannel*> channels = {}) {
        auto form = std::make_unique<tScr_AlertForm>(
            item, *world.Tape, std::move(channels), sound,
            [this](const tTickerItem& shown) { broughtIntoView.push_back(shown.Symbol); });
        form->show();
        QApplication::processEvents(); // the first activation runs right after the show
        return form;
    }

    test::tTapeWorld world;
    tRecordingSound sound;
    tTickerItem* item = nullptr;
    std::vector<std::string> broughtIntoView;
};

TEST(AlertFormTest, FirstActivationFillsTheWindowAndHoldsTheTape) {
    tAlertWorld w;
    ASSERT_FALSE(w.item->PendingAlertUp.empty());
    {
        auto form = w.Open();
        EXPECT_EQ(w.world.Tape->Direction, kDirectionHold);
        EXPECT_EQ(w.broughtIntoView, std::vector<std::string>{"ASML.AS"});
        EXPECT_EQ(form->findChild<QLabel*>("Lbl_TitName")->text(), "ASML HOLDING");
        EXPECT_EQ(form->findChild<QLabel*>("Lbl_TitTick")->text(), "ASML.AS");
        EXPECT_EQ(form->findChild<QLineEdit*>("Edit_Last")->text(), "50.5 ");
        EXPECT_EQ(form->EditProc()->text(), "+2.02");
        EXPECT_EQ(form->findChild<QLineEdit*>("Edit_Low")->text(), "43.50");
        EXPECT_FALSE(form->EditMemo()->toPlainText().isEmpty());
        EXPECT_TRUE(w.item->PendingAlertUp.empty()) << "shown once, however it closes";
        EXPECT_EQ(form->Panel()->palette().color(QPalette::Window), QColor(166, 255, 166));
        EXPECT_EQ(w.sound.Beeps, 1) << "no sound files in this program folder";
        EXPECT_TRUE(form->Timer()->isActive());
        EXPECT_EQ(form->Countdown().Maximum(), 150);
    }
    EXPECT_EQ(w.world.Tape->Direction, kDirectionLeft) << "restored when the window goes";
}

TEST(AlertFormTest, CountdownClosesTheUntouchedWindow) {
    tAlertWorld w;
    w.world.Tape->SendMails = true;
    auto form = w.Open();
    form->Timer()->stop(); // the test is the clock
    EXPECT_EQ(form->Countdown().Maximum(), 200);
    form->Tick();
    EXPECT_EQ(form->LblCountDown()->text(), "This window will automatically close in 20 seconds.");
    for (int i = 1; i < 199; ++i) {
        form->Tick();
    }
    EXPECT_EQ(form->LblCountDown()->text(), "This window will automatically close in 1 seconds.");
    EXPECT_TRUE(form->isVisible());
    form->Tick();
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(form->result(), tScr_AlertForm::kResultTimedOut);
}

TEST(AlertFormTest, WaitsForASendThatOutlastsTheCountdown) {
    tAlertWorld w;
    tSlowChannel mail;
    bool visibleAtExpiry = false;
    tScr_AlertForm* shown = nullptr;
    mail.During = [&] {
        shown->Timer()->stop();
        while (shown->Countdown().Running()) {
            shown->Tick();
        }
        visibleAtExpiry = shown->isVisible();
    };
    auto form = std::make_unique<tScr_AlertForm>(w.item, *w.world.Tape, std::vector<tAlertChannel*>{&mail},
                                                 w.sound, nullptr);
    shown = form.get();
    form->show();
    QApplication::processEvents();
    EXPECT_TRUE(visibleAtExpiry) << "never closes while a send runs";
    EXPECT_FALSE(form->isVisible()) << "closes as soon as the send is over";
    EXPECT_EQ(form->result(), tScr_AlertForm::kResultTimedOut);
    const QStringList memo = form->EditMemo()->toPlainText().split('\n');
    ASSERT_EQ(memo.size(), 2);
    EXPECT_EQ(memo[1], "E-mail was sent to : me@example.test");
    EXPECT_EQ(mail.Message, memo[0].toStdString());
}

TEST(AlertFormTest, TouchingTheWindowStopsTheCountdownForGood) {
    const char* touches[] = {"memo", "band"};
    for (const char* touch : touches) {
        SCOPED_TRACE(touch);
        tAlertWorld w(false);
        auto form = w.Open();
        form->activateWindow();
        form->BtnFocus()->setFocus();
        for (int i = 0; i < 5; ++i) {
            form->Tick();
        }
        EXPECT_EQ(form->Panel()->palette().color(QPalette::Window), QColor(255, 255, 255)) << "flashed off";
        if (std::string(touch) == "memo") {
            QTest::mouseClick(form->EditMemo()->viewport(), Qt::LeftButton);
        } else {
            QTest::mouseClick(form->Panel(), Qt::LeftButton);
        }
        EXPECT_FALSE(form->Countdown().Running());
        EXPECT_FALSE(form->Timer()->isActive());
        EXPECT_FALSE(form->LblCountDown()->isVisible());
        EXPECT_EQ(form->Panel()->palette().color(QPalette::Window), QColor(255, 255, 255));
        form->Tick();
        EXPECT_TRUE(form->isVisible());
        QTest::mouseClick(form->BtnReschedule(), Qt::LeftButton);
        EXPECT_EQ(form->result(), tScr_AlertForm::kResultReschedule);
    }
}

TEST(AlertFormTest, Screenshots) {
    for (bool up : {true, false}) {
        tAlertWorld w(up);
        w.item->RecentTrades = {"15/03/2024|14:30:00|49|51|43.5|50.5|900"};
        tSlowChannel mail;
        auto form = w.Open({&mail});
        form->Timer()->stop();
        for (int i = 0; i < 23; ++i) {
            form->Tick();
        }
        QApplication::processEvents();
        const QImage image = form->grab().toImage();
        EXPECT_EQ(image.size(), QSize(362, 279));
        EXPECT_TRUE(image.save(QString::fromStdString(
            test::ScreenshotPath(up ? "alert_form_up.png" : "alert_form_down.png").string())));
    }
}

} // namespace
} // namespace vc
