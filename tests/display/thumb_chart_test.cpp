#include "display/thumb_chart.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace vc {
namespace {

struct tChartCase {
    const char* Label;
    int Width;
    int Height;
    bool Stretch;
    int MaxPoints;
    int MarginX;
    int MarginY;
    std::vector<std::string> Added; // each through AddPoint
    std::vector<std::string> Kept;
    double Max;
    double Min;
    std::vector<tChartPoint> Line;
};

const tChartCase kCases[] = {
    {"three points stretched",
     30,
     20,
     true,
     -1,
     0,
     0,
     {"10", "12", "11"},
     {"10", "12", "11"},
     12,
     10,
     {{0, 19}, {14, 0}, {30, 10}}},
    {"single point draws no line", 30, 20, true, -1, 0, 0, {"10"}, {"10"}, 10, 10, {}},
    {"zero and N/A are ignored",
     30,
     20,
     true,
     -1,
     0,
     0,
     {"10", "0", "N/A", "", "  0.00", "12"},
     {"10", "12"},
     12,
     10,
     {{0, 19}, {30, 0}}},
    // The dropped 5 still bounds the scale from below, so 10 is not at the bottom row.
    {"limit drops the oldest but keeps its extreme",
     30,
     20,
     true,
     3,
     0,
     0,
     {"5", "10", "12", "11"},
     {"10", "12", "11"},
     12,
     5,
     {{0, 5}, {14, 0}, {30, 2}}},
    {"equal points run through the middle row",
     30,
     21,
     true,
     -1,
     0,
     0,
     {"7.5", "7.50", " 7.5 "},
     {"7.5", "7.50", "7.5"},
     7.5,
     7.5,
     {{0, 10}, {14, 10}, {30, 10}}},
    {"unstretched points sit three pixels apart",
     30,
     20,
     false,
     -1,
     2,
     0,
     {"10", "12", "11"},
     {"10", "12", "11"},
     12,
     10,
     {{2, 19}, {5, 0}, {8, 10}}},
    {"margins inset both axes",
     30,
     20,
     true,
     -1,
     3,
     2,
     {"10", "12", "11", "10.5"},
     {"10", "12", "11", "10.5"},
     12,
     10,
     {{3, 17}, {10, 2}, {18, 10}, {27, 14}}},
    // With a limit the spacing is fixed by the limit, not by the points present so far.
    {"limit sets the spacing before it is reached",
     31,
     20,
     true,
     4,
     0,
     0,
     {"10", "12"},
     {"10", "12"},
     12,
     10,
     {{0, 19}, {10, 0}}},
    {"negative values scale like any other",
     30,
     20,
     true,
     -1,
     0,
     0,
     {"-2", "2", "0.5"},
     {"-2", "2", "0.5"},
     2,
     -2,
     {{0, 19}, {14, 0}, {30, 7}}},
};

TEST(ThumbChartTest, PointsScaleAndLine) {
    for (const tChartCase& c : kCases) {
        SCOPED_TRACE(c.Label);
        tThumbChart chart;
        chart.Width = c.Width;
        chart.Height = c.Height;
        chart.Stretch = c.Stretch;
        chart.MaxPoints = c.MaxPoints;
        chart.MarginX = c.MarginX;
        chart.MarginY = c.MarginY;
        for (const std::string& text : c.Added) {
            chart.AddPoint(text);
        }
        EXPECT_EQ(chart.Points(), c.Kept);
        EXPECT_DOUBLE_EQ(chart.MaxValue(), c.Max);
        EXPECT_DOUBLE_EQ(chart.MinValue(), c.Min);
        EXPECT_EQ(chart.Polyline(), c.Line);
    }
}

TEST(ThumbChartTest, DefaultsMatchAnUnconfiguredChart) {
    const tThumbChart chart;
    EXPECT_EQ(chart.Width, 10);
    EXPECT_EQ(chart.Height, 10);
    EXPECT_EQ(chart.BackColor, 0x80000005u);
    EXPECT_EQ(chart.LineColor, 0x00FF0000u);
    EXPECT_EQ(chart.MaxPoints, -1);
    EXPECT_FALSE(chart.Stretch);
    EXPECT_TRUE(chart.Points().empty());
    EXPECT_EQ(chart.MaxValue(), 0);
    EXPECT_EQ(chart.MinValue(), 0);
}

TEST(ThumbChartTest, AddPointsSplitsOnBarsInOrder) {
    tThumbChart chart;
    chart.AddPoints("10.5|11| N/A |0|9.75|");
    EXPECT_EQ(chart.Points(), (std::vector<std::string>{"10.5", "11", "9.75"}));
    EXPECT_DOUBLE_EQ(chart.MaxValue(), 11);
    EXPECT_DOUBLE_EQ(chart.MinValue(), 9.75);

    tThumbChart empty;
    empty.AddPoints("");
    empty.AddPoints("|||");
    EXPECT_TRUE(empty.Points().empty());
}

TEST(ThumbChartTest, ZeroLimitKeepsNothing) {
    tThumbChart chart;
    chart.MaxPoints = 0;
    chart.Stretch = true;
    chart.AddPoints("1|2|3");
    EXPECT_TRUE(chart.Points().empty());
    EXPECT_TRUE(chart.Polyline().empty());
}

// A scale spanning the whole double range must not turn into undefined conversions.
TEST(ThumbChartTest, ExtremeValuesStayInsideTheBox) {
    tThumbChart chart;
    chart.Width = 20;
    chart.Height = 20;
    chart.Stretch = true;
    chart.AddPoints("-1e308|1e308|0.5");
    chart.AddPoint("-17976931348623157" + std::string(292, '0'));
    chart.AddPoint("17976931348623157" + std::string(292, '0'));
    ASSERT_EQ(chart.Points().size(), 5u);
    for (const tChartPoint& point : chart.Polyline()) {
        EXPECT_GE(point.Y, 0);
        EXPECT_LE(point.Y, 19);
    }
}

} // namespace
} // namespace vc
