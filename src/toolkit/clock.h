// The program's clock. Time reaches the core only through this interface, so that the refresh cycle,
// the alert stamps and the blinking of alerted items can be tested tick by tick without waiting.
#pragma once

#include <cstdint>

namespace vc {

class tClock {
public:
    virtual ~tClock() = default;
    // Local wall-clock time as a date-time: days since 30 December 1899, the fraction the time of day.
    virtual double Now() const = 0;
    // Milliseconds on a steady clock with an arbitrary origin; for intervals only.
    virtual std::int64_t SteadyMs() const = 0;
};

// The real clock: local time as the process's time zone has it.
class tSystemClock final : public tClock {
public:
    double Now() const override;
    std::int64_t SteadyMs() const override;
};

} // namespace vc
