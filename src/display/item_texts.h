// What an item image shows, worked out from the item alone: the price trend, the price,
// percentage and change texts, the text of each of the five fields, the market bullet code, whether
// the quote is from an earlier day, and which picture a raised alert shows at a given moment.
#pragma once

#include "display/skin_fields.h"
#include "tape/ticker_item.h"
#include "toolkit/colors.h"

#include <optional>
#include <string>

namespace vc {

// +1 while the price is above the previous close, -1 below it, 0 when unchanged or either is 0.
int Trend(const tTickerItem& item);

// Close with the item decimals ("12.50").
std::string PriceText(const tTickerItem& item);
// "+1.25%", "-0.40%", "=0%" when unchanged; empty when Close or Prev is 0.
std::string PercentText(const tTickerItem& item);
// "+0.30", "-1.05", "=0" when unchanged; empty when Close or Prev is 0.
std::string ChangeText(const tTickerItem& item);

// The text a field shows for the item, or nothing when the item has nothing for it (no price, no
// change): the display name, the symbol, then the three texts above.
std::optional<std::string> FieldText(const tTickerItem& item, tSkinFieldId field);

// The market code that names the item's bullet bitmap ("Bullet_" + code + ".BMP"): a code in
// brackets in the name, the code of a known index or currency, else one from the symbol's form.
std::string BulletCode(const tTickerItem& item);

// The quote is from an earlier day than `now` (an item never quoted counts as old).
bool IsOldQuote(const tTickerItem& item, double now);

// The tint of the flashing image when it is the one to show at `now`: a raised down alert blinks
// red in odd seconds, a raised up alert lime in even ones; nothing when the plain image shows.
std::optional<tColor> BlinkTint(int alertState, double now);

} // namespace vc
