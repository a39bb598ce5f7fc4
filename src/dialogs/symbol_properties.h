// What the symbol properties dialog decides without a window: the percentage menus of the two
// thresholds, what a threshold box accepts, the hints of the boxes, the rows and colours of the
// prices and news pages, and how OK writes the dialog back into the item.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tape/alerts.h"
#include "tape/ticker_item.h"
#include "toolkit/colors.h"

namespace vc {

inline constexpr int kNameLength = 20;
inline constexpr int kThresholdLength = 15;

// The ten steps of a percentage menu, in percent (the lower menu uses them negated).
inline constexpr double kPercentSteps[] = {1, 1.25, 1.5, 2, 2.5, 3, 4, 5, 7.5, 10};
inline constexpr const char* kClearAlert = "Clear Alert";

// The ten captions of one side's menu for the last price close ("50.50 (+1.00%)"); all empty when
// close is 0.
std::vector<std::string> PercentMenuCaptions(double close, tAlertSide side);
// What choosing a caption puts into its threshold box: the text before "(", trimmed.
std::string ThresholdOfCaption(std::string_view caption);

// A threshold box's text as typed or pasted: digits and at most one decimal point, a comma taken
// as the point. Nothing when the text holds anything else.
std::optional<std::string> AcceptThreshold(std::string_view text);

// The hint of a threshold box after a change.
std::string ThresholdHint(const tTickerItem& item, tAlertSide side, std::string_view text, bool markerShown,
                          std::string_view shortDateFormat);

// What the user left in the dialog when pressing OK.
struct tSymbolEdits {
    std::string Name;
    std::string AlertUp;
    std::string AlertDown;
    // A marker stays shown while its fired threshold was not touched.
    bool UpMarkerShown = false;
    bool DownMarkerShown = false;
    bool AlertNews = false;
    bool NewsLoaded = false;
    std::vector<std::string> NewsLines; // the whole headline lines, top to bottom
};
// OK: writes the edits into the item. A touched threshold is armed anew (its stamp cleared); a
// fired one left alone keeps threshold and stamp. The item's image is dropped so the tape redraws.
void ApplySymbolEdits(tTickerItem& item, const tSymbolEdits& edits);

// One row of the prices page, from a recent-trades entry.
struct tPriceRow {
    std::string Time; // hours:minutes
    std::string High;
    std::string Low;
    std::string Last;
    std::string Volume;
    double Day = 0; // the trade's date
};
std::vector<tPriceRow> PriceRows(const tTickerItem& item);

// One row of the news page, from a headline line (date|time|id|title|source|link...).
inline constexpr int kNewsPicture = 4;
inline constexpr int kPaidNewsPicture = 5;
inline constexpr int kOldNewsPicture = 9;
struct tNewsRow {
    std::string Time;    // hours:minutes today, day/month before
    std::string Subject; // the title without a leading "[$$]"
    int Picture = kNewsPicture;
    bool Today = false;
    std::string Line; // the whole headline line
};
// The rows in the order the page shows them: the last headline first.
std::vector<tNewsRow> NewsRows(const std::vector<std::string>& headlines, double today);
// "10/12/2026 (Newswire)" + line break + title + "...".
std::string NewsHint(std::string_view line);
// The address a click on the subject opens: field 6 onward of the line.
std::string NewsLink(std::string_view line);

// Colours as 0x00BBGGRR. Each channel of the blend is (1 - weight) x the first colour's + weight x
// the second's, rounded.
tColor BlendColor(tColor base, tColor with, double weight);
// A prices row, by its last price against the row above (first: no row above).
tColor PriceRowColor(double last, std::optional<double> above, bool selected, tColor gridColor);
// The last news row, by the symbol's price direction.
tColor NewsLastRowColor(const tTickerItem& item, bool selected);
// A darkened column (the prices' Last, the news' Time).
tColor DarkenedColumn(tColor background);
// Text of rows from another day.
inline constexpr tColor kOldRowText = 0x808080;
inline constexpr tColor kNavyText = 0x800000;

} // namespace vc
