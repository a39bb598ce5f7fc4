// The add-symbol dialog's rules without a window: what a search asks the lookup for, the rows its
// answer and an imported symbol list give, the count text, and the list the dialog hands back.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vc {

struct tFoundSymbol {
    std::string Symbol;
    std::string Name; // upper case
    std::string Market;
};

// "I" (indices) for a query holding "^", else "S" (stocks).
std::string LookupKind(std::string_view query);
// One row per lookup line ("symbol|name|market|..."), then, unless a row's symbol or name is the
// query itself (upper-cased), a row for the query so that a symbol the lookup does not know can
// still be added. An empty query adds no row of its own.
std::vector<tFoundSymbol> SearchRows(std::string_view query, const std::vector<std::string>& lookupLines);
// Rows of a symbol list file's entries ("name|symbol").
std::vector<tFoundSymbol> ImportRows(const std::vector<std::string>& entries);
// "No symbols found" or "3 symbol(s) found".
std::string FoundText(std::size_t rows);
// The Website cell's hint: Profile for "NAME"...
std::string ProfileHint(std::string_view name);
// "symbol|NAME" for a chosen row: the name cut to 20 characters, trimmed, shortened as the tape
// shortens names, upper-cased; no bar or control byte survives.
std::string ChosenSymbol(const tFoundSymbol& row);

} // namespace vc
