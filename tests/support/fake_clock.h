// A clock the test sets by hand.
#pragma once

#include "toolkit/clock.h"

namespace vc::test {

class tFakeClock final : public tClock {
public:
    explicit tFakeClock(double now = 0.0) : now_(now) {}
    double Now() const override { return now_; }
    std::int64_t SteadyMs() const override { return steadyMs_; }

    void Set(double now) { now_ = now; }
    // Moves both the wall clock and the steady clock forward.
    void AdvanceMs(std::int64_t ms) {
        steadyMs_ += ms;
        now_ += static_cast<double>(ms) / 86400000.0;
    }

private:
    double now_;
    std::int64_t steadyMs_ = 1000000;
};

} // namespace vc::test
