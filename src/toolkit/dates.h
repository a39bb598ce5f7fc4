// Date and time helpers. A date-time is a double counting days since 30 December 1899, its fraction
// the time of day. Stored texts are DD/MM/YYYY and HH:MM:SS, zero padded, 24-hour; shown texts use
// the user's short date format, which the Qt layer hands in as a pattern.
#pragma once

#include <string>
#include <string_view>

namespace vc {

struct tDateParts {
    int Year = 0;
    int Month = 0;
    int Day = 0;
};

struct tTimeParts {
    int Hour = 0;
    int Minute = 0;
    int Second = 0;
    int Millisecond = 0;
};

bool IsLeapYear(int year);
// Days in a month (1..12) of a year; 0 for a month outside 1..12.
int DaysInMonth(int year, int month);
// The date-time of midnight at the start of a day; the fields are not checked.
double EncodeDate(int year, int month, int day);
// Time of day as a fraction of a day.
double EncodeTime(int hour, int minute, int second, int millisecond = 0);
// The calendar date and the time of day of a date-time. Both first round the value to the
// millisecond, so 23:59:59.9996 is midnight of the next day (never 24:00:00) and a value a hair
// below midnight is that midnight; whole days count toward zero (-0.25 is 30/12/1899 06:00).
tDateParts DecodeDate(double value);
tTimeParts DecodeTime(double value);
// 1 = Sunday ... 7 = Saturday.
int DayOfWeek(double value);

// DD/MM/YYYY from the three numbers.
std::string DateText(int day, int month, int year);
// DD/MM/YYYY of a date-time; empty unless 0 < value <= 700000.
std::string DateOf(double value);
// HH:MM:SS.
std::string TimeText(int hour, int minute, int second);
std::string TimeOf(double value);
// HH:MM.
std::string ShortTimeOf(double value);

// The date of a DD/MM/YYYY text: exactly 10 characters, "/" at positions 3 and 6, month 1..12,
// day within the month, year 1..4999; else 0.
double ParseDate(std::string_view text);
// A DD/MM/YYYY text with a real day, month 1..12 and year 1900..2500.
bool ValidDate(std::string_view text);
// The time of characters 1-2, 4-5 and 7-8 as hours, minutes, seconds; 0 unless all are in range.
double ParseTime(std::string_view text);
// Exactly HH:MM:SS with hours 0..23, minutes and seconds 0..59.
bool ValidTime(std::string_view text);

// Midnight of the value's day / its time of day, split as DecodeDate and DecodeTime split it.
double DatePart(double value);
double TimePart(double value);
// Saturday and Sunday go back to the Friday before; other days are unchanged.
double LastWeekday(double value);

// Moves a date by one month with the year carried; the day is lowered to the new month's length.
void NextMonth(int& day, int& month, int& year);
void PreviousMonth(int& day, int& month, int& year);

// Daylight-saving dates of the value's year: USA second Sunday of March to first Sunday of November,
// Europe last Sunday of March to last Sunday of October.
double UsDstStart(double value);
double UsDstEnd(double value);
double EuDstStart(double value);
double EuDstEnd(double value);

// A date-time as the user's short date format shows it. The pattern uses Qt's letters: d dd ddd dddd
// (day, names in English), M MM MMM MMMM (month), yy yyyy (year); text in single quotes and every
// other character is copied. Empty for a date outside 0 < value <= 700000.
std::string FormatDate(double value, std::string_view pattern);
// The date a text shows in such a pattern (blanks around it ignored), for sorting and reading back
// what FormatDate wrote: day and month take one or two digits, yyyy four, yy two (00..49 are
// 20xx, 50..99 19xx); ddd/dddd skip an English day name, MMM/MMMM read an English month name;
// every other character must stand as it is. 0 when the text is not a real date of years 1..9999.
double ParseFormattedDate(std::string_view text, std::string_view pattern);

// Month 1..12 and day 1..7 (1 = Sunday) names in a language (1 Dutch, 2 French, 3 English, 4 German,
// 5 Hungarian), Windows-1252; an unknown language gives the Dutch name, a number outside the table
// the empty text.
std::string MonthName(int month, int language);
std::string DayName(int day, int language);

} // namespace vc
