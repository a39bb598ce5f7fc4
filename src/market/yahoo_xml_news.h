// The headline feed of one symbol: an RSS 2.0 document fetched from the news host and turned into
// headline lines "date|time|id|title|source|link". The properties dialog fetches it the first time
// its news page is shown; nothing else reads it.
#pragma once

#include "market/http_session.h"
#include "market/quote_host.h"

#include <string>
#include <string_view>
#include <vector>

namespace vc {

// Classes of the feed's tokens (trimmed and upper-cased before they are looked at).
enum tFeedTag : int {
    kFeedOther = -1,
    kFeedEmpty = 0,
    kFeedText = 1,
    kFeedXml = 2,
    kFeedXmlEnd = 3,
    kFeedRss = 4,
    kFeedRssEnd = 5,
    kFeedItem = 6,
    kFeedItemEnd = 7,
    kFeedTitle = 8,
    kFeedTitleEnd = 9,
    kFeedLink = 10,
    kFeedLinkEnd = 11,
    kFeedGuid = 12,
    kFeedGuidEnd = 13,
    kFeedPubDate = 14,
    kFeedPubDateEnd = 15,
};

int ClassifyFeedTag(std::string_view token);

// "Wed, 08 Jun 2011 14:30:00 GMT" as a date-time, the zone ignored; 0 without a comma, without
// seconds, or with any part out of range.
double ParseFeedDate(std::string_view text);

class tYahooXmlNews {
public:
    static constexpr std::size_t kMinimumDocument = 20;

    // The session does the fetching and must outlive this object; the hosts say where the feed is
    // and which links go through the click-tracking redirect.
    tYahooXmlNews(tHttpSession& session, const tNewsHosts& hosts);

    std::string Symbol;
    // One line per headline, in feed order.
    std::vector<std::string> Headlines;

    // "http://" + host + "/rss/2.0/headline?s=" + Symbol + "&region=US&lang=en-US", the symbol
    // inserted as it is.
    std::string Url() const;
    // Clears the headlines, downloads and parses on 200; returns the session's result code.
    int Fetch();
    // Fills the headlines from a feed; false, with none, for a document under 20 bytes.
    bool Parse(std::string_view document);

    const tHttpSettings& Settings() const { return settings_; }

private:
    struct tNewsRecord {
        std::string Guid;
        std::string Symbol;
        double Published = 0;
        std::string Title;
        std::string Source;
        std::string Link;
    };

    void Emit(tNewsRecord& record, bool& inItem);

    tHttpSession& session_;
    const tNewsHosts& hosts_;
    tHttpSettings settings_;
    std::string redirect_; // the click-tracking prefix, upper-cased
};

} // namespace vc
