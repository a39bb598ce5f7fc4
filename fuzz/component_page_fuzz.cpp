// The component page reader on arbitrary documents, HTML and CSV alike. Every member line must be
// name|symbol and every quote line name|symbol|last|previous close| with nothing in any field that
// would split a line on the tape; the movers picked from them must be quote lines too.
#include "market/yahoo_indexes.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

void CheckLines(const std::vector<std::string>& lines, std::size_t bars) {
    for (const std::string& line : lines) {
        std::size_t seen = 0;
        for (const char c : line) {
            seen += c == '|' ? 1 : 0;
            if (c == '\r' || c == '\n' || c == '\0') {
                std::abort();
            }
        }
        if (seen != bars) {
            std::abort();
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vc::tNoHttpSession session;
    vc::tYahooIndexes indexes(session);
    indexes.Parse(std::string_view(reinterpret_cast<const char*>(data), size));
    CheckLines(indexes.Members, 1);
    CheckLines(indexes.Quotes, 4);
    if (indexes.Quotes.size() > indexes.Members.size()) {
        std::abort();
    }
    for (const bool gainers : {true, false}) {
        std::vector<std::string> movers;
        indexes.SelectMovers(movers, gainers);
        if (movers.size() > indexes.Quotes.size()) {
            std::abort();
        }
        CheckLines(movers, 4);
    }
    return 0;
}
