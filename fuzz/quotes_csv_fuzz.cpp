// The quotes CSV parser on arbitrary answer documents. The first byte chooses the host (and so the
// column order); the rest is the document. Every quote line that comes out must have its twelve
// fields, and the entries must stay consistent with the symbol index.
#include "market/yahoo_intraday.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

class tFixedClock final : public vc::tClock {
public:
    double Now() const override { return 46174.5; } // 1 June 2026
    std::int64_t SteadyMs() const override { return 0; }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    static const tFixedClock clock;
    vc::tNoHttpSession session;
    vc::tQuoteHost host;
    host.SelectQuoteHost(data[0] & 1);
    vc::tYahooIntraday quotes(session, host, clock);
    quotes.AddSymbols("YAHTICK|MSFT+YAHTICK|^TNX+YAHTICK|EURUSD=X+YAHTICK|^DJI+YAHTICK|AT&T");
    const std::string document(reinterpret_cast<const char*>(data + 1), size - 1);
    quotes.Parse(document);
    for (const std::string& line : quotes.Results(0)) {
        std::size_t bars = 0;
        for (const char c : line) {
            bars += c == '|' ? 1 : 0;
        }
        if (bars != 11) {
            std::abort();
        }
    }
    for (std::size_t i = 0; i < quotes.Entries().size(); ++i) {
        if (quotes.FindSymbol(quotes.Entries()[i].Symbol) != static_cast<int>(i)) {
            std::abort();
        }
    }
    return 0;
}
