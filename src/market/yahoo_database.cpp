#include "market/yahoo_database.h"

#include "market/http_codes.h"
#include "market/market_tables.h"
#include "toolkit/html.h"
#include "toolkit/text.h"
#include "toolkit/url.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <unistd.h>

namespace vc {

namespace {

// The lookup pages know fewer tags than the other pages; anything else is an unknown tag.
int LookupTagClass(std::string_view token) {
    const int kind = ClassifyTag(token);
    switch (kind) {
    case kTagEmpty:
    case kTagText:
    case kTagNbsp:
    case kTagTable:
    case kTagTableEnd:
    case kTagRow:
    case kTagRowEnd:
    case kTagHeaderCell:
    case kTagHeaderCellEnd:
    case kTagCell:
    case kTagCellEnd:
    case kTagBreak:
    case kTagAnchor:
    case kTagAnchorEnd:
    case kTagFont:
    case kTagFontEnd:
    case kTagBold:
    case kTagBoldEnd:
    case kTagUnderline:
    case kTagUnderlineEnd:
    case kTagCenter:
    case kTagCenterEnd:
    case kTagImage:
    case kTagForm:
    case kTagFormEnd:
    case kTagParagraph:
    case kTagParagraphEnd:
        return kind;
    default:
        return kTagOther;
    }
}

// The value of HREF= in a tag, up to its closing double quote, with "&amp;" as "&".
std::string HrefOf(std::string_view tag) {
    const std::string upper = UpperText(tag);
    const std::size_t at = upper.find("HREF=");
    if (at == std::string::npos) {
        return {};
    }
    std::string_view value = tag.substr(at + 5);
    if (!value.empty() && value.front() == '"') {
        value.remove_prefix(1);
    }
    value = value.substr(0, value.find('"'));
    return ReplaceAll(value, "&amp;", "&");
}

// Names and types come from the page: control bytes would break the lines or reach the tape.
std::string WithoutControls(std::string text) {
    for (char& c : text) {
        if (static_cast<unsigned char>(c) < 0x20 || c == '|') {
            c = ' ';
        }
    }
    return Trim(text);
}

// A fresh, empty work file in the system's temporary folder, removed when this goes.
class tWorkFile {
public:
    tWorkFile() {
        std::error_code ec;
        std::string pattern =
            (std::filesystem::temp_directory_path(ec) / "velocrest-lookup-XXXXXX.TXT").string();
        const int fd = ::mkstemps(pattern.data(), 4);
        if (fd >= 0) {
            ::close(fd);
            path_ = pattern;
        }
    }
    ~tWorkFile() { Remove(); }
    tWorkFile(const tWorkFile&) = delete;
    tWorkFile& operator=(const tWorkFile&) = delete;

    bool Ok() const { return !path_.empty(); }
    // Writes the page and reads it back as the parser's text; false when the disk refused.
    bool Pass(const std::string& page, std::string& text) {
        Remove();
        std::ofstream out(path_, std::ios::binary | std::ios::trunc);
        out.write(page.data(), static_cast<std::streamsize>(page.size()));
        out.close();
        if (!out) {
            Remove();
            return false;
        }
        std::ifstream in(path_, std::ios::binary);
        text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        const bool ok = !in.bad() && text.size() == page.size();
        Remove();
        return ok;
    }

private:
    void Remove() {
        if (!path_.empty()) {
            std::error_code ec;
            std::filesystem::remove(path_, ec);
        }
    }
    std::string path_;
};

} // namespace

tYahooDatabase::tYahooDatabase(tHttpSession& session, const tFinanceHosts& hosts)
    : session_(session), hosts_(hosts) {
    settings_.MaxAttempts = 1;
    settings_.OverallTimeout = 30000;
}

std::string tYahooDatabase::LookupUrl(std::string_view query, std::string_view kind,
                                      std::string_view market) const {
    const std::string encoded = UrlEncode(Trim(query));
    const std::string kindText = UpperText(kind) + " ";
    std::string marketText = UpperText(Trim(market));
    if (marketText.empty()) {
        marketText = "ALL";
    }
    std::string url = "http://" + hosts_.US + "/lookup";
    switch (kindText[0]) {
    case 'E':
        url += "/etfs";
        break;
    case 'F':
        url += "/futures";
        break;
    case 'I':
        url += "/indices";
        break;
    case 'M':
        url += "/funds";
        break;
    case 'S':
        url += "/stocks";
        break;
    default:
        break;
    }
    url += "?s=" + encoded;
    if (!Trim(kindText).empty()) {
        url += "&t=" + std::string(1, kindText[0]);
    }
    return url + "&m=" + marketText;
}

std::vector<std::string> tYahooDatabase::Lookup(const std::string& url) {
    std::vector<std::string> lines;
    tWorkFile work;
    std::set<std::string> visited;
    int pages = 0;
    NextUrl = url;
    while (!NextUrl.empty() && work.Ok()) {
        const std::string address = NextUrl;
        NextUrl.clear();
        // A chain that comes back to a page it had is a loop.
        if (!visited.insert(address).second || ++pages > kMaxPages) {
            break;
        }
        std::string page;
        std::string text;
        if (session_.Fetch(address, settings_, page) != kHttpOk || !work.Pass(page, text)) {
            break;
        }
        ParsePage(text, address, lines);
        if (lines.size() > kLookupLimit) {
            break;
        }
    }
    NextUrl.clear();
    return lines;
}

void tYahooDatabase::ParsePage(std::string_view page, std::string_view pageUrl,
                               std::vector<std::string>& lines) {
    // Only a search for a symbol suffix (".PA") filters the results by it.
    const std::string query = UpperText(After(pageUrl, '?'));
    std::string filter;
    for (std::string_view rest = query; !rest.empty();) {
        const std::size_t amp = rest.find('&');
        const std::string_view pair = rest.substr(0, amp);
        if (pair.starts_with("S=")) {
            filter = UrlDecode(pair.substr(2));
            break;
        }
        rest = amp == std::string_view::npos ? std::string_view() : rest.substr(amp + 1);
    }
    if (!filter.starts_with('.')) {
        filter.clear();
    }

    bool inTable = false;
    bool symbolTable = false;
    bool inCell = false;
    bool inLink = false;
    int rowIndex = 0;
    int cellIndex = 0;
    std::string linkTag;
    std::string cellText;
    std::string rowText;
    const auto closeCell = [&] {
        if (inCell) {
            // The row is kept "|"-separated, so a "|" of the page's own would shift its cells.
            rowText += Trim(ReplaceAll(cellText, "|", " ")) + "|";
            cellText.clear();
            inCell = false;
        }
    };
    const auto flushRow = [&] {
        if (!Trim(rowText).empty()) {
            // The cells, split once.
            std::string_view cells[6];
            std::string_view rest = rowText;
            for (std::string_view& cell : cells) {
                const std::size_t bar = rest.find('|');
                cell = rest.substr(0, bar);
                rest = bar == std::string_view::npos ? std::string_view() : rest.substr(bar + 1);
            }
            const std::string symbol = Trim(cells[0]);
            const std::string name = WithoutControls(DecodeEntities(cells[1]));
            std::string type = WithoutControls(DecodeEntities(cells[4]));
            if (type == "N/A") {
                type.clear();
            }
            const std::string upperSymbol = UpperText(symbol);
            if (upperSymbol != "SYMBOL" && !name.empty() &&
                (filter.empty() || upperSymbol.find(filter) != std::string::npos)) {
                lines.push_back(WithoutControls(symbol) + "|" + name + "|" +
                                WithoutControls(ExchangeName(cells[5])) + "|" + type);
            }
        }
        rowText.clear();
    };

    tByteStream stream{page, 0};
    std::string token;
    while (NextToken(stream, token)) {
        switch (LookupTagClass(token)) {
        case kTagTable:
            inTable = true;
            rowIndex = 0;
            cellIndex = 0;
            break;
        case kTagTableEnd:
            closeCell();
            flushRow();
            inTable = false;
            symbolTable = false;
            break;
        case kTagRow:
            closeCell();
            flushRow();
            ++rowIndex;
            cellIndex = 0;
            break;
        case kTagRowEnd:
            closeCell();
            flushRow();
            break;
        case kTagCell:
        case kTagHeaderCell:
            closeCell();
            inCell = true;
            ++cellIndex;
            break;
        case kTagCellEnd:
        case kTagHeaderCellEnd:
            closeCell();
            break;
        case kTagAnchor:
            linkTag = Trim(token);
            inLink = true;
            break;
        case kTagAnchorEnd:
            inLink = false;
            break;
        case kTagText: {
            const bool headCell = inTable && inCell && rowIndex == 1 && cellIndex == 1;
            if (headCell && UpperText(Trim(token)) == "SYMBOL") {
                symbolTable = true;
            }
            if (inTable && inCell && symbolTable) {
                cellText += token;
                cellText += ' ';
            }
            if (inLink) {
                const std::string word = UpperText(Trim(token));
                if (word == "NEXT" || word == "SUIVANT") {
                    const std::string href = HrefOf(linkTag);
                    NextUrl = href.empty() ? std::string() : "http://" + hosts_.US + href;
                }
            }
            break;
        }
        default:
            break;
        }
    }
    closeCell();
    flushRow();
}

} // namespace vc
