#include "display/qt/speed_control.h"

#include <QApplication>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QPainter>
#include <gtest/gtest.h>

namespace vc {
namespace {

// Two 11-pixel frames on magenta: a blue square, then a green one.
QImage TestStrip() {
    QImage strip(22, 11, QImage::Format_RGB32);
    strip.fill(Qt::magenta);
    QPainter painter(&strip);
    painter.fillRect(2, 2, 7, 7, Qt::blue);
    painter.fillRect(13, 2, 7, 7, Qt::green);
    return strip;
}

void Send(QWidget& widget, QEvent::Type type, QPoint at) {
    QMouseEvent event(type, QPointF(at), QPointF(widget.mapToGlobal(at)), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&widget, &event);
}

TEST(tSpeedControlTest, PaintsItsFrameCentredWithTheStripBackgroundLeftOut) {
    struct tCase {
        int index;
        QColor centre;
    };
    for (const tCase c : {tCase{0, Qt::blue}, tCase{1, Qt::green}}) {
        SCOPED_TRACE(c.index);
        tSpeedControl button(TestStrip(), c.index);
        button.resize(15, 15);
        const QImage image = button.grab().toImage();
        EXPECT_EQ(image.pixelColor(7, 7), c.centre);
        // Frame pixel (1, 1) is background: it shows the button's own background instead.
        EXPECT_NE(image.pixelColor(3, 3), QColor(Qt::magenta));
        EXPECT_EQ(image.pixelColor(3, 3), image.pixelColor(0, 0));
    }
}

TEST(tSpeedControlTest, RaisedUnderTheMouseSunkenWhilePressedAndClickOnlyWhenReleasedOver) {
    tSpeedControl button(TestStrip(), 0);
    button.resize(15, 15);
    int clicks = 0;
    button.OnClick = [&] { ++clicks; };
    const QColor plain = button.grab().toImage().pixelColor(0, 0);
    const QRgb shadow = button.palette().color(QPalette::Dark).rgb();

    QEnterEvent enter{QPointF(5, 5), QPointF(5, 5), QPointF(button.mapToGlobal(QPoint(5, 5)))};
    QApplication::sendEvent(&button, &enter);
    QImage image = button.grab().toImage();
    EXPECT_EQ(image.pixel(0, 0), QColor(Qt::white).rgb());
    EXPECT_EQ(image.pixel(14, 14), shadow);

    Send(button, QEvent::MouseButtonPress, {5, 5});
    image = button.grab().toImage();
    EXPECT_EQ(image.pixel(0, 0), shadow);
    EXPECT_EQ(image.pixel(14, 14), QColor(Qt::white).rgb());
    Send(button, QEvent::MouseButtonRelease, {5, 5});
    EXPECT_EQ(clicks, 1);

    Send(button, QEvent::MouseButtonPress, {5, 5});
    Send(button, QEvent::MouseButtonRelease, {40, 5});
    EXPECT_EQ(clicks, 1);

    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&button, &leave);
    EXPECT_EQ(button.grab().toImage().pixelColor(0, 0), plain);
}

TEST(tSpeedControlTest, TheTapeButtonStripHasACrossAndAnArrowOnItsBackground) {
    const QImage strip = ButtonStrip();
    ASSERT_EQ(strip.width(), 2 * strip.height());
    const QColor background = strip.pixelColor(0, 0);
    for (const int frame : {kCloseButtonFrame, kOptionsButtonFrame}) {
        SCOPED_TRACE(frame);
        int drawn = 0;
        for (int y = 0; y < strip.height(); ++y) {
            for (int x = frame * strip.height(); x < (frame + 1) * strip.height(); ++x) {
                drawn += strip.pixelColor(x, y) != background ? 1 : 0;
            }
        }
        EXPECT_GT(drawn, 10);
    }
}

} // namespace
} // namespace vc
