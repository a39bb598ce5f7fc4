#include "toolkit/table_paint.h"

#include <algorithm>
#include <cmath>

#include "toolkit/text.h"

namespace vc {

namespace {

constexpr std::size_t kLongText = 1000;
constexpr std::string_view kDots = "...";

bool IsDateColumn(const tKolom& column) {
    return column.ColSorting == tSortType::sort_DATE || column.ColSorting == tSortType::sort_DATEWIN;
}

bool Fits(std::string_view text, int width, const tTextMeasure& measure) {
    return measure.Width(text) <= width;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

tColor Darken(tColor color, int amount, int steps) {
    if (color == kClNone || color == kClDefault || IsSystemColor(color)) {
        return color;
    }
    const long long lower = static_cast<long long>(amount) * steps;
    auto channel = [&](int shift) {
        const long long value = static_cast<long long>((color >> shift) & 0xFF) - lower;
        return static_cast<tColor>(std::clamp<long long>(value, 0, 255)) << shift;
    };
    return channel(0) | channel(8) | channel(16);
}

tColor HeaderLineColor(tColor start, int colSteps, int y) {
    return Darken(start, colSteps, 2 * std::max(0, y - 1));
}

int HeaderFaceStart(int height, bool pressed, int pressColOfs) {
    return (height - 1) / 2 + (pressed ? pressColOfs : 0);
}

tColor HeaderBorderColor(tColor start, int colSteps, int height) {
    const tColor border = Darken(start, colSteps, height + 7);
    return border == start ? kClGray : border;
}

tColor BandColor(int row, int rowsPerBand, tColor colorOdd, tColor colorEven) {
    const int band = (row - 1) / std::max(1, rowsPerBand);
    return band % 2 != 0 ? colorEven : colorOdd;
}

std::string CutLongText(std::string_view text) {
    if (text.size() <= kLongText) {
        return std::string(text);
    }
    return std::string(text.substr(0, kLongText - kDots.size())) + std::string(kDots);
}

std::string EndShortened(std::string_view text, int width, const tTextMeasure& measure) {
    if (Fits(text, width, measure)) {
        return std::string(text);
    }
    const int average = std::max(1, measure.AverageCharWidth);
    if (width < 3 * average) {
        return ".";
    }
    auto candidate = [&](std::size_t n) { return std::string(text.substr(0, n)) + std::string(kDots); };
    std::size_t n = std::min(text.size(), static_cast<std::size_t>(std::max(0, width / average - 1)));
    while (n > 0 && !Fits(candidate(n), width, measure)) {
        --n;
    }
    while (n < text.size() && Fits(candidate(n + 1), width, measure)) {
        ++n;
    }
    return candidate(n);
}

std::string PathShortened(std::string_view text, int width, const tTextMeasure& measure) {
    if (Fits(text, width, measure)) {
        return std::string(text);
    }
    const auto slash = text.find_last_of("\\/");
    if (slash == std::string_view::npos) {
        return EndShortened(text, width, measure);
    }
    const std::string_view folder = text.substr(0, slash);
    const std::string_view tail = text.substr(slash); // the separator and the file name
    // Give up the folder from its end first: the drive and the top folders say most about where
    // a file lives, the file name says what it is.
    for (std::size_t keep = folder.size(); keep-- > 0;) {
        std::string candidate = std::string(folder.substr(0, keep)) + std::string(kDots) + std::string(tail);
        if (Fits(candidate, width, measure)) {
            return candidate;
        }
    }
    return EndShortened(text.substr(slash + 1), width, measure);
}

std::string DecimalShortened(std::string_view text, int width, const tTextMeasure& measure) {
    if (Fits(text, width, measure)) {
        return std::string(text);
    }
    const std::string trimmed = Trim(text);
    if (!IsNumber(trimmed)) {
        return EndShortened(text, width, measure);
    }
    const double value = ToNumber(trimmed);
    // By magnitude, so that a loss of two and a half million reads -2.50M as well.
    const double magnitude = std::fabs(value);
    std::string shortened;
    if (magnitude > 1000000.0) {
        shortened = Trim(FormatFixed(value / 1000000.0, 30, 2)) + "M";
    } else if (magnitude > 1000.0) {
        shortened = Trim(FormatFixed(value / 1000.0, 30, 1)) + "K";
    } else {
        return EndShortened(text, width, measure);
    }
    return EndShortened(shortened, width, measure);
}

std::string DateShortened(std::string_view text, int width, const tTextMeasure& measure) {
    if (Fits(text, width, measure)) {
        return std::string(text);
    }
    // The first run of exactly four digits is the year, in DD/MM/YYYY and in the user's format.
    std::size_t year = std::string_view::npos;
    for (std::size_t i = 0; i < text.size();) {
        if (!IsDigit(text[i])) {
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < text.size() && IsDigit(text[end])) {
            ++end;
        }
        if (end - i == 4) {
            year = i;
            break;
        }
        i = end;
    }
    if (year == std::string_view::npos) {
        return EndShortened(text, width, measure);
    }
    std::string twoDigits = std::string(text.substr(0, year)) + std::string(text.substr(year + 2));
    if (Fits(twoDigits, width, measure)) {
        return twoDigits;
    }
    // Without the year and the separator that joined it to the day or month.
    std::size_t from = year;
    std::size_t to = year + 4;
    if (from > 0 && !IsDigit(text[from - 1]) && text[from - 1] != ' ') {
        --from;
    } else if (to < text.size() && !IsDigit(text[to]) && text[to] != ' ') {
        ++to;
    }
    std::string noYear = std::string(text.substr(0, from)) + std::string(text.substr(to));
    return EndShortened(noYear, width, measure);
}

std::string CellDisplayText(std::string_view text, const tKolom& column, int width,
                            const tTextMeasure& measure) {
    const std::string cut = CutLongText(text);
    switch (column.Ellips) {
    case tEllipsType::ellips_NONE:
        return cut;
    case tEllipsType::ellips_PATH:
        return PathShortened(cut, width, measure);
    case tEllipsType::ellips_ARROW:
        return {};
    case tEllipsType::ellips_DECIMAL:
        return DecimalShortened(cut, width, measure);
    case tEllipsType::ellips_TEXT:
    case tEllipsType::ellips_BARS:
        break;
    }
    if (IsDateColumn(column)) {
        return DateShortened(cut, width, measure);
    }
    if (cut.find_first_of("\r\n") != std::string::npos) {
        return cut;
    }
    return EndShortened(cut, width, measure);
}

tCellArrow CellArrowOf(std::string_view text) {
    if (text == "UP") {
        return tCellArrow::Up;
    }
    if (text == "DOWN") {
        return tCellArrow::Down;
    }
    if (text == "EQUAL") {
        return tCellArrow::Level;
    }
    if (!IsNumber(text)) {
        return tCellArrow::None;
    }
    const double value = ToNumber(text);
    return value > 0 ? tCellArrow::Up : value < 0 ? tCellArrow::Down : tCellArrow::Level;
}

} // namespace vc
