#include "display/qt/thumb_chart_painter.h"

#include <QColor>
#include <QImage>
#include <gtest/gtest.h>

namespace vc {
namespace {

constexpr tColor kOlive = kClOlive;
constexpr tColor kWhite = kClWhite;
const QRgb kOliveRgb = qRgb(128, 128, 0);
const QRgb kWhiteRgb = qRgb(255, 255, 255);

tThumbChart ItemChart(int width, int height) {
    tThumbChart chart;
    chart.Width = width;
    chart.Height = height;
    chart.BackColor = kOlive;
    chart.LineColor = kWhite;
    chart.Stretch = true;
    chart.MaxPoints = width;
    return chart;
}

int CountPixels(const QImage& image, QRgb color) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            count += image.pixel(x, y) == color ? 1 : 0;
        }
    }
    return count;
}

TEST(ThumbChartPainterTest, LineRunsThroughThePointsOnTheBackground) {
    tThumbChart chart = ItemChart(30, 20);
    chart.MaxPoints = -1;
    chart.AddPoints("10|12|11|");
    const QImage image = Draw(chart);
    ASSERT_EQ(image.size(), QSize(30, 20));

    for (const QPoint point : {QPoint(0, 19), QPoint(14, 0), QPoint(22, 5), QPoint(29, 9)}) {
        SCOPED_TRACE(testing::Message() << point.x() << "," << point.y());
        EXPECT_EQ(image.pixel(point), kWhiteRgb);
    }
    for (const QPoint point : {QPoint(0, 0), QPoint(29, 0), QPoint(29, 19), QPoint(14, 19), QPoint(3, 3)}) {
        SCOPED_TRACE(testing::Message() << point.x() << "," << point.y());
        EXPECT_EQ(image.pixel(point), kOliveRgb);
    }
    // Exactly two colours: no antialiasing fringe that the olive colour key would leave behind.
    EXPECT_EQ(CountPixels(image, kWhiteRgb) + CountPixels(image, kOliveRgb), 30 * 20);
    // One pixel per column at least: the line is unbroken across the width.
    for (int x = 0; x < 30; ++x) {
        bool found = false;
        for (int y = 0; y < 20 && !found; ++y) {
            found = image.pixel(x, y) == kWhiteRgb;
        }
        EXPECT_TRUE(found) << "column " << x;
    }
}

TEST(ThumbChartPainterTest, FewerThanTwoPointsGiveOnlyTheBackground) {
    for (const char* points : {"", "10", "10|0|N/A"}) {
        SCOPED_TRACE(points);
        tThumbChart chart = ItemChart(12, 8);
        chart.AddPoints(points);
        const QImage image = Draw(chart);
        ASSERT_EQ(image.size(), QSize(12, 8));
        EXPECT_EQ(CountPixels(image, kOliveRgb), 12 * 8);
    }
}

TEST(ThumbChartPainterTest, EqualPointsDrawTheMiddleRow) {
    tThumbChart chart = ItemChart(16, 9);
    chart.AddPoints("5|5|5");
    const QImage image = Draw(chart);
    EXPECT_EQ(image.pixel(0, 4), kWhiteRgb);
    EXPECT_EQ(image.pixel(1, 4), kWhiteRgb);
    EXPECT_EQ(image.pixel(0, 3), kOliveRgb);
    EXPECT_EQ(image.pixel(0, 5), kOliveRgb);
}

TEST(ThumbChartPainterTest, ChartWithoutAreaGivesNoImage) {
    for (const QSize size : {QSize(0, 10), QSize(10, 0), QSize(-3, 5)}) {
        tThumbChart chart = ItemChart(size.width(), size.height());
        chart.AddPoints("1|2");
        EXPECT_TRUE(Draw(chart).isNull());
    }
}

} // namespace
} // namespace vc
