#include "market/download_progress.h"

#include <gtest/gtest.h>

#include <vector>

namespace vc {
namespace {

TEST(SessionProgress, AnnouncedLengthGivesPlainPercent) {
    std::int64_t expected = 0;
    EXPECT_DOUBLE_EQ(SessionProgress(0, 400, expected), 0.0);
    EXPECT_DOUBLE_EQ(SessionProgress(100, 400, expected), 25.0);
    EXPECT_DOUBLE_EQ(SessionProgress(400, 400, expected), 100.0);
    // Decompressed bytes outnumber the compressed length.
    EXPECT_DOUBLE_EQ(SessionProgress(900, 400, expected), 100.0);
    EXPECT_EQ(expected, 0) << "the guess is only for bodies without a length";
}

TEST(SessionProgress, GuessFallsBackOnceTheBodyOutgrowsIt) {
    struct tStep {
        std::int64_t Received;
        double Percent;
        std::int64_t Expected;
    };
    const std::vector<tStep> steps = {
        {0, 0.0, 20000},
        {5000, 25.0, 20000},
        {20000, 100.0, 20000},
        {20001, 100.0 / 3, 60003},
        {40000, 40000 * 100.0 / 60003, 60003},
        {60004, 100.0 / 3, 180012},
    };
    std::int64_t expected = 0;
    for (const auto& step : steps) {
        SCOPED_TRACE(step.Received);
        EXPECT_NEAR(SessionProgress(step.Received, 0, expected), step.Percent, 1e-9);
        EXPECT_EQ(expected, step.Expected);
    }
    // A length of -1 (none announced) behaves like 0.
    std::int64_t other = 0;
    EXPECT_DOUBLE_EQ(SessionProgress(10000, -1, other), 50.0);
}

TEST(BodyPosition, MovesFromThePhaseBaseToTheEnd) {
    struct tCase {
        const char* Name;
        int PhaseBase;
        std::int64_t Received;
        std::int64_t Length;
        std::int64_t Guess;
        int Position;
        std::int64_t GuessAfter;
    };
    const tCase cases[] = {
        {"length, half", 20, 500, 1000, -1, 60, -1},
        {"length, all", 20, 1000, 1000, -1, 100, -1},
        {"length, decompressed overshoot", 20, 3000, 1000, -1, 100, -1},
        {"length, truncates", 21, 1, 3, -1, 47, -1},
        {"no length, no guess: stays", 20, 500, 0, -1, 33, -1},
        {"no length, guess holds", 20, 500, 0, 1000, 60, 1000},
        {"no length, guess outgrown", 20, 1500, 0, 1000, 60, 3000},
        {"no length, zero guess", 20, 0, 0, 0, 20, 0},
        {"base past the end", 120, 10, 20, -1, 100, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        std::int64_t guess = c.Guess;
        EXPECT_EQ(BodyPosition(c.PhaseBase, 33, c.Received, c.Length, guess), c.Position);
        EXPECT_EQ(guess, c.GuessAfter);
    }
}

} // namespace
} // namespace vc
