#include "set_clock.h"

#include "toolkit/dates.h"

#include <cstdio>
#include <string>

namespace vc::sim {

tSetClock::tSetClock(double start, const tClock& base)
    : start_(start), base_(base), origin_(base.SteadyMs()) {}

double tSetClock::Now() const {
    return start_ + static_cast<double>(base_.SteadyMs() - origin_) / 86400000.0;
}

std::int64_t tSetClock::SteadyMs() const {
    return base_.SteadyMs();
}

bool ParseClockText(std::string_view text, double& value) {
    if (text.size() != 19 || (text[10] != ' ' && text[10] != 'T')) {
        return false;
    }
    const std::string copy(text);
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    char tail = 0;
    const char* format = text[10] == ' ' ? "%4d-%2d-%2d %2d:%2d:%2d%c" : "%4d-%2d-%2dT%2d:%2d:%2d%c";
    if (std::sscanf(copy.c_str(), format, &year, &month, &day, &hour, &minute, &second, &tail) != 6) {
        return false;
    }
    if (year < 1900 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month) || hour < 0 ||
        hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59) {
        return false;
    }
    value = EncodeDate(year, month, day) + EncodeTime(hour, minute, second);
    return true;
}

} // namespace vc::sim
