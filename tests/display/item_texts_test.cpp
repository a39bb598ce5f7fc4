#include "display/item_texts.h"

#include "toolkit/dates.h"

#include <gtest/gtest.h>

namespace vc {
namespace {

struct tQuote {
    const char* Symbol;
    double Close;
    double Prev;
};

// Items are neither copied nor moved; the tests fill one in place.
void SetQuote(tTickerItem& item, const tQuote& quote) {
    item.Symbol = quote.Symbol;
    item.Name = "Sample";
    item.Close = quote.Close;
    item.Prev = quote.Prev;
}

TEST(ItemTextsTest, TrendPriceChangeAndPercentage) {
    struct tCase {
        tQuote Quote;
        int Trend;
        const char* Price;
        const char* Percent;
        const char* Change;
    };
    const tCase cases[] = {
        {{"AAPL", 12.5, 10}, 1, "12.50", "+25.00%", "+2.50"},
        {{"AAPL", 9.96, 10}, -1, "9.96", "-0.40%", "-0.04"},
        {{"AAPL", 10, 10}, 0, "10.00", "=0%", "=0"},
        // No previous close, or no price: nothing to compare with.
        {{"AAPL", 10, 0}, 0, "10.00", "", ""},
        {{"AAPL", 0, 10}, 0, "0.00", "", ""},
        // A move too small to show is written without a sign either way.
        {{"AAPL", 1000.01, 1000}, 1, "1000.01", "0.00%", "+0.01"},
        {{"AAPL", 999.99, 1000}, -1, "999.99", "0.00%", "-0.01"},
        {{"AAPL", 100.004, 100}, 1, "100.00", "0.00%", "0.00"},
        // Currency pairs show four decimals; the change keeps two.
        {{"EURUSD=X", 1.0842, 1.0815}, 1, "1.0842", "+0.25%", "0.00"},
        // Large prices keep the item decimals (not the one-decimal price format).
        {{"^GDAXI", 18492.49, 18561.12}, -1, "18492.49", "-0.37%", "-68.63"},
    };
    for (const tCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.Quote.Symbol << " " << c.Quote.Close << "/" << c.Quote.Prev);
        tTickerItem item;
        SetQuote(item, c.Quote);
        EXPECT_EQ(Trend(item), c.Trend);
        EXPECT_EQ(PriceText(item), c.Price);
        EXPECT_EQ(PercentText(item), c.Percent);
        EXPECT_EQ(ChangeText(item), c.Change);
    }
}

TEST(ItemTextsTest, ThresholdDecimalsReachThePrice) {
    tTickerItem item;
    SetQuote(item, {"AAPL", 12.5, 12});
    item.AlertUp = "13.125";
    EXPECT_EQ(PriceText(item), "12.500");
    EXPECT_EQ(ChangeText(item), "+0.50");
}

TEST(ItemTextsTest, FieldTextsAndWhatIsLeftOut) {
    tTickerItem item;
    SetQuote(item, {"RDSA.AS", 0, 30});
    item.Name = "Royal Dutch [NL]";
    EXPECT_EQ(FieldText(item, tSkinFieldId::Name), "ROYAL DUTCH ");
    EXPECT_EQ(FieldText(item, tSkinFieldId::Tick), "RDSA.AS");
    // No price: neither the price nor the changes.
    for (const tSkinFieldId id : {tSkinFieldId::Close, tSkinFieldId::Proc, tSkinFieldId::Abs}) {
        EXPECT_EQ(FieldText(item, id), std::nullopt) << static_cast<int>(id);
    }
    item.Close = 30;
    EXPECT_EQ(FieldText(item, tSkinFieldId::Close), "30.00");
    EXPECT_EQ(FieldText(item, tSkinFieldId::Proc), "=0%");
    EXPECT_EQ(FieldText(item, tSkinFieldId::Abs), "=0");
    // A price without a previous close shows alone.
    item.Prev = 0;
    EXPECT_EQ(FieldText(item, tSkinFieldId::Close), "30.00");
    EXPECT_EQ(FieldText(item, tSkinFieldId::Proc), std::nullopt);
    EXPECT_EQ(FieldText(item, tSkinFieldId::Abs), std::nullopt);
    // A negative price (a bad quote) is not shown.
    item.Close = -2;
    EXPECT_EQ(FieldText(item, tSkinFieldId::Close), std::nullopt);
}

TEST(ItemTextsTest, BulletCodes) {
    struct tCase {
        const char* Name;
        const char* Symbol;
        const char* Code;
    };
    const tCase cases[] = {
        // A code in brackets wins, as written.
        {"FORTIS [BR]", "FORA.AS", "BR"},
        {"Royal Dutch [nl]", "RDSA", "nl"},
        {"Empty []", "AAPL", ""},
        // Two brackets of a kind, or a "]" before the "[", leave it to the symbol.
        {"A [B] [C]", "AAPL", "US"},
        {"A ]B[", "ABI.BR", "BR"},
        // The table of indices and currencies.
        {"", "^FCHI", "PA"},
        {"", "^FTSE", "L"},
        {"", "^STOXX50E", "EU"},
        {"", "^GDAXI", "DE"},
        {"", "^PSI20", "LS"},
        {"", "EURUSD=X", "EU"},
        {"", "USDJPY=X", "JP"},
        {"", "XAUEUR=X", "EU"},
        // The table compares whole symbols exactly.
        {"", "^FTSE2", "IX"},
        {"", "^XYZ", "IX"},
        // The symbol's form.
        {"", "ABI.BR", "BR"},
        {"", "BRK.B.US", "US"},
        {"", "ODD. DE ", "DE"},
        {"", "EURGBP=X", "FX"},
        {"", "MSFT", "US"},
        {"", "", ""},
    };
    for (const tCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.Name << " / " << c.Symbol);
        tTickerItem item;
        item.Name = c.Name;
        item.Symbol = c.Symbol;
        EXPECT_EQ(BulletCode(item), c.Code);
    }
}

TEST(ItemTextsTest, OldQuotesAreFromAnEarlierDay) {
    const double today = EncodeDate(2024, 3, 14);
    const double now = today + EncodeTime(10, 30, 0);
    struct tCase {
        double Date;
        bool Old;
    };
    const tCase cases[] = {
        {today + EncodeTime(9, 0, 0), false},
        {today, false},
        {today + EncodeTime(23, 59, 59), false}, // later today still counts as today
        {today - EncodeTime(0, 0, 1), true},
        {today - 1 + EncodeTime(17, 30, 0), true},
        {0, true}, // never quoted
    };
    for (const tCase& c : cases) {
        SCOPED_TRACE(c.Date);
        tTickerItem item;
        item.Date = c.Date;
        EXPECT_EQ(IsOldQuote(item, now), c.Old);
    }
}

TEST(ItemTextsTest, RaisedAlertsBlinkInOppositeSeconds) {
    const double day = EncodeDate(2024, 3, 14);
    struct tCase {
        int State;
        int Second;
        int Millisecond;
        std::optional<tColor> Tint;
    };
    const tCase cases[] = {
        {2, 1, 0, kClRed},       {2, 59, 999, kClRed},    {2, 0, 0, std::nullopt}, {2, 58, 500, std::nullopt},
        {3, 0, 0, kClLime},      {3, 2, 999, kClLime},    {3, 1, 0, std::nullopt}, {3, 59, 0, std::nullopt},
        {0, 1, 0, std::nullopt}, {1, 1, 0, std::nullopt}, {1, 2, 0, std::nullopt}, {4, 1, 0, std::nullopt},
        {4, 2, 0, std::nullopt},
    };
    for (const tCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "state " << c.State << " at " << c.Second << "." << c.Millisecond);
        EXPECT_EQ(BlinkTint(c.State, day + EncodeTime(12, 34, c.Second, c.Millisecond)), c.Tint);
    }
}

} // namespace
} // namespace vc
