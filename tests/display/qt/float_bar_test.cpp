#include "display/qt/float_bar.h"

#include <QApplication>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <memory>

#include "display/qt/app_bar_form.h"
#include "platform/plain_edge_dock.h"
#include "support/recording_edge_dock.h"

namespace vc {
namespace {

// Counts the wheel turns it gets and, like a tape that cannot scroll, may leave them unhandled.
class tWheelCounter : public QWidget {
public:
    int Turns = 0;
    int LastDelta = 0;
    bool Accept = true;

protected:
    void wheelEvent(QWheelEvent* event) override {
        ++Turns;
        LastDelta = event->angleDelta().y();
        event->setAccepted(Accept);
    }
};

QWheelEvent Wheel(QPoint at, QPoint global, int delta) {
    return QWheelEvent(at, global, QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                       Qt::NoScrollPhase, false);
}

TEST(FloatBarTest, TheChildSpansTheBarsWidthAndKeepsItsHeight) {
    tFloatBar bar;
    bar.resize(300, 40);
    bar.show();
    auto* child = new QWidget;
    child->resize(10, 22);
    bar.SetChild(child);
    EXPECT_EQ(child->parentWidget(), &bar);
    EXPECT_EQ(child->geometry(), QRect(0, 0, 300, 22));
    bar.resize(640, 40);
    EXPECT_EQ(child->geometry(), QRect(0, 0, 640, 22));

    QPointer<QWidget> old = child;
    bar.SetChild(new QWidget);
    EXPECT_TRUE(old.isNull());
}

TEST(FloatBarTest, ChangesBetweenChildAndOwnWindow) {
    QWidget dock;
    tFloatBar bar;
    EXPECT_TRUE(bar.isWindow());
    for (Qt::WindowType flag : {Qt::Tool, Qt::FramelessWindowHint, Qt::WindowStaysOnTopHint}) {
        EXPECT_TRUE(bar.windowFlags().testFlag(flag));
    }
    bar.BecomeChildOf(&dock);
    EXPECT_FALSE(bar.isWindow());
    EXPECT_EQ(bar.parentWidget(), &dock);
    bar.BecomeTopLevel();
    EXPECT_TRUE(bar.isWindow());
    EXPECT_EQ(bar.parentWidget(), nullptr);
    EXPECT_TRUE(bar.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_FALSE(bar.isVisible());
}

TEST(FloatBarTest, WheelTurnsReachTheChildOnceFromTheBarAndFromTheDockedWindow) {
    struct tCase {
        const char* Name;
        bool Accept;
    };
    for (const tCase c : {tCase{"child takes the turn", true}, tCase{"child leaves it", false}}) {
        SCOPED_TRACE(c.Name);
        tAppBarForm form(std::make_unique<tPlainEdgeDock>());
        auto bar = std::make_unique<tFloatBar>();
        bar->resize(400, 40);
        auto* counter = new tWheelCounter;
        counter->resize(10, 20);
        counter->Accept = c.Accept;
        bar->SetChild(counter);
        tFloatBar* barPtr = bar.get();
        form.SetFloatBar(std::move(bar));

        // Over the bar below its child.
        QWheelEvent onBar = Wheel({5, 30}, {5, 30}, 120);
        QApplication::sendEvent(barPtr, &onBar);
        EXPECT_EQ(counter->Turns, 1);
        EXPECT_EQ(counter->LastDelta, 120);
        EXPECT_EQ(onBar.isAccepted(), c.Accept);

        // Turned over the docked strip.
        QWheelEvent onForm = Wheel({1, 1}, {1, 1}, -240);
        QApplication::sendEvent(&form, &onForm);
        EXPECT_EQ(counter->Turns, 2);
        EXPECT_EQ(counter->LastDelta, -240);
    }
}

} // namespace
} // namespace vc
