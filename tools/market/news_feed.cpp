#include "news_feed.h"

#include "quotes_csv.h"
#include "sim_random.h"

#include "toolkit/dates.h"
#include "toolkit/text.h"
#include "toolkit/url.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace vc::sim {

namespace {

enum : std::uint64_t {
    kSaltCount = 21,
    kSaltTime = 22,
    kSaltTitle = 23,
    kSaltSource = 24,
    kSaltPaid = 25,
};

constexpr int kDaysShown = 7; // today and the six days before
constexpr int kFirstSecond = 6 * 3600;
constexpr int kSecondsSpread = 16 * 3600; // headlines run from 06:00 to 22:00

constexpr const char* kTitles[] = {
    "{N} shares climb in heavy trading",
    "{N} slips as investors take profits",
    "Analysts raise their price target for {N}",
    "{N} to report quarterly results next week",
    "What the options market says about {S}",
    "{N} announces a buyback & a higher dividend",
    "Is {N} still a buy after its run?",
    "{N}: five things to watch",
    "Why {N} moved today",
    "{N} beats estimates, calls the outlook \"cautious\"",
    "Funds added to {N} last quarter, filings show",
    "{S} at a glance: volume, range and momentum",
};
constexpr const char* kSources[] = {"Velocrest Newswire", "Market Wire", "Harbor Street Journal",
                                    "Ledger Daily", "Exchange Bulletin"};

std::string Fill(std::string text, const tListing& listing) {
    text = ReplaceAll(text, "{N}", listing.Name);
    return ReplaceAll(text, "{S}", listing.Symbol);
}

std::string Ymd(int day) {
    const tCivilDate date = CivilDate(day);
    char text[16];
    std::snprintf(text, sizeof text, "%04d%02d%02d", date.Year % 10000, date.Month, date.Day);
    return text;
}

// The headlines of one day, whether or not they are out yet.
std::vector<tHeadline> DayHeadlines(const tListing& listing, std::uint64_t key, int day) {
    std::vector<tHeadline> day_headlines;
    const int count = 1 + static_cast<int>(Hash(key, kSaltCount, day) % 3);
    for (int k = 0; k < count; ++k) {
        const int seconds = kFirstSecond + static_cast<int>(Hash(key, kSaltTime, day, k) % kSecondsSpread);
        tHeadline headline;
        headline.Published = day + seconds / 86400.0;
        headline.Title = Fill(kTitles[Hash(key, kSaltTitle, day, k) % std::size(kTitles)], listing);
        if (Hash(key, kSaltPaid, day, k) % 5 == 0) {
            headline.Title = "[$$] " + headline.Title;
        }
        const std::uint64_t source = Hash(key, kSaltSource, day, k);
        if (source % 3 != 0) {
            headline.Title += " (at " + std::string(kSources[(source / 3) % std::size(kSources)]) + ")";
        }
        headline.Guid = "velocrest-market|" + listing.Symbol + "|" + Ymd(day) + "|" + std::to_string(k);
        headline.StoryId = Ymd(day) + "-" + std::to_string(k) + "-" + listing.Symbol;
        day_headlines.push_back(std::move(headline));
    }
    return day_headlines;
}

// Keeps only letters, digits and the punctuation of "host:port" and "[::1]:port".
std::string SafeHost(std::string_view host) {
    std::string safe;
    for (const char c : host) {
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
            c == ':' || c == '-' || c == '[' || c == ']') {
            safe += c;
        }
    }
    return safe.empty() ? "127.0.0.1" : safe;
}

// The escapes a link target gets inside the redirect link, so that decoding the link once gives the
// target back exactly.
std::string EscapeTarget(std::string_view target) {
    std::string escaped;
    for (const char c : target) {
        switch (c) {
        case '%':
            escaped += "%25";
            break;
        case ':':
            escaped += "%3A";
            break;
        case '?':
            escaped += "%3F";
            break;
        case '=':
            escaped += "%3D";
            break;
        case '&':
            escaped += "%26";
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

std::string StoryUrl(const std::string& host, const tHeadline& headline) {
    return "http://" + host + "/news/story?id=" + EncodeQueryValue(headline.StoryId);
}

std::string RedirectLink(const std::string& host, const tHeadline& headline) {
    const std::uint64_t signature = SymbolKey(0, headline.Guid);
    char hex[20];
    std::snprintf(hex, sizeof hex, "%012llx", static_cast<unsigned long long>(signature >> 16));
    return "http://" + host + "/rd/news/rss/SIG=" + hex + "/*" + EscapeTarget(StoryUrl(host, headline));
}

// The symbol a request asks for (the first of s=), upper-cased; empty when none.
std::string AskedSymbol(const tRequest& request) {
    const std::vector<std::string> symbols = SplitSymbols(RawQueryValue(request.Query, "s"));
    return symbols.empty() ? std::string() : symbols.front();
}

} // namespace

std::vector<tHeadline> Headlines(const tListing& listing, std::uint64_t seed, double now) {
    const std::uint64_t key = SymbolKey(seed, listing.Symbol);
    const int today = static_cast<int>(std::floor(now));
    std::vector<tHeadline> headlines;
    for (int day = today; day > today - kDaysShown; --day) {
        for (tHeadline& headline : DayHeadlines(listing, key, day)) {
            if (headline.Published <= now) {
                headlines.push_back(std::move(headline));
            }
        }
    }
    std::stable_sort(headlines.begin(), headlines.end(),
                     [](const tHeadline& a, const tHeadline& b) { return a.Published > b.Published; });
    if (headlines.size() > kMaxHeadlines) {
        headlines.resize(kMaxHeadlines);
    }
    return headlines;
}

std::string RssDateText(double value) {
    static constexpr const char* kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                              "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const tDateParts date = DecodeDate(value);
    const tTimeParts time = DecodeTime(value);
    char text[40];
    std::snprintf(text, sizeof text, "%s, %02d %s %04d %02d:%02d:%02d GMT", kDays[(DayOfWeek(value) + 6) % 7],
                  date.Day, kMonths[(date.Month + 11) % 12], date.Year % 10000, time.Hour, time.Minute,
                  time.Second);
    return text;
}

std::string XmlEscape(std::string_view text) {
    std::string escaped;
    for (const char c : text) {
        switch (c) {
        case '&':
            escaped += "&amp;";
            break;
        case '<':
            escaped += "&lt;";
            break;
        case '>':
            escaped += "&gt;";
            break;
        case '"':
            escaped += "&quot;";
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

std::string NewsFeedXml(const std::string& symbol, const std::vector<tHeadline>& headlines,
                        const std::string& host, double now) {
    const std::string safeHost = SafeHost(host);
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<rss version=\"2.0\">\n<channel>\n";
    xml += "<title>velocrest-market headlines: " + XmlEscape(symbol) + "</title>\n";
    xml += "<link>http://" + safeHost + "/</link>\n";
    xml += "<description>Latest headlines for " + XmlEscape(symbol) + "</description>\n";
    xml += "<language>en-US</language>\n<lastBuildDate>" + RssDateText(now) + "</lastBuildDate>\n";
    for (const tHeadline& headline : headlines) {
        xml += "<item>\n<title>" + XmlEscape(headline.Title) + "</title>\n";
        xml += "<link>" + XmlEscape(RedirectLink(safeHost, headline)) + "</link>\n";
        xml += "<description>" + XmlEscape(headline.Title) + ".</description>\n";
        xml += "<guid isPermaLink=\"false\">" + XmlEscape(headline.Guid) + "</guid>\n";
        xml += "<pubDate>" + RssDateText(headline.Published) + "</pubDate>\n</item>\n";
    }
    xml += "</channel>\n</rss>\n";
    return xml;
}

tResponse NewsFeedPage(const tUniverse& universe, std::uint64_t seed, const tRequest& request, double now) {
    const std::string symbol = AskedSymbol(request);
    const tListing* listing = universe.Find(symbol);
    const std::vector<tHeadline> headlines =
        listing != nullptr ? Headlines(*listing, seed, now) : std::vector<tHeadline>{};
    return {200, "application/rss+xml", NewsFeedXml(symbol, headlines, request.Host, now)};
}

tResponse NewsStoryPage(const tUniverse& universe, std::uint64_t seed, const tRequest& request, double now) {
    const std::string id = PercentDecode(RawQueryValue(request.Query, "id"));
    // "YYYYMMDD-k-SYMBOL"
    const std::size_t first = id.find('-');
    const std::size_t second = first == std::string::npos ? first : id.find('-', first + 1);
    const tListing* listing = second == std::string::npos ? nullptr : universe.Find(id.substr(second + 1));
    if (listing != nullptr) {
        for (const tHeadline& headline : Headlines(*listing, seed, now)) {
            if (headline.StoryId == id) {
                const std::string title = XmlEscape(headline.Title);
                std::string page = "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>" + title +
                                   "</title></head>\n<body><h1>" + title + "</h1>\n<p>" +
                                   RssDateText(headline.Published) + "</p>\n<p>" + XmlEscape(listing->Name) +
                                   " (" + XmlEscape(listing->Symbol) +
                                   ") made the news today. This story was written by velocrest-market, the "
                                   "simulated exchange; nothing in it happened.</p>\n</body></html>\n";
                return {200, "text/html; charset=utf-8", page};
            }
        }
    }
    return {404, "text/plain", "No such story\r\n"};
}

} // namespace vc::sim
