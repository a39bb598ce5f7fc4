#include "toolkit/html.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace vc {
namespace {

std::vector<std::string> Tokens(std::string_view document) {
    tByteStream stream{document, 0};
    std::vector<std::string> tokens;
    std::string token;
    while (NextToken(stream, token)) {
        tokens.push_back(token);
    }
    return tokens;
}

TEST(NextToken, SplitsTagsAndTextAndFoldsLineBreaks) {
    EXPECT_EQ(Tokens("<td class=x>12.5</td>"), (std::vector<std::string>{"<td class=x>", "12.5", "</td>"}));
    EXPECT_EQ(Tokens("a\r\nb<br\n/>c"), (std::vector<std::string>{"a  b", "<br />", "c"}));
    EXPECT_EQ(Tokens("<<b>"), (std::vector<std::string>{"<<b>"}));
    EXPECT_EQ(Tokens("x>y"), (std::vector<std::string>{"x>y"}));
    EXPECT_EQ(Tokens("<unclosed tag"), (std::vector<std::string>{"<unclosed tag"}));
    EXPECT_EQ(Tokens("one\x1Atwo"), (std::vector<std::string>{"one"}));
    EXPECT_EQ(Tokens("\x1A<b>"), (std::vector<std::string>{}));
    EXPECT_EQ(Tokens(""), (std::vector<std::string>{}));
    EXPECT_EQ(Tokens(std::string("a\0b<i>", 6)), (std::vector<std::string>{std::string("a\0b", 3), "<i>"}));
}

TEST(NextToken, ParsersShareOnePosition) {
    // A parser may read a few tokens, hand the stream on and another one goes on from there.
    const std::string page = "<tr><td>IBM</td>\r\n<td>12.5</td></tr>";
    tByteStream stream{page, 0};
    std::string token;
    ASSERT_TRUE(NextToken(stream, token));
    EXPECT_EQ(token, "<tr>");
    EXPECT_EQ(stream.Position, 4u);
    tByteStream later{page, stream.Position};
    std::vector<std::string> rest;
    while (NextToken(later, token)) {
        rest.push_back(token);
    }
    EXPECT_EQ(rest,
              (std::vector<std::string>{"<td>", "IBM", "</td>", "  ", "<td>", "12.5", "</td>", "</tr>"}));
    EXPECT_EQ(later.Position, page.size());
    EXPECT_FALSE(NextToken(later, token));
    EXPECT_EQ(token, "");
    // A stream whose position is already past its data has nothing more.
    tByteStream past{page, page.size() + 10};
    EXPECT_FALSE(NextToken(past, token));
}

TEST(ClassifyTag, EveryRowOfTheTable) {
    const struct {
        const char* token;
        int tagClass;
    } cases[] = {
        {"", 0},
        {"   ", 0},
        {"&nbsp;", 23},
        {" &NBSP; ", 23},
        {"&nbsp;x", 1},
        {"hello", 1},
        {"<table>", 2},
        {"<TABLE border=0>", 2},
        {"</table>", 3},
        {"<tr>", 4},
        {"<tr class=a>", 4},
        {"</tr>", 5},
        {"<th>", 24},
        {"<th colspan=2>", 24},
        {"</th>", 25},
        {"<thead>", 36},
        {"<thead id=h>", 36},
        {"</thead>", 37},
        {"</thead >", 37},
        {"</thead x>", 37},
        {"<td>", 9},
        {"  <TD align=right>  ", 9},
        {"</td>", 10},
        {"<br>", 8},
        {"<br />", 8},
        {"<br/>", -1},
        {"<a>", 6},
        {"<a href=x>", 6},
        {"</a>", 7},
        {"<abbr>", -1},
        {"<font>", 11},
        {"<font size=1>", 11},
        {"</font>", 12},
        {"<b>", 13},
        {"<b class=x>", 13},
        {"</b>", 14},
        {"<u>", 15},
        {"<u class=x>", -1},
        {"</u>", 16},
        {"<center>", 17},
        {"<center x>", 17},
        {"</center>", 18},
        {"<!-- c -->", 19},
        {"<!doctype html>", -1},
        {"<img>", 20},
        {"<img src=a>", 20},
        {"<form>", 21},
        {"<form action=x>", 21},
        {"</form>", 22},
        {"<p>", 26},
        {"<p class=x>", 26},
        {"</p>", 27},
        {"<pre>", -1},
        {"<span>", 28},
        {"<span id=1>", 28},
        {"</span>", 29},
        {"<select>", 30},
        {"<select name=a>", 30},
        {"</select>", 31},
        {"<option>", 32},
        {"<option value=1>", 32},
        {"</option>", 33},
        {"<li>", 34},
        {"<li class=a>", 34},
        {"</li>", 35},
        {"<small>", 38},
        {"<small x>", 38},
        {"</small>", 39},
        {"<div>", 40},
        {"<div id=a>", 40},
        {"</div>", 41},
        {"<h1>", 42},
        {"<h1 id=t>", 42},
        {"<h2>", 43},
        {"<h3 x>", 44},
        {"</h1>", -1},
        {"<h4>", -1},
        {"<rss version=2.0>", -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.token);
        EXPECT_EQ(ClassifyTag(c.token), c.tagClass);
    }
}

TEST(DecodeEntities, OrderDecidesWhatEncodedTextBecomes) {
    const struct {
        const char* text;
        const char* decoded;
    } cases[] = {
        {"AT&amp;amp;T", "AT&T"},           // step 1 leaves &amp;, the caseless list decodes it again
        {"&amp;eacute;", "\xE9"},           // an ampersand entity followed by eacute;
        {"&EACUTE;t&eacute;", "\xE9t\xE9"}, // capitals found by the caseless list
        {"&Eacute;cole", "\xC9\x63ole"},    // the exact capital keeps its case
        {"caf\xC3\xA9", "caf\xE9"},         // UTF-8 shown as single bytes
        {"\xE2\x82\xAC 5 &euro; &#8364;", "\x80 5 \x80 \x80"},
        {"it\xE2\x80\x99s", "it's"},
        {"a&nbsp;b", "a b"},
        {"&acute; &#180;", "\xB4 '"},
        {"&lt;b&gt; &quot;x&quot; &#39;y&#039;", "<b> \"x\" 'y'"},
        {"&Ntilde;&ntilde;&NTILDE;", "\xD1\xF1\xF1"},
        {"&unknown; &#9999;", "&unknown; &#9999;"},
        {"plain text", "plain text"},
        {"M\xC3\xBCnchen &Ouml;l", "M\xFCnchen \xD6l"},
        {"&frac12; &times; &divide;", "\xBD \xD7 \xF7"},
        {"&amp;lt;b&amp;gt;", "<b>"},
        {"&AMP;AMP;", "&"},
        {"&Atilde;&copy;", "\xC3\xA9"}, // made after the UTF-8 pass, so it stays two letters
        {"&AElig;", "\xE6"}, // only "&Aelig;" is a listed capital; the caseless list makes it small
        {"&Aelig;", "\xC6"},
        {"\xC3", "\xC3"}, // half a sequence stays
        {"&#233;&#X E9;", "\xE9&#X E9;"},
        {"&EURO;&Euro;", "\x80\x80"},
        {"&#8217; &#0233;", "&#8217; &#0233;"}, // not in the list
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(DecodeEntities(c.text), c.decoded);
    }
}

} // namespace
} // namespace vc
