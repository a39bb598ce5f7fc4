#include "tape/alerts.h"

#include <filesystem>
#include <set>
#include <system_error>

#include "tape/history.h"
#include "tape/ini_text.h"
#include "toolkit/dates.h"
#include "toolkit/text.h"

namespace vc {
namespace {

const char* const kRule = "  _____________________________ \r";

double ThresholdValue(std::string_view threshold) {
    return ini::FloatFromText(threshold);
}

struct tProbe {
    double Price;
    const char* Kind;
};

// The first delivered price that lies beyond the threshold, in the order given.
const tProbe* FirstCrossing(const tProbe (&probes)[4], bool up, double threshold) {
    for (const tProbe& probe : probes) {
        if (probe.Price != 0 && (up ? probe.Price > threshold : probe.Price < threshold)) {
            return &probe;
        }
    }
    return nullptr;
}

std::string PercentChange(double price, double prev) {
    if (prev == 0) {
        return "-";
    }
    const std::string text = FixedText(price / prev * 100 - 100, 2);
    return ToNumber(text) > 0 ? "+" + text : text;
}

} // namespace

bool EvaluateAlerts(tTickerItem& item, double last, double low, double high, double open,
                    const tClock& clock) {
    bool fired = false;
    if (!item.AlertUp.empty() && item.StampUp == 0 && item.PendingAlertUp.empty()) {
        const tProbe probes[4] = {{last, "CLOSE"}, {high, "HIGH"}, {open, "OPEN"}, {low, "LOW"}};
        if (const tProbe* hit = FirstCrossing(probes, true, ThresholdValue(item.AlertUp))) {
            const std::string price = item.PriceFormat(hit->Price);
            item.StampUp = clock.Now();
            item.PendingAlertUp = "Alert UP|" + item.AlertUp + "|" + price + "|" + hit->Kind + " (" + price +
                                  ") raised above ALERT (" + item.AlertUp + ")";
            fired = true;
        }
    }
    if (!item.AlertDown.empty() && item.StampDown == 0 && item.PendingAlertDown.empty()) {
        const tProbe probes[4] = {{last, "CLOSE"}, {low, "LOW"}, {open, "OPEN"}, {high, "HIGH"}};
        if (const tProbe* hit = FirstCrossing(probes, false, ThresholdValue(item.AlertDown))) {
            const std::string price = item.PriceFormat(hit->Price);
            item.StampDown = clock.Now();
            item.PendingAlertDown = "Alert DOWN|" + item.AlertDown + "|" + price + "|" + hit->Kind + " (" +
                                    price + ") dropped below ALERT (" + item.AlertDown + ")";
            fired = true;
        }
    }
    return fired;
}

int AlertState(const tTickerItem& item) {
    const bool threshold = !item.AlertUp.empty() || !item.AlertDown.empty();
    if (threshold) {
        if (item.Close == 0) {
            return 1;
        }
        if (item.StampUp != 0) {
            return 3;
        }
        if (item.StampDown != 0) {
            return 2;
        }
        return 1;
    }
    return item.AlertNews ? 4 : 0;
}

std::string AlertDistanceText(const tTickerItem& item, std::string_view threshold) {
    const double t = ThresholdValue(threshold);
    const double p = item.Close;
    if (t == 0 || p == 0) {
        return std::string();
    }
    if (t > p) {
        return FixedText(t * 100 / p - 100, 1) + "% BELOW alert";
    }
    return FixedText(100 - t * 100 / p, 1) + "% ABOVE alert";
}

std::string AlertHint(const tTickerItem& item, tAlertSide side, std::string_view shortDateFormat) {
    const std::string& threshold = side == tAlertSide::Up ? item.AlertUp : item.AlertDown;
    const double stamp = side == tAlertSide::Up ? item.StampUp : item.StampDown;
    if (threshold.empty()) {
        return std::string();
    }
    if (stamp != 0) {
        return "Alert generated on \r " + FormatDate(stamp, shortDateFormat) + " " + TimeOf(stamp);
    }
    return "Price is now \r" + AlertDistanceText(item, threshold);
}

std::string ItemSummaryText(const tTickerItem& item, const tClock& clock, std::string_view shortDateFormat) {
    const int decimals = item.ItemDecimals();
    std::string text = "  " + item.DisplayName() + " (" + item.Symbol + ") \r";
    text += kRule;
    // The whole date: short formats with month names ("10 Dec 2026") are longer than ten
    // characters, and a cut would lose the year's last digit.
    text +=
        "  DATE: " + FormatDate(item.Date, shortDateFormat) + " " + TimeOf(item.Date).substr(0, 5) + "h \r";
    text += "  LAST: " + FixedText(item.Close, decimals) + "\r";
    text += "  VOLUME: " + FixedText(item.Volume, 0) + "\r";
    const int state = AlertState(item);
    if (state >= 1 && state <= 3) {
        text += kRule;
        const auto side = [&](const std::string& threshold, double stamp) {
            if (threshold.empty()) {
                return;
            }
            if (stamp != 0) {
                text += "  ALERT generated on " + FormatDate(stamp, shortDateFormat) + " " +
                        ShortTimeOf(stamp) + " \r";
            } else {
                text += "  PRICE is now " + AlertDistanceText(item, threshold) + " \r";
            }
        };
        side(item.AlertUp, item.StampUp);
        side(item.AlertDown, item.StampDown);
    }
    if (!item.RecentTrades.empty()) {
        text += kRule;
        const std::string today = DateOf(clock.Now());
        const std::size_t first = item.RecentTrades.size() > 5 ? item.RecentTrades.size() - 5 : 0;
        for (std::size_t i = first; i < item.RecentTrades.size(); ++i) {
            const std::string& entry = item.RecentTrades[i];
            if (Field(entry, 1) != today) {
                continue;
            }
            const std::string price = Field(entry, 6);
            text += "  " + Field(entry, 2).substr(0, 5) + "h  " + price + "  v:" + Field(entry, 7) + " (" +
                    PercentChange(ToNumber(price), item.Prev) + "%) \r";
        }
    }
    return text;
}

tTickerItem* NextPendingAlert(tTickerTape& tape) {
    // Each item competes with the stamp of the alert that makes it a candidate, so the alert that
    // fired first is shown first whichever side it is on.
    tTickerItem* choice = nullptr;
    double choiceStamp = 0;
    for (int i = 0; i < tape.ItemCount(); ++i) {
        tTickerItem& item = tape.ItemAt(i);
        double stamp = 0;
        if (!item.PendingAlertUp.empty()) {
            stamp = item.StampUp;
        } else if (!item.PendingAlertDown.empty()) {
            stamp = item.StampDown;
        } else {
            continue;
        }
        if (choice == nullptr || stamp < choiceStamp) {
            choice = &item;
            choiceStamp = stamp;
        }
    }
    return choice;
}

int CountAlertedItems(const tTickerTape& tape) {
    int count = 0;
    for (int i = 0; i < tape.ItemCount(); ++i) {
        if (AlertState(tape.ItemAt(i)) != 0) {
            ++count;
        }
    }
    return count;
}

bool ClearAllAlerts(tTickerTape& tape) {
    bool changed = false;
    for (int i = 0; i < tape.ItemCount(); ++i) {
        tTickerItem& item = tape.ItemAt(i);
        if (item.AlertUp.empty() && item.AlertDown.empty()) {
            continue;
        }
        item.AlertUp.clear();
        item.AlertDown.clear();
        item.StampUp = 0;
        item.StampDown = 0;
        // An alert waiting to be shown would otherwise still pop up after everything was cleared.
        item.PendingAlertUp.clear();
        item.PendingAlertDown.clear();
        item.DiscardImages();
        changed = true;
    }
    std::error_code ec;
    std::filesystem::remove(HistoryFileName(tape.Values()), ec);
    return changed;
}

std::optional<std::vector<std::string>> FiredAlertList(const tTickerTape& tape) {
    std::vector<std::string> lines;
    for (int i = 0; i < tape.ItemCount(); ++i) {
        const tTickerItem& item = tape.ItemAt(i);
        const int state = AlertState(item);
        if (state != 2 && state != 3) {
            continue;
        }
        const std::string name = item.DisplayName();
        lines.push_back(item.Symbol + "|" + name + "|" +
                        (state == 2 ? "! DOWN alert on " : "! UP alert on ") + name + " (" + item.Symbol +
                        ") ");
    }
    if (lines.empty()) {
        return std::nullopt;
    }
    return lines;
}

std::vector<std::string> ArmedAlertList(const tTickerTape& tape) {
    std::set<std::string> sorted;
    for (int i = 0; i < tape.ItemCount(); ++i) {
        const tTickerItem& item = tape.ItemAt(i);
        if (AlertState(item) != 1) {
            continue;
        }
        const auto side = [&](const std::string& threshold, double stamp) {
            if (threshold.empty() || stamp != 0) {
                return;
            }
            const std::string distance = AlertDistanceText(item, threshold);
            const double d = ToNumber(Before(distance, '%'));
            // Offset and fixed width make text order numeric order for every distance.
            const std::string key = FormatFixed(d + 10000000, 20, 6);
            sorted.insert(key + "|" + item.Symbol + "|" + item.DisplayName() + "|" + distance + "|" +
                          NumberText(d));
        };
        side(item.AlertUp, item.StampUp);
        side(item.AlertDown, item.StampDown);
    }
    std::vector<std::string> lines;
    lines.reserve(sorted.size());
    for (const std::string& line : sorted) {
        lines.push_back(line.substr(line.find('|') + 1));
    }
    return lines;
}

} // namespace vc
