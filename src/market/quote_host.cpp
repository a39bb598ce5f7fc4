#include "market/quote_host.h"

#include "tape/ini_object.h"
#include "toolkit/text.h"

namespace vc {

namespace {

// "http://host:port/path" -> "host:port"; "" when nothing is left.
std::string HostOnly(std::string_view text) {
    std::string host = Trim(text);
    const std::size_t scheme = host.find("://");
    if (scheme != std::string::npos) {
        host.erase(0, scheme + 3);
    }
    const std::size_t path = host.find_first_of("/?#");
    if (path != std::string::npos) {
        host.erase(path);
    }
    return Trim(host);
}

} // namespace

void tQuoteHost::SelectQuoteHost(int mode) {
    Mode = mode == kUk ? kUk : kUs;
    Host = Mode == kUk ? HostUK : HostUS;
}

void ReadQuoteHosts(const tIniObject& settings, tQuoteHost& host) {
    for (auto [key, name] :
         {std::pair{"QuoteHostUS", &host.HostUS}, std::pair{"QuoteHostUK", &host.HostUK}}) {
        const std::string value = HostOnly(settings.ReadString("General", key, *name));
        if (!value.empty()) {
            *name = value;
        }
    }
    host.SelectQuoteHost(host.Mode);
}

} // namespace vc
