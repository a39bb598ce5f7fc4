// The simulated exchange's calendar: civil dates of date-time values (days since 30 December 1899),
// weekdays, and which trading day and price tick a moment of local time falls on.
#pragma once

#include <string>

namespace vc::sim {

struct tCivilDate {
    int Year = 1899;
    int Month = 12;
    int Day = 30;
};

// Day number (days since 30 December 1899) of a civil date and back.
int DayNumber(int year, int month, int day);
tCivilDate CivilDate(int dayNumber);
// 1 = Sunday .. 7 = Saturday.
int Weekday(int dayNumber);
bool IsTradingDay(int dayNumber);
// The last trading day strictly before dayNumber.
int PreviousTradingDay(int dayNumber);

// Trading hours of one day in local time. Prices move one tick every TickSeconds from Open to Close;
// tick 0 is the opening price, the last tick the closing price.
struct tSession {
    int OpenSeconds = 0;          // seconds after midnight
    int CloseSeconds = 24 * 3600; // seconds after midnight, above OpenSeconds
    int TickSeconds = 5;

    int TickCount() const { return (CloseSeconds - OpenSeconds) / TickSeconds; }
    // Seconds after midnight of a tick; never past 23:59:59 so a quote never spills into the next day.
    int TickSecondsOfDay(int tick) const;
};

// Parses "HH:MM-HH:MM" (24:00 allowed as the close). False leaves session unchanged.
bool ParseSessionText(const std::string& text, tSession& session);

// Where the feed stands at a moment: the trading day whose prices are shown and the last tick
// traded on it. Before the open and on weekends that is the previous trading day's close.
struct tFeedPosition {
    int Day = 0;
    int Tick = 0;
};
tFeedPosition FeedPosition(double now, const tSession& session);

// "6/1/2011" and "4:00pm", as the quote feed writes them.
std::string UsDateText(int dayNumber);
std::string AmPmTimeText(int secondsOfDay);
// "2026-12-10 01:40:05" for the request log.
std::string LogStampText(double now);

} // namespace vc::sim
