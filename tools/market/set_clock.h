// The exchange's clock when it is told what time it is: it starts at the given local date-time and
// runs on with the steady clock. End-to-end tests use it so that the quotes they get do not depend
// on the hour, the weekday or the zone the suite happens to run in.
#pragma once

#include "toolkit/clock.h"

#include <string_view>

namespace vc::sim {

class tSetClock final : public tClock {
public:
    // `base` supplies the steady clock and must outlive this clock.
    tSetClock(double start, const tClock& base);
    double Now() const override;
    std::int64_t SteadyMs() const override;

private:
    double start_;
    const tClock& base_;
    std::int64_t origin_;
};

// "YYYY-MM-DD HH:MM:SS" (or "YYYY-MM-DDTHH:MM:SS") as a date-time; false for anything else, a date
// that does not exist included.
bool ParseClockText(std::string_view text, double& value);

} // namespace vc::sim
