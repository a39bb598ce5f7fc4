#include "toolkit/dates.h"

#include <cmath>
#include <cstdint>

#include "toolkit/text.h"

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

constexpr std::int64_t kMsPerDay = 86400000;

// A date-time split into whole days and milliseconds of the day. The value is rounded to the
// millisecond first and then split, so a value a hair below midnight (left by arithmetic such as
// a time-zone correction) is that midnight and not 23:59:59 of the day before, and no time of day
// ever reads 24:00:00. Days count toward zero and the time is taken without sign, so -0.25 is
// 30 December 1899 06:00 as spreadsheets have it. Wild values are held to a range the calendar
// arithmetic handles; NaN is day 0.
struct tSplit {
    std::int64_t Days = 0;
    std::int64_t Ms = 0;
};

tSplit Split(double value) {
    if (!std::isfinite(value)) {
        return {};
    }
    if (std::fabs(value) > 1.0e9) {
        // Far beyond any calendar; a double no longer holds milliseconds there anyway.
        return {value > 0 ? 1'000'000'000LL : -1'000'000'000LL, 0};
    }
    const auto total = static_cast<std::int64_t>(std::llround(value * static_cast<double>(kMsPerDay)));
    const std::int64_t ms = total % kMsPerDay;
    return {total / kMsPerDay, ms < 0 ? -ms : ms};
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
    return CivilFromDays(Split(value).Days - kEpochShift);
}

tTimeParts DecodeTime(double value) {
    const std::int64_t ms = Split(value).Ms;
    return {static_cast<int>(ms / 3600000), static_cast<int>(ms / 60000 % 60),
            static_cast<int>(ms / 1000 % 60), static_cast<int>(ms % 1000)};
}

int DayOfWeek(double value) {
    // Day 0, 30 December 1899, was a Saturday. The days are the ones DecodeDate counts.
    const std::int64_t days = Split(value).Days;
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
    return static_cast<double>(Split(value).Days);
}

double TimePart(double value) {
    return static_cast<double>(Split(value).Ms) / static_cast<double>(kMsPerDay);
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

// Copies the quoted literal that starts at pattern[at] and returns the position after it. '' is a
// quote, outside quotes as well as inside them; an unclosed quote runs to the end.
std::size_t CopyQuoted(std::string_view pattern, std::size_t at, std::string& out) {
    if (at + 1 < pattern.size() && pattern[at + 1] == '\'') {
        out += '\'';
        return at + 2;
    }
    for (++at; at < pattern.size(); ++at) {
        if (pattern[at] != '\'') {
            out += pattern[at];
        } else if (at + 1 < pattern.size() && pattern[at + 1] == '\'') {
            out += '\'';
            ++at;
        } else {
            return at + 1;
        }
    }
    return at;
}

// Reads up to maxDigits digits at text[at]; false when there is none.
bool ReadNumber(std::string_view text, std::size_t& at, std::size_t maxDigits, int& value) {
    const std::size_t start = at;
    value = 0;
    while (at < text.size() && at - start < maxDigits && text[at] >= '0' && text[at] <= '9') {
        value = value * 10 + (text[at] - '0');
        ++at;
    }
    return at > start;
}

// Skips an English name (its full form or its first three letters, without regard to case) of one
// of the given names; false when none stands at text[at].
template <std::size_t Count>
bool SkipName(std::string_view text, std::size_t& at, const char* const (&names)[Count], int& index) {
    for (std::size_t i = 0; i < Count; ++i) {
        const std::string_view full = names[i];
        for (const std::size_t length : {full.size(), std::size_t{3}}) {
            if (at + length > text.size()) {
                continue;
            }
            bool same = true;
            for (std::size_t k = 0; k < length && same; ++k) {
                same = UpperChar(text[at + k]) == UpperChar(full[k]);
            }
            if (same) {
                at += length;
                index = static_cast<int>(i) + 1;
                return true;
            }
        }
    }
    return false;
}

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
            at = CopyQuoted(pattern, at, out);
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

double ParseFormattedDate(std::string_view text, std::string_view pattern) {
    const std::string trimmed = Trim(text);
    const std::string_view t = trimmed;
    if (t.empty() || pattern.empty()) {
        return 0.0;
    }
    int day = 0;
    int month = 0;
    int year = 0;
    std::size_t at = 0;
    std::size_t p = 0;
    while (p < pattern.size()) {
        const char c = pattern[p];
        std::size_t run = 1;
        while (p + run < pattern.size() && pattern[p + run] == c) {
            ++run;
        }
        if (c == '\'') {
            std::string literal;
            p = CopyQuoted(pattern, p, literal);
            if (t.substr(at, literal.size()) != literal) {
                return 0.0;
            }
            at += literal.size();
            continue;
        }
        bool read = true;
        int weekday = 0;
        if (c == 'd') {
            read = run >= 3 ? SkipName(t, at, kEnglishDays, weekday) : ReadNumber(t, at, 2, day);
        } else if (c == 'M') {
            read = run >= 3 ? SkipName(t, at, kEnglishMonths, month) : ReadNumber(t, at, 2, month);
        } else if (c == 'y') {
            const std::size_t digits = run >= 3 ? 4 : 2;
            const std::size_t start = at;
            read = ReadNumber(t, at, digits, year) && at - start == digits;
            if (digits == 2) {
                // Two-digit years: 00..49 are this century, 50..99 the last one.
                year += year < 50 ? 2000 : 1900;
            }
        } else {
            read = t.substr(at, run) == pattern.substr(p, run);
            at += read ? run : 0;
        }
        if (!read) {
            return 0.0;
        }
        p += run;
    }
    if (at != t.size() || year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 ||
        day > DaysInMonth(year, month)) {
        return 0.0;
    }
    return EncodeDate(year, month, day);
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
