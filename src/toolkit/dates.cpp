#include "toolkit/dates.h"

#include <cmath>
#include <cstdint>

namespace vc {

namespace {

// Days from 0001-03-01 style civil dates to 1970-01-01, after H. Hinnant's algorithms; the epoch of
// date-times (30 December 1899) is 25569 days before 1970-01-01.
constexpr std::int64_t kEpochShift = 25569;

std::int64_t DaysFromCivil(std::int64_t y, int m, int d) {
    y -= m <= 2 ? 1 : 0;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy =
        (153 * static_cast<unsigned>(m + (m > 2 ? -3 : 9)) + 2) / 5 + static_cast<unsigned>(d) - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

tDateParts CivilFromDays(std::int64_t z) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const auto doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t y = static_cast<std::int64_t>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    return {static_cast<int>(y + (m <= 2 ? 1 : 0)), static_cast<int>(m), static_cast<int>(d)};
}

// Whole days of a date-time, held to a range the calendar arithmetic handles.
std::int64_t WholeDays(double value) {
    if (!std::isfinite(value)) {
        return 0;
    }
    const double days = std::trunc(value);
    if (days > 3.0e9) {
        return 3'000'000'000LL;
    }
    if (days < -3.0e9) {
        return -3'000'000'000LL;
    }
    return static_cast<std::int64_t>(days);
}

void AppendPadded(std::string& out, long long value, int width) {
    std::string digits = std::to_string(value < 0 ? -value : value);
    if (value < 0) {
        out += '-';
    }
    for (int i = static_cast<int>(digits.size()); i < width; ++i) {
        out += '0';
    }
    out += digits;
}

// Reads text[from, from + count) as digits only; false when anything else stands there.
bool ReadDigits(std::string_view text, std::size_t from, std::size_t count, int& value) {
    if (from + count > text.size()) {
        return false;
    }
    value = 0;
    for (std::size_t i = from; i < from + count; ++i) {
        if (text[i] < '0' || text[i] > '9') {
            return false;
        }
        value = value * 10 + (text[i] - '0');
    }
    return true;
}

bool SplitDateText(std::string_view text, int& day, int& month, int& year) {
    return text.size() == 10 && text[2] == '/' && text[5] == '/' && ReadDigits(text, 0, 2, day) &&
           ReadDigits(text, 3, 2, month) && ReadDigits(text, 6, 4, year);
}

double SundayOnOrAfter(double date) {
    return date + static_cast<double>((8 - DayOfWeek(date)) % 7);
}
double SundayOnOrBefore(double date) {
    return date - static_cast<double>(DayOfWeek(date) - 1);
}
int YearOf(double value) {
    return DecodeDate(value).Year;
}

} // namespace

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) {
        return 0;
    }
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

double EncodeDate(int year, int month, int day) {
    return static_cast<double>(DaysFromCivil(year, month, day) + kEpochShift);
}

double EncodeTime(int hour, int minute, int second, int millisecond) {
    return (((hour * 60.0 + minute) * 60.0 + second) * 1000.0 + millisecond) / 86400000.0;
}

tDateParts DecodeDate(double value) {
    return CivilFromDays(WholeDays(value) - kEpochShift);
}

tTimeParts DecodeTime(double value) {
    if (!std::isfinite(value)) {
        return {};
    }
    const double fraction = std::fabs(value - std::trunc(value));
    auto ms = static_cast<std::int64_t>(std::llround(fraction * 86400000.0));
    // A time a hair before midnight rounds up to the next day, which belongs to that day, not this.
    if (ms >= 86400000) {
        ms = 86399999;
    }
    return {static_cast<int>(ms / 3600000), static_cast<int>(ms / 60000 % 60),
            static_cast<int>(ms / 1000 % 60), static_cast<int>(ms % 1000)};
}

int DayOfWeek(double value) {
    // Day 0, 30 December 1899, was a Saturday.
    const std::int64_t days = static_cast<std::int64_t>(std::floor(std::isfinite(value) ? value : 0.0));
    return static_cast<int>(((days % 7) + 7 + 6) % 7) + 1;
}

std::string DateText(int day, int month, int year) {
    std::string out;
    AppendPadded(out, day, 2);
    out += '/';
    AppendPadded(out, month, 2);
    out += '/';
    AppendPadded(out, year, 4);
    return out;
}

std::string DateOf(double value) {
    if (!(value > 0.0 && value <= 700000.0)) {
        return std::string();
    }
    const tDateParts date = DecodeDate(value);
    return DateText(date.Day, date.Month, date.Year);
}

std::string TimeText(int hour, int minute, int second) {
    std::string out;
    AppendPadded(out, hour, 2);
    out += ':';
    AppendPadded(out, minute, 2);
    out += ':';
    AppendPadded(out, second, 2);
    return out;
}

std::string TimeOf(double value) {
    const tTimeParts time = DecodeTime(value);
    return TimeText(time.Hour, time.Minute, time.Second);
}

std::string ShortTimeOf(double value) {
    return TimeOf(value).substr(0, 5);
}

double ParseDate(std::string_view text) {
    int day = 0;
    int month = 0;
    int year = 0;
    if (!SplitDateText(text, day, month, year) || month < 1 || month > 12 || year < 1 || year > 4999 ||
        day < 1 || day > DaysInMonth(year, month)) {
        return 0.0;
    }
    return EncodeDate(year, month, day);
}

bool ValidDate(std::string_view text) {
    int day = 0;
    int month = 0;
    int year = 0;
    return SplitDateText(text, day, month, year) && month >= 1 && month <= 12 && year >= 1900 &&
           year <= 2500 && day >= 1 && day <= DaysInMonth(year, month);
}

double ParseTime(std::string_view text) {
    int hour = 0;
    int minute = 0;
    int second = 0;
    if (!ReadDigits(text, 0, 2, hour) || !ReadDigits(text, 3, 2, minute) || !ReadDigits(text, 6, 2, second) ||
        hour >= 24 || minute >= 60 || second >= 60) {
        return 0.0;
    }
    return EncodeTime(hour, minute, second);
}

bool ValidTime(std::string_view text) {
    int hour = 0;
    int minute = 0;
    int second = 0;
    return text.size() == 8 && text[2] == ':' && text[5] == ':' && ReadDigits(text, 0, 2, hour) &&
           ReadDigits(text, 3, 2, minute) && ReadDigits(text, 6, 2, second) && hour <= 23 && minute <= 59 &&
           second <= 59;
}

double DatePart(double value) {
    return static_cast<double>(WholeDays(value));
}

double TimePart(double value) {
    return std::isfinite(value) ? std::fabs(value - std::trunc(value)) : 0.0;
}

double LastWeekday(double value) {
    switch (DayOfWeek(value)) {
    case 7:
        return value - 1.0;
    case 1:
        return value - 2.0;
    default:
        return value;
    }
}

void NextMonth(int& day, int& month, int& year) {
    if (++month > 12) {
        month = 1;
        ++year;
    }
    if (day > DaysInMonth(year, month)) {
        day = DaysInMonth(year, month);
    }
}

void PreviousMonth(int& day, int& month, int& year) {
    if (--month < 1) {
        month = 12;
        --year;
    }
    if (day > DaysInMonth(year, month)) {
        day = DaysInMonth(year, month);
    }
}

double UsDstStart(double value) {
    const double march1 = EncodeDate(YearOf(value), 3, 1);
    return SundayOnOrAfter(march1) + 7.0;
}

double UsDstEnd(double value) {
    return SundayOnOrAfter(EncodeDate(YearOf(value), 11, 1));
}

double EuDstStart(double value) {
    return SundayOnOrBefore(EncodeDate(YearOf(value), 3, 31));
}

double EuDstEnd(double value) {
    return SundayOnOrBefore(EncodeDate(YearOf(value), 10, 31));
}

namespace {

constexpr const char* kEnglishMonths[12] = {"January",   "February", "March",    "April",
                                            "May",       "June",     "July",     "August",
                                            "September", "October",  "November", "December"};
constexpr const char* kEnglishDays[7] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                         "Thursday", "Friday", "Saturday"};

} // namespace

std::string FormatDate(double value, std::string_view pattern) {
    if (!(value > 0.0 && value <= 700000.0)) {
        return std::string();
    }
    const tDateParts date = DecodeDate(value);
    std::string out;
    std::size_t at = 0;
    while (at < pattern.size()) {
        const char c = pattern[at];
        std::size_t run = 1;
        while (at + run < pattern.size() && pattern[at + run] == c) {
            ++run;
        }
        if (c == '\'') {
            // Quoted literal text; '' is a quote.
            const auto close = pattern.find('\'', at + 1);
            if (close == at + 1) {
                out += '\'';
                at += 2;
                continue;
            }
            const auto end = close == std::string_view::npos ? pattern.size() : close;
            out.append(pattern.substr(at + 1, end - at - 1));
            at = end == pattern.size() ? end : end + 1;
            continue;
        }
        if (c == 'd') {
            if (run >= 4) {
                out += kEnglishDays[DayOfWeek(value) - 1];
            } else if (run == 3) {
                out += std::string(kEnglishDays[DayOfWeek(value) - 1]).substr(0, 3);
            } else {
                AppendPadded(out, date.Day, static_cast<int>(run));
            }
        } else if (c == 'M') {
            if (run >= 4) {
                out += kEnglishMonths[date.Month - 1];
            } else if (run == 3) {
                out += std::string(kEnglishMonths[date.Month - 1]).substr(0, 3);
            } else {
                AppendPadded(out, date.Month, static_cast<int>(run));
            }
        } else if (c == 'y') {
            if (run >= 3) {
                AppendPadded(out, date.Year, 4);
            } else {
                AppendPadded(out, ((date.Year % 100) + 100) % 100, 2);
            }
        } else {
            out.append(pattern.substr(at, run));
        }
        at += run;
    }
    return out;
}

namespace {

// Columns: Dutch, French, English, German, Hungarian (Windows-1252).
constexpr const char* kMonthNames[12][5] = {
    {"januari", "janvier", "january", "januar", "janu\xE1r"},
    {"februari", "f\xE9vrier", "february", "februar", "febru\xE1r"},
    {"maart", "mars", "march", "m\xE4rz", "m\xE1rcius"},
    {"april", "avril", "april", "april", "\xE1prilis"},
    {"mei", "mai", "may", "mai", "m\xE1jus"},
    {"juni", "juin", "june", "juni", "j\xFAnius"},
    {"juli", "juillet", "july", "juli", "j\xFAlius"},
    {"augustus", "ao\xFBt", "august", "august", "augusztus"},
    {"september", "septembre", "september", "september", "szeptember"},
    {"oktober", "octobre", "october", "oktober",
     "okt\xF3"
     "ber"},
    {"november", "novembre", "november", "november", "november"},
    {"december",
     "d\xE9"
     "cembre",
     "december", "dezember", "december"},
};

constexpr const char* kDayNames[7][5] = {
    {"zo", "di", "su", "so", "va"}, {"ma", "lu", "mo", "mo", "h\xE9"}, {"di", "ma", "tu", "di", "ke"},
    {"wo", "me", "we", "mi", "sz"}, {"do", "je", "th", "do", "cs"},    {"vr", "ve", "fr", "fr", "p\xE9"},
    {"za", "sa", "sa", "sa", "sz"},
};

template <std::size_t Rows>
std::string NameFrom(const char* const (&table)[Rows][5], int row, int language) {
    if (row < 1 || row > static_cast<int>(Rows)) {
        return std::string();
    }
    const char* const* names = table[row - 1];
    if (language < 1 || language > 5 || names[language - 1][0] == '\0') {
        return names[0];
    }
    return names[language - 1];
}

} // namespace

std::string MonthName(int month, int language) {
    return NameFrom(kMonthNames, month, language);
}

std::string DayName(int day, int language) {
    return NameFrom(kDayNames, day, language);
}

} // namespace vc
