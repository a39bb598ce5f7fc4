// The delayed-quotes download of the simulated exchange ("/d/quotes.csv"): one CSV line per asked
// symbol, with the columns in the order of the field codes (s, n, x, d1, t1, o, h, g, l, l1, v, a,
// b, p, c1, p2). Texts are quoted, numbers are not, and what is not known is N/A.
#pragma once

#include "price_walk.h"
#include "route_table.h"
#include "universe.h"

#include <string>
#include <string_view>
#include <vector>

namespace vc::sim {

// Field codes used when a request names none.
inline constexpr std::string_view kDefaultFieldCodes = "sl1d1t1c1ohgv";
// More symbols in one request are ignored.
inline constexpr std::size_t kMaxSymbolsPerRequest = 200;

// "sd1t1ohgl1" -> s, d1, t1, o, h, g, l1: a letter and the digits after it make one code.
std::vector<std::string> SplitFieldCodes(std::string_view codes);
// The raw s= value split at "+" (and ","), each part percent-decoded, trimmed and upper-cased.
// Quotes, commas and control bytes are removed so an echoed symbol cannot break the line.
std::vector<std::string> SplitSymbols(std::string_view rawValue);

// One answer line without its line end; listing nullptr for a symbol the exchange does not list.
std::string QuoteCsvLine(const std::string& symbol, const tListing* listing, const tQuote& quote,
                         const std::vector<std::string>& codes);

// The whole page for a request at a local date-time.
tResponse QuotesCsvPage(const tUniverse& universe, tPriceWalk& walk, const tRequest& request, double now);
// "/q?s=SYMBOL": a symbol's quote as a small web page, where the chat alerts' links lead; 404 for a
// symbol the exchange does not list.
tResponse QuotePage(const tUniverse& universe, tPriceWalk& walk, const tRequest& request, double now);

} // namespace vc::sim
