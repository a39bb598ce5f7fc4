// The headline feed parser on arbitrary documents. Every headline that comes out must have its six
// fields, a date and time the dialog can show, and no line break.
#include "market/yahoo_xml_news.h"

#include "toolkit/dates.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vc::tNoHttpSession session;
    const vc::tNewsHosts hosts{"127.0.0.1:8471", "rd.example"};
    vc::tYahooXmlNews news(session, hosts);
    news.Symbol = "MSFT";
    const bool parsed = news.Parse(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!parsed && !news.Headlines.empty()) {
        std::abort();
    }
    for (const std::string& line : news.Headlines) {
        std::size_t bars = 0;
        for (const char c : line) {
            bars += c == '|' ? 1 : 0;
            if (c == '\r' || c == '\n') {
                std::abort();
            }
        }
        if (bars != 5 || !vc::ValidDate(line.substr(0, 10)) || !vc::ValidTime(line.substr(11, 8))) {
            std::abort();
        }
    }
    return 0;
}
