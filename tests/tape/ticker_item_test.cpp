#include "tape/ticker_item.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "support/fake_clock.h"
#include "toolkit/dates.h"

namespace vc {
namespace {

using Lines = std::vector<std::string>;

const double kToday = EncodeDate(2024, 3, 15) + EncodeTime(14, 30, 5);

TEST(TickerItemTest, NewItemIsEmptyAndUnmeasured) {
    tTickerItem item;
    EXPECT_TRUE(item.Symbol.empty());
    EXPECT_EQ(item.Close, 0);
    EXPECT_EQ(item.StampUp, 0);
    EXPECT_FALSE(item.AlertNews);
    EXPECT_EQ(item.Gainer, 0);
    EXPECT_EQ(item.ImageWidth, -1);
    EXPECT_EQ(item.ImageCache, nullptr);
}

TEST(TickerItemTest, SectionNamesUseThreeDigitsAndMoreFromOneThousand) {
    struct tCase {
        const char* Kind;
        int Index;
        const char* Expected;
    };
    const tCase cases[] = {
        {"_Item", 0, "Tape_000_Item000"},      {"_Item", 7, "Tape_000_Item007"},
        {"_Prices", 42, "Tape_000_Prices042"}, {"_News", 999, "Tape_000_News999"},
        {"_Item", 1000, "Tape_000_Item1000"},  {"_Item", 123456, "Tape_000_Item123456"},
    };
    for (const tCase& c : cases) {
        SCOPED_TRACE(c.Expected);
        EXPECT_EQ(tTickerItem::SectionName("Tape_000", c.Kind, c.Index), c.Expected);
    }
}

TEST(TickerItemTest, DecimalsAndPriceFormat) {
    struct tCase {
        const char* Symbol;
        const char* AlertUp;
        const char* AlertDown;
        double Value;
        int Decimals;
        const char* Price;
    };
    const tCase cases[] = {
        {"MSFT", "", "", 12.3, 2, "12.30"},
        {"MSFT", "27.125", "", 27.5, 3, "27.500"},
        {"MSFT", "27.1", " 20.12345 ", 1.5, 5, "1.50000"},
        {"MSFT", "30", "20.5", 25, 2, "25.00"},
        {"EURUSD=X", "1.123456", "", 1.08, 4, "1.0800"},
        {"MSFT", "", "", 12345.678, 2, "12345.7"},
        {"MSFT", "", "", 9999, 2, "9999.00"},
        {"MSFT", "", "", 9999.01, 2, "9999.0"},
        {"MSFT", "", "", 0, 2, ""},
        {"MSFT", "", "", -3.456, 2, "-3.46"},
    };
    for (const tCase& c : cases) {
        SCOPED_TRACE(std::string(c.Symbol) + " " + c.AlertUp + "/" + c.AlertDown);
        tTickerItem item;
        item.Symbol = c.Symbol;
        item.AlertUp = c.AlertUp;
        item.AlertDown = c.AlertDown;
        EXPECT_EQ(item.ItemDecimals(), c.Decimals);
        EXPECT_EQ(item.PriceFormat(c.Value), c.Price);
    }
}

TEST(TickerItemTest, FixedTextKeepsEveryDigit) {
    struct tCase {
        double Value;
        int Decimals;
        const char* Expected;
    };
    const tCase cases[] = {
        {0, 2, "0.00"},
        {1234567.5, 0, "1234568"},
        {-0.004, 2, "0.00"},
        {1e30, 2, "1000000000000000019884624838656.00"},
        {-123456789012345678901234567890.0, 0, "-123456789012345677877719597056"},
    };
    for (const tCase& c : cases) {
        SCOPED_TRACE(c.Expected);
        EXPECT_EQ(FixedText(c.Value, c.Decimals), c.Expected);
    }
}

TEST(TickerItemTest, DisplayName) {
    struct tCase {
        const char* Name;
        const char* Expected;
    };
    const tCase cases[] = {
        {"Royal Dutch [A]", "ROYAL DUTCH "},    {"ROYAL [A] [B]", "ROYAL [A] [B]"},
        {"Half [open", "HALF [OPEN"},           {"]Reversed[", "]REVERSED"},
        {"caf\xe9 au lait", "CAF\xc9 AU LAIT"}, {"", ""},
    };
    for (const tCase& c : cases) {
        SCOPED_TRACE(c.Name);
        tTickerItem item;
        item.Name = c.Name;
        EXPECT_EQ(item.DisplayName(), c.Expected);
    }
}

class ApplyQuoteTest : public ::testing::Test {
protected:
    ApplyQuoteTest() {
        item.Symbol = "MSFT";
        item.Open = 10;
        item.High = 11;
        item.Low = 9;
        item.Close = 10.5;
        item.Volume = 1000;
        item.Prev = 10.25;
        item.Date = EncodeDate(2024, 3, 14) + EncodeTime(16, 0, 0);
    }
    test::tFakeClock clock{kToday};
    tTickerItem item;
};

TEST_F(ApplyQuoteTest, NothingNewChangesNothing) {
    const double oldDate = item.Date;
    EXPECT_FALSE(item.ApplyQuote("15/03/2024", 0, 0, 0, 0, 0, 0, clock));
    EXPECT_FALSE(item.ApplyQuote("15/03/2024", 10, 11, 9, 10.5, 1000, 10.25, clock));
    EXPECT_FALSE(item.ApplyQuote("15/03/2024", 0, 11, 0, 10.5, 0, 0, clock));
    EXPECT_EQ(item.Date, oldDate);
    EXPECT_TRUE(item.RecentTrades.empty());
    EXPECT_EQ(item.Close, 10.5);
}

TEST_F(ApplyQuoteTest, OnlyANewVolumeAddsAnEntryRepeatingTheClose) {
    EXPECT_TRUE(item.ApplyQuote("15/03/2024", 0, 0, 0, 10.5, 2500.4, 0, clock));
    EXPECT_EQ(item.Volume, 2500.4);
    EXPECT_EQ(item.Open, 10);
    EXPECT_EQ(item.Date, EncodeDate(2024, 3, 15) + TimePart(kToday));
    EXPECT_EQ(item.RecentTrades, (Lines{"15/03/2024|14:30:05|10.00|11.00|9.00|10.50|2500"}));
}

TEST_F(ApplyQuoteTest, ZerosKeepFieldsAndTheEntryUsesTheItemDecimals) {
    item.AlertUp = "12.125";
    EXPECT_TRUE(item.ApplyQuote("14/03/2024", 0, 12, 0, 11.75, 0, 0, clock));
    EXPECT_EQ(item.High, 12);
    EXPECT_EQ(item.Low, 9);
    EXPECT_EQ(item.Prev, 10.25);
    EXPECT_EQ(item.Date, EncodeDate(2024, 3, 14) + TimePart(kToday));
    EXPECT_EQ(item.RecentTrades, (Lines{"14/03/2024|14:30:05|10.000|12.000|9.000|11.750|1000"}));
}

TEST_F(ApplyQuoteTest, InvalidDatesMeanToday) {
    const char* dates[] = {"31/02/2024", "29/02/2023", "00/03/2024", "15/13/2024", "15/03/1899",
                           "15/03/2501", "15-03-2024", "5/3/2024",   "",           "garbage!!!"};
    for (const char* date : dates) {
        SCOPED_TRACE(date);
        tTickerItem fresh;
        EXPECT_TRUE(fresh.ApplyQuote(date, 0, 0, 0, 5, 0, 0, clock));
        EXPECT_EQ(fresh.Date, kToday);
    }
    tTickerItem leap;
    EXPECT_TRUE(leap.ApplyQuote("29/02/2024", 0, 0, 0, 5, 0, 0, clock));
    EXPECT_EQ(leap.Date, EncodeDate(2024, 2, 29) + TimePart(kToday));
}

TEST_F(ApplyQuoteTest, TheFiftyFirstChangeDropsTheOldest) {
    for (int i = 1; i <= 51; ++i) {
        EXPECT_TRUE(item.ApplyQuote("15/03/2024", 0, 0, 0, 20 + i, 0, 0, clock));
        EXPECT_LE(item.RecentTrades.size(), kMaxRecentTrades);
    }
    ASSERT_EQ(item.RecentTrades.size(), 50u);
    EXPECT_EQ(item.RecentTrades.front(), "15/03/2024|14:30:05|10.00|11.00|9.00|22.00|1000");
    EXPECT_EQ(item.RecentTrades.back(), "15/03/2024|14:30:05|10.00|11.00|9.00|71.00|1000");
}

TEST(TickerItemTest, TodayCloseSeriesSkipsOtherDaysAndRepeats) {
    test::tFakeClock clock{kToday};
    tTickerItem item;
    item.RecentTrades = {
        "14/03/2024|15:00:00|1|1|1|12.00|5", "15/03/2024|09:00:00|1|1|1|12.00|5",
        "15/03/2024|09:01:00|1|1|1|12.30|5", "15/03/2024|09:02:00|1|1|1|12.30|6",
        "15/03/2024|09:03:00|1|1|1|12.35|6", "15/03/2024|09:04:00|1|1|1|12.31|7",
    };
    // The first entry of today repeats yesterday's last close, so it is left out as well.
    EXPECT_EQ(item.TodayCloseSeries(clock), "12.30|12.35|12.31|");
    item.RecentTrades = {"15/03/2024|09:00:00|1|1|1|0|5", "15/03/2024|09:00:00|1|1|1|7.5|5"};
    EXPECT_EQ(item.TodayCloseSeries(clock), "7.5|");
    item.RecentTrades.clear();
    EXPECT_EQ(item.TodayCloseSeries(clock), "");
}

TEST(TickerItemTest, FieldVocabulary) {
    struct tCase {
        const char* Name;
        int Code;
    };
    const tCase cases[] = {
        {"CLOSE", 1}, {"close", 1},  {"Open", 2}, {"HIGH", 3},  {"low", 4},   {"VOLUME", 5}, {"PREV", 6},
        {"NAME", 7},  {"SYMBOL", 8}, {"date", 9}, {"TIME", 10}, {"LAST", -1}, {"", -1},      {" CLOSE", -1},
    };
    for (const tCase& c : cases) {
        SCOPED_TRACE(c.Name);
        EXPECT_EQ(tTickerItem::FieldCode(c.Name), c.Code);
        if (c.Code > 0) {
            EXPECT_EQ(tTickerItem::FieldCode(tTickerItem::FieldName(c.Code)), c.Code);
        }
    }
    EXPECT_EQ(tTickerItem::FieldName(0), "");
    EXPECT_EQ(tTickerItem::FieldName(11), "");
}

TEST(TickerItemTest, FieldValueTexts) {
    tTickerItem item;
    item.Name = "Microsoft [US]";
    item.Symbol = "MSFT";
    item.Close = 27.5;
    item.Open = 27;
    item.High = 28.126;
    item.Low = 26.996;
    item.Volume = 1234567.5;
    item.Prev = 27.25;
    item.Date = EncodeDate(2024, 3, 5) + EncodeTime(9, 7, 3);
    struct tCase {
        int Code;
        const char* Expected;
    };
    const tCase cases[] = {
        {1, "27.50"},      {2, "27.00"}, {3, "28.13"},  {4, "27.00"},     {5, "1234568"}, {6, "27.25"},
        {7, "MICROSOFT "}, {8, "MSFT"},  {9, "5.3.24"}, {10, "09:07:03"}, {0, ""},        {11, ""},
    };
    for (const tCase& c : cases) {
        SCOPED_TRACE(c.Code);
        EXPECT_EQ(item.FieldValueText(c.Code, "d.M.yy"), c.Expected);
    }
}

TEST(TickerItemTest, DdeLinkFormulas) {
    struct tCase {
        const char* Symbol;
        int Code;
        const char* Service;
        const char* Expected;
    };
    const tCase cases[] = {
        {"MSFT", 1, "VELOCREST", "=VELOCREST|'CLOSE'!'MSFT'"},
        {"^AEX", 2, "VELOCREST2", "=VELOCREST2|'OPEN'!'^AEX'"},
        {"XETRA:SAP.DE", 10, "VELOCREST", "=VELOCREST|'TIME'!'XETRA%3ASAP.DE'"},
        {"A:B C^D-E/F", 8, "VELOCREST", "=VELOCREST|'SYMBOL'!'A%3AB%20C%5ED-E/F'"},
        {"MSFT", 0, "VELOCREST", ""},
        {"MSFT", 11, "VELOCREST", ""},
    };
    for (const tCase& c : cases) {
        SCOPED_TRACE(c.Expected);
        tTickerItem item;
        item.Symbol = c.Symbol;
        EXPECT_EQ(item.DdeLinkFormula(c.Code, c.Service), c.Expected);
    }
    tTickerItem item;
    item.Symbol = "IBM";
    EXPECT_EQ(item.DdeLinkRow("VELOCREST"),
              "=VELOCREST|'NAME'!'IBM'\tIBM\t=VELOCREST|'DATE'!'IBM'\t=VELOCREST|'TIME'!'IBM'\t"
              "=VELOCREST|'CLOSE'!'IBM'");
}

TEST(TickerItemTest, SaveAndLoadRoundTrip) {
    tTickerItem item;
    item.Index = 4;
    item.Name = "Royal Dutch [A]";
    item.Symbol = "RDA.AS";
    item.Date = EncodeDate(2024, 3, 15) + EncodeTime(10, 11, 12);
    item.Open = 1.5;
    item.High = 2.25;
    item.Low = 1.125;
    item.Close = 2;
    item.Volume = 123456;
    item.Prev = 1.75;
    item.AlertNews = true;
    item.AlertUp = "2.500";
    item.AlertDown = "1";
    item.StampUp = EncodeDate(2024, 3, 14) + EncodeTime(9, 0, 0);
    item.Gainer = 3;
    item.PendingAlertUp = "Alert UP|2.500|2.60|CLOSE (2.60) raised above ALERT (2.500)";
    item.RecentTrades = {"15/03/2024|10:11:12|1.50|2.25|1.13|2.00|123456"};
    item.News = {"headline one", "headline two"};
    tIniObject ini;
    item.SaveToIni(ini, "Tape_000");
    EXPECT_EQ(ini.ReadString("Tape_000_Item004", "Symbol", "?"), "RDA.AS");
    EXPECT_EQ(ini.ReadString("Tape_000_Item004", "Name", "?"), "Royal Dutch [A]");
    EXPECT_EQ(ini.ReadString("Tape_000_Item004", "Close", "?"), "            2.000000");
    EXPECT_EQ(ini.ReadString("Tape_000_Item004", "StampDown", "?"), " 00:00:00");
    EXPECT_EQ(ini.ReadString("Tape_000_Prices004", "00001", "?"), item.RecentTrades[0]);
    EXPECT_EQ(ini.ReadString("Tape_000_News004", "00002", "?"), "headline two");

    tTickerItem loaded;
    loaded.Index = 4;
    loaded.PendingAlertDown = "stale";
    ASSERT_TRUE(loaded.LoadFromIni(ini, "Tape_000"));
    EXPECT_EQ(loaded.Name, "ROYAL DUTCH [A]");
    EXPECT_EQ(loaded.Symbol, "RDA.AS");
    EXPECT_EQ(loaded.Date, item.Date);
    EXPECT_EQ(loaded.Open, 1.5);
    EXPECT_EQ(loaded.High, 2.25);
    EXPECT_EQ(loaded.Low, 1.125);
    EXPECT_EQ(loaded.Close, 2);
    EXPECT_EQ(loaded.Volume, 123456);
    EXPECT_EQ(loaded.Prev, 1.75);
    EXPECT_TRUE(loaded.AlertNews);
    EXPECT_EQ(loaded.AlertUp, "2.500");
    EXPECT_EQ(loaded.AlertDown, "1");
    EXPECT_EQ(loaded.StampUp, item.StampUp);
    EXPECT_EQ(loaded.StampDown, 0);
    EXPECT_EQ(loaded.Gainer, 3);
    EXPECT_TRUE(loaded.PendingAlertUp.empty());
    EXPECT_TRUE(loaded.PendingAlertDown.empty());
    EXPECT_EQ(loaded.RecentTrades, item.RecentTrades);
    EXPECT_EQ(loaded.News, item.News);
}

TEST(TickerItemTest, LoadCutsUpperCasesAndRejectsAMissingSymbol) {
    tIniObject ini;
    ini.LoadFromBytes("[Tape_000_Item000]\r\nSymbol=abcdefghijklmnopqrstuvwxyz\r\nName=caf\xe9\r\n"
                      "AlertUp=1.23456789012345678\r\n"
                      "[Tape_000_Item001]\r\nName=no symbol\r\n");
    tTickerItem first;
    ASSERT_TRUE(first.LoadFromIni(ini, "Tape_000"));
    EXPECT_EQ(first.Symbol, "ABCDEFGHIJKLMNOPQRST");
    EXPECT_EQ(first.Name, "CAF\xc9");
    EXPECT_EQ(first.AlertUp, "1.2345678901234");
    tTickerItem second;
    second.Index = 1;
    EXPECT_FALSE(second.LoadFromIni(ini, "Tape_000"));
    tTickerItem absent;
    absent.Index = 2;
    EXPECT_FALSE(absent.LoadFromIni(ini, "Tape_000"));
}

TEST(TickerItemTest, AHandEditedPriceListKeepsOnlyTheNewestFifty) {
    tIniObject ini;
    std::vector<std::string> prices;
    for (int i = 1; i <= 80; ++i) {
        prices.push_back("15/03/2024|10:00:00|1|1|1|" + std::to_string(i) + "|1");
    }
    ini.WriteString("Tape_000_Item000", "Symbol", "X");
    ini.WriteList("Tape_000_Prices000", prices);
    tTickerItem item;
    ASSERT_TRUE(item.LoadFromIni(ini, "Tape_000"));
    ASSERT_EQ(item.RecentTrades.size(), 50u);
    EXPECT_EQ(item.RecentTrades.front(), prices[30]);
    EXPECT_EQ(item.RecentTrades.back(), prices[79]);
}

TEST(TickerItemTest, DiscardImagesDropsTheCache) {
    struct tCountingCache : tItemImageCache {
        explicit tCountingCache(int& count) : Count(count) {}
        ~tCountingCache() override { ++Count; }
        int& Count;
    };
    int destroyed = 0;
    tTickerItem item;
    item.ImageWidth = 80;
    item.ImageCache = std::make_unique<tCountingCache>(destroyed);
    item.DiscardImages();
    EXPECT_EQ(item.ImageCache, nullptr);
    EXPECT_EQ(destroyed, 1);
    EXPECT_EQ(item.ImageWidth, 80);
}

} // namespace
} // namespace vc
