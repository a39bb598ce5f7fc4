// The simulated exchange as a whole: its listings, its prices and the pages it serves. The HTTP
// layer hands every request to Handle and writes back what it returns.
#pragma once

#include "price_walk.h"
#include "route_table.h"
#include "universe.h"

#include "toolkit/clock.h"

#include <cstdint>

namespace vc::sim {

class tExchange {
public:
    tExchange(tUniverse universe, std::uint64_t seed, const tSession& session, const tClock& clock);
    tExchange(const tExchange&) = delete;
    tExchange& operator=(const tExchange&) = delete;

    tResponse Handle(const tRequest& request) { return routes_.Dispatch(request); }

    const tUniverse& Universe() const { return universe_; }
    const tRouteTable& Routes() const { return routes_; }
    const tClock& Clock() const { return clock_; }

private:
    tResponse IndexPage() const;

    tUniverse universe_;
    std::uint64_t seed_;
    tPriceWalk walk_;
    const tClock& clock_;
    tRouteTable routes_;
};

} // namespace vc::sim
