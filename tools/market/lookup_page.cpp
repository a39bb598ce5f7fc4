#include "lookup_page.h"

#include "news_feed.h"
#include "sim_random.h"

#include "toolkit/text.h"
#include "toolkit/url.h"

#include <cstdio>

namespace vc::sim {

namespace {

struct tExchangeCode {
    std::string_view Exchange;
    std::string_view Code;
    std::string_view Country;
};

constexpr tExchangeCode kExchangeCodes[] = {
    {"NYSE", "NYQ", "US"},   {"NasdaqNM", "NMS", "US"},  {"Paris", "PAR", "FR"},    {"XETRA", "GER", "DE"},
    {"London", "LSE", "GB"}, {"Amsterdam", "AMS", "NL"}, {"Brussels", "BRU", "BE"},
};

const tExchangeCode* CodeOf(const tListing& listing) {
    for (const tExchangeCode& code : kExchangeCodes) {
        if (listing.Exchange == code.Exchange) {
            return &code;
        }
    }
    return nullptr;
}

std::string_view KindText(tKind kind) {
    switch (kind) {
    case tKind::Stock:
        return "Stock";
    case tKind::Index:
        return "Index";
    case tKind::Yield:
        return "Index";
    case tKind::Currency:
        return "Currency";
    }
    return "N/A";
}

bool OfKind(const tListing& listing, std::string_view kindPath) {
    if (kindPath.empty()) {
        return true;
    }
    if (kindPath == "/stocks") {
        return listing.Kind == tKind::Stock;
    }
    if (kindPath == "/indices") {
        return listing.Kind == tKind::Index || listing.Kind == tKind::Yield;
    }
    return false; // no funds, futures or ETFs are listed here
}

// The request's query with b= (the first row of the page) set to first.
std::string WithOffset(std::string_view query, int first) {
    std::string out;
    for (std::string_view rest = query; !rest.empty();) {
        const std::size_t amp = rest.find('&');
        const std::string_view pair = rest.substr(0, amp);
        if (!pair.starts_with("b=") && !pair.empty()) {
            out += (out.empty() ? "" : "&") + std::string(pair);
        }
        rest = amp == std::string_view::npos ? std::string_view() : rest.substr(amp + 1);
    }
    return out + (out.empty() ? "" : "&") + "b=" + std::to_string(first);
}

} // namespace

std::string IsinOf(const tListing& listing) {
    const tExchangeCode* code = CodeOf(listing);
    if (listing.Kind != tKind::Stock || code == nullptr) {
        return {};
    }
    std::string isin(code->Country);
    std::uint64_t h = SymbolKey(0x15171, listing.Symbol);
    for (int i = 0; i < 9; ++i) {
        isin += "0123456789ABCDEFGHJKLMNPQRSTUVWXYZ"[h % 34];
        h /= 34;
    }
    // The check digit: letters as their numbers (A = 10), then the Luhn sum over the digits.
    std::string digits;
    for (const char c : isin) {
        digits += c >= 'A' ? std::to_string(c - 'A' + 10) : std::string(1, c);
    }
    int sum = 0;
    bool twice = true;
    for (auto it = digits.rbegin(); it != digits.rend(); ++it, twice = !twice) {
        int d = *it - '0';
        if (twice) {
            d *= 2;
            d = d > 9 ? d - 9 : d;
        }
        sum += d;
    }
    return isin + static_cast<char>('0' + (10 - sum % 10) % 10);
}

std::string ExchangeCodeOf(const tListing& listing) {
    const tExchangeCode* code = CodeOf(listing);
    return code != nullptr ? std::string(code->Code) : listing.Exchange;
}

tResponse LookupPage(const tUniverse& universe, tPriceWalk& walk, const tRequest& request, double now,
                     std::string_view kindPath) {
    const std::string query = UpperText(Trim(UrlDecode(RawQueryValue(request.Query, "s"))));
    const int first = std::max(0, ToInteger(RawQueryValue(request.Query, "b")));
    std::vector<const tListing*> found;
    if (!query.empty()) {
        for (const tListing& listing : universe.Listings()) {
            if (OfKind(listing, kindPath) && (listing.Symbol.find(query) != std::string::npos ||
                                              UpperText(listing.Name).find(query) != std::string::npos ||
                                              IsinOf(listing).find(query) != std::string::npos)) {
                found.push_back(&listing);
            }
        }
    }
    std::string page = "<!DOCTYPE html>\n<html><head><title>Symbol Lookup</title></head><body>\n"
                       "<h1>Symbol Lookup</h1>\n";
    page +=
        "<table class=\"yfnc_tableout1\">\n<tr><th>Symbol</th><th>Name</th><th>ISIN</th><th>Last Trade</th>"
        "<th>Type</th><th>Exchange</th></tr>\n";
    const int count = static_cast<int>(found.size());
    for (int i = first; i < count && i < first + kLookupRowsPerPage; ++i) {
        const tListing& listing = *found[static_cast<std::size_t>(i)];
        const tQuote quote = walk.Quote(listing, now);
        char last[32];
        std::snprintf(last, sizeof last, "%.*f", listing.Decimals(), quote.Last);
        const std::string isin = IsinOf(listing);
        page += "<tr><td><a href=\"/q?s=" + EncodeQueryValue(listing.Symbol) + "\">" +
                XmlEscape(listing.Symbol) + "</a></td><td>" + XmlEscape(listing.Name) + "</td><td>" +
                (isin.empty() ? "N/A" : isin) + "</td><td>" + last + "</td><td>" +
                std::string(KindText(listing.Kind)) + "</td><td>" + XmlEscape(ExchangeCodeOf(listing)) +
                "</td></tr>\n";
    }
    page += "</table>\n<p>";
    if (count == 0) {
        page += "No results found.";
    } else {
        page += "Showing " + std::to_string(first + 1) + " - " +
                std::to_string(std::min(count, first + kLookupRowsPerPage)) + " of " + std::to_string(count);
    }
    if (first + kLookupRowsPerPage < count) {
        page += " | <a href=\"" +
                XmlEscape(request.Path + "?" + WithOffset(request.Query, first + kLookupRowsPerPage)) +
                "\">Next</a>";
    }
    page += "</p>\n</body></html>\n";
    return {200, "text/html; charset=utf-8", page};
}

} // namespace vc::sim
