// The delayed-quote download: a batch of at most ten symbols goes out as one "/d/quotes.csv"
// request, and every CSV line that comes back is parsed and repaired into a per-symbol quote
// record, handed on as "|"-separated quote lines.
#pragma once

#include "market/http_session.h"
#include "market/quote_host.h"
#include "toolkit/clock.h"

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace vc {

// One symbol's quote as the download last delivered it.
struct tIntraday {
    std::string Name;   // source tag of the entry ("YAHTICK"); empty for entries the answer added
    std::string Symbol; // upper case; identity within a download
    double Stamp = 0;   // date and time of the last trade; 0 = no valid quote
    double Open = 0;
    double High = 0;
    double Low = 0;
    double Close = 0;
    double Volume = 0;
    double Ask = 0; // 0 = none
    double Bid = 0; // 0 = none
    double Prev = 0;
};

class tYahooIntraday {
public:
    static constexpr std::size_t kMaxSymbols = 10;
    static constexpr std::size_t kMaxTextLength = 30;
    // Field codes of the two hosts: symbol, trade date and time (the UK host wants the time first),
    // open, high, low, last, volume, ask, bid, previous close.
    static constexpr std::string_view kUsFieldCodes = "sd1t1ohgl1vabp";
    static constexpr std::string_view kUkFieldCodes = "st1d1ohgl1vabp";

    // The session does the fetching; the host says where to and in which column order; the clock
    // gives the current year, the latest a trade date may plausibly carry.
    tYahooIntraday(tHttpSession& session, const tQuoteHost& host, const tClock& clock);

    // Entries joined by "+"; each goes through AddSymbol. Returns how many were accepted.
    int AddSymbols(std::string_view text);
    // "tag|symbol" or a bare symbol (spaces removed). False when ten entries are held or there is
    // no symbol; a symbol already held is accepted without adding anything.
    bool AddSymbol(std::string_view entry);

    // The address Download fetches; empty without entries.
    std::string RequestUrl() const;
    // Fetches and parses; true only when the session returned 200. On any other result the entries
    // keep what they had.
    bool Download();
    // The session's result code of the last Download (0 before the first).
    int LastResult() const { return lastResult_; }

    // Parses an answer document into the entries (what Download does after a 200).
    void Parse(std::string_view document);

    // One quote line per entry with a valid quote and, when since is not 0, a trade date on or
    // after the date of since; in entry order.
    std::vector<std::string> Results(double since) const;
    // Index of the entry with this symbol (compared upper-cased), else -1.
    int FindSymbol(std::string_view symbol) const;
    void Clear();

    const std::vector<tIntraday>& Entries() const { return entries_; }
    const tHttpSettings& Settings() const { return settings_; }
    tHttpSettings& Settings() { return settings_; }

    // Name|Symbol|DD/MM/YYYY|HH:MM:SS|Open|High|Low|Close|Volume|Ask|Bid|Prev
    static std::string QuoteLine(const tIntraday& entry);

private:
    void ParseLine(std::string_view line, int latestYear);
    tIntraday& EntryFor(const std::string& symbol);

    tHttpSession& session_;
    const tQuoteHost& host_;
    const tClock& clock_;
    tHttpSettings settings_;
    std::vector<tIntraday> entries_;
    std::unordered_map<std::string, std::size_t> index_;
    int lastResult_ = 0;
};

// The repairs applied to every freshly parsed entry, in this order.
void RepairCurrencyPair(tIntraday& entry);
void CorrectDstGap(tIntraday& entry);
void CheckBidAsk(tIntraday& entry);
void ScaleYieldIndex(tIntraday& entry);

// Column readers of the answer. A trade date "6/1/2011" (month/day/year, quotes allowed) as a date
// value, or 0 when invalid; years up to latestYear are accepted. A trade time "4:00pm" as a time of
// day, or -1 when invalid.
double ReadTradeDate(std::string_view column, int latestYear);
double ReadTradeTime(std::string_view column);

} // namespace vc
