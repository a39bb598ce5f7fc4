#include "market/yahoo_indexes.h"

#include "market/http_codes.h"
#include "toolkit/html.h"
#include "toolkit/text.h"

#include <set>

namespace vc {

namespace {

// A field as it may go into a line: a "|" of the page's own would shift every field after it, and
// a control byte (a NUL, a tab) has no place on the tape, so the first becomes "-" and the others a
// blank before the field is trimmed.
std::string Mended(std::string_view text) {
    std::string clean(text);
    for (char& c : clean) {
        const auto u = static_cast<unsigned char>(c);
        if (c == kFieldSeparator) {
            c = '-';
        } else if (u < 0x20 || u == 0x7F) {
            c = ' ';
        }
    }
    return Trim(clean);
}

void AppendField(std::string& row, std::string_view text) {
    row += Mended(text);
    row += kFieldSeparator;
}

// The row's fields, trimmed; the "|" that ends the row does not open one more.
std::vector<std::string_view> SplitRow(std::string_view row) {
    std::vector<std::string_view> fields;
    if (!row.empty() && row.back() == kFieldSeparator) {
        row.remove_suffix(1);
    }
    std::size_t start = 0;
    while (true) {
        const std::size_t bar = row.find(kFieldSeparator, start);
        fields.push_back(TrimView(row.substr(start, bar == std::string_view::npos ? bar : bar - start)));
        if (bar == std::string_view::npos) {
            return fields;
        }
        start = bar + 1;
    }
}

std::string_view FieldOf(const std::vector<std::string_view>& fields, std::size_t n) {
    return n >= 1 && n <= fields.size() ? fields[n - 1] : std::string_view();
}

// Every entity begins with "&" and every sequence the decoder folds with a byte above 127, so a
// text with neither comes out as it went in; most cells of a page are such texts.
bool NeedsDecoding(std::string_view text) {
    for (const char c : text) {
        if (c == '&' || static_cast<unsigned char>(c) >= 0x80) {
            return true;
        }
    }
    return false;
}

// Where upperNeedle occurs in text compared by the upper-case rule, without upper-casing a copy of
// every tag.
std::size_t FindCaseless(std::string_view text, std::string_view upperNeedle) {
    for (std::size_t at = 0; at + upperNeedle.size() <= text.size(); ++at) {
        std::size_t i = 0;
        while (i < upperNeedle.size() && UpperChar(text[at + i]) == upperNeedle[i]) {
            ++i;
        }
        if (i == upperNeedle.size()) {
            return at;
        }
    }
    return std::string_view::npos;
}

std::string_view UpToSpace(std::string_view text) {
    return text.substr(0, text.find(' '));
}

// The words of a next-page link in the service's languages; NÄCHSTE as UpperText leaves it.
bool IsNextWord(std::string_view text) {
    // "\xC4" ends before "C": a hex escape would run on into it.
    static constexpr std::string_view kWords[] = {"NEXT", "SUCC.",
                                                  "N\xC4"
                                                  "CHSTE",
                                                  "SUIVANT", "SIGUIENTE"};
    const std::string word = UpperText(TrimView(text));
    for (const std::string_view next : kWords) {
        if (word == next) {
            return true;
        }
    }
    return false;
}

// The arrow image's ALT value as a sign: "-" for DOWN, "+" for UP, quoted or not; else empty.
std::string ArrowSign(std::string_view upperTag) {
    const std::size_t alt = upperTag.find("ALT=");
    if (alt == std::string_view::npos) {
        return {};
    }
    std::string_view value = upperTag.substr(alt + 4);
    value = value.substr(0, value.find('>'));
    value = UpToSpace(value);
    if (value == "DOWN" || value == "\"DOWN\"") {
        return "-";
    }
    if (value == "UP" || value == "\"UP\"") {
        return "+";
    }
    return {};
}

// The "symbol,name" lines of the CSV answer: quotes around a field go.
std::string Unquoted(std::string_view field) {
    std::string text = Trim(field);
    if (text.size() > 1 && text.front() == '"') {
        text = text.substr(1, text.size() - 2);
    }
    return text;
}

} // namespace

tYahooIndexes::tYahooIndexes(tHttpSession& session) : session_(session) {}

int tYahooIndexes::Download() {
    Members.clear();
    Quotes.clear();
    // A link seen by an earlier download must not make a failed first page look like a chain.
    MorePages = false;
    const int result = ReadPage(URL);
    // The page number is part of every address, so the chain cannot come back to a page it read;
    // the count alone ends a service that never stops offering a next page.
    for (int i = 1; MorePages && i < kMaxPages; ++i) {
        ReadPage(URL + "&c=" + std::to_string(i));
    }
    return result;
}

int tYahooIndexes::ReadPage(const std::string& url) {
    std::string document;
    const int result = session_.Fetch(url, settings_, document);
    if (result == kHttpOk) {
        Parse(document);
    }
    return result;
}

void tYahooIndexes::Parse(std::string_view document) {
    if (ParseHtml(document) <= 1) {
        ParseCsv(document);
    }
}

std::size_t tYahooIndexes::ParseHtml(std::string_view document) {
    MorePages = false;
    bool inTable = false;
    bool inRow = false;
    bool inCell = false;
    bool inLink = false;
    bool dataRow = false;
    std::string row;
    std::string sign;
    const auto flush = [&] {
        inCell = inRow = dataRow = inLink = false;
        Flush(row, sign);
    };

    tByteStream stream{document, 0};
    std::string token;
    std::size_t tokens = 0;
    while (NextToken(stream, token)) {
        ++tokens;
        switch (ClassifyTag(token)) {
        case kTagCell:
            inCell = true;
            if (FindCaseless(token, " CLASS=\"YFNC_TABLEDATA1\"") != std::string_view::npos) {
                dataRow = true;
            }
            break;
        case kTagCellEnd:
            inCell = false;
            break;
        case kTagAnchor:
            inLink = true;
            if (dataRow) {
                const std::size_t at = FindCaseless(token, "?S=");
                if (at == std::string_view::npos) {
                    row += kFieldSeparator;
                } else {
                    const std::string_view rest = std::string_view(token).substr(at + 3);
                    AppendField(row, rest.substr(0, rest.find('"')));
                }
            }
            break;
        case kTagAnchorEnd:
            inLink = false;
            break;
        case kTagText:
            if (dataRow) {
                AppendField(row, NeedsDecoding(token) ? DecodeEntities(token) : token);
            } else if (inLink && IsNextWord(token)) {
                MorePages = true;
            }
            break;
        case kTagImage:
            if (inTable && inRow && inCell && dataRow) {
                sign = ArrowSign(UpperText(token));
            }
            break;
        case kTagTable:
            inTable = true;
            break;
        case kTagTableEnd:
            if (inTable) {
                flush();
            }
            inTable = false;
            break;
        case kTagRow:
        case kTagHeaderCell:
            flush();
            inRow = true;
            break;
        case kTagRowEnd:
        case kTagHeaderCellEnd:
            flush();
            break;
        default:
            break;
        }
    }
    return tokens;
}

void tYahooIndexes::Flush(std::string& row, std::string& sign) {
    const std::vector<std::string_view> fields = SplitRow(row);
    std::string symbol(FieldOf(fields, 1));
    if (symbol.empty()) {
        symbol = FieldOf(fields, 2);
    }
    if (!symbol.empty()) {
        std::string name(FieldOf(fields, 3));
        if (name.empty() || name == "N/A") {
            name = Before(symbol, '.');
        }
        const std::string member = name + kFieldSeparator + symbol;
        Members.push_back(member);

        const std::string last = RemoveChar(UpToSpace(FieldOf(fields, 4)), ',');
        std::string change(UpToSpace(FieldOf(fields, 6)));
        if (change.find_first_of("+-") == std::string::npos) {
            change = sign + change;
        }
        const std::string volume = RemoveChar(fields.back(), ',');
        const std::string previous = Trim(FormatFixed(ToNumber(last) - ToNumber(change), 15, 4));
        if (ToNumber(volume) > 0) {
            Quotes.push_back(member + kFieldSeparator + last + kFieldSeparator + previous + kFieldSeparator);
        }
    }
    row.clear();
    sign.clear();
}

void tYahooIndexes::ParseCsv(std::string_view document) {
    std::size_t start = 0;
    while (start < document.size()) {
        std::size_t end = document.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            end = document.size();
        }
        const std::string_view line = document.substr(start, end - start);
        start = end + 1;
        if (line.find(',') == std::string_view::npos) {
            continue;
        }
        const std::string fields = ReplaceAll(line, ",", "|");
        const std::string symbol = Mended(Unquoted(Field(fields, 1)));
        const std::string name = Mended(Unquoted(Field(fields, 2)));
        if (!symbol.empty() && !name.empty()) {
            Members.push_back(name + kFieldSeparator + symbol);
        }
    }
}

void tYahooIndexes::SelectMovers(std::vector<std::string>& target, bool gainers) const {
    std::set<std::string> kept;
    for (const std::string& line : Quotes) {
        const double last = ToNumber(Field(line, 3));
        const double previous = ToNumber(Field(line, 4));
        const double change = last - previous;
        const double percent = previous == 0 ? 0 : last * 100 / previous - 100;
        if ((gainers && change > 0) || (!gainers && change < 0)) {
            // The offset makes every key positive and of one width, so text order is numeric order.
            kept.insert(FormatFixed(percent + 10000000, 20, 6) + kFieldSeparator + line);
        }
    }
    target.clear();
    const auto take = [&target](const std::string& key) { target.push_back(After(key, kFieldSeparator)); };
    if (gainers) {
        for (auto it = kept.rbegin(); it != kept.rend(); ++it) {
            take(*it);
        }
    } else {
        for (const std::string& key : kept) {
            take(key);
        }
    }
}

} // namespace vc
