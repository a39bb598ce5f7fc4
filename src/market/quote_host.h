// Which quote host the downloads go to: the program-wide host mode (0 the US host, 1 the UK host)
// and the host names of both, set once at start-up and handed to every quote download.
#pragma once

#include <string>
#include <string_view>

namespace vc {

class tIniObject;

// The simulated exchange velocrest-market listens here by default.
inline constexpr std::string_view kDefaultQuoteHost = "127.0.0.1:8471";

struct tQuoteHost {
    static constexpr int kUs = 0;
    static constexpr int kUk = 1;

    std::string HostUS{kDefaultQuoteHost}; // host or host:port, no scheme
    std::string HostUK{kDefaultQuoteHost};
    int Mode = kUs;
    std::string Host{kDefaultQuoteHost}; // the host of the current mode

    // 1 selects the UK host, any other value the US host.
    void SelectQuoteHost(int mode);
    bool IsUk() const { return Mode == kUk; }
};

// Takes the host names from section "General", keys "QuoteHostUS" and "QuoteHostUK", of the settings
// file; a missing or blank key keeps the name the host has. A scheme and a path typed along with
// the host are dropped. The current mode's host follows the new names.
void ReadQuoteHosts(const tIniObject& settings, tQuoteHost& host);

// Where the headline feed comes from, and the host of the click-tracking redirect its links go
// through (a link beginning with "http://" + RedirectHost + "/" is cut to what follows its last "*").
struct tNewsHosts {
    std::string Host{kDefaultQuoteHost};
    std::string RedirectHost{kDefaultQuoteHost};
};

// Section "General", keys "NewsHost" and "NewsRedirectHost", read as ReadQuoteHosts reads its keys.
void ReadNewsHosts(const tIniObject& settings, tNewsHosts& hosts);

// The finance pages (symbol lookup, index members, gainers and losers) by the market they serve.
// The gainers pages are told apart by the host in their address, so no default host may be
// contained in another: velocrest-market listens on one port per role next to its quote port.
struct tFinanceHosts {
    std::string US{"127.0.0.1:8481"};
    std::string UK{"127.0.0.1:8482"};
    std::string FR{"127.0.0.1:8483"};
    std::string DE{"127.0.0.1:8484"};
    std::string IN{"127.0.0.1:8485"};
    std::string AU{"127.0.0.1:8486"};
    std::string AR{"127.0.0.1:8487"};
    std::string BR{"127.0.0.1:8488"};
    std::string MX{"127.0.0.1:8489"};
};

// Section "General", keys "FinanceHostUS", "FinanceHostUK", ... "FinanceHostMX".
void ReadFinanceHosts(const tIniObject& settings, tFinanceHosts& hosts);

} // namespace vc
