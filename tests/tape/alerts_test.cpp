#include "tape/alerts.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "tape/history.h"
#include "tape_test_support.h"
#include "toolkit/dates.h"

namespace vc {
namespace {

using Lines = std::vector<std::string>;
using test::kTapeNow;

TEST(EvaluateAlertsTest, EachPriceInItsOrderAndStrictly) {
    struct tCase {
        const char* Title;
        const char* Up;
        const char* Down;
        double Last, Low, High, Open;
        bool Fired;
        const char* PendingUp;
        const char* PendingDown;
    };
    const tCase cases[] = {
        {"last above wins over the rest", "56", "", 56.65, 57, 58, 57.5, true,
         "Alert UP|56|56.65|CLOSE (56.65) raised above ALERT (56)", ""},
        {"high before open and low", "56", "", 0, 57, 56.1, 57.5, true,
         "Alert UP|56|56.10|HIGH (56.10) raised above ALERT (56)", ""},
        {"open before low", "56", "", 55, 57, 0, 58, true,
         "Alert UP|56|58.00|OPEN (58.00) raised above ALERT (56)", ""},
        {"low last on the up side", "56", "", 55, 57, 55.5, 0, true,
         "Alert UP|56|57.00|LOW (57.00) raised above ALERT (56)", ""},
        {"equality does not fire up", "56", "", 56, 56, 56, 56, false, "", ""},
        {"last below wins", "", "20", 19.5, 18, 19, 19.2, true, "",
         "Alert DOWN|20|19.50|CLOSE (19.50) dropped below ALERT (20)"},
        {"low before open and high", "", "20", 21, 19.5, 19, 19.2, true, "",
         "Alert DOWN|20|19.50|LOW (19.50) dropped below ALERT (20)"},
        {"open before high", "", "20", 21, 0, 19, 19.25, true, "",
         "Alert DOWN|20|19.25|OPEN (19.25) dropped below ALERT (20)"},
        {"high last on the down side", "", "20", 0, 0, 19.126, 0, true, "",
         "Alert DOWN|20|19.13|HIGH (19.13) dropped below ALERT (20)"},
        {"equality does not fire down", "", "20", 20, 20, 20, 20, false, "", ""},
        {"zeros are not prices", "56", "20", 0, 0, 0, 0, false, "", ""},
        {"both sides in one call", "30.5", "20.125", 25, 19, 31, 25, true,
         "Alert UP|30.5|31.000|HIGH (31.000) raised above ALERT (30.5)",
         "Alert DOWN|20.125|19.000|LOW (19.000) dropped below ALERT (20.125)"},
        {"threshold text read as its number", "5x", "", 5.5, 0, 0, 0, true,
         "Alert UP|5x|5.50|CLOSE (5.50) raised above ALERT (5x)", ""},
        {"big prices use one decimal", "10000", "", 12345.67, 0, 0, 0, true,
         "Alert UP|10000|12345.7|CLOSE (12345.7) raised above ALERT (10000)", ""},
    };
    for (const tCase& c : cases) {
        SCOPED_TRACE(c.Title);
        test::tFakeClock clock(kTapeNow);
        tTickerItem item;
        item.Symbol = "SYM";
        item.AlertUp = c.Up;
        item.AlertDown = c.Down;
        EXPECT_EQ(EvaluateAlerts(item, c.Last, c.Low, c.High, c.Open, clock), c.Fired);
        EXPECT_EQ(item.PendingAlertUp, c.PendingUp);
        EXPECT_EQ(item.PendingAlertDown, c.PendingDown);
        EXPECT_EQ(item.StampUp, item.PendingAlertUp.empty() ? 0 : kTapeNow);
        EXPECT_EQ(item.StampDown, item.PendingAlertDown.empty() ? 0 : kTapeNow);
    }
}

TEST(EvaluateAlertsTest, FiresOnceUntilTheStampIsReset) {
    test::tFakeClock clock(kTapeNow);
    tTickerItem item;
    item.AlertUp = "10";
    ASSERT_TRUE(EvaluateAlerts(item, 11, 0, 0, 0, clock));
    // Shown: the window clears the pending text, the stamp stays.
    item.PendingAlertUp.clear();
    clock.AdvanceMs(60000);
    EXPECT_FALSE(EvaluateAlerts(item, 12, 0, 0, 0, clock));
    EXPECT_EQ(item.StampUp, kTapeNow);
    // Pending and not shown yet: no second text either, even with the stamp reset.
    item.StampUp = 0;
    item.PendingAlertUp = "pending";
    EXPECT_FALSE(EvaluateAlerts(item, 12, 0, 0, 0, clock));
    item.PendingAlertUp.clear();
    EXPECT_TRUE(EvaluateAlerts(item, 12, 0, 0, 0, clock));
    EXPECT_EQ(item.StampUp, clock.Now());
}

TEST(AlertStateTest, StatesInTheirTestOrder) {
    struct tCase {
        const char* Up;
        const char* Down;
        double Close, StampUp, StampDown;
        bool News;
        int State;
    };
    const tCase cases[] = {
        {"10", "", 0, 1, 0, false, 1},  {"", "5", 6, 0, 0, false, 1},   {"10", "5", 6, 1, 0, false, 3},
        {"10", "5", 6, 0, 1, false, 2}, {"10", "5", 6, 1, 1, false, 3}, {"", "", 6, 1, 1, true, 4},
        {"", "", 6, 1, 1, false, 0},
    };
    for (const tCase& c : cases) {
        tTickerItem item;
        item.AlertUp = c.Up;
        item.AlertDown = c.Down;
        item.Close = c.Close;
        item.StampUp = c.StampUp;
        item.StampDown = c.StampDown;
        item.AlertNews = c.News;
        EXPECT_EQ(AlertState(item), c.State) << c.Up << "/" << c.Down << " close " << c.Close;
    }
}

TEST(AlertTextsTest, DistanceAndHints) {
    tTickerItem item;
    item.Close = 50;
    EXPECT_EQ(AlertDistanceText(item, "55"), "10.0% BELOW alert");
    EXPECT_EQ(AlertDistanceText(item, "45"), "10.0% ABOVE alert");
    EXPECT_EQ(AlertDistanceText(item, "50"), "0.0% ABOVE alert");
    EXPECT_EQ(AlertDistanceText(item, "51.23"), "2.5% BELOW alert");
    EXPECT_EQ(AlertDistanceText(item, ""), "");
    item.Close = 0;
    EXPECT_EQ(AlertDistanceText(item, "55"), "");

    item.Close = 50;
    item.AlertUp = "55";
    item.StampDown = EncodeDate(2024, 3, 4) + EncodeTime(9, 8, 7);
    item.AlertDown = "40";
    EXPECT_EQ(AlertHint(item, tAlertSide::Up, "d-M-yyyy"), "Price is now \r10.0% BELOW alert");
    EXPECT_EQ(AlertHint(item, tAlertSide::Down, "d-M-yyyy"), "Alert generated on \r 4-3-2024 09:08:07");
    item.AlertUp.clear();
    EXPECT_EQ(AlertHint(item, tAlertSide::Up, "d-M-yyyy"), "");
}

TEST(AlertTextsTest, ItemSummary) {
    test::tFakeClock clock(kTapeNow);
    tTickerItem item;
    item.Name = "Royal Dutch [A]";
    item.Symbol = "RDA";
    item.Date = EncodeDate(2024, 3, 15) + EncodeTime(14, 29, 59);
    item.Close = 27.5;
    item.Volume = 1234567.6;
    item.Prev = 25;
    item.AlertUp = "30";
    item.AlertDown = "25";
    item.StampDown = EncodeDate(2024, 3, 15) + EncodeTime(11, 5, 0);
    item.RecentTrades = {
        "15/03/2024|09:00:00|1|1|1|20.00|1", "14/03/2024|16:00:00|1|1|1|24.00|2",
        "15/03/2024|10:00:00|1|1|1|25.00|3", "15/03/2024|11:00:00|1|1|1|24.50|4",
        "15/03/2024|12:00:00|1|1|1|26.00|5", "15/03/2024|13:00:00|1|1|1|27.50|6",
    };
    EXPECT_EQ(ItemSummaryText(item, clock, "dd/MM/yyyy"), "  ROYAL DUTCH  (RDA) \r"
                                                          "  _____________________________ \r"
                                                          "  DATE: 15/03/2024 14:29h \r"
                                                          "  LAST: 27.50\r"
                                                          "  VOLUME: 1234568\r"
                                                          "  _____________________________ \r"
                                                          "  PRICE is now 9.1% BELOW alert \r"
                                                          "  ALERT generated on 15/03/2024 11:05 \r"
                                                          "  _____________________________ \r"
                                                          "  10:00h  25.00  v:3 (0.00%) \r"
                                                          "  11:00h  24.50  v:4 (-2.00%) \r"
                                                          "  12:00h  26.00  v:5 (+4.00%) \r"
                                                          "  13:00h  27.50  v:6 (+10.00%) \r");
    item.AlertUp.clear();
    item.AlertDown.clear();
    item.Prev = 0;
    item.RecentTrades = {"15/03/2024|09:00:00|1|1|1|20.00|1"};
    EXPECT_EQ(ItemSummaryText(item, clock, "d.M.yy"), "  ROYAL DUTCH  (RDA) \r"
                                                      "  _____________________________ \r"
                                                      "  DATE: 15.3.24 14:29h \r"
                                                      "  LAST: 27.50\r"
                                                      "  VOLUME: 1234568\r"
                                                      "  _____________________________ \r"
                                                      "  09:00h  20.00  v:1 (-%) \r");
    // A short format with a month name is longer than ten characters; the year stays whole.
    EXPECT_NE(ItemSummaryText(item, clock, "d MMM yyyy").find("  DATE: 15 Mar 2024 14:29h \r"),
              std::string::npos);
}

class TapeAlertsTest : public ::testing::Test {
protected:
    tTickerItem& Add(const char* symbol, const char* up, const char* down, double close) {
        tTickerItem* item = world.Tape->AddSymbol(symbol, std::string(symbol) + " name");
        item->AlertUp = up;
        item->AlertDown = down;
        item->Close = close;
        return *item;
    }
    test::tTapeWorld world{false};
};

TEST_F(TapeAlertsTest, NextPendingAlertIsTheOldestWhicheverSide) {
    tTickerItem& a = Add("A", "1", "1", 5);
    tTickerItem& b = Add("B", "1", "1", 5);
    tTickerItem& c = Add("C", "1", "1", 5);
    tTickerItem& d = Add("D", "1", "1", 5);
    EXPECT_EQ(NextPendingAlert(*world.Tape), nullptr);
    a.PendingAlertDown = "down";
    a.StampDown = 300;
    EXPECT_EQ(NextPendingAlert(*world.Tape), &a);
    b.PendingAlertUp = "up";
    b.StampUp = 200;
    c.PendingAlertDown = "down";
    c.StampDown = 100;
    d.PendingAlertUp = "up";
    d.StampUp = 150;
    EXPECT_EQ(NextPendingAlert(*world.Tape), &c);
    c.PendingAlertDown.clear();
    EXPECT_EQ(NextPendingAlert(*world.Tape), &d);
    // An item with both pending competes with its up alert.
    a.PendingAlertUp = "up";
    a.StampUp = 400;
    d.PendingAlertUp.clear();
    EXPECT_EQ(NextPendingAlert(*world.Tape), &b);
    b.PendingAlertUp.clear();
    EXPECT_EQ(NextPendingAlert(*world.Tape), &a);
    // Equal stamps: the first in tape order.
    b.PendingAlertUp = "up";
    b.StampUp = 400;
    EXPECT_EQ(NextPendingAlert(*world.Tape), &a);
}

TEST_F(TapeAlertsTest, ListsAndCounts) {
    Add("UP", "10", "5", 12).StampUp = 1;
    Add("DOWN", "10", "5", 4).StampDown = 1;
    Add("NONE", "", "", 4);
    world.Tape->AddSymbol("NEWS", "")->AlertNews = true;
    Add("FAR", "20", "", 10);
    Add("NEAR", "11", "9.9", 10);
    Add("NOPRICE", "11", "", 0);
    EXPECT_EQ(CountAlertedItems(*world.Tape), 6);
    EXPECT_EQ(FiredAlertList(*world.Tape), (Lines{"UP|UP NAME|! UP alert on UP NAME (UP) ",
                                                  "DOWN|DOWN NAME|! DOWN alert on DOWN NAME (DOWN) "}));
    EXPECT_EQ(ArmedAlertList(*world.Tape),
              (Lines{"NOPRICE|NOPRICE NAME||0", "NEAR|NEAR NAME|1.0% ABOVE alert|1",
                     "NEAR|NEAR NAME|10.0% BELOW alert|10", "FAR|FAR NAME|100.0% BELOW alert|100"}));
    world.Tape->ItemAt(0).StampUp = 0;
    world.Tape->ItemAt(1).StampDown = 0;
    EXPECT_EQ(FiredAlertList(*world.Tape), std::nullopt);
}

TEST_F(TapeAlertsTest, ClearAllAlertsDeletesTheHistoryInEveryCase) {
    world.Tape->AddSymbol("PLAIN", "");
    world.Dir.Write("Velocrest History.TXT", "old line\r\n");
    EXPECT_FALSE(ClearAllAlerts(*world.Tape));
    EXPECT_FALSE(world.Dir.Exists("Velocrest History.TXT"));

    tTickerItem& item = Add("ALERTED", "10", "5", 12);
    item.StampUp = 7;
    item.PendingAlertUp = "Alert UP|10|12|CLOSE (12) raised above ALERT (10)";
    item.ImageCache = std::make_unique<tItemImageCache>();
    world.Dir.Write("velocrest history.txt", "old line\r\n");
    EXPECT_TRUE(ClearAllAlerts(*world.Tape));
    EXPECT_FALSE(world.Dir.Exists("velocrest history.txt"));
    EXPECT_TRUE(item.AlertUp.empty());
    EXPECT_TRUE(item.AlertDown.empty());
    EXPECT_EQ(item.StampUp, 0);
    EXPECT_TRUE(item.PendingAlertUp.empty());
    EXPECT_EQ(item.ImageCache, nullptr);
    EXPECT_EQ(NextPendingAlert(*world.Tape), nullptr);
    EXPECT_EQ(CountAlertedItems(*world.Tape), 0);
}

} // namespace
} // namespace vc
