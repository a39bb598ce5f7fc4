#include "toolkit/clock.h"

#include <cstdlib>
#include <ctime>
#include <gtest/gtest.h>
#include <string>

namespace vc {
namespace {

// Sets TZ for the life of the object.
class tZone {
public:
    explicit tZone(const char* zone) {
        if (const char* old = std::getenv("TZ")) {
            old_ = old;
            had_ = true;
        }
        setenv("TZ", zone, 1);
        tzset();
    }
    ~tZone() {
        if (had_) {
            setenv("TZ", old_.c_str(), 1);
        } else {
            unsetenv("TZ");
        }
        tzset();
    }

private:
    std::string old_;
    bool had_ = false;
};

double UtcNowDays() {
    return 25569.0 + static_cast<double>(std::time(nullptr)) / 86400.0;
}

TEST(SystemClock, NowIsLocalTimeAsDaysSince1899) {
    const struct {
        const char* zone;
        double offsetHours;
    } cases[] = {{"UTC0", 0.0}, {"XST-5:30", 5.5}, {"YST+8", -8.0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.zone);
        tZone zone(c.zone);
        tSystemClock clock;
        const double expected = UtcNowDays() + c.offsetHours / 24.0;
        EXPECT_NEAR(clock.Now(), expected, 2.0 / 86400.0);
    }
}

TEST(SystemClock, SteadyClockDoesNotGoBack) {
    tSystemClock clock;
    const auto first = clock.SteadyMs();
    EXPECT_GE(clock.SteadyMs(), first);
}

} // namespace
} // namespace vc
