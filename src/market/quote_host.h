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

} // namespace vc
