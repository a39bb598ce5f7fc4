#include "price_walk.h"

#include <gtest/gtest.h>

#include <cmath>

namespace vc::sim {
namespace {

class PriceWalkTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(universe.Load("MSFT,Microsoft Corporation,NasdaqNM,Stock,25.01,60000000\n"
                                  "^DJI,Dow Jones Industrial Average,DJI,Index,12290.14,150000000\n"
                                  "^TNX,Treasury Yield 10 Years,Chicago Options,Yield,32.50,0\n"
                                  "EURUSD=X,EUR to USD,CCY,Currency,1.4352,0\n"));
        ASSERT_TRUE(ParseSessionText("09:30-16:00", session));
    }
    const tListing& Get(const char* symbol) const { return *universe.Find(symbol); }
    static double At(int day, int h, int m, int s = 0) { return day + (h * 3600 + m * 60 + s) / 86400.0; }

    tUniverse universe;
    tSession session;
    const int wednesday = DayNumber(2011, 6, 1);
};

TEST_F(PriceWalkTest, DayStaysConsistentTickByTick) {
    for (const tListing& listing : universe.Listings()) {
        SCOPED_TRACE(listing.Symbol);
        tPriceWalk walk(7, session);
        const double scale = std::pow(10.0, listing.Decimals());
        tQuote before;
        for (int tick = 0; tick <= session.TickCount(); tick += 7) {
            const tQuote q = walk.QuoteAtTick(listing, wednesday, tick);
            ASSERT_LE(q.Low, q.Last);
            ASSERT_LE(q.Last, q.High);
            ASSERT_LE(q.Low, q.Open);
            ASSERT_LE(q.Open, q.High);
            ASSERT_GT(q.Low, 0);
            ASSERT_NEAR(std::round(q.Last * scale), q.Last * scale, 1e-6)
                << "quoted to the listing's decimals";
            if (tick > 0) {
                ASSERT_EQ(q.Open, before.Open);
                ASSERT_GE(q.High, before.High);
                ASSERT_LE(q.Low, before.Low);
                ASSERT_GE(q.Volume, before.Volume);
                ASSERT_EQ(q.Prev, before.Prev);
            }
            ASSERT_EQ(q.Volume, std::floor(q.Volume));
            before = q;
        }
        // Within a few percent of the listing's level: a walk, not an explosion.
        EXPECT_GT(before.Last, listing.Price * 0.6);
        EXPECT_LT(before.Last, listing.Price * 1.6);
    }
}

TEST_F(PriceWalkTest, PricesActuallyMoveDuringTheDay) {
    tPriceWalk walk(7, session);
    const tQuote open = walk.QuoteAtTick(Get("MSFT"), wednesday, 0);
    const tQuote later = walk.QuoteAtTick(Get("MSFT"), wednesday, 2000);
    EXPECT_LT(later.Low, later.High);
    EXPECT_GT(later.Volume, open.Volume);
    EXPECT_GT(later.Volume, 60000000 * 0.2);
}

TEST_F(PriceWalkTest, SameSeedAndMomentGiveTheSameQuoteWhateverWasAskedBefore) {
    tPriceWalk fresh(42, session);
    tPriceWalk used(42, session);
    const tListing& msft = Get("MSFT");
    // The used walk has seen a later tick, another day and another symbol first.
    used.QuoteAtTick(msft, wednesday, 4000);
    used.QuoteAtTick(msft, wednesday - 1, 100);
    used.QuoteAtTick(Get("^DJI"), wednesday, 100);
    const tQuote a = fresh.QuoteAtTick(msft, wednesday, 1234);
    const tQuote b = used.QuoteAtTick(msft, wednesday, 1234);
    EXPECT_EQ(a.Open, b.Open);
    EXPECT_EQ(a.High, b.High);
    EXPECT_EQ(a.Low, b.Low);
    EXPECT_EQ(a.Last, b.Last);
    EXPECT_EQ(a.Volume, b.Volume);
    EXPECT_EQ(a.Ask, b.Ask);

    tPriceWalk other(43, session);
    EXPECT_NE(other.QuoteAtTick(msft, wednesday, 1234).Last, a.Last);
}

TEST_F(PriceWalkTest, PreviousCloseIsYesterdaysLastTrade) {
    tPriceWalk walk(3, session);
    const tListing& msft = Get("MSFT");
    const tQuote tuesdayClose = walk.QuoteAtTick(msft, wednesday - 1, session.TickCount());
    EXPECT_EQ(tuesdayClose.Last, walk.ClosingPrice(msft, wednesday - 1));
    EXPECT_EQ(walk.QuoteAtTick(msft, wednesday, 10).Prev, tuesdayClose.Last);
    // Monday's previous close is Friday's.
    const int monday = DayNumber(2011, 6, 6);
    EXPECT_EQ(walk.QuoteAtTick(msft, monday, 0).Prev, walk.ClosingPrice(msft, DayNumber(2011, 6, 3)));
}

TEST_F(PriceWalkTest, WeekendQuotesCarryFridaysClose) {
    tPriceWalk walk(5, session);
    const tListing& msft = Get("MSFT");
    const int friday = DayNumber(2011, 6, 3);
    const tQuote fridayClose = walk.QuoteAtTick(msft, friday, session.TickCount());
    for (const double now : {At(friday + 1, 10, 0), At(friday + 2, 18, 30), At(friday + 3, 8, 0)}) {
        SCOPED_TRACE(now);
        const tQuote q = walk.Quote(msft, now);
        EXPECT_EQ(q.Day, friday);
        EXPECT_EQ(q.Seconds, 16 * 3600);
        EXPECT_EQ(q.Last, fridayClose.Last);
        EXPECT_EQ(q.High, fridayClose.High);
        EXPECT_EQ(q.Volume, fridayClose.Volume);
    }
}

TEST_F(PriceWalkTest, BidAndAskByKind) {
    tPriceWalk walk(9, session);
    for (const char* symbol : {"MSFT", "EURUSD=X"}) {
        SCOPED_TRACE(symbol);
        const tQuote q = walk.QuoteAtTick(Get(symbol), wednesday, 777);
        EXPECT_GT(q.Bid, 0);
        EXPECT_LT(q.Bid, q.Last);
        EXPECT_GT(q.Ask, q.Last);
        EXPECT_LT(q.Ask / q.Bid, 1.01);
    }
    for (const char* symbol : {"^DJI", "^TNX"}) {
        SCOPED_TRACE(symbol);
        const tQuote q = walk.QuoteAtTick(Get(symbol), wednesday, 777);
        EXPECT_EQ(q.Ask, 0);
        EXPECT_EQ(q.Bid, 0);
    }
    EXPECT_EQ(walk.QuoteAtTick(Get("EURUSD=X"), wednesday, 777).Volume, 0);
    EXPECT_EQ(walk.QuoteAtTick(Get("^TNX"), wednesday, 777).Volume, 0);
    EXPECT_GT(walk.QuoteAtTick(Get("^DJI"), wednesday, 777).Volume, 0);
}

TEST_F(PriceWalkTest, QuoteTimeFollowsTheClock) {
    tPriceWalk walk(1, session);
    const tQuote q = walk.Quote(Get("MSFT"), At(wednesday, 11, 17, 42));
    EXPECT_EQ(q.Day, wednesday);
    EXPECT_EQ(q.Seconds, 11 * 3600 + 17 * 60 + 40); // the last 5-second tick
    EXPECT_EQ(q.Last, walk.QuoteAtTick(Get("MSFT"), wednesday, (q.Seconds - session.OpenSeconds) / 5).Last);
}

} // namespace
} // namespace vc::sim
