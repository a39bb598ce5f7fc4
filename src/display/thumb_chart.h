// Thumb chart: a tiny line chart of a price series without axes or labels. This half holds the
// values and works out where each point lands in the bitmap; display/qt/thumb_chart_painter.h
// draws it.
#pragma once

#include "toolkit/colors.h"

#include <string>
#include <string_view>
#include <vector>

namespace vc {

struct tChartPoint {
    int X = 0;
    int Y = 0;
    bool operator==(const tChartPoint&) const = default;
};

class tThumbChart {
public:
    int Width = 10;
    int Height = 10;
    tColor BackColor = kClWindow;
    tColor LineColor = kClBlue;
    int MarginX = 0;
    int MarginY = 0;
    // How many of the newest points are kept; -1 keeps them all.
    int MaxPoints = -1;
    // Spread the points over the whole width instead of placing them three pixels apart.
    bool Stretch = false;

    // Adds one value; a text that reads as 0 (empty, "N/A", "0") is ignored.
    void AddPoint(std::string_view text);
    // Adds each part of a "|"-separated text in order.
    void AddPoints(std::string_view text);

    const std::vector<std::string>& Points() const { return points_; }
    double MaxValue() const { return maxValue_; }
    double MinValue() const { return minValue_; }

    int PointX(int index) const;
    int ValueY(double value) const;
    // The line through every point, oldest first; empty with fewer than two points, when only
    // the background is drawn.
    std::vector<tChartPoint> Polyline() const;

private:
    std::vector<std::string> points_;
    // The scale only ever widens: dropping old points does not shrink it.
    double maxValue_ = 0;
    double minValue_ = 0;
};

} // namespace vc
