#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "tape/alerts.h"
#include "tape/ticker_tape.h"
#include "tape_test_support.h"
#include "toolkit/dates.h"

namespace vc {
namespace {

using Lines = std::vector<std::string>;

// A quote line as the download delivers it: 2 symbol, 3 date, 5 open, 6 high, 7 low, 8 last,
// 9 volume, 12 previous close.
std::string Quote(const std::string& symbol, const std::string& date, const std::string& open,
                  const std::string& high, const std::string& low, const std::string& last,
                  const std::string& volume, const std::string& prev) {
    return "YAHTICK|" + symbol + "|" + date + "|14:30|" + open + "|" + high + "|" + low + "|" + last + "|" +
           volume + "|x|y|" + prev;
}

class MergeQuotesTest : public ::testing::Test {
protected:
    MergeQuotesTest() {
        tTickerItem* msft = world.Tape->AddSymbol("MSFT", "Microsoft");
        msft->Open = 27;
        msft->High = 28;
        msft->Low = 26.5;
        msft->Close = 27.5;
        msft->Volume = 1000;
        msft->Prev = 27.25;
        msft->Date = EncodeDate(2024, 3, 15) + EncodeTime(10, 0, 0);
        world.Tape->AddSymbol("IBM", "");
    }
    tTickerItem& Item(const char* symbol) { return world.Tape->ItemAt(world.Tape->IndexOfSymbol(symbol)); }
    test::tTapeWorld world{false};
};

TEST_F(MergeQuotesTest, KeepsOnlyLinesThatChangedAnItem) {
    Item("MSFT").ImageCache = std::make_unique<tItemImageCache>();
    Item("IBM").ImageCache = std::make_unique<tItemImageCache>();
    Lines lines = {
        Quote("GONE", "15/03/2024", "1", "2", "1", "2", "5", "1"),
        Quote("MSFT", "15/03/2024", "27", "28", "26.5", "27.5", "1000", "27.25"),
        Quote("ibm", "15/03/2024", "130", "132", "129.5", "131.25", "45000", "130.5"),
    };
    const std::string ibmLine = lines[2];
    world.Tape->MergeQuotes(lines);
    EXPECT_EQ(lines, (Lines{ibmLine}));
    const tTickerItem& ibm = Item("IBM");
    EXPECT_EQ(ibm.Open, 130);
    EXPECT_EQ(ibm.High, 132);
    EXPECT_EQ(ibm.Low, 129.5);
    EXPECT_EQ(ibm.Close, 131.25);
    EXPECT_EQ(ibm.Volume, 45000);
    EXPECT_EQ(ibm.Prev, 130.5);
    EXPECT_EQ(ibm.Date, test::kTapeNow);
    EXPECT_EQ(ibm.RecentTrades, (Lines{"15/03/2024|14:30:05|130.00|132.00|129.50|131.25|45000"}));
    EXPECT_EQ(ibm.ImageCache, nullptr);
    // The repeat changed nothing, so its picture stays.
    EXPECT_NE(Item("MSFT").ImageCache, nullptr);
    EXPECT_TRUE(Item("MSFT").RecentTrades.empty());

    Lines empty;
    world.Tape->MergeQuotes(empty);
    EXPECT_TRUE(empty.empty());
}

TEST_F(MergeQuotesTest, MissingFieldsAreNotDeliveredAndShortLinesChangeNothing) {
    Lines lines = {"YAHTICK|MSFT|15/03/2024", "YAHTICK|MSFT|15/03/2024|14:30|||||2500", "YAHTICK|MSFT"};
    const std::string volumeLine = lines[1];
    world.Tape->MergeQuotes(lines);
    EXPECT_EQ(lines, (Lines{volumeLine}));
    EXPECT_EQ(Item("MSFT").Volume, 2500);
    EXPECT_EQ(Item("MSFT").Close, 27.5);
}

TEST_F(MergeQuotesTest, AlertsSeeTheDeliveredPricesEvenWhenNothingChanged) {
    tTickerItem& msft = Item("MSFT");
    // Set after the last change: the repeated quote still crosses it.
    msft.AlertUp = "27.9";
    msft.ImageCache = std::make_unique<tItemImageCache>();
    Lines lines = {Quote("MSFT", "15/03/2024", "27", "28", "26.5", "27.5", "1000", "27.25")};
    world.Tape->MergeQuotes(lines);
    EXPECT_TRUE(lines.empty());
    EXPECT_EQ(msft.PendingAlertUp, "Alert UP|27.9|28.00|HIGH (28.00) raised above ALERT (27.9)");
    EXPECT_EQ(msft.StampUp, test::kTapeNow);
    EXPECT_EQ(msft.ImageCache, nullptr);
    EXPECT_EQ(NextPendingAlert(*world.Tape), &msft);

    // The stored prices do not fire: only the delivered ones count.
    tTickerItem& ibm = Item("IBM");
    ibm.Close = 200;
    ibm.AlertUp = "150";
    Lines ibmLines = {Quote("IBM", "15/03/2024", "", "", "", "140", "", "")};
    world.Tape->MergeQuotes(ibmLines);
    EXPECT_EQ(ibmLines.size(), 1u);
    EXPECT_TRUE(ibm.PendingAlertUp.empty());
    EXPECT_EQ(ibm.Close, 140);
}

} // namespace
} // namespace vc
