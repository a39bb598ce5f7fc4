// The texts of an item's last quote as the alert window and the symbol properties dialog show them
// side by side: date, time, last and previous price, change in percent and in points, low and high.
#pragma once

#include <string>

#include "tape/ticker_item.h"

namespace vc {

struct tQuoteTexts {
    std::string Date;    // DD/MM/YYYY and a blank
    std::string Time;    // HH:MM:SS
    std::string Last;    // up to 4 decimals, trailing zeros dropped, and a blank
    std::string Prev;    // as Last, without the blank
    std::string Percent; // change in percent with 2 decimals, "+" when up; "-" without a previous close
    std::string Points;  // change in points with 2 decimals, "+" when up
    std::string Low;     // in the item's price format; empty for 0
    std::string High;
};

tQuoteTexts QuoteTexts(const tTickerItem& item);

} // namespace vc
