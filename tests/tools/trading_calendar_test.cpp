#include "trading_calendar.h"

#include <gtest/gtest.h>

namespace vc::sim {
namespace {

TEST(TradingCalendar, DayNumbersRoundTripThroughCivilDates) {
    struct tCase {
        int Year, Month, Day, Number, Weekday;
    };
    const tCase cases[] = {
        {1899, 12, 30, 0, 7},    {1900, 3, 1, 61, 5},      {2011, 6, 1, 40695, 4},  {2011, 6, 12, 40706, 1},
        {2012, 2, 29, 40968, 4}, {2026, 12, 10, 46366, 5}, {2000, 2, 29, 36585, 3}, {2100, 3, 1, 73110, 2},
    };
    for (const tCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.Year) + "-" + std::to_string(c.Month) + "-" + std::to_string(c.Day));
        EXPECT_EQ(DayNumber(c.Year, c.Month, c.Day), c.Number);
        const tCivilDate back = CivilDate(c.Number);
        EXPECT_EQ(back.Year, c.Year);
        EXPECT_EQ(back.Month, c.Month);
        EXPECT_EQ(back.Day, c.Day);
        EXPECT_EQ(Weekday(c.Number), c.Weekday);
    }
}

TEST(TradingCalendar, PreviousTradingDaySkipsTheWeekend) {
    const int monday = DayNumber(2011, 6, 13);
    EXPECT_EQ(PreviousTradingDay(monday), DayNumber(2011, 6, 10));
    EXPECT_EQ(PreviousTradingDay(monday + 1), monday);
    EXPECT_EQ(PreviousTradingDay(DayNumber(2011, 6, 12)), DayNumber(2011, 6, 10)); // Sunday
    EXPECT_FALSE(IsTradingDay(DayNumber(2011, 6, 11)));
    EXPECT_TRUE(IsTradingDay(monday));
}

TEST(TradingCalendar, FeedPositionShowsThePreviousCloseOutsideTheSession) {
    tSession session;
    ASSERT_TRUE(ParseSessionText("09:30-16:00", session));
    const int lastTick = session.TickCount();
    ASSERT_EQ(lastTick, 4680);
    const int wednesday = DayNumber(2011, 6, 1);
    const int friday = DayNumber(2011, 6, 3);
    const int monday = DayNumber(2011, 6, 6);
    struct tCase {
        const char* Name;
        double Now;
        int Day;
        int Tick;
    };
    const auto at = [](int day, int h, int m, int s) { return day + (h * 3600 + m * 60 + s) / 86400.0; };
    const tCase cases[] = {
        {"at the open", at(wednesday, 9, 30, 0), wednesday, 0},
        {"one tick in", at(wednesday, 9, 30, 5), wednesday, 1},
        {"between ticks", at(wednesday, 9, 30, 9), wednesday, 1},
        {"midday", at(wednesday, 12, 45, 0), wednesday, 2340},
        {"at the close", at(wednesday, 16, 0, 0), wednesday, lastTick},
        {"evening", at(wednesday, 22, 0, 0), wednesday, lastTick},
        {"early morning", at(wednesday, 7, 0, 0), DayNumber(2011, 5, 31), lastTick},
        {"saturday", at(friday + 1, 12, 0, 0), friday, lastTick},
        {"sunday", at(friday + 2, 23, 59, 59), friday, lastTick},
        {"monday before the open", at(monday, 9, 29, 59), friday, lastTick},
    };
    for (const tCase& c : cases) {
        SCOPED_TRACE(c.Name);
        const tFeedPosition position = FeedPosition(c.Now, session);
        EXPECT_EQ(position.Day, c.Day);
        EXPECT_EQ(position.Tick, c.Tick);
    }
}

TEST(TradingCalendar, SessionText) {
    struct tCase {
        const char* Text;
        bool Good;
        int Open, Close;
    };
    const tCase cases[] = {
        {"09:30-16:00", true, 34200, 57600},
        {"00:00-24:00", true, 0, 86400},
        {"8:00-17:30", true, 28800, 63000},
        {"16:00-09:30", false, 0, 0},
        {"24:00-24:00", false, 0, 0},
        {"09:30-24:30", false, 0, 0},
        {"09:30", false, 0, 0},
        {"09:30-16:00x", false, 0, 0},
        {"", false, 0, 0},
        {"10:00-10:00", false, 0, 0},
    };
    for (const tCase& c : cases) {
        SCOPED_TRACE(c.Text);
        tSession session;
        session.OpenSeconds = 1;
        session.CloseSeconds = 2;
        EXPECT_EQ(ParseSessionText(c.Text, session), c.Good);
        EXPECT_EQ(session.OpenSeconds, c.Good ? c.Open : 1);
        EXPECT_EQ(session.CloseSeconds, c.Good ? c.Close : 2);
    }
}

TEST(TradingCalendar, TickTimeNeverPassesMidnight) {
    tSession session; // all day
    EXPECT_EQ(session.TickSecondsOfDay(0), 0);
    EXPECT_EQ(session.TickSecondsOfDay(session.TickCount()), 86399);
    EXPECT_EQ(AmPmTimeText(session.TickSecondsOfDay(session.TickCount())), "11:59pm");
}

TEST(TradingCalendar, FeedTexts) {
    struct tCase {
        int Seconds;
        const char* Text;
    };
    const tCase times[] = {{0, "12:00am"},     {59, "12:00am"},   {3660, "1:01am"},  {43199, "11:59am"},
                           {43200, "12:00pm"}, {46800, "1:00pm"}, {57600, "4:00pm"}, {86399, "11:59pm"}};
    for (const tCase& c : times) {
        SCOPED_TRACE(c.Seconds);
        EXPECT_EQ(AmPmTimeText(c.Seconds), c.Text);
    }
    EXPECT_EQ(UsDateText(DayNumber(2011, 6, 1)), "6/1/2011");
    EXPECT_EQ(UsDateText(DayNumber(2026, 12, 10)), "12/10/2026");
    EXPECT_EQ(LogStampText(DayNumber(2026, 1, 2) + (3600 * 13 + 60 * 4 + 5) / 86400.0),
              "2026-01-02 13:04:05");
}

} // namespace
} // namespace vc::sim
