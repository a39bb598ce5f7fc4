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

void ReadHost(const tIniObject& settings, const char* key, std::string& name) {
    const std::string value = HostOnly(settings.ReadString("General", key, name));
    if (!value.empty()) {
        name = value;
    }
}

} // namespace

void tQuoteHost::SelectQuoteHost(int mode) {
    Mode = mode == kUk ? kUk : kUs;
    Host = Mode == kUk ? HostUK : HostUS;
}

void ReadQuoteHosts(const tIniObject& settings, tQuoteHost& host) {
    ReadHost(settings, "QuoteHostUS", host.HostUS);
    ReadHost(settings, "QuoteHostUK", host.HostUK);
    host.SelectQuoteHost(host.Mode);
}

void ReadNewsHosts(const tIniObject& settings, tNewsHosts& hosts) {
    ReadHost(settings, "NewsHost", hosts.Host);
    ReadHost(settings, "NewsRedirectHost", hosts.RedirectHost);
}

void ReadFinanceHosts(const tIniObject& settings, tFinanceHosts& hosts) {
    const std::pair<const char*, std::string*> keys[] = {
        {"FinanceHostUS", &hosts.US}, {"FinanceHostUK", &hosts.UK}, {"FinanceHostFR", &hosts.FR},
        {"FinanceHostDE", &hosts.DE}, {"FinanceHostIN", &hosts.IN}, {"FinanceHostAU", &hosts.AU},
        {"FinanceHostAR", &hosts.AR}, {"FinanceHostBR", &hosts.BR}, {"FinanceHostMX", &hosts.MX},
    };
    for (const auto& [key, host] : keys) {
        ReadHost(settings, key, *host);
    }
}

} // namespace vc
