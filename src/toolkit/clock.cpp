#include "toolkit/clock.h"

#include <chrono>
#include <ctime>

namespace vc {

namespace {
// Days from 30 December 1899 to 1 January 1970.
constexpr double kUnixEpochDays = 25569.0;
} // namespace

double tSystemClock::Now() const {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t seconds = system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&seconds, &local);
    const auto ms = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
    // Local time: shift the UTC instant by the zone's offset at that moment.
    const double localSeconds = static_cast<double>(seconds) + static_cast<double>(local.tm_gmtoff);
    return kUnixEpochDays + (localSeconds + static_cast<double>(ms) / 1000.0) / 86400.0;
}

std::int64_t tSystemClock::SteadyMs() const {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

} // namespace vc
