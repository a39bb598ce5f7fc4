#include "toolkit/html.h"

#include <algorithm>

#include "toolkit/text.h"

namespace vc {

bool NextToken(tByteStream& stream, std::string& token) {
    token.clear();
    const std::string_view data = stream.Data;
    std::size_t at = stream.Position;
    if (at >= data.size() || data[at] == '\x1A') {
        stream.Position = data.size();
        return false;
    }
    const bool tag = data[at] == '<';
    // A tag runs up to and including its ">", text up to the next "<"; 0x1A ends either.
    const char close = tag ? '>' : '<';
    std::size_t end = at + 1;
    while (end < data.size() && data[end] != close && data[end] != '\x1A') {
        ++end;
    }
    if (tag && end < data.size() && data[end] == '>') {
        ++end;
    }
    token.assign(data.substr(at, end - at));
    for (char& c : token) {
        if (c == '\r' || c == '\n') {
            c = ' ';
        }
    }
    at = end;
    stream.Position = at;
    return true;
}

namespace {

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && text.substr(0, prefix.size()) == prefix;
}

struct tTagRule {
    std::string_view Exact;  // the whole token; empty for none
    std::string_view Prefix; // or its beginning; empty for none
    int Class;
};

// In the order the tests run; the first match wins.
constexpr tTagRule kTagRules[] = {
    {"<TABLE>", "<TABLE ", kTagTable},
    {"</TABLE>", {}, kTagTableEnd},
    {"<TR>", "<TR ", kTagRow},
    {"</TR>", {}, kTagRowEnd},
    {"<TH>", "<TH ", kTagHeaderCell},
    {"</TH>", {}, kTagHeaderCellEnd},
    {"<THEAD>", "<THEAD ", kTagTableHead},
    {"</THEAD>", "</THEAD ", kTagTableHeadEnd},
    {"<TD>", "<TD ", kTagCell},
    {"</TD>", {}, kTagCellEnd},
    {"<BR>", "<BR ", kTagBreak},
    {"<A>", "<A ", kTagAnchor},
    {"</A>", {}, kTagAnchorEnd},
    {"<FONT>", "<FONT ", kTagFont},
    {"</FONT>", {}, kTagFontEnd},
    {"<B>", "<B ", kTagBold},
    {"</B>", {}, kTagBoldEnd},
    {"<U>", {}, kTagUnderline},
    {"</U>", {}, kTagUnderlineEnd},
    {"<CENTER>", "<CENTER ", kTagCenter},
    {"</CENTER>", {}, kTagCenterEnd},
    {{}, "<!-", kTagComment},
    {"<IMG>", "<IMG ", kTagImage},
    {"<FORM>", "<FORM ", kTagForm},
    {"</FORM>", {}, kTagFormEnd},
    {"<P>", "<P ", kTagParagraph},
    {"</P>", {}, kTagParagraphEnd},
    {"<SPAN>", "<SPAN ", kTagSpan},
    {"</SPAN>", {}, kTagSpanEnd},
    {"<SELECT>", "<SELECT ", kTagSelect},
    {"</SELECT>", {}, kTagSelectEnd},
    {"<OPTION>", "<OPTION ", kTagOption},
    {"</OPTION>", {}, kTagOptionEnd},
    {"<LI>", "<LI ", kTagListItem},
    {"</LI>", {}, kTagListItemEnd},
    {"<SMALL>", "<SMALL ", kTagSmall},
    {"</SMALL>", {}, kTagSmallEnd},
    {"<DIV>", "<DIV ", kTagDiv},
    {"</DIV>", {}, kTagDivEnd},
    {"<H1>", "<H1 ", kTagHeading1},
    {"<H2>", "<H2 ", kTagHeading2},
    {"<H3>", "<H3 ", kTagHeading3},
};

} // namespace

tTokenHead::tTokenHead(std::string_view trimmed) {
    length_ = std::min(trimmed.size(), kLength);
    for (std::size_t i = 0; i < length_; ++i) {
        text_[i] = UpperChar(trimmed[i]);
    }
    if (trimmed.size() > kLength) {
        text_[length_++] = ' ';
    }
}

int ClassifyTag(std::string_view token) {
    const std::string_view trimmed = TrimView(token);
    if (trimmed.empty()) {
        return kTagEmpty;
    }
    if (trimmed[0] != '<' && trimmed[0] != '&') {
        return kTagText;
    }
    const tTokenHead head(trimmed);
    const std::string_view t = head.View();
    if (t == "&NBSP;") {
        return kTagNbsp;
    }
    if (t[0] != '<') {
        return kTagText;
    }
    // Only rules of the same first letter can match; most tags are decided after one or two.
    const char letter = t.size() > 1 ? (t[1] == '/' && t.size() > 2 ? t[2] : t[1]) : '\0';
    for (const tTagRule& rule : kTagRules) {
        const std::string_view text = !rule.Exact.empty() ? rule.Exact : rule.Prefix;
        const char ruleLetter = text[1] == '/' ? text[2] : text[1];
        if (ruleLetter != letter && text[1] != '!') {
            continue;
        }
        if ((!rule.Exact.empty() && t == rule.Exact) ||
            (!rule.Prefix.empty() && StartsWith(t, rule.Prefix))) {
            return rule.Class;
        }
    }
    return kTagOther;
}

namespace {

struct tReplacement {
    const char* From;
    const char* To;
};

// UTF-8 text that reached us as single bytes, and the ampersand entity, matched exactly.
constexpr tReplacement kExactFirst[] = {
    {"\xC3\xA9", "\xE9"}, {"&amp;", "&"},           {"&AMP;", "&"},       {"\xC3\xBB", "\xFB"},
    {"\xC3\xA7", "\xE7"}, {"\xE2\x82\xAC", "\x80"}, {"\xC2\xB2", "\xB2"}, {"\xC3\xA8", "\xE8"},
    {"\xC3\xB3", "\xF3"}, {"\xC3\xB4", "\xF4"},     {"\xC3\xB1", "\xF1"}, {"\xC3\xA1", "\xE1"},
    {"\xC3\xAD", "\xED"}, {"\xC3\x96", "\xD6"},     {"\xC3\xA0", "\xE0"}, {"\xC3\xA2", "\xE2"},
    {"\xC3\xAB", "\xEB"}, {"\xC2\xA3", "\xA3"},     {"\xC3\xAF", "\xEF"}, {"\xC3\xAB", "\xEB"},
    {"\xC3\xA4", "\xE4"}, {"\xC3\x9F", "\xDF"},     {"\xC3\xBC", "\xFC"}, {"\xE2\x80\x99", "'"},
};

// Capital letters, matched exactly so that the caseless list below cannot make them small.
constexpr tReplacement kExactCapitals[] = {
    {"&Ntilde;", "\xD1"}, {"&Atilde;", "\xC3"}, {"&Auml;", "\xC4"},   {"&Euml;", "\xCB"},
    {"&Iuml;", "\xCF"},   {"&Ouml;", "\xD6"},   {"&Uuml;", "\xDC"},   {"&Aring;", "\xC5"},
    {"&Aacute;", "\xC1"}, {"&Eacute;", "\xC9"}, {"&Iacute;", "\xCD"}, {"&Oacute;", "\xD3"},
    {"&Uacute;", "\xDA"}, {"&Yacute;", "\xDD"}, {"&Acirc;", "\xC2"},  {"&Ecirc;", "\xCA"},
    {"&Icirc;", "\xCE"},  {"&Ocirc;", "\xD4"},  {"&Ucirc;", "\xDB"},  {"&Agrave;", "\xC0"},
    {"&Egrave;", "\xC8"}, {"&Igrave;", "\xCC"}, {"&Ograve;", "\xD2"}, {"&Ugrave;", "\xD9"},
    {"&Ccedil;", "\xC7"}, {"&Oslash;", "\xD8"}, {"&Aelig;", "\xC6"},
};

// Named and numeric entities, matched without regard to case. A few differ from their standard
// meaning on purpose: &nbsp; is a plain blank, the euro forms give the Windows-1252 euro byte and
// &#180; an apostrophe.
constexpr tReplacement kCaseless[] = {
    {"&ntilde;", "\xF1"}, {"&atilde;", "\xE3"}, {"&auml;", "\xE4"},   {"&euml;", "\xEB"},
    {"&iuml;", "\xEF"},   {"&ouml;", "\xF6"},   {"&uuml;", "\xFC"},   {"&yuml;", "\xFF"},
    {"&aring;", "\xE5"},  {"&aacute;", "\xE1"}, {"&eacute;", "\xE9"}, {"&iacute;", "\xED"},
    {"&oacute;", "\xF3"}, {"&uacute;", "\xFA"}, {"&yacute;", "\xFD"}, {"&acirc;", "\xE2"},
    {"&ecirc;", "\xEA"},  {"&icirc;", "\xEE"},  {"&ocirc;", "\xF4"},  {"&ucirc;", "\xFB"},
    {"&agrave;", "\xE0"}, {"&egrave;", "\xE8"}, {"&igrave;", "\xEC"}, {"&ograve;", "\xF2"},
    {"&ugrave;", "\xF9"}, {"&ccedil;", "\xE7"}, {"&oslash;", "\xF8"}, {"&aelig;", "\xE6"},
    {"&amp;", "&"},       {"&lt;", "<"},        {"&gt;", ">"},        {"&quot;", "\""},
    {"&nbsp;", " "},      {"&cent;", "\xA2"},   {"&pound;", "\xA3"},  {"&acute;", "\xB4"},
    {"&curren;", "\xA4"}, {"&yen;", "\xA5"},    {"&brvbar;", "\xA6"}, {"&sect;", "\xA7"},
    {"&uml;", "\xA8"},    {"&copy;", "\xA9"},   {"&ordf;", "\xAA"},   {"&laquo;", "\xAB"},
    {"&not;", "\xAC"},    {"&shy;", "\xAD"},    {"&reg;", "\xAE"},    {"&macr;", "\xAF"},
    {"&deg;", "\xB0"},    {"&plusmn;", "\xB1"}, {"&sup2;", "\xB2"},   {"&sup3;", "\xB3"},
    {"&sup1;", "\xB9"},   {"&ordm;", "\xBA"},   {"&raquo;", "\xBB"},  {"&frac14;", "\xBC"},
    {"&frac12;", "\xBD"}, {"&frac34;", "\xBE"}, {"&divide;", "\xF7"}, {"&times;", "\xD7"},
    {"&#8364;", "\x80"},  {"&#223;", "\xDF"},   {"&#224;", "\xE0"},   {"&#225;", "\xE1"},
    {"&#226;", "\xE2"},   {"&#228;", "\xE4"},   {"&#229;", "\xE5"},   {"&#230;", "\xE6"},
    {"&#231;", "\xE7"},   {"&#232;", "\xE8"},   {"&#233;", "\xE9"},   {"&#234;", "\xEA"},
    {"&#235;", "\xEB"},   {"&#237;", "\xED"},   {"&#239;", "\xEF"},   {"&#246;", "\xF6"},
    {"&#241;", "\xF1"},   {"&#244;", "\xF4"},   {"&#252;", "\xFC"},   {"&#39;", "'"},
    {"&#34;", "\""},      {"&#60;", "<"},       {"&#62;", ">"},       {"&#039;", "'"},
    {"&#034;", "\""},     {"&#060;", "<"},      {"&#062;", ">"},      {"&apos;", "'"},
    {"&#180;", "'"},      {"&#200;", "\xC8"},   {"&#201;", "\xC9"},   {"&#202;", "\xCA"},
    {"&#203;", "\xCB"},   {"&euro;", "\x80"},
};

bool HasHighBytes(std::string_view text) {
    for (const char c : text) {
        if (static_cast<unsigned char>(c) >= 0xC2) {
            return true;
        }
    }
    return false;
}

// Every entity of the two lists below begins with "&" and a letter or "#"; a text without that
// pair (a plain "Johnson & Johnson") skips their some hundred passes.
bool MayHoldEntity(std::string_view text) {
    for (std::size_t at = text.find('&'); at != std::string_view::npos; at = text.find('&', at + 1)) {
        const char next = at + 1 < text.size() ? text[at + 1] : '\0';
        if (next == '#' || (next >= 'A' && next <= 'Z') || (next >= 'a' && next <= 'z')) {
            return true;
        }
    }
    return false;
}

// Where from (which begins with "&") next stands in text at or after at, by the upper-case rule.
std::size_t FindCaseless(std::string_view text, std::string_view from, std::size_t at) {
    for (at = text.find('&', at); at != std::string_view::npos; at = text.find('&', at + 1)) {
        if (text.size() - at < from.size()) {
            return std::string_view::npos;
        }
        std::size_t k = 1;
        while (k < from.size() && UpperChar(text[at + k]) == UpperChar(from[k])) {
            ++k;
        }
        if (k == from.size()) {
            return at;
        }
    }
    return std::string_view::npos;
}

// ReplaceAll and ReplaceAllCaseless in place: a pass that finds nothing copies nothing, which
// matters with some hundred passes over every token of a page.
void Replace(std::string& text, const tReplacement& r, bool caseless) {
    const std::string_view from = r.From;
    const auto find = [&](std::size_t at) {
        return caseless ? FindCaseless(text, from, at) : text.find(from, at);
    };
    std::size_t hit = find(0);
    if (hit == std::string::npos) {
        return;
    }
    std::string result;
    result.reserve(text.size());
    std::size_t at = 0;
    for (; hit != std::string::npos; hit = find(at)) {
        result.append(text, at, hit - at);
        result.append(r.To);
        at = hit + from.size();
    }
    result.append(text, at);
    text.swap(result);
}

} // namespace

std::string DecodeEntities(std::string_view text) {
    std::string result(text);
    // Every pass is skipped when nothing it looks for can be there; most headlines hold neither.
    const bool utf8 = HasHighBytes(result);
    for (const tReplacement& r : kExactFirst) {
        if (utf8 || r.From[0] == '&') {
            Replace(result, r, false);
        }
    }
    if (!MayHoldEntity(result)) {
        return result;
    }
    for (const tReplacement& r : kExactCapitals) {
        Replace(result, r, false);
    }
    for (const tReplacement& r : kCaseless) {
        Replace(result, r, true);
    }
    return result;
}

} // namespace vc
