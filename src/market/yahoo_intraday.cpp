#include "market/yahoo_intraday.h"

#include "toolkit/dates.h"
#include "toolkit/text.h"
#include "toolkit/url.h"

#include <algorithm>
#include <cmath>

namespace vc {

namespace {

constexpr int kColumns = 11;
// A last price above this is a broken line, not a quote.
constexpr double kMaxClose = 505000000.0;
constexpr int kSecondsPerDay = 86400;

// One leading and one trailing double quote go; the feed quotes its text columns.
std::string_view Unquote(std::string_view text) {
    if (!text.empty() && text.front() == '"') {
        text.remove_prefix(1);
    }
    if (!text.empty() && text.back() == '"') {
        text.remove_suffix(1);
    }
    return text;
}

// The first three "sep"-separated parts of text; missing parts are empty.
void SplitThree(std::string_view text, char sep, std::string_view parts[3]) {
    for (int i = 0; i < 3; ++i) {
        const std::size_t at = text.find(sep);
        parts[i] = text.substr(0, at);
        text = at == std::string_view::npos ? std::string_view() : text.substr(at + 1);
    }
}

int SecondsOfDay(double stamp) {
    const double fraction = stamp - std::floor(stamp);
    const auto seconds = static_cast<int>(std::lround(fraction * kSecondsPerDay));
    return seconds >= kSecondsPerDay ? kSecondsPerDay - 1 : seconds;
}

double StampOf(double day, int seconds) {
    return day + static_cast<double>(seconds) / kSecondsPerDay;
}

} // namespace

tYahooIntraday::tYahooIntraday(tHttpSession& session, const tQuoteHost& host, const tClock& clock)
    : session_(session), host_(host), clock_(clock) {
    settings_.MaxAttempts = 2;
    settings_.OverallTimeout = 10000;
    settings_.LogonTimeout = 4000;
    settings_.PacketTimeout = 5000;
    settings_.Accept.clear();
    settings_.Agent = "Squid 3.92";
}

int tYahooIntraday::AddSymbols(std::string_view text) {
    int accepted = 0;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t plus = text.find('+', start);
        const std::size_t end = plus == std::string_view::npos ? text.size() : plus;
        if (AddSymbol(text.substr(start, end - start))) {
            ++accepted;
        }
        start = end + 1;
    }
    return accepted;
}

bool tYahooIntraday::AddSymbol(std::string_view entry) {
    if (entries_.size() >= kMaxSymbols) {
        return false;
    }
    const std::string compact = RemoveChar(entry, ' ');
    std::string tag = Trim(Field(compact, 1));
    std::string symbol = UpperText(Trim(Field(compact, 2)));
    if (symbol.empty()) {
        symbol = UpperText(tag);
        tag.clear();
    }
    if (symbol.empty()) {
        return false;
    }
    symbol.resize(std::min(symbol.size(), kMaxTextLength));
    tag.resize(std::min(tag.size(), kMaxTextLength));
    if (FindSymbol(symbol) < 0) {
        index_.emplace(symbol, entries_.size());
        tIntraday record;
        record.Name = std::move(tag);
        record.Symbol = std::move(symbol);
        entries_.push_back(std::move(record));
    }
    return true;
}

std::string tYahooIntraday::RequestUrl() const {
    if (entries_.empty()) {
        return {};
    }
    std::string symbols;
    for (const tIntraday& entry : entries_) {
        if (!symbols.empty()) {
            symbols += '+';
        }
        // Escaped so the service reads back exactly the symbol: a bare "&" would end the value,
        // a "#" the whole query, a "%" would start an escape, and a byte above 127 must go as
        // that one byte, not as some character set's idea of it.
        symbols += EncodeQueryValue(entry.Symbol);
    }
    return "http://" + host_.Host + "/d/quotes.csv" + "?s=" + symbols +
           "&f=" + std::string(host_.IsUk() ? kUkFieldCodes : kUsFieldCodes) + "&e=" + ".csv";
}

bool tYahooIntraday::Download() {
    const std::string url = RequestUrl();
    if (url.empty()) {
        return false;
    }
    std::string document;
    lastResult_ = session_.Fetch(url, settings_, document);
    if (lastResult_ != 200) {
        return false;
    }
    Parse(document);
    return true;
}

void tYahooIntraday::Parse(std::string_view document) {
    // Years up to next year pass, so a feed whose clock runs ahead over New Year still counts.
    const int latestYear = DecodeDate(clock_.Now()).Year + 1;
    // Lines end at LF; CR bytes are dropped wherever they are; a last line without LF counts.
    std::string scratch;
    std::size_t start = 0;
    while (start < document.size()) {
        std::size_t end = document.find('\n', start);
        const bool last = end == std::string_view::npos;
        if (last) {
            end = document.size();
        }
        std::string_view line = document.substr(start, end - start);
        if (line.find('\r') != std::string_view::npos) {
            scratch.clear();
            for (const char c : line) {
                if (c != '\r') {
                    scratch.push_back(c);
                }
            }
            line = scratch;
        }
        if (!last || !line.empty()) {
            ParseLine(line, latestYear);
        }
        start = end + 1;
    }
}

void tYahooIntraday::ParseLine(std::string_view line, int latestYear) {
    // Commas and bars both separate columns; a quoted value with a comma in it is split too.
    std::string_view columns[kColumns];
    std::size_t start = 0;
    for (int i = 0; i < kColumns && start <= line.size(); ++i) {
        std::size_t end = start;
        while (end < line.size() && line[end] != ',' && line[end] != '|') {
            ++end;
        }
        columns[i] = TrimView(line.substr(start, end - start));
        start = end + 1;
    }

    tIntraday parsed;
    if (!columns[0].empty()) {
        parsed.Symbol = std::string(Unquote(UpperText(columns[0])));
        parsed.Symbol.resize(std::min(parsed.Symbol.size(), kMaxTextLength));
    }
    const std::string_view dateColumn = host_.IsUk() ? columns[2] : columns[1];
    const std::string_view timeColumn = host_.IsUk() ? columns[1] : columns[2];
    double date = 0;
    if (!dateColumn.empty()) {
        date = ReadTradeDate(dateColumn, latestYear);
    }
    if (date != 0) {
        parsed.Stamp = date;
    }
    if (!timeColumn.empty()) {
        const double time = ReadTradeTime(timeColumn);
        if (time >= 0) {
            parsed.Stamp = std::floor(parsed.Stamp) + time;
        }
    }
    double* const numbers[] = {&parsed.Open,   &parsed.High, &parsed.Low, &parsed.Close,
                               &parsed.Volume, &parsed.Ask,  &parsed.Bid, &parsed.Prev};
    for (int i = 0; i < 8; ++i) {
        if (!columns[3 + i].empty()) {
            *numbers[i] = ToNumber(columns[3 + i]);
        }
    }
    if (date == 0 || parsed.Close > kMaxClose || parsed.Symbol.empty()) {
        return;
    }

    tIntraday& entry = EntryFor(parsed.Symbol);
    entry.Stamp = parsed.Stamp;
    entry.Open = parsed.Open;
    entry.High = parsed.High;
    entry.Low = parsed.Low;
    entry.Close = parsed.Close;
    entry.Volume = parsed.Volume;
    entry.Ask = parsed.Ask;
    entry.Bid = parsed.Bid;
    entry.Prev = parsed.Prev;
    RepairCurrencyPair(entry);
    CorrectDstGap(entry);
    CheckBidAsk(entry);
    ScaleYieldIndex(entry);
}

tIntraday& tYahooIntraday::EntryFor(const std::string& symbol) {
    const auto it = index_.find(symbol);
    if (it != index_.end()) {
        return entries_[it->second];
    }
    index_.emplace(symbol, entries_.size());
    tIntraday& added = entries_.emplace_back();
    added.Symbol = symbol;
    return added;
}

std::vector<std::string> tYahooIntraday::Results(double since) const {
    const double sinceDay = std::floor(since);
    std::vector<std::string> lines;
    for (const tIntraday& entry : entries_) {
        if (entry.Stamp != 0 && (since == 0 || std::floor(entry.Stamp) >= sinceDay)) {
            lines.push_back(QuoteLine(entry));
        }
    }
    return lines;
}

int tYahooIntraday::FindSymbol(std::string_view symbol) const {
    const auto it = index_.find(UpperText(symbol));
    return it == index_.end() ? -1 : static_cast<int>(it->second);
}

void tYahooIntraday::Clear() {
    entries_.clear();
    index_.clear();
}

std::string tYahooIntraday::QuoteLine(const tIntraday& entry) {
    std::string line;
    line.reserve(96);
    line += entry.Name;
    line += '|';
    line += entry.Symbol;
    line += '|';
    line += DateOf(entry.Stamp);
    line += '|';
    line += TimeOf(entry.Stamp);
    for (const double price : {entry.Open, entry.High, entry.Low, entry.Close}) {
        line += '|';
        line += NumberText(price);
    }
    line += '|';
    line += WholeText(entry.Volume);
    for (const double price : {entry.Ask, entry.Bid, entry.Prev}) {
        line += '|';
        line += NumberText(price);
    }
    return line;
}

double ReadTradeDate(std::string_view column, int latestYear) {
    std::string_view parts[3];
    SplitThree(Unquote(column), '/', parts);
    const int month = ToInteger(parts[0]);
    const int day = ToInteger(parts[1]);
    int year = ToInteger(parts[2]);
    if (day < 1 || day > 31 || month < 1 || month > 12 || year < 1 || year > latestYear) {
        return 0;
    }
    if (year < 10) {
        year += 2000;
    } else if (year < 100) {
        year += 1900;
    }
    // Nothing before 2005 is a current quote; 2 August 2011 is a date the feed once sent for
    // quotes that had none.
    if (year < 2005 || (year == 2011 && month == 8 && day == 2)) {
        return 0;
    }
    const std::string text = DateText(day, month, year);
    return ValidDate(text) ? ParseDate(text) : 0;
}

double ReadTradeTime(std::string_view column) {
    const std::string text(Unquote(UpperText(column)));
    if (text.size() < 2) {
        return -1;
    }
    const std::string_view suffix = std::string_view(text).substr(text.size() - 2);
    const bool am = suffix == "AM";
    if (!am && suffix != "PM") {
        return -1;
    }
    std::string_view parts[3];
    SplitThree(std::string_view(text).substr(0, text.size() - 2), ':', parts);
    int hour = ToInteger(parts[0]);
    const int minute = ToInteger(parts[1]);
    if (minute < 0 || minute > 59) {
        return -1;
    }
    if (am) {
        if (hour == 12) {
            hour = 0;
        } else if (hour < 0 || hour > 11) {
            return -1;
        }
    } else {
        if (hour < 1 || hour > 12) {
            return -1;
        }
        if (hour < 12) {
            hour += 12;
        }
    }
    return ParseTime(TimeText(hour, minute, 0));
}

void RepairCurrencyPair(tIntraday& entry) {
    if (entry.Symbol.find("=X") == std::string::npos) {
        return;
    }
    if (entry.High != 0 && entry.Low != 0 && entry.Close != 0 && entry.High < entry.Low) {
        std::swap(entry.High, entry.Low);
        entry.High = std::max(entry.High, entry.Close);
        entry.Low = std::min(entry.Low, entry.Close);
    }
}

void CorrectDstGap(tIntraday& entry) {
    // For a few weeks a year the USA has changed its clocks and Europe has not; the feed's times
    // then sit an hour off against the European trading day, so they are moved by that hour.
    const double day = std::floor(entry.Stamp);
    int shift = 0;
    if (day > UsDstStart(day) && day < EuDstStart(day)) {
        shift = -3600;
    } else if (day > EuDstEnd(day) && day < UsDstEnd(day)) {
        shift = 3600;
    }
    if (shift != 0) {
        const int seconds = (SecondsOfDay(entry.Stamp) + shift + kSecondsPerDay) % kSecondsPerDay;
        entry.Stamp = StampOf(day, seconds);
    }
}

void CheckBidAsk(tIntraday& entry) {
    if (entry.Stamp == 0 || entry.Close == 0) {
        return;
    }
    const auto tooFar = [&](double price) {
        return std::max(price, entry.Close) / std::min(price, entry.Close) > 2.0;
    };
    if (entry.Ask == 0 || entry.Bid == 0 || tooFar(entry.Ask) || tooFar(entry.Bid)) {
        entry.Ask = 0;
        entry.Bid = 0;
    }
}

void ScaleYieldIndex(tIntraday& entry) {
    const std::string symbol = UpperText(entry.Symbol);
    if (symbol == "^TNX" || symbol == "^FVX" || symbol == "^IRX" || symbol == "^TYX") {
        // Yields are quoted as ten times the percentage.
        for (double* price :
             {&entry.Open, &entry.High, &entry.Low, &entry.Close, &entry.Ask, &entry.Bid, &entry.Prev}) {
            *price /= 10.0;
        }
        entry.Volume /= 0.1;
    } else if (symbol == "^DJI" || symbol == "^DJA") {
        entry.Volume /= 10.0;
    }
}

} // namespace vc
