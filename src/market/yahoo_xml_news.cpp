#include "market/yahoo_xml_news.h"

#include "market/http_codes.h"
#include "toolkit/dates.h"
#include "toolkit/html.h"
#include "toolkit/text.h"
#include "toolkit/url.h"

namespace vc {

namespace {

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

// "<TAG " or "<TAG>" begins the token, or it is exactly "</TAG>".
bool OpensTag(std::string_view token, std::string_view name) {
    return token.size() > name.size() + 1 && token[0] == '<' && token.substr(1, name.size()) == name &&
           (token[name.size() + 1] == ' ' || token[name.size() + 1] == '>');
}

bool ClosesTag(std::string_view token, std::string_view name) {
    return token.size() == name.size() + 3 && StartsWith(token, "</") &&
           token.substr(2, name.size()) == name && token.back() == '>';
}

// The text up to the first space, and the trimmed rest.
std::string_view SplitWord(std::string_view& text) {
    const std::size_t space = text.find(' ');
    const std::string_view word = text.substr(0, space);
    text = space == std::string_view::npos ? std::string_view() : text.substr(space + 1);
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    return word;
}

// Appends a field of a headline line: "|" and line breaks become "-" and blanks in a text, and
// their escapes in a link.
void AppendField(std::string& line, const std::string& field, bool isLink) {
    for (const char c : field) {
        switch (c) {
        case '|':
            line += isLink ? "%7C" : "-";
            break;
        case '\r':
            line += isLink ? "%0D" : " ";
            break;
        case '\n':
            line += isLink ? "%0A" : " ";
            break;
        default:
            line += c;
        }
    }
}

} // namespace

int ClassifyFeedTag(std::string_view raw) {
    const std::string_view trimmed = TrimView(raw);
    if (trimmed.empty()) {
        return kFeedEmpty;
    }
    if (trimmed[0] != '<') {
        return kFeedText;
    }
    const tTokenHead head(trimmed);
    const std::string_view token = head.View();
    if (StartsWith(token, "<?XML ") || token == "<?XML>") {
        return kFeedXml;
    }
    if (token == "</XML>") {
        return kFeedXmlEnd;
    }
    struct tPair {
        std::string_view Name;
        int Open;
    };
    static constexpr tPair kTags[] = {
        {"RSS", kFeedRss},   {"ITEM", kFeedItem}, {"TITLE", kFeedTitle},
        {"LINK", kFeedLink}, {"GUID", kFeedGuid}, {"PUBDATE", kFeedPubDate},
    };
    for (const tPair& tag : kTags) {
        if (OpensTag(token, tag.Name)) {
            return tag.Open;
        }
        if (ClosesTag(token, tag.Name)) {
            return tag.Open + 1;
        }
    }
    return kFeedOther;
}

double ParseFeedDate(std::string_view text) {
    const std::size_t comma = text.find(',');
    if (comma == std::string_view::npos) {
        return 0;
    }
    // Every line of a feed has a date, so this avoids building texts just to check them.
    std::string_view rest = text.substr(comma + 1);
    while (!rest.empty() && rest.front() == ' ') {
        rest.remove_prefix(1);
    }
    const int day = ToInteger(SplitWord(rest));
    const std::string_view monthName = SplitWord(rest);
    static constexpr std::string_view kMonths[] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                                   "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
    int month = 0;
    for (int m = 0; m < 12 && monthName.size() == 3; ++m) {
        if (UpperChar(monthName[0]) == kMonths[m][0] && UpperChar(monthName[1]) == kMonths[m][1] &&
            UpperChar(monthName[2]) == kMonths[m][2]) {
            month = m + 1;
            break;
        }
    }
    const int year = ToInteger(SplitWord(rest));
    const std::string_view time = SplitWord(rest);
    if (month == 0 || year < 1900 || year > 2500 || day < 1 || day > DaysInMonth(year, month) ||
        !ValidTime(time)) {
        return 0;
    }
    return EncodeDate(year, month, day) + ParseTime(time);
}

tYahooXmlNews::tYahooXmlNews(tHttpSession& session, const tNewsHosts& hosts)
    : session_(session), hosts_(hosts) {}

std::string tYahooXmlNews::Url() const {
    return "http://" + hosts_.Host + "/rss/2.0/headline?s=" + Symbol + "&region=US&lang=en-US";
}

int tYahooXmlNews::Fetch() {
    Headlines.clear();
    std::string document;
    const int result = session_.Fetch(Url(), settings_, document);
    if (result == kHttpOk) {
        Parse(document);
    }
    return result;
}

bool tYahooXmlNews::Parse(std::string_view document) {
    Headlines.clear();
    redirect_ = UpperText("http://" + hosts_.RedirectHost + "/");
    if (document.size() < kMinimumDocument) {
        return false;
    }
    bool inDeclaration = false;
    bool inRss = false;
    bool inItem = false;
    int previous = kFeedEmpty;
    tNewsRecord record;
    tByteStream stream{document, 0};
    std::string token;
    while (NextToken(stream, token)) {
        const int kind = ClassifyFeedTag(token);
        switch (kind) {
        case kFeedText:
            if (!inItem) {
                break;
            }
            if (previous == kFeedTitle) {
                record.Title = DecodeEntities(token);
            } else if (previous == kFeedLink) {
                record.Link = UrlDecode(token);
            } else if (previous == kFeedGuid) {
                record.Guid = ReplaceAll(token, "|", "-");
            } else if (previous == kFeedPubDate) {
                record.Published = ParseFeedDate(token);
            }
            break;
        case kFeedXml:
        case kFeedXmlEnd:
            inDeclaration = kind == kFeedXml;
            break;
        case kFeedRss:
        case kFeedRssEnd:
            inRss = kind == kFeedRss;
            break;
        case kFeedItem:
            if (inDeclaration && inRss) {
                Emit(record, inItem);
                inItem = true;
            }
            break;
        case kFeedItemEnd:
            if (inDeclaration && inRss) {
                Emit(record, inItem);
            }
            break;
        default:
            break;
        }
        previous = kind;
    }
    Emit(record, inItem);
    return true;
}

void tYahooXmlNews::Emit(tNewsRecord& record, bool& inItem) {
    if (inItem && !record.Title.empty() && record.Published != 0) {
        record.Symbol = Symbol;
        const std::size_t open = record.Title.rfind('(');
        std::string note = Trim(open == std::string::npos ? std::string_view(record.Title)
                                                          : std::string_view(record.Title).substr(open + 1));
        if (!note.empty() && note.back() == ')') {
            note.pop_back();
            if (UpperText(note.substr(0, 3)) == "AT ") {
                note.erase(0, 3);
            }
            record.Source = Trim(note);
            record.Title = open == std::string::npos ? std::string() : Trim(record.Title.substr(0, open));
        }
        if (UpperText(record.Link.substr(0, redirect_.size())) == redirect_) {
            record.Link = AfterLast(record.Link, '*');
        }
        // A "|" of the feed's own would shift every field after it, and a decoded "%0A" in a link
        // would split the line; the guid's "|" is already gone.
        std::string line = DateOf(record.Published);
        line.reserve(line.size() + record.Guid.size() + record.Title.size() + record.Source.size() +
                     record.Link.size() + 16);
        line += kFieldSeparator;
        line += TimeOf(record.Published);
        for (const std::string* field : {&record.Guid, &record.Title, &record.Source}) {
            line += kFieldSeparator;
            AppendField(line, *field, false);
        }
        line += kFieldSeparator;
        AppendField(line, record.Link, true);
        Headlines.push_back(std::move(line));
    }
    inItem = false;
    record = tNewsRecord{};
}

} // namespace vc
