// The symbol lookup of the simulated exchange ("/lookup", "/lookup/stocks", "/lookup/indices" and
// the kinds it has no listings of): every listing whose symbol, name or ISIN holds the search text,
// 20 to a page with a "Next" link, in the table layout the program's lookup reads.
#pragma once

#include "price_walk.h"
#include "route_table.h"
#include "universe.h"

#include <string>
#include <string_view>

namespace vc::sim {

inline constexpr int kLookupRowsPerPage = 20;

// A made-up but well-formed ISIN (country of the exchange, nine characters from the symbol, the
// check digit); empty for what is not a stock.
std::string IsinOf(const tListing& listing);
// The exchange code the lookup pages show ("NYQ", "NMS", "PAR"...); the exchange itself when the
// exchange has no code.
std::string ExchangeCodeOf(const tListing& listing);

// kindPath is "" (every listing), "/stocks", "/indices", "/etfs", "/futures" or "/funds".
tResponse LookupPage(const tUniverse& universe, tPriceWalk& walk, const tRequest& request, double now,
                     std::string_view kindPath);

} // namespace vc::sim
