#include "app/qt/alert_window_presenter.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "notify/alert_sound.h"
#include "notify/qt/alert_form.h"
#include "tape/alerts.h"
#include "tape/tape_test_support.h"

namespace vc {
namespace {

class tSilentSound : public tAlertSound {
public:
    void Play(const std::string&) override {}
    void Beep() override {}
};

// Clicks a button of the alert window once it is up.
void ClickWhenShown(const char* button) {
    QTimer::singleShot(50, [button] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        QTest::mouseClick(modal->findChild<QPushButton*>(button), Qt::LeftButton);
    });
}

TEST(AlertWindowPresenterTest, RescheduleOpensThePropertiesAfterTheWindowWent) {
    const struct {
        const char* Button;
        int Result;
        bool PropertiesOpened;
    } cases[] = {{"Btn_Reschedule", tScr_AlertForm::kResultReschedule, true},
                 {"btn_Close", tScr_AlertForm::kResultClose, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Button);
        test::tTapeWorld world;
        tTickerItem* item = world.Tape->AddSymbol("MSFT", "Microsoft");
        item->Date = test::kTapeNow;
        item->Close = 420;
        item->AlertUp = "400";
        EvaluateAlerts(*item, item->Close, 0, 0, 0, world.Clock);
        tSilentSound sound;
        std::vector<tAlertChannel*> channels;
        std::vector<std::string> events;
        tAlertWindowHooks hooks;
        hooks.HoldBarOpen = [&] { events.push_back("hold"); };
        hooks.ReleaseBar = [&] { events.push_back("release"); };
        hooks.OpenProperties = [&](tTickerItem& shown) {
            events.push_back("properties " + shown.Symbol +
                             (QApplication::activeModalWidget() == nullptr ? "" : " over the alert"));
        };
        tAlertWindowPresenter presenter(*world.Tape, sound, channels, hooks, nullptr);
        ClickWhenShown(c.Button);
        presenter.Present(*item);
        EXPECT_EQ(presenter.LastResult(), c.Result);
        std::vector<std::string> expected = {"hold", "release"};
        if (c.PropertiesOpened) {
            expected.push_back("properties MSFT");
        }
        EXPECT_EQ(events, expected);
    }
}

} // namespace
} // namespace vc
