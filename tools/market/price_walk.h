// Prices of the simulated exchange: a seeded random walk per symbol. Each trading day's close is a
// smooth function of the day, so the previous close never depends on the history the server happens
// to have seen; within the day the price runs from the open to that close along a random bridge
// that moves one tick every few seconds. The same seed and moment always give the same quote.
#pragma once

#include "trading_calendar.h"
#include "universe.h"

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace vc::sim {

struct tQuote {
    int Day = 0;     // trading day of the last trade (day number)
    int Seconds = 0; // local time of the last trade, seconds after midnight
    double Open = 0;
    double High = 0;
    double Low = 0;
    double Last = 0;
    double Volume = 0;
    double Prev = 0; // previous trading day's close
    double Ask = 0;  // 0 = none (indexes and yields)
    double Bid = 0;
};

class tPriceWalk {
public:
    tPriceWalk(std::uint64_t seed, const tSession& session);

    // The quote as the feed shows it at a local date-time.
    tQuote Quote(const tListing& listing, double now);
    // The quote after a given tick of a trading day (clamped to the session).
    tQuote QuoteAtTick(const tListing& listing, int day, int tick);
    // Closing price of a trading day, rounded as quoted.
    double ClosingPrice(const tListing& listing, int day) const;

    const tSession& Session() const { return session_; }

private:
    // One symbol's path through one trading day, built once per day and then read.
    struct tDayPath {
        int Day = -1;
        std::vector<double> Price;  // rounded price after each tick
        std::vector<double> Volume; // volume traded up to and including each tick
        // High and low so far, advanced tick by tick from the previous request.
        int RunTick = -1;
        double RunHigh = 0;
        double RunLow = 0;
    };

    double DailyVolatility(const tListing& listing) const;
    double CloseLevel(const tListing& listing, std::uint64_t symbolKey, int day) const;
    void BuildPath(const tListing& listing, std::uint64_t symbolKey, int day, tDayPath& path) const;

    std::uint64_t seed_;
    tSession session_;
    std::unordered_map<std::string, tDayPath> paths_;
};

} // namespace vc::sim
