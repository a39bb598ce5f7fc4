#include "trading_calendar.h"

#include <cmath>
#include <cstdio>

namespace vc::sim {

namespace {
// Day number of 1 January 1970.
constexpr int kUnixEpochDay = 25569;
// A date-time split into its day and the whole seconds of that day, rounded to the millisecond
// first so that 13:04:05 stored as a double does not read back as 13:04:04.
void SplitDateTime(double now, int& day, int& seconds) {
    const auto ms = static_cast<long long>(std::llround(now * 86400000.0));
    long long dayPart = ms / 86400000;
    long long rest = ms % 86400000;
    if (rest < 0) {
        rest += 86400000;
        --dayPart;
    }
    day = static_cast<int>(dayPart);
    seconds = static_cast<int>(rest / 1000);
}

} // namespace

// Civil-date arithmetic after Howard Hinnant's days_from_civil / civil_from_days.
int DayNumber(int year, int month, int day) {
    const int y = year - (month <= 2 ? 1 : 0);
    const int era = (y >= 0 ? y : y - 399) / 400;
    const int yoe = y - era * 400;
    const int mp = (month + 9) % 12;
    const int doy = (153 * mp + 2) / 5 + day - 1;
    const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468 + kUnixEpochDay;
}

tCivilDate CivilDate(int dayNumber) {
    const int z = dayNumber - kUnixEpochDay + 719468;
    const int era = (z >= 0 ? z : z - 146096) / 146097;
    const int doe = z - era * 146097;
    const int yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int mp = (5 * doy + 2) / 153;
    tCivilDate date;
    date.Day = doy - (153 * mp + 2) / 5 + 1;
    date.Month = mp < 10 ? mp + 3 : mp - 9;
    date.Year = yoe + era * 400 + (date.Month <= 2 ? 1 : 0);
    return date;
}

int Weekday(int dayNumber) {
    // Day 0, 30 December 1899, was a Saturday.
    const int w = (dayNumber + 6) % 7;
    return (w < 0 ? w + 7 : w) + 1;
}

bool IsTradingDay(int dayNumber) {
    const int w = Weekday(dayNumber);
    return w != 1 && w != 7;
}

int PreviousTradingDay(int dayNumber) {
    int day = dayNumber - 1;
    while (!IsTradingDay(day)) {
        --day;
    }
    return day;
}

int tSession::TickSecondsOfDay(int tick) const {
    const int seconds = OpenSeconds + tick * TickSeconds;
    return seconds > 86399 ? 86399 : seconds;
}

bool ParseSessionText(const std::string& text, tSession& session) {
    int oh = 0, om = 0, ch = 0, cm = 0;
    char tail = 0;
    if (std::sscanf(text.c_str(), "%d:%d-%d:%d%c", &oh, &om, &ch, &cm, &tail) != 4) {
        return false;
    }
    if (oh < 0 || oh > 23 || om < 0 || om > 59 || ch < 0 || ch > 24 || cm < 0 || cm > 59 ||
        (ch == 24 && cm != 0)) {
        return false;
    }
    const int open = oh * 3600 + om * 60;
    const int close = ch * 3600 + cm * 60;
    if (close - open < session.TickSeconds) {
        return false;
    }
    session.OpenSeconds = open;
    session.CloseSeconds = close;
    return true;
}

tFeedPosition FeedPosition(double now, const tSession& session) {
    int today = 0;
    int seconds = 0;
    SplitDateTime(now, today, seconds);
    const int lastTick = session.TickCount();
    if (!IsTradingDay(today) || seconds < session.OpenSeconds) {
        return {PreviousTradingDay(today), lastTick};
    }
    const int tick = (seconds - session.OpenSeconds) / session.TickSeconds;
    return {today, tick < lastTick ? tick : lastTick};
}

std::string UsDateText(int dayNumber) {
    const tCivilDate date = CivilDate(dayNumber);
    return std::to_string(date.Month) + "/" + std::to_string(date.Day) + "/" + std::to_string(date.Year);
}

std::string AmPmTimeText(int secondsOfDay) {
    const int hour = secondsOfDay / 3600;
    const int minute = secondsOfDay / 60 % 60;
    const int hour12 = hour % 12 == 0 ? 12 : hour % 12;
    char text[16];
    std::snprintf(text, sizeof text, "%d:%02d%s", hour12, minute, hour < 12 ? "am" : "pm");
    return text;
}

std::string LogStampText(double now) {
    int day = 0;
    int seconds = 0;
    SplitDateTime(now, day, seconds);
    const tCivilDate date = CivilDate(day);
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", date.Year, date.Month, date.Day,
                  seconds / 3600, seconds / 60 % 60, seconds % 60);
    return text;
}

} // namespace vc::sim
