#include "quotes_csv.h"

#include "toolkit/text.h"

#include <cctype>
#include <cmath>
#include <cstdio>

namespace vc::sim {

namespace {

std::string Fixed(double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

std::string Signed(double value, int decimals) {
    // A change that rounds to zero is written without a minus sign.
    const double scale = std::pow(10.0, decimals);
    const double rounded = std::round(value * scale) / scale;
    return (rounded >= 0 ? "+" : "") + Fixed(rounded == 0 ? 0.0 : rounded, decimals);
}

std::string Quoted(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

std::string Price(double value, int decimals) {
    return value == 0 ? "N/A" : Fixed(value, decimals);
}

bool IsTextCode(const std::string& code) {
    return code == "s" || code == "n" || code == "x" || code == "d1" || code == "t1" || code == "l" ||
           code == "p2";
}

} // namespace

std::vector<std::string> SplitFieldCodes(std::string_view codes) {
    std::vector<std::string> result;
    for (const char c : codes) {
        const auto u = static_cast<unsigned char>(c);
        if (std::isalpha(u)) {
            result.emplace_back(1, c);
        } else if (std::isdigit(u) && !result.empty()) {
            result.back().push_back(c);
        }
    }
    return result;
}

std::vector<std::string> SplitSymbols(std::string_view rawValue) {
    std::vector<std::string> symbols;
    std::size_t start = 0;
    while (start <= rawValue.size() && symbols.size() < kMaxSymbolsPerRequest) {
        std::size_t end = rawValue.find_first_of("+,", start);
        if (end == std::string_view::npos) {
            end = rawValue.size();
        }
        std::string symbol;
        for (const char c : PercentDecode(rawValue.substr(start, end - start))) {
            if (c != '"' && c != ',' && static_cast<unsigned char>(c) >= 0x20) {
                symbol.push_back(c);
            }
        }
        symbol = UpperText(Trim(symbol));
        if (!symbol.empty()) {
            symbols.push_back(std::move(symbol));
        }
        start = end + 1;
    }
    return symbols;
}

std::string QuoteCsvLine(const std::string& symbol, const tListing* listing, const tQuote& quote,
                         const std::vector<std::string>& codes) {
    std::string line;
    for (const std::string& code : codes) {
        if (!line.empty()) {
            line.push_back(',');
        }
        if (code == "s") {
            line += Quoted(symbol);
            continue;
        }
        if (listing == nullptr) {
            line += IsTextCode(code) ? "\"N/A\"" : "N/A";
            continue;
        }
        const int dec = listing->Decimals();
        if (code == "n") {
            line += Quoted(listing->Name);
        } else if (code == "x") {
            line += Quoted(listing->Exchange);
        } else if (code == "d1") {
            line += Quoted(UsDateText(quote.Day));
        } else if (code == "t1") {
            line += Quoted(AmPmTimeText(quote.Seconds));
        } else if (code == "o") {
            line += Price(quote.Open, dec);
        } else if (code == "h") {
            line += Price(quote.High, dec);
        } else if (code == "g") {
            line += Price(quote.Low, dec);
        } else if (code == "l1") {
            line += Fixed(quote.Last, dec);
        } else if (code == "l") {
            line += Quoted(AmPmTimeText(quote.Seconds) + " - <b>" + Fixed(quote.Last, dec) + "</b>");
        } else if (code == "v") {
            line += Fixed(quote.Volume, 0);
        } else if (code == "a") {
            line += Price(quote.Ask, dec);
        } else if (code == "b") {
            line += Price(quote.Bid, dec);
        } else if (code == "p") {
            line += Price(quote.Prev, dec);
        } else if (code == "c1") {
            line += quote.Prev == 0 ? "N/A" : Signed(quote.Last - quote.Prev, dec);
        } else if (code == "p2") {
            line += quote.Prev == 0 ? "\"N/A\""
                                    : Quoted(Signed((quote.Last - quote.Prev) * 100.0 / quote.Prev, 2) + "%");
        } else {
            line += "N/A";
        }
    }
    return line;
}

tResponse QuotesCsvPage(const tUniverse& universe, tPriceWalk& walk, const tRequest& request, double now) {
    const std::vector<std::string> symbols = SplitSymbols(RawQueryValue(request.Query, "s"));
    if (symbols.empty()) {
        return {200, "text/csv", "Missing Symbols List.\r\n"};
    }
    std::vector<std::string> codes = HasQueryValue(request.Query, "f")
                                         ? SplitFieldCodes(PercentDecode(RawQueryValue(request.Query, "f")))
                                         : SplitFieldCodes(kDefaultFieldCodes);
    if (codes.empty()) {
        codes = SplitFieldCodes(kDefaultFieldCodes);
    }
    tResponse response{200, "text/csv", {}};
    for (const std::string& symbol : symbols) {
        const tListing* listing = universe.Find(symbol);
        const tQuote quote = listing != nullptr ? walk.Quote(*listing, now) : tQuote{};
        response.Body += QuoteCsvLine(symbol, listing, quote, codes);
        response.Body += "\r\n";
    }
    return response;
}

tResponse QuotePage(const tUniverse& universe, tPriceWalk& walk, const tRequest& request, double now) {
    const std::vector<std::string> symbols = SplitSymbols(RawQueryValue(request.Query, "s"));
    const tListing* listing = symbols.empty() ? nullptr : universe.Find(symbols.front());
    if (listing == nullptr) {
        return {404, "text/plain", "No such symbol\r\n"};
    }
    const tQuote quote = walk.Quote(*listing, now);
    const int decimals = listing->Decimals();
    const auto escape = [](std::string_view text) {
        std::string out;
        for (const char c : text) {
            out += c == '&' ? "&amp;" : c == '<' ? "&lt;" : c == '>' ? "&gt;" : std::string(1, c);
        }
        return out;
    };
    std::string page = "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>" +
                       escape(listing->Symbol) + "</title></head>\n<body><h1>" + escape(listing->Name) +
                       " (" + escape(listing->Symbol) + ")</h1>\n<table>\n";
    const std::pair<const char*, std::string> rows[] = {
        {"Exchange", escape(listing->Exchange)},
        {"Trade date", UsDateText(quote.Day) + " " + AmPmTimeText(quote.Seconds)},
        {"Last", Price(quote.Last, decimals)},
        {"Change", quote.Prev != 0 ? Signed(quote.Last - quote.Prev, decimals) : "N/A"},
        {"Previous close", Price(quote.Prev, decimals)},
        {"Open", Price(quote.Open, decimals)},
        {"Day's range", Price(quote.Low, decimals) + " - " + Price(quote.High, decimals)},
        {"Volume", quote.Volume != 0 ? Fixed(quote.Volume, 0) : "N/A"},
    };
    for (const auto& [label, value] : rows) {
        page += "<tr><th>" + std::string(label) + "</th><td>" + value + "</td></tr>\n";
    }
    page += "</table>\n<p>Prices of velocrest-market, the simulated exchange.</p>\n</body></html>\n";
    return {200, "text/html; charset=utf-8", page};
}

} // namespace vc::sim
