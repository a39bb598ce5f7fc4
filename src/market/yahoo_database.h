// The symbol lookup: the address of a search on the finance host's lookup pages, and every result
// page after it, turned into one line per symbol found: "symbol|name|exchange|type".
#pragma once

#include "market/http_session.h"
#include "market/quote_host.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vc {

class tYahooDatabase {
public:
    // A lookup stops once it holds more lines than this.
    static constexpr std::size_t kLookupLimit = 500;
    // And after this many pages, whatever they held: a server that keeps sending empty pages with a
    // next link would otherwise never let go.
    static constexpr int kMaxPages = 100;

    // The session does the fetching and must outlive this object, as must the hosts.
    tYahooDatabase(tHttpSession& session, const tFinanceHosts& hosts);

    // The next result page to fetch; empty for none.
    std::string NextUrl;

    // "http://" + US host + "/lookup" + the kind's path ("E" etfs, "F" futures, "I" indices, "M" funds,
    // "S" stocks) + "?s=" + the encoded query + "&t=" + kind + "&m=" + market ("ALL" when empty).
    std::string LookupUrl(std::string_view query, std::string_view kind, std::string_view market) const;
    // The lines of every page from url on. Each page passes through a work file of its own in the
    // system's temporary folder, removed again whatever happens.
    std::vector<std::string> Lookup(const std::string& url);

    // One page's lines (appended to lines); sets NextUrl when the page links to a next one.
    // pageUrl is the page's own address, whose query decides the ".PA"-style filter.
    void ParsePage(std::string_view page, std::string_view pageUrl, std::vector<std::string>& lines);

    const tHttpSettings& Settings() const { return settings_; }

private:
    tHttpSession& session_;
    const tFinanceHosts& hosts_;
    tHttpSettings settings_;
};

} // namespace vc
