#include "tape/quote_texts.h"

#include <gtest/gtest.h>

#include "toolkit/dates.h"

namespace vc {
namespace {

TEST(QuoteTextsTest, ValuesAsTheWindowsShowThem) {
    const struct {
        const char* Name;
        double Close;
        double Prev;
        double Low;
        double High;
        tQuoteTexts Expected; // Date and Time are checked apart
    } cases[] = {
        {"up", 50.5, 50, 49.125, 51, {"", "", "50.5 ", "50", "+1.00", "+0.50", "49.12", "51.00"}},
        {"down, four decimals", 1.23456, 1.5, 0, 0, {"", "", "1.2346 ", "1.5", "-17.70", "-0.27", "", ""}},
        {"unchanged", 12, 12, 0, 12000, {"", "", "12 ", "12", "0.00", "0.00", "", "12000.0"}},
        {"no previous close", 12, 0, 0, 0, {"", "", "12 ", "0", "-", "+12.00", "", ""}},
    };
    // Halves round to even, as every number the program writes does (49.125 is exact in binary).
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        tTickerItem item;
        item.Symbol = "MSFT";
        item.Date = EncodeDate(2026, 12, 10) + EncodeTime(9, 5, 7);
        item.Close = c.Close;
        item.Prev = c.Prev;
        item.Low = c.Low;
        item.High = c.High;
        const tQuoteTexts texts = QuoteTexts(item);
        EXPECT_EQ(texts.Date, "10/12/2026 ");
        EXPECT_EQ(texts.Time, "09:05:07");
        EXPECT_EQ(texts.Last, c.Expected.Last);
        EXPECT_EQ(texts.Prev, c.Expected.Prev);
        EXPECT_EQ(texts.Percent, c.Expected.Percent);
        EXPECT_EQ(texts.Points, c.Expected.Points);
        EXPECT_EQ(texts.Low, c.Expected.Low);
        EXPECT_EQ(texts.High, c.Expected.High);
    }
}

} // namespace
} // namespace vc
