#include "tape/quote_texts.h"

#include "toolkit/dates.h"
#include "toolkit/text.h"

namespace vc {

namespace {

std::string Price(double value) {
    return TrimZeros(FormatFixed(value, 30, 4));
}

std::string Signed(double value) {
    const std::string text = Trim(FormatFixed(value, 30, 2));
    return value > 0 ? "+" + text : text;
}

} // namespace

tQuoteTexts QuoteTexts(const tTickerItem& item) {
    tQuoteTexts texts;
    texts.Date = DateOf(item.Date) + " ";
    texts.Time = TimeOf(item.Date);
    texts.Last = Price(item.Close) + " ";
    texts.Prev = Price(item.Prev);
    texts.Percent = item.Prev == 0 ? "-" : Signed(item.Close / item.Prev * 100 - 100);
    texts.Points = Signed(item.Close - item.Prev);
    texts.Low = item.PriceFormat(item.Low);
    texts.High = item.PriceFormat(item.High);
    return texts;
}

} // namespace vc
