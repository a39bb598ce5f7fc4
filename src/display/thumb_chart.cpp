#include "display/thumb_chart.h"

#include "toolkit/text.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace vc {
namespace {

// Truncation toward zero that stays defined for values outside int and for NaN, which a scale
// spanning extreme prices can produce.
int TruncateToInt(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    constexpr double kLow = std::numeric_limits<int>::min();
    constexpr double kHigh = std::numeric_limits<int>::max();
    if (value <= kLow) {
        return std::numeric_limits<int>::min();
    }
    if (value >= kHigh) {
        return std::numeric_limits<int>::max();
    }
    return static_cast<int>(value);
}

} // namespace

void tThumbChart::AddPoint(std::string_view text) {
    std::string trimmed = Trim(text);
    const double value = ToNumber(trimmed);
    if (value == 0) {
        return;
    }
    if (points_.empty()) {
        maxValue_ = value;
        minValue_ = value;
    } else {
        maxValue_ = std::max(maxValue_, value);
        minValue_ = std::min(minValue_, value);
    }
    points_.push_back(std::move(trimmed));
    if (MaxPoints != -1) {
        const std::size_t keep = MaxPoints > 0 ? static_cast<std::size_t>(MaxPoints) : 0;
        if (points_.size() > keep) {
            points_.erase(points_.begin(),
                          points_.begin() + static_cast<std::ptrdiff_t>(points_.size() - keep));
        }
    }
}

void tThumbChart::AddPoints(std::string_view text) {
    while (!text.empty()) {
        const std::size_t bar = text.find('|');
        AddPoint(text.substr(0, bar));
        if (bar == std::string_view::npos) {
            break;
        }
        text.remove_prefix(bar + 1);
    }
}

int tThumbChart::PointX(int index) const {
    if (!Stretch) {
        return TruncateToInt(static_cast<double>(index) * 3 + MarginX);
    }
    const long long n =
        MaxPoints != -1 ? static_cast<long long>(MaxPoints) - 1 : static_cast<long long>(points_.size()) - 1;
    if (index == 0 || n == 0) {
        return MarginX;
    }
    if (index == n) {
        return TruncateToInt(static_cast<double>(Width) - MarginX);
    }
    const double span = static_cast<double>(Width) - 2.0 * MarginX - 1;
    return TruncateToInt(static_cast<double>(index) * span / static_cast<double>(n) + MarginX);
}

int tThumbChart::ValueY(double value) const {
    if (maxValue_ == minValue_) {
        return Height / 2;
    }
    if (value == minValue_) {
        return TruncateToInt(static_cast<double>(Height) - MarginY - 1);
    }
    if (value == maxValue_) {
        return MarginY;
    }
    const double span = static_cast<double>(Height) - 2.0 * MarginY;
    return TruncateToInt((maxValue_ - value) * span / (maxValue_ - minValue_) + MarginY);
}

std::vector<tChartPoint> tThumbChart::Polyline() const {
    std::vector<tChartPoint> line;
    if (points_.size() < 2) {
        return line;
    }
    line.reserve(points_.size());
    for (std::size_t i = 0; i < points_.size(); ++i) {
        line.push_back({PointX(static_cast<int>(i)), ValueY(ToNumber(points_[i]))});
    }
    return line;
}

} // namespace vc
