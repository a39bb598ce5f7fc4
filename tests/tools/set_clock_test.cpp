#include "set_clock.h"

#include "support/fake_clock.h"
#include "toolkit/dates.h"

#include <gtest/gtest.h>

namespace vc::sim {
namespace {

TEST(SetClock, ParsesOnlyWholeExistingMoments) {
    const struct {
        const char* Text;
        bool Ok;
        double Expected;
    } cases[] = {
        {"2025-06-14 15:00:00", true, EncodeDate(2025, 6, 14) + EncodeTime(15, 0, 0)},
        {"2024-02-29T23:59:59", true, EncodeDate(2024, 2, 29) + EncodeTime(23, 59, 59)},
        {"2025-02-29 12:00:00", false, 0},
        {"2025-06-14 24:00:00", false, 0},
        {"2025-06-14 15:00", false, 0},
        {"2025-06-14 15:00:00Z", false, 0},
        {"2025-06-14_15:00:00", false, 0},
        {"", false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Text);
        double value = -1;
        EXPECT_EQ(ParseClockText(c.Text, value), c.Ok);
        if (c.Ok) {
            EXPECT_DOUBLE_EQ(value, c.Expected);
        }
    }
}

TEST(SetClock, RunsOnFromItsStartWithTheSteadyClock) {
    test::tFakeClock base(1000.0);
    base.AdvanceMs(5000);
    const double start = EncodeDate(2025, 6, 13) + EncodeTime(23, 59, 0);
    const tSetClock clock(start, base);
    EXPECT_DOUBLE_EQ(clock.Now(), start);
    base.AdvanceMs(90000);
    EXPECT_EQ(DateOf(clock.Now()), "14/06/2025");
    EXPECT_EQ(TimeOf(clock.Now()), "00:00:30");
    EXPECT_EQ(clock.SteadyMs(), base.SteadyMs());
}

} // namespace
} // namespace vc::sim
