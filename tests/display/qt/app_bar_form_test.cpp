#include "display/qt/app_bar_form.h"

#include <QApplication>
#include <QEnterEvent>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "display/qt/float_bar.h"
#include "support/recording_edge_dock.h"

namespace vc {
namespace {

using test::tDockLog;
using test::tRecordingEdgeDock;

constexpr int kTape = 24;

class tAppBarFormTest : public ::testing::Test {
protected:
    void SetUp() override {
        screen_ = QGuiApplication::primaryScreen()->geometry();
        form_ = std::make_unique<tAppBarForm>(std::make_unique<tRecordingEdgeDock>(log_));
        auto bar = std::make_unique<tFloatBar>();
        auto* tape = new QWidget;
        tape->resize(10, kTape);
        bar->SetChild(tape);
        form_->SetFloatBar(std::move(bar), [this] { return tapeHeight_; });
    }

    std::optional<tDockStrut> Strut() const { return log_.Struts.at(form_->winId()); }
    tFloatBar& Bar() const { return *form_->FloatBar(); }
    bool BarShown() const { return Bar().isVisible(); }
    bool Timing() const { return form_->HideTimer().isActive(); }
    int ScreenBottom() const { return screen_.y() + screen_.height(); }

    void Enter() {
        QEnterEvent event(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
        QApplication::sendEvent(form_.get(), &event);
    }
    void Leave() {
        QEvent event(QEvent::Leave);
        QApplication::sendEvent(form_.get(), &event);
    }

    tDockLog log_;
    QRect screen_;
    int tapeHeight_ = kTape;
    std::unique_ptr<tAppBarForm> form_;
};

tDockStrut BottomStrut(int height, int width) {
    tDockStrut s;
    s.Bottom = height;
    s.BottomEndX = width - 1;
    return s;
}

tDockStrut TopStrut(int height, int width) {
    tDockStrut s;
    s.Top = height;
    s.TopEndX = width - 1;
    return s;
}

TEST_F(tAppBarFormTest, IsAToolWindowMarkedAsDockBeforeItIsShown) {
    EXPECT_TRUE(form_->windowFlags().testFlag(Qt::Tool));
    EXPECT_TRUE(form_->windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(form_->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    ASSERT_FALSE(log_.Docks.empty());
    EXPECT_EQ(log_.Docks.front(), form_->winId());
    // Created with no height: nothing reserved.
    EXPECT_FALSE(Strut().has_value());
    EXPECT_EQ(form_->HideTimer().interval(), 2500);
    EXPECT_FALSE(Timing());
}

TEST_F(tAppBarFormTest, TheReservedStripFollowsEveryChangeOfHeightAndEdge) {
    struct tStep {
        const char* Name;
        void (*Run)(tAppBarForm&);
        QRect Geometry; // relative to the screen's top-left, width -1 for the screen's width
        bool Reserved;
    };
    const int w = screen_.width();
    const int h = screen_.height();
    form_->show();
    const tStep steps[] = {
        {"24 high at the top", [](tAppBarForm& f) { f.SetBarHeight(24); }, {0, 0, -1, 24}, true},
        {"to the bottom",
         [](tAppBarForm& f) { f.SetEdgePosition(tDockEdge::Bottom); },
         {0, h - 24, -1, 24},
         true},
        {"taller", [](tAppBarForm& f) { f.SetBarHeight(40); }, {0, h - 40, -1, 40}, true},
        {"resized directly", [](tAppBarForm& f) { f.resize(f.width(), 30); }, {0, h - 30, -1, 30}, true},
        {"auto-hide strip", [](tAppBarForm& f) { f.SetBarHeight(2); }, {0, h - 2, -1, 2}, true},
        {"back to the top", [](tAppBarForm& f) { f.SetEdgePosition(tDockEdge::Top); }, {0, 0, -1, 2}, true},
        {"no height", [](tAppBarForm& f) { f.SetBarHeight(0); }, {0, 0, -1, 0}, false},
    };
    for (const tStep& step : steps) {
        SCOPED_TRACE(step.Name);
        step.Run(*form_);
        const QRect expected(screen_.x() + step.Geometry.x(), screen_.y() + step.Geometry.y(),
                             step.Geometry.width() < 0 ? w : step.Geometry.width(), step.Geometry.height());
        EXPECT_EQ(form_->geometry(), expected);
        const int height = form_->height();
        if (!step.Reserved) {
            EXPECT_FALSE(Strut().has_value());
            continue;
        }
        ASSERT_TRUE(Strut().has_value());
        EXPECT_EQ(*Strut(), form_->Edge() == tDockEdge::Top ? TopStrut(height, w) : BottomStrut(height, w));
    }
}

TEST_F(tAppBarFormTest, StartsDockedAsTheTapeOrAsAStripWithTheBarApart) {
    struct tCase {
        const char* Name;
        bool AutoHide;
        tDockEdge Edge;
    };
    const tCase cases[] = {
        {"normal at the top", false, tDockEdge::Top},
        {"normal at the bottom", false, tDockEdge::Bottom},
        {"auto-hide at the top", true, tDockEdge::Top},
        {"auto-hide at the bottom", true, tDockEdge::Bottom},
    };
    for (const tCase& c : cases) {
        SCOPED_TRACE(c.Name);
        SetUp();
        form_->DockAtStart(c.AutoHide, c.Edge);
        form_->show();
        const int height = c.AutoHide ? 2 : kTape;
        EXPECT_EQ(form_->AutoHide(), c.AutoHide);
        EXPECT_EQ(form_->Edge(), c.Edge);
        EXPECT_EQ(form_->height(), height);
        EXPECT_EQ(form_->y(), c.Edge == tDockEdge::Top ? screen_.y() : ScreenBottom() - height);
        ASSERT_TRUE(Strut().has_value());
        EXPECT_EQ(c.Edge == tDockEdge::Top ? Strut()->Top : Strut()->Bottom, height);
        if (c.AutoHide) {
            EXPECT_TRUE(Bar().isWindow());
            EXPECT_TRUE(Bar().windowFlags().testFlag(Qt::WindowStaysOnTopHint));
            EXPECT_FALSE(BarShown());
            EXPECT_EQ(log_.Docks.back(), Bar().winId());
        } else {
            EXPECT_EQ(Bar().parentWidget(), form_.get());
            EXPECT_TRUE(BarShown());
            EXPECT_EQ(Bar().geometry(), QRect(0, 0, screen_.width(), kTape));
            EXPECT_EQ(Bar().Child()->width(), screen_.width());
        }
        EXPECT_FALSE(Timing());
    }
}

TEST_F(tAppBarFormTest, ShowBarPlacesTheBarAgainstTheStripOnTheScreenSide) {
    struct tCase {
        const char* Name;
        tDockEdge Edge;
        int TapeHeight;
    };
    const tCase cases[] = {
        {"bottom", tDockEdge::Bottom, kTape},
        {"top", tDockEdge::Top, kTape},
        {"bottom, taller tape", tDockEdge::Bottom, 60},
        {"top, taller tape", tDockEdge::Top, 60},
    };
    for (const tCase& c : cases) {
        SCOPED_TRACE(c.Name);
        SetUp();
        tapeHeight_ = c.TapeHeight;
        form_->DockAtStart(true, c.Edge);
        form_->show();
        form_->ShowBar();
        const int top = c.Edge == tDockEdge::Bottom ? ScreenBottom() - 2 - c.TapeHeight : screen_.y() + 2;
        EXPECT_TRUE(BarShown());
        EXPECT_EQ(Bar().geometry(), QRect(screen_.x(), top, screen_.width(), c.TapeHeight));
        EXPECT_EQ(Bar().Child()->width(), screen_.width());
        form_->HideBar();
        EXPECT_FALSE(BarShown());
    }
}

TEST_F(tAppBarFormTest, AutoHideFollowsTheStripTheTapeTheTimerAndDialogs) {
    enum tEvent { kEnter, kLeave, kFire, kActivity, kSuspend, kResume, kSlideOut };
    struct tStep {
        const char* Name;
        tEvent Event;
        bool Shown;
        bool Timing;
        bool Attached;
    };
    const tStep steps[] = {
        {"first tick slides out", kSlideOut, true, true, true},
        {"hide delay passes", kFire, false, false, true},
        {"mouse touches the strip", kEnter, true, false, true},
        {"activity while not timing", kActivity, true, false, true},
        {"mouse leaves the strip", kLeave, true, true, true},
        {"activity on the tape", kActivity, true, true, true},
        {"back on the strip", kEnter, true, false, true},
        {"off again", kLeave, true, true, true},
        {"hidden", kFire, false, false, true},
        {"a dialog opens", kSuspend, true, false, false},
        {"mouse leaves during the dialog", kLeave, true, true, false},
        {"delay passes during the dialog", kFire, true, true, false},
        {"the dialog closes", kResume, true, true, true},
        {"hidden after the dialog", kFire, false, false, true},
        {"a dialog opens", kSuspend, true, false, false},
        {"a second one from it", kSuspend, true, false, false},
        {"the inner one closes", kResume, true, false, false},
        {"delay passes under the outer one", kFire, true, false, false},
        {"the outer one closes", kResume, true, true, true},
        {"hidden at last", kFire, false, false, true},
        {"tray click", kSlideOut, true, true, true},
    };
    form_->DockAtStart(true, tDockEdge::Bottom);
    form_->show();
    ASSERT_FALSE(BarShown());
    for (const tStep& step : steps) {
        SCOPED_TRACE(step.Name);
        switch (step.Event) {
        case kEnter:
            Enter();
            break;
        case kLeave:
            Leave();
            break;
        case kFire:
            // What the timer's expiry runs, whether or not the timer is running: a stray expiry
            // must not hide a bar that a dialog holds open.
            form_->HideTimerElapsed();
            break;
        case kActivity:
            form_->KeepShown();
            break;
        case kSuspend:
            form_->SuspendAutoHide();
            break;
        case kResume:
            form_->ResumeAutoHide();
            break;
        case kSlideOut:
            form_->SlideOut();
            break;
        }
        EXPECT_EQ(BarShown(), step.Shown);
        EXPECT_EQ(Timing(), step.Timing);
        EXPECT_EQ(form_->HideTimerAttached(), step.Attached);
    }
}

TEST_F(tAppBarFormTest, WithoutAutoHideTheStripNeverShowsOrTimes) {
    form_->DockAtStart(false, tDockEdge::Top);
    form_->show();
    Enter();
    Leave();
    EXPECT_FALSE(Timing());
    form_->SlideOut();
    form_->SuspendAutoHide();
    EXPECT_FALSE(Timing());
    form_->ResumeAutoHide();
    EXPECT_FALSE(Timing());
    EXPECT_TRUE(form_->HideTimerAttached());
    // The bar stays inside the docked window.
    EXPECT_EQ(Bar().parentWidget(), form_.get());
    EXPECT_EQ(Bar().geometry(), QRect(0, 0, screen_.width(), kTape));
}

TEST_F(tAppBarFormTest, TheRunningHideTimerHidesTheBar) {
    form_->DockAtStart(true, tDockEdge::Top);
    form_->show();
    form_->HideTimer().setInterval(0);
    form_->SlideOut();
    ASSERT_TRUE(BarShown());
    EXPECT_TRUE(QTest::qWaitFor([this] { return !BarShown(); }, 10000));
    EXPECT_FALSE(Timing());
}

TEST_F(tAppBarFormTest, SettingsSwitchModeAndEdge) {
    const int w = screen_.width();
    form_->DockAtStart(false, tDockEdge::Top);
    form_->show();

    // Off to on at the bottom edge: a strip at the bottom, the bar right above it, timing.
    form_->ApplyDockSettings(true, tDockEdge::Bottom);
    EXPECT_TRUE(form_->AutoHide());
    EXPECT_EQ(form_->geometry(), QRect(screen_.x(), ScreenBottom() - 2, w, 2));
    EXPECT_EQ(*Strut(), BottomStrut(2, w));
    EXPECT_TRUE(Bar().isWindow());
    EXPECT_TRUE(BarShown());
    EXPECT_EQ(Bar().geometry(), QRect(screen_.x(), ScreenBottom() - 2 - kTape, w, kTape));
    EXPECT_TRUE(Timing());

    // Edge change in auto-hide mode: the strip moves, the bar hides until it is called.
    form_->ApplyDockSettings(true, tDockEdge::Top);
    EXPECT_EQ(form_->geometry(), QRect(screen_.x(), screen_.y(), w, 2));
    EXPECT_EQ(*Strut(), TopStrut(2, w));
    EXPECT_FALSE(BarShown());
    Enter();
    EXPECT_EQ(Bar().geometry(), QRect(screen_.x(), screen_.y() + 2, w, kTape));

    // On to off: docked as high as the tape, the bar back inside, no timer.
    Leave();
    ASSERT_TRUE(Timing());
    form_->ApplyDockSettings(false, tDockEdge::Top);
    EXPECT_FALSE(form_->AutoHide());
    EXPECT_FALSE(Timing());
    EXPECT_EQ(form_->geometry(), QRect(screen_.x(), screen_.y(), w, kTape));
    EXPECT_EQ(*Strut(), TopStrut(kTape, w));
    EXPECT_EQ(Bar().parentWidget(), form_.get());
    EXPECT_TRUE(BarShown());
    EXPECT_EQ(Bar().geometry(), QRect(0, 0, w, kTape));

    // Edge change in normal mode moves the docked bar at once.
    form_->ApplyDockSettings(false, tDockEdge::Bottom);
    EXPECT_EQ(form_->geometry(), QRect(screen_.x(), ScreenBottom() - kTape, w, kTape));
    EXPECT_EQ(*Strut(), BottomStrut(kTape, w));

    // Nothing changed: nothing is done.
    const int calls = log_.StrutCalls;
    form_->ApplyDockSettings(false, tDockEdge::Bottom);
    EXPECT_EQ(log_.StrutCalls, calls);
}

TEST_F(tAppBarFormTest, ATallerSkinMakesTheDockedBarTallerOrTheShownBarGrowAwayFromTheStrip) {
    const int w = screen_.width();
    form_->DockAtStart(false, tDockEdge::Bottom);
    form_->show();
    tapeHeight_ = 50;
    form_->ApplyTapeHeight();
    EXPECT_EQ(form_->geometry(), QRect(screen_.x(), ScreenBottom() - 50, w, 50));
    EXPECT_EQ(*Strut(), BottomStrut(50, w));
    EXPECT_EQ(Bar().geometry(), QRect(0, 0, w, 50));

    form_->ApplyDockSettings(true, tDockEdge::Bottom);
    ASSERT_TRUE(BarShown());
    tapeHeight_ = 70;
    form_->ApplyTapeHeight();
    // Still ending at the strip, not hanging over it and off the screen.
    EXPECT_EQ(Bar().geometry(), QRect(screen_.x(), ScreenBottom() - 2 - 70, w, 70));
    EXPECT_EQ(*Strut(), BottomStrut(2, w));
    EXPECT_TRUE(Timing());

    // A hidden bar only takes the new height.
    form_->HideTimerElapsed();
    tapeHeight_ = 30;
    form_->ApplyTapeHeight();
    EXPECT_FALSE(BarShown());
    EXPECT_EQ(Bar().height(), 30);
    EXPECT_FALSE(Timing());
}

TEST_F(tAppBarFormTest, LeavesTheTopWhileAFullScreenWindowHasTheScreen) {
    form_->DockAtStart(false, tDockEdge::Top);
    form_->show();
    auto& dock = form_->Dock();
    const std::size_t before = log_.TopmostCalls.size();

    dock.OnFullScreenChange(); // nothing full screen: no change
    EXPECT_EQ(log_.TopmostCalls.size(), before);
    EXPECT_EQ(log_.AskedScreen, (tScreenRect{screen_.x(), screen_.y(), screen_.width(), screen_.height()}));

    log_.FullScreen = true;
    dock.OnFullScreenChange();
    EXPECT_FALSE(form_->Topmost());
    ASSERT_EQ(log_.TopmostCalls.size(), before + 1);
    EXPECT_EQ(log_.TopmostCalls.back(), std::make_pair(tScreenEdgeDock::tWindowId{form_->winId()}, false));
    dock.OnFullScreenChange(); // still full screen: asked again, nothing redone
    EXPECT_EQ(log_.TopmostCalls.size(), before + 1);

    log_.FullScreen = false;
    dock.OnFullScreenChange();
    EXPECT_TRUE(form_->Topmost());
    EXPECT_EQ(log_.TopmostCalls.back(), std::make_pair(tScreenEdgeDock::tWindowId{form_->winId()}, true));
}

TEST_F(tAppBarFormTest, ClosingGivesTheReservedSpaceBack) {
    form_->DockAtStart(false, tDockEdge::Bottom);
    form_->show();
    const auto id = form_->winId();
    ASSERT_TRUE(log_.Struts.at(id).has_value());
    QPointer<tFloatBar> bar = form_->FloatBar();
    form_.reset();
    EXPECT_FALSE(log_.Struts.at(id).has_value());
    EXPECT_TRUE(bar.isNull());
}

TEST_F(tAppBarFormTest, TheFloatingBarWindowGoesWithTheDockedWindow) {
    form_->DockAtStart(true, tDockEdge::Bottom);
    QPointer<tFloatBar> bar = form_->FloatBar();
    ASSERT_TRUE(bar->isWindow());
    form_.reset();
    EXPECT_TRUE(bar.isNull());
}

} // namespace
} // namespace vc
