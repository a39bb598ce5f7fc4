// Price alerts: the firing rule that compares delivered prices with an item's two thresholds, the
// alert state of an item, the texts built from alerts (pending alert, distance, hint, the item's
// summary, the tray lists) and the choice of the next alert to show.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tape/ticker_item.h"
#include "tape/ticker_tape.h"
#include "toolkit/clock.h"

namespace vc {

enum class tAlertSide { Up, Down };

// Compares the delivered prices (0 = not delivered) with the thresholds, strictly; a side fires
// once, setting its stamp and its pending text. True when either side fired.
bool EvaluateAlerts(tTickerItem& item, double last, double low, double high, double open,
                    const tClock& clock);

// 0 no alert, 1 armed (or no price yet), 2 the down alert fired, 3 the up alert fired, 4 news only.
int AlertState(const tTickerItem& item);

// How far the last price is from a threshold: "3.5% BELOW alert" / "1.2% ABOVE alert"; empty when
// the threshold or the price is 0.
std::string AlertDistanceText(const tTickerItem& item, std::string_view threshold);
// The hint for one side's threshold: when it fired, or how far the price is from it.
std::string AlertHint(const tTickerItem& item, tAlertSide side, std::string_view shortDateFormat);
// The text of the tape's hint box for an item, lines ended by CR.
std::string ItemSummaryText(const tTickerItem& item, const tClock& clock, std::string_view shortDateFormat);

// The item whose pending alert fired first; nothing when none is pending.
tTickerItem* NextPendingAlert(tTickerTape& tape);
// Items whose alert state is not 0.
int CountAlertedItems(const tTickerTape& tape);
// Empties every threshold, stamp and pending alert and deletes the history file (in every case).
// True when any item changed.
bool ClearAllAlerts(tTickerTape& tape);
// "symbol|name|! UP alert on NAME (SYMBOL) " per fired item, in tape order; nothing when none.
std::optional<std::vector<std::string>> FiredAlertList(const tTickerTape& tape);
// "symbol|name|distance text|distance" per armed threshold, nearest first.
std::vector<std::string> ArmedAlertList(const tTickerTape& tape);

} // namespace vc
