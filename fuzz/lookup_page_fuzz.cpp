// The symbol lookup's page parse on arbitrary pages. Every line that comes out has its four fields
// and no control byte; the first input byte chooses whether the page was a ".PA"-style search.
#include "market/yahoo_database.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    vc::tNoHttpSession session;
    const vc::tFinanceHosts hosts;
    vc::tYahooDatabase lookup(session, hosts);
    std::vector<std::string> lines;
    lookup.ParsePage(std::string_view(reinterpret_cast<const char*>(data + 1), size - 1),
                     (data[0] & 1) != 0 ? "http://x/lookup?s=.pa" : "http://x/lookup?s=ing", lines);
    for (const std::string& line : lines) {
        int bars = 0;
        for (const char c : line) {
            bars += c == '|' ? 1 : 0;
            if (static_cast<unsigned char>(c) < 0x20) {
                std::abort();
            }
        }
        if (bars != 3) {
            std::abort();
        }
    }
    return 0;
}
