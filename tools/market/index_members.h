// The indexes' members on the simulated exchange and their component pages ("/q/cp?s=^GSPC",
// "&c=1" for the second page), laid out as the program's component-page reader expects.
//
// Membership is decided by a listing's exchange, not by a list kept by hand, so a stock added to
// the universe joins its indexes at once. Only stocks are members:
//   ^GSPC      every NYSE and NasdaqNM stock
//   ^NYA       the NYSE stocks
//   ^IXIC ^NDX the NasdaqNM stocks
//   ^DJI       the 30 NYSE and NasdaqNM stocks of the highest average volume (ties by symbol)
//   ^FCHI Paris, ^AEX Amsterdam, ^BFX Brussels, ^GDAXI XETRA, ^FTSE London
//   ^STOXX50E  the euro-area stocks: Paris, Amsterdam, Brussels and XETRA
// Any other symbol, listed or not, has no members and gets a page with an empty table.
#pragma once

#include "price_walk.h"
#include "route_table.h"
#include "universe.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vc::sim {

inline constexpr std::size_t kMembersPerPage = 50;
inline constexpr std::size_t kDowMembers = 30;

// The members of an index (symbol compared upper-cased), ordered by symbol.
std::vector<const tListing*> IndexMembers(const tUniverse& universe, std::string_view index);

// The page's volume column comes from a slower feed that has not reported some members yet on a
// day: about one in twelve, by seed, symbol and day. Those show a volume of 0 beside a price that
// moves as everywhere else.
bool VolumeUnreported(std::uint64_t seed, std::string_view symbol, int day);

// One member row of the table, without its line end.
std::string ComponentRow(const tListing& listing, const tQuote& quote, bool volumeUnreported);
// "12,345,678" of a whole number.
std::string ThousandsText(double value);

tResponse ComponentPage(const tUniverse& universe, tPriceWalk& walk, std::uint64_t seed,
                        const tRequest& request, double now);

} // namespace vc::sim
