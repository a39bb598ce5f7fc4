// The members of an index, read from the finance service's component pages ("/q/cp?s=^DJI"): one
// page after another while a page carries a "next" link, each member with its last price and the
// previous close worked back from the change. The gainers and losers of the indexes the service
// has no mover page for are picked from these quotes.
#pragma once

#include "market/http_session.h"

#include <string>
#include <string_view>
#include <vector>

namespace vc {

class tYahooIndexes {
public:
    // The first page and at most this many following ones ("&c=1" ... "&c=49").
    static constexpr int kMaxPages = 50;

    // The session does the fetching and must outlive this object.
    explicit tYahooIndexes(tHttpSession& session);

    // Set by the last page parsed when it carried a next-page link.
    bool MorePages = false;
    // The first component page, e.g. "http://host/q/cp?s=^DJI".
    std::string URL;
    // name|symbol, in page order.
    std::vector<std::string> Members;
    // name|symbol|last|previous close| of the members that traded (volume above 0).
    std::vector<std::string> Quotes;

    // Clears both lists and reads the first page and the following ones; returns the first page's
    // result code. Later pages that fail are skipped.
    int Download();
    // Fetches one page and, on 200, adds what it holds to the lists; returns the result code.
    int ReadPage(const std::string& url);
    // Adds a page's members and quotes to the lists: the HTML table, or, when the document holds
    // no tags at all, "symbol,name" CSV lines.
    void Parse(std::string_view document);
    // Fills target with the Quotes lines that rose (gainers) or fell, largest move first.
    void SelectMovers(std::vector<std::string>& target, bool gainers) const;

    const tHttpSettings& Settings() const { return settings_; }

private:
    // Reads the HTML table; returns the number of tokens read.
    std::size_t ParseHtml(std::string_view document);
    void ParseCsv(std::string_view document);
    void Flush(std::string& row, std::string& sign);

    tHttpSession& session_;
    tHttpSettings settings_;
};

} // namespace vc
