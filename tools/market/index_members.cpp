#include "index_members.h"

#include "news_feed.h"
#include "sim_random.h"

#include "toolkit/text.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace vc::sim {

namespace {

constexpr std::uint64_t kSaltVolumeUnreported = 31;
constexpr std::uint64_t kUnreportedOneIn = 12;

struct tIndexRule {
    std::string_view Index;
    std::vector<std::string_view> Exchanges;
};

const std::vector<tIndexRule>& Rules() {
    static const std::vector<tIndexRule> rules = {
        {"^GSPC", {"NYSE", "NasdaqNM"}},
        {"^DJI", {"NYSE", "NasdaqNM"}},
        {"^NYA", {"NYSE"}},
        {"^IXIC", {"NasdaqNM"}},
        {"^NDX", {"NasdaqNM"}},
        {"^FCHI", {"Paris"}},
        {"^AEX", {"Amsterdam"}},
        {"^BFX", {"Brussels"}},
        {"^GDAXI", {"XETRA"}},
        {"^FTSE", {"London"}},
        {"^STOXX50E", {"Paris", "Amsterdam", "Brussels", "XETRA"}},
    };
    return rules;
}

std::string Fixed(double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

std::string PageLink(const std::string& index, std::size_t page, const char* text) {
    return "<a href=\"/q/cp?s=" + UrlEncode(index) + "&amp;c=" + std::to_string(page) + "\">" + text + "</a>";
}

} // namespace

std::vector<const tListing*> IndexMembers(const tUniverse& universe, std::string_view index) {
    const std::string wanted = UpperText(Trim(index));
    const auto rule = std::find_if(Rules().begin(), Rules().end(),
                                   [&wanted](const tIndexRule& r) { return r.Index == wanted; });
    std::vector<const tListing*> members;
    if (rule == Rules().end()) {
        return members;
    }
    for (const tListing& listing : universe.Listings()) {
        if (listing.Kind == tKind::Stock && std::find(rule->Exchanges.begin(), rule->Exchanges.end(),
                                                      listing.Exchange) != rule->Exchanges.end()) {
            members.push_back(&listing);
        }
    }
    if (wanted == "^DJI" && members.size() > kDowMembers) {
        std::stable_sort(members.begin(), members.end(), [](const tListing* a, const tListing* b) {
            return a->Volume != b->Volume ? a->Volume > b->Volume : a->Symbol < b->Symbol;
        });
        members.resize(kDowMembers);
    }
    std::sort(members.begin(), members.end(),
              [](const tListing* a, const tListing* b) { return a->Symbol < b->Symbol; });
    return members;
}

bool VolumeUnreported(std::uint64_t seed, std::string_view symbol, int day) {
    return Hash(SymbolKey(seed, symbol), kSaltVolumeUnreported, day) % kUnreportedOneIn == 0;
}

std::string ThousandsText(double value) {
    const std::string digits = Fixed(std::max(0.0, std::floor(value)), 0);
    std::string text;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) {
            text += ',';
        }
        text += digits[i];
    }
    return text;
}

std::string ComponentRow(const tListing& listing, const tQuote& quote, bool volumeUnreported) {
    const int decimals = listing.Decimals();
    const std::string cell = "<td class=\"yfnc_tabledata1\">";
    const std::string symbol = XmlEscape(listing.Symbol);
    std::string row = "<tr>" + cell + "<b><a href=\"/q?s=" + UrlEncode(listing.Symbol) + "\">" + symbol +
                      "</a></b></td>" + cell + XmlEscape(listing.Name) + "</td>" + cell + "<b>" +
                      Fixed(quote.Last, decimals) + "</b> <nobr><small>" + AmPmTimeText(quote.Seconds) +
                      "</small></nobr></td>" + cell;
    // The change is written without a sign: the arrow image says which way it went, and a change
    // that rounds to nothing has no arrow.
    const double scale = std::pow(10.0, decimals);
    const double change = std::round((quote.Last - quote.Prev) * scale) / scale;
    if (change != 0) {
        const bool up = change > 0;
        row += std::string("<img width=\"10\" height=\"14\" border=\"0\" src=\"/img/") +
               (up ? "up_g.gif\" alt=\"Up\">" : "down_r.gif\" alt=\"Down\">");
    }
    const char* colour = change > 0 ? "#008800" : change < 0 ? "#cc0000" : "#000000";
    const std::string percent =
        quote.Prev == 0 ? "N/A" : Fixed(std::fabs(change) * 100.0 / quote.Prev, 2) + "%";
    row += std::string(" <b style=\"color:") + colour + ";\">" + Fixed(std::fabs(change), decimals) +
           "</b> <b style=\"color:" + colour + ";\">(" + percent + ")</b></td>" + cell +
           (volumeUnreported ? std::string("0") : ThousandsText(quote.Volume)) + "</td></tr>";
    return row;
}

tResponse ComponentPage(const tUniverse& universe, tPriceWalk& walk, std::uint64_t seed,
                        const tRequest& request, double now) {
    const std::string index = UpperText(Trim(PercentDecode(RawQueryValue(request.Query, "s"))));
    const int asked = ToInteger(PercentDecode(RawQueryValue(request.Query, "c")));
    const std::size_t page = asked > 0 ? static_cast<std::size_t>(asked) : 0;
    const std::vector<const tListing*> members = IndexMembers(universe, index);
    const tListing* listing = universe.Find(index);
    const std::string title = XmlEscape(listing != nullptr ? listing->Name : index);

    const std::size_t first = std::min(page * kMembersPerPage, members.size());
    const std::size_t end = std::min(first + kMembersPerPage, members.size());
    std::string body =
        "<!DOCTYPE html>\n<html><head><meta charset=\"windows-1252\"><title>" + XmlEscape(index) +
        ": Components</title></head>\n<body>\n<h1>" + title + " (" + XmlEscape(index) +
        ")</h1>\n<table class=\"yfnc_tableout1\" width=\"100%\">\n<tr><th "
        "class=\"yfnc_tablehead1\">Symbol</th><th class=\"yfnc_tablehead1\">Name</th><th "
        "class=\"yfnc_tablehead1\">Last Trade</th><th class=\"yfnc_tablehead1\">Change</th><th "
        "class=\"yfnc_tablehead1\">Volume</th></tr>\n";
    for (std::size_t i = first; i < end; ++i) {
        const tQuote quote = walk.Quote(*members[i], now);
        body += ComponentRow(*members[i], quote, VolumeUnreported(seed, members[i]->Symbol, quote.Day));
        body += "\n";
    }
    body += "</table>\n<p>";
    if (first < end) {
        body += "Showing " + std::to_string(first + 1) + " - " + std::to_string(end) + " of " +
                std::to_string(members.size());
    }
    if (page > 0 && first < end) {
        body += " &nbsp; " + PageLink(index, page - 1, "Prev");
    }
    if (end < members.size()) {
        body += " &nbsp; " + PageLink(index, page + 1, "Next");
    }
    body += "</p>\n</body></html>\n";
    return {200, "text/html; charset=windows-1252", body};
}

} // namespace vc::sim
