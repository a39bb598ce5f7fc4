#include "dialogs/symbol_properties.h"

#include <algorithm>
#include <cmath>

#include "toolkit/dates.h"
#include "toolkit/text.h"

namespace vc {

namespace {

constexpr tColor kLightGreen = 0xD9FFD9; // white with pure green at 0.15
constexpr tColor kLightRed = 0xD2D2FF;   // red 255, green 210, blue 210

std::string Fixed2(double value) {
    return Trim(FormatFixed(value, 30, 2));
}

} // namespace

std::vector<std::string> PercentMenuCaptions(double close, tAlertSide side) {
    std::vector<std::string> captions;
    for (double step : kPercentSteps) {
        const double percent = side == tAlertSide::Up ? step : -step;
        if (close == 0) {
            captions.emplace_back();
            continue;
        }
        captions.push_back(Fixed2(close * (100 + percent) / 100) + " (" + (percent > 0 ? "+" : "") +
                           Fixed2(percent) + "%)");
    }
    return captions;
}

std::string ThresholdOfCaption(std::string_view caption) {
    return Trim(caption.substr(0, caption.find('(')));
}

std::optional<std::string> AcceptThreshold(std::string_view text) {
    std::string accepted(text);
    std::replace(accepted.begin(), accepted.end(), ',', '.');
    const bool onlyDigitsAndPoints = std::all_of(accepted.begin(), accepted.end(),
                                                 [](char c) { return c == '.' || (c >= '0' && c <= '9'); });
    if (!onlyDigitsAndPoints || std::count(accepted.begin(), accepted.end(), '.') > 1) {
        return std::nullopt;
    }
    return accepted;
}

std::string ThresholdHint(const tTickerItem& item, tAlertSide side, std::string_view text, bool markerShown,
                          std::string_view shortDateFormat) {
    if (Trim(text).empty()) {
        return "Click button for percentages";
    }
    if (markerShown) {
        return AlertHint(item, side, shortDateFormat);
    }
    return "Price is now " + AlertDistanceText(item, Trim(text));
}

void ApplySymbolEdits(tTickerItem& item, const tSymbolEdits& edits) {
    item.Name = Trim(edits.Name);
    if (!edits.UpMarkerShown) {
        item.AlertUp = Trim(edits.AlertUp).substr(0, kThresholdLength);
        item.StampUp = 0;
    }
    if (!edits.DownMarkerShown) {
        item.AlertDown = Trim(edits.AlertDown).substr(0, kThresholdLength);
        item.StampDown = 0;
    }
    item.AlertNews = edits.AlertNews;
    if (edits.NewsLoaded) {
        item.News = edits.NewsLines;
    }
    item.Gainer = 0;
    item.DiscardImages();
}

std::vector<tPriceRow> PriceRows(const tTickerItem& item) {
    std::vector<tPriceRow> rows;
    rows.reserve(item.RecentTrades.size());
    for (const std::string& entry : item.RecentTrades) {
        tPriceRow row;
        row.Time = Field(entry, 2).substr(0, 5);
        row.High = Field(entry, 4);
        row.Low = Field(entry, 5);
        row.Last = Field(entry, 6);
        row.Volume = Field(entry, 7);
        row.Day = ParseDate(Field(entry, 1));
        rows.push_back(std::move(row));
    }
    return rows;
}

std::vector<tNewsRow> NewsRows(const std::vector<std::string>& headlines, double today) {
    std::vector<tNewsRow> rows;
    rows.reserve(headlines.size());
    for (auto line = headlines.rbegin(); line != headlines.rend(); ++line) {
        tNewsRow row;
        const std::string date = Field(*line, 1);
        row.Today = ParseDate(date) == DatePart(today);
        row.Time = row.Today ? Field(*line, 2).substr(0, 5) : date.substr(0, 5);
        row.Subject = Field(*line, 4);
        row.Picture = kNewsPicture;
        if (row.Subject.starts_with("[$$]")) {
            row.Subject.erase(0, 4);
            row.Picture = kPaidNewsPicture;
        }
        if (!row.Today) {
            row.Picture = kOldNewsPicture;
        }
        row.Line = *line;
        rows.push_back(std::move(row));
    }
    return rows;
}

std::string NewsHint(std::string_view line) {
    const std::string source = Field(line, 5);
    return DateOf(ParseDate(Field(line, 1))) + (source.empty() ? "" : " (" + source + ")") + "\r" +
           Field(line, 4) + "...";
}

std::string NewsLink(std::string_view line) {
    std::size_t at = 0;
    for (int bar = 0; bar < 5; ++bar) {
        at = line.find('|', at);
        if (at == std::string_view::npos) {
            return {};
        }
        ++at;
    }
    return std::string(line.substr(at));
}

tColor BlendColor(tColor base, tColor with, double weight) {
    tColor result = 0;
    for (int shift : {0, 8, 16}) {
        const double a = (base >> shift) & 0xFF;
        const double b = (with >> shift) & 0xFF;
        result |= static_cast<tColor>(std::lround((1 - weight) * a + weight * b)) << shift;
    }
    return result;
}

tColor PriceRowColor(double last, std::optional<double> above, bool selected, tColor gridColor) {
    const tColor grey = BlendColor(kClWhite, kClBlack, 0.2);
    if (!above) {
        return selected ? grey : gridColor;
    }
    if (last < *above) {
        return selected ? BlendColor(kClWhite, kClRed, 0.6) : kLightRed;
    }
    if (last > *above) {
        return selected ? BlendColor(kClWhite, kClLime, 0.6) : kLightGreen;
    }
    return selected ? grey : kClWhite;
}

tColor NewsLastRowColor(const tTickerItem& item, bool selected) {
    if (item.Close > item.Prev) {
        return selected ? BlendColor(kClWhite, kClLime, 0.6) : kLightGreen;
    }
    if (item.Close < item.Prev) {
        return selected ? BlendColor(kClWhite, kClRed, 0.6) : kLightRed;
    }
    return selected ? BlendColor(kClWhite, kClGray, 0.6) : kClWhite;
}

tColor DarkenedColumn(tColor background) {
    return BlendColor(background, kClBlack, 0.1);
}

} // namespace vc
