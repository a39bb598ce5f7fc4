#include "dialogs/add_symbols.h"

#include "market/market_tables.h"
#include "toolkit/text.h"

namespace vc {

namespace {

constexpr std::size_t kNameLength = 20;

// Page text never reaches the tape with a bar (the field separator) or a control byte.
std::string Clean(std::string_view text) {
    std::string clean(text);
    for (char& c : clean) {
        if (static_cast<unsigned char>(c) < 0x20 || c == kFieldSeparator) {
            c = ' ';
        }
    }
    return clean;
}

} // namespace

std::string LookupKind(std::string_view query) {
    return query.find('^') != std::string_view::npos ? "I" : "S";
}

std::vector<tFoundSymbol> SearchRows(std::string_view query, const std::vector<std::string>& lookupLines) {
    std::vector<tFoundSymbol> rows;
    const std::string wanted = UpperText(Trim(query));
    bool listed = false;
    for (const std::string& line : lookupLines) {
        tFoundSymbol row{Field(line, 1), UpperText(Field(line, 2)), Field(line, 3)};
        listed = listed || UpperText(row.Symbol) == wanted || row.Name == wanted;
        rows.push_back(std::move(row));
    }
    if (!listed && !wanted.empty()) {
        rows.push_back({wanted, wanted, "Default"});
    }
    return rows;
}

std::vector<tFoundSymbol> ImportRows(const std::vector<std::string>& entries) {
    std::vector<tFoundSymbol> rows;
    for (const std::string& entry : entries) {
        rows.push_back({Field(entry, 2), UpperText(Field(entry, 1)), "CSV Import"});
    }
    return rows;
}

std::string FoundText(std::size_t rows) {
    return rows == 0 ? "No symbols found" : std::to_string(rows) + " symbol(s) found";
}

std::string ProfileHint(std::string_view name) {
    return "Profile for \"" + UpperText(name) + "\"...";
}

std::string ChosenSymbol(const tFoundSymbol& row) {
    const std::string name = Trim(std::string_view(row.Name).substr(0, kNameLength));
    return Trim(Clean(row.Symbol)) + kFieldSeparator + UpperText(NormalizeName(Clean(name)));
}

} // namespace vc
