#include "toolkit/dates.h"

#include <gtest/gtest.h>
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

TEST(Dates, TimeOfDayNeverReachesMidnight) {
    const double justBefore = 40695.0 + (86400.0 - 0.0004) / 86400.0;
    EXPECT_EQ(TimeOf(justBefore), "23:59:59");
    EXPECT_EQ(DateOf(justBefore), "01/06/2011");
    EXPECT_EQ(TimeOf(40695.0 + EncodeTime(16, 0, 0)), "16:00:00");
    EXPECT_EQ(ShortTimeOf(40695.0 + EncodeTime(9, 5, 59)), "09:05");
    EXPECT_EQ(TimeText(7, 3, 1), "07:03:01");
    EXPECT_EQ(DateText(1, 6, 2011), "01/06/2011");
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
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pattern);
        EXPECT_EQ(FormatDate(day, c.pattern), c.text);
    }
    EXPECT_EQ(FormatDate(0.0, "dd/MM/yyyy"), "");
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
