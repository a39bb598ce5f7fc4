#include "toolkit/dates.h"

#include <gtest/gtest.h>
#include <limits>
#include <string>

namespace vc {
namespace {

TEST(Dates, EncodeAndDecodeAgree) {
    EXPECT_DOUBLE_EQ(EncodeDate(1899, 12, 30), 0.0);
    EXPECT_DOUBLE_EQ(EncodeDate(1970, 1, 1), 25569.0);
    EXPECT_DOUBLE_EQ(EncodeDate(2011, 6, 1), 40695.0);
    for (const double day : {1.0, 40695.0, 700000.0, 59.0, 60.0, 61.0, -1.0}) {
        const tDateParts d = DecodeDate(day);
        EXPECT_DOUBLE_EQ(EncodeDate(d.Year, d.Month, d.Day), day);
    }
    const tDateParts leap = DecodeDate(EncodeDate(2024, 2, 29));
    EXPECT_EQ(leap.Year, 2024);
    EXPECT_EQ(leap.Month, 2);
    EXPECT_EQ(leap.Day, 29);
}

TEST(Dates, FixedTextsArePadded) {
    EXPECT_EQ(TimeOf(40695.0 + EncodeTime(16, 0, 0)), "16:00:00");
    EXPECT_EQ(ShortTimeOf(40695.0 + EncodeTime(9, 5, 59)), "09:05");
    EXPECT_EQ(TimeText(7, 3, 1), "07:03:01");
    EXPECT_EQ(DateText(1, 6, 2011), "01/06/2011");
    EXPECT_EQ(DateText(5, 7, 987), "05/07/0987");
}

TEST(Dates, EverySecondOfADayReadsBackAsWritten) {
    // A date-time built from a clock time must show that time again, whatever the binary fraction
    // makes of it; a single second off would move stamps and history lines.
    for (const int year : {1900, 2011, 2024, 2500}) {
        const double midnight = EncodeDate(year, 6, 1);
        for (int second = 0; second < 86400; ++second) {
            const double value = midnight + EncodeTime(second / 3600, second / 60 % 60, second % 60);
            const tTimeParts t = DecodeTime(value);
            if (t.Hour * 3600 + t.Minute * 60 + t.Second != second || t.Millisecond != 0) {
                ADD_FAILURE() << year << " second " << second << " reads back as " << TimeOf(value);
                break;
            }
            const tDateParts d = DecodeDate(value);
            ASSERT_EQ(d.Year * 10000 + d.Month * 100 + d.Day, year * 10000 + 601) << second;
        }
    }
}

TEST(Dates, ValuesRoundToTheMillisecondBeforeTheySplit) {
    const double day = EncodeDate(2011, 6, 1);
    const struct {
        double seconds; // from midnight of 1 June 2011
        const char* date;
        const char* time;
        int millisecond;
    } cases[] = {
        {43200.9996, "01/06/2011", "12:00:01", 0},   // rounded up into the next second
        {43200.9994, "01/06/2011", "12:00:00", 999}, // not yet
        {43200.0004, "01/06/2011", "12:00:00", 0},
        {59.9996, "01/06/2011", "00:01:00", 0},
        {86399.9994, "01/06/2011", "23:59:59", 999},
        {86399.9996, "02/06/2011", "00:00:00", 0}, // the next midnight, never 24:00:00
        {-0.0000006, "01/06/2011", "00:00:00", 0}, // a hair below midnight is that midnight
        {-0.0006, "31/05/2011", "23:59:59", 999},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.seconds);
        const double value = day + c.seconds / 86400.0;
        EXPECT_EQ(DateOf(value), c.date);
        EXPECT_EQ(TimeOf(value), c.time);
        EXPECT_EQ(DecodeTime(value).Millisecond, c.millisecond);
        // DatePart and TimePart split the same way, so the texts of the parts agree with the whole.
        EXPECT_EQ(DateOf(DatePart(value)), c.date);
        EXPECT_EQ(TimeOf(TimePart(value)), c.time);
        EXPECT_EQ(DayOfWeek(value), DayOfWeek(DatePart(value)));
    }
    // Arithmetic on date-times leaves such hairs: a time taken off in two halves.
    const double stamp = day + EncodeTime(16, 0, 13);
    const double back = stamp - EncodeTime(16, 0, 13) * 0.5 - EncodeTime(16, 0, 13) * 0.5;
    EXPECT_EQ(DateOf(back) + " " + TimeOf(back), "01/06/2011 00:00:00");
    // Before day 0 the time of day is read without sign.
    const tTimeParts morning = DecodeTime(-0.25);
    EXPECT_EQ(morning.Hour, 6);
    EXPECT_EQ(DecodeDate(-0.25).Day, 30);
}

TEST(Dates, WildValuesGiveTextsWithoutFault) {
    const double wild[] = {std::numeric_limits<double>::quiet_NaN(),
                           std::numeric_limits<double>::infinity(),
                           -std::numeric_limits<double>::infinity(),
                           1e300,
                           -1e300,
                           4e9};
    for (const double v : wild) {
        SCOPED_TRACE(v);
        EXPECT_EQ(DateOf(v), "");
        EXPECT_EQ(TimeOf(v).size(), 8u);
        EXPECT_GE(DayOfWeek(v), 1);
        EXPECT_LE(DayOfWeek(v), 7);
        EXPECT_EQ(FormatDate(v, "dd/MM/yyyy"), "");
        (void)UsDstStart(v);
        (void)EuDstEnd(v);
        (void)LastWeekday(v);
    }
    // Before day 0 the whole days count toward zero as DecodeDate does, the weekday with them.
    EXPECT_EQ(DayOfWeek(-0.5), DayOfWeek(0.0));
    EXPECT_EQ(DayOfWeek(-1.0), 6);
}

TEST(Dates, DateOfOnlyForTheStoredRange) {
    EXPECT_EQ(DateOf(0.0), "");
    EXPECT_EQ(DateOf(-5.0), "");
    EXPECT_EQ(DateOf(700000.5), "");
    EXPECT_EQ(DateOf(1.0), "31/12/1899");
}

TEST(Dates, ParseAndValidate) {
    const struct {
        const char* text;
        bool parses; // ParseDate gives a date
        bool valid;  // ValidDate
    } cases[] = {
        {"01/06/2011", true, true},    {"31/02/2011", false, false}, {"29/02/2012", true, true},
        {"29/02/2011", false, false},  {"01/01/1899", true, false},  {"01/01/2501", true, false},
        {"31/12/4999", true, false},   {"01/01/5000", false, false}, {"1/6/2011", false, false},
        {"01-06-2011", false, false},  {"01/13/2011", false, false}, {"00/01/2011", false, false},
        {"01/06/2011 ", false, false}, {"ab/cd/efgh", false, false}, {"", false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ParseDate(c.text) != 0.0, c.parses);
        EXPECT_EQ(ValidDate(c.text), c.valid);
    }
    EXPECT_DOUBLE_EQ(ParseDate("01/06/2011"), 40695.0);
}

TEST(Dates, ParseAndValidateTimes) {
    const struct {
        const char* text;
        double parsed;
        bool valid;
    } cases[] = {
        {"16:00:00", 16.0 / 24.0, true},
        {"23:59:59", EncodeTime(23, 59, 59), true},
        {"24:00:00", 0.0, false},
        {"12:60:00", 0.0, false},
        {"12:00:60", 0.0, false},
        {"1:00:00", 0.0, false},
        {"12.00.00", EncodeTime(12, 0, 0), false},
        {"ab:cd:ef", 0.0, false},
        {"", 0.0, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_DOUBLE_EQ(ParseTime(c.text), c.parsed);
        EXPECT_EQ(ValidTime(c.text), c.valid);
    }
}

TEST(Dates, WeekdaysAndWeekends) {
    EXPECT_EQ(DayOfWeek(EncodeDate(2011, 6, 12)), 1); // Sunday
    EXPECT_EQ(DayOfWeek(0.0), 7);                     // 30 December 1899 was a Saturday
    const double friday = EncodeDate(2011, 6, 10);
    EXPECT_DOUBLE_EQ(LastWeekday(EncodeDate(2011, 6, 12)), friday);
    EXPECT_DOUBLE_EQ(LastWeekday(EncodeDate(2011, 6, 11)), friday);
    EXPECT_DOUBLE_EQ(LastWeekday(friday), friday);
    EXPECT_DOUBLE_EQ(LastWeekday(EncodeDate(2011, 6, 13) + 0.5), EncodeDate(2011, 6, 13) + 0.5);
    EXPECT_DOUBLE_EQ(DatePart(40695.75), 40695.0);
    EXPECT_DOUBLE_EQ(TimePart(40695.75), 0.75);
}

TEST(Dates, DaylightSavingDates) {
    const struct {
        int year;
        int usStart, euStart, euEnd, usEnd; // days of March, March, October, November
    } cases[] = {
        {2011, 13, 27, 30, 6}, {2020, 8, 29, 25, 1}, {2024, 10, 31, 27, 3}, {2026, 8, 29, 25, 1},
        {2015, 8, 29, 25, 1},  {2009, 8, 29, 25, 1}, {2012, 11, 25, 28, 4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.year);
        const double anyDay = EncodeDate(c.year, 7, 4);
        EXPECT_DOUBLE_EQ(UsDstStart(anyDay), EncodeDate(c.year, 3, c.usStart));
        EXPECT_DOUBLE_EQ(EuDstStart(anyDay), EncodeDate(c.year, 3, c.euStart));
        EXPECT_DOUBLE_EQ(EuDstEnd(anyDay), EncodeDate(c.year, 10, c.euEnd));
        EXPECT_DOUBLE_EQ(UsDstEnd(anyDay), EncodeDate(c.year, 11, c.usEnd));
    }
}

TEST(Dates, MonthSteps) {
    int d = 31, m = 1, y = 2012;
    NextMonth(d, m, y);
    EXPECT_EQ(DateText(d, m, y), "29/02/2012");
    d = 15, m = 12, y = 2011;
    NextMonth(d, m, y);
    EXPECT_EQ(DateText(d, m, y), "15/01/2012");
    d = 31, m = 3, y = 2011;
    PreviousMonth(d, m, y);
    EXPECT_EQ(DateText(d, m, y), "28/02/2011");
    d = 1, m = 1, y = 2011;
    PreviousMonth(d, m, y);
    EXPECT_EQ(DateText(d, m, y), "01/12/2010");
}

TEST(Dates, ShortDateFormatPatterns) {
    const double day = EncodeDate(2011, 6, 1) + 0.5;
    const struct {
        const char* pattern;
        const char* text;
    } cases[] = {
        {"dd/MM/yyyy", "01/06/2011"},
        {"M/d/yy", "6/1/11"},
        {"yyyy-MM-dd", "2011-06-01"},
        {"d.M.yyyy", "1.6.2011"},
        {"dd MMM yyyy", "01 Jun 2011"},
        {"dddd d 'de' MMMM", "Wednesday 1 de June"},
        {"''yy", "'11"},
        {"'o''clock' d", "o'clock 1"},
        {"'dd' dd", "dd 01"},
        {"d 'unclosed", "1 unclosed"},
        {"yyyy\xE5r M", "2011\xE5r 6"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pattern);
        EXPECT_EQ(FormatDate(day, c.pattern), c.text);
    }
    EXPECT_EQ(FormatDate(0.0, "dd/MM/yyyy"), "");
}

TEST(Dates, ShortDateTextsReadBack) {
    const double june1 = EncodeDate(2011, 6, 1);
    const struct {
        const char* text;
        const char* pattern;
        double date;
    } cases[] = {
        {"01/06/2011", "dd/MM/yyyy", june1},
        {" 1/06/2011 ", "dd/MM/yyyy", june1},
        {"6/1/11", "M/d/yy", june1},
        {"6/1/99", "M/d/yy", EncodeDate(1999, 6, 1)},
        {"6/1/49", "M/d/yy", EncodeDate(2049, 6, 1)},
        {"2011-06-01", "yyyy-MM-dd", june1},
        {"20110601", "yyyyMMdd", june1},
        {"01 jun 2011", "dd MMM yyyy", june1},
        {"Wednesday 1 de June 2011", "dddd d 'de' MMMM yyyy", june1},
        {"1 June", "d MMMM", 0.0}, // no year
        {"29.02.2012", "dd.MM.yyyy", EncodeDate(2012, 2, 29)},
        {"29.02.2011", "dd.MM.yyyy", 0.0}, // no such day
        {"01/13/2011", "dd/MM/yyyy", 0.0},
        {"01/06/11", "dd/MM/yyyy", 0.0}, // a four-digit year wanted
        {"01-06-2011", "dd/MM/yyyy", 0.0},
        {"01/06/2011x", "dd/MM/yyyy", 0.0},
        {"01/06", "dd/MM/yyyy", 0.0},
        {"", "dd/MM/yyyy", 0.0},
        {"01/06/2011", "", 0.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " as " + c.pattern);
        EXPECT_DOUBLE_EQ(ParseFormattedDate(c.text, c.pattern), c.date);
    }
    // What FormatDate writes reads back to its day, through a whole leap year.
    for (const char* pattern : {"dd/MM/yyyy", "M/d/yy", "d. MMMM yyyy", "ddd dd MMM yyyy"}) {
        SCOPED_TRACE(pattern);
        for (double day = EncodeDate(2024, 1, 1); day < EncodeDate(2025, 1, 1); day += 1.0) {
            ASSERT_DOUBLE_EQ(ParseFormattedDate(FormatDate(day + 0.25, pattern), pattern), day)
                << FormatDate(day, pattern);
        }
    }
}

TEST(Dates, NameTables) {
    EXPECT_EQ(MonthName(3, 3), "march");
    EXPECT_EQ(MonthName(3, 4), "m\xE4rz");
    EXPECT_EQ(MonthName(10, 5), "okt\xF3"
                                "ber");
    EXPECT_EQ(MonthName(12, 2), "d\xE9"
                                "cembre");
    EXPECT_EQ(MonthName(1, 9), "januari"); // unknown language: Dutch
    EXPECT_EQ(MonthName(13, 3), "");
    EXPECT_EQ(DayName(1, 3), "su");
    EXPECT_EQ(DayName(2, 5), "h\xE9");
    EXPECT_EQ(DayName(7, 1), "za");
    EXPECT_EQ(DayName(0, 1), "");
}

} // namespace
} // namespace vc
