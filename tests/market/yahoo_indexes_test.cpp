#include "market/yahoo_indexes.h"

#include "support/scripted_http_session.h"
#include "toolkit/text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vc {
namespace {

using tLines = std::vector<std::string>;

// One member row as the service writes it: symbol link, name, last with its time, the change with
// its arrow image and percentage, and the volume.
std::string Row(const std::string& symbol, const std::string& name, const std::string& last,
                const std::string& arrow, const std::string& change, const std::string& volume) {
    const std::string td = "<td class=\"yfnc_tabledata1\">";
    std::string row = "<tr>" + td + "<b><a href=\"/q?s=" + symbol + "\">" + symbol + "</a></b></td>" + td +
                      name + "</td>" + td + "<b>" + last + "</b> <nobr><small>4:00pm</small></nobr></td>" +
                      td;
    if (!arrow.empty()) {
        row += "<img width=\"10\" height=\"14\" border=\"0\" src=\"/i/arrow.gif\" alt=\"" + arrow + "\"> ";
    }
    return row + "<b>" + change + "</b> <b>(1.00%)</b></td>" + td + volume + "</td></tr>\n";
}

std::string Page(const std::string& rows, const std::string& next = "") {
    std::string page = "<html><body><table width=\"100%\">\n<tr><th>Symbol</th><th>Name</th><th>Last "
                       "Trade</th><th>Change</th><th>Volume</th></tr>\n" +
                       rows + "</table>\n";
    if (!next.empty()) {
        page += "<p><a href=\"/q/cp?s=%5EDJI&amp;c=1\">" + next + "</a></p>";
    }
    return page + "</body></html>\n";
}

class YahooIndexesTest : public ::testing::Test {
protected:
    YahooIndexesTest() : indexes(session) { indexes.URL = "http://finance.example/q/cp?s=^DJI"; }

    void Parse(const std::string& document) {
        indexes.Members.clear();
        indexes.Quotes.clear();
        indexes.Parse(document);
    }

    test::tScriptedHttpSession session;
    tYahooIndexes indexes;
};

TEST_F(YahooIndexesTest, MemberRowsGiveMembersAndQuotes) {
    const struct {
        const char* Name;
        std::string Row;
        const char* Member; // "" when the row is no member
        const char* Quote;  // "" when the member has no quote
    } cases[] = {
        {"falling", Row("MSFT", "Microsoft Corp", "24.90", "Down", "0.35", "59,123,456"),
         "Microsoft Corp|MSFT", "Microsoft Corp|MSFT|24.90|25.2500|"},
        {"rising", Row("IBM", "Intl Business Machines", "168.00", "Up", "1.25", "4,000"),
         "Intl Business Machines|IBM", "Intl Business Machines|IBM|168.00|166.7500|"},
        {"alt without quotes",
         ReplaceAll(Row("KO", "Coca-Cola", "60.00", "Down", "0.50", "100"), "alt=\"Down\"", "alt=Down"),
         "Coca-Cola|KO", "Coca-Cola|KO|60.00|60.5000|"},
        {"sign written wins over the arrow", Row("KO", "Coca-Cola", "60.00", "Down", "+0.50", "100"),
         "Coca-Cola|KO", "Coca-Cola|KO|60.00|59.5000|"},
        {"no arrow: the change as written", Row("GE", "General Electric", "18.00", "", "0.00", "1"),
         "General Electric|GE", "General Electric|GE|18.00|18.0000|"},
        {"thousands in the last price", Row("BKNG", "Booking", "4,812.30", "Up", "12.30", "9"),
         "Booking|BKNG", "Booking|BKNG|4812.30|4800.0000|"},
        {"entities in the name", Row("JNJ", "Johnson &amp; Johnson", "155.80", "Up", "0.80", "7"),
         "Johnson & Johnson|JNJ", "Johnson & Johnson|JNJ|155.80|155.0000|"},
        {"N/A name is the symbol before its dot", Row("BRK.A", "N/A", "700000.00", "Up", "100.00", "12"),
         "BRK|BRK.A", "BRK|BRK.A|700000.00|699900.0000|"},
        {"volume 0: member without a quote", Row("XOM", "Exxon Mobil", "110.00", "Up", "1.00", "0"),
         "Exxon Mobil|XOM", ""},
        {"volume N/A: member without a quote", Row("XOM", "Exxon Mobil", "110.00", "Up", "1.00", "N/A"),
         "Exxon Mobil|XOM", ""},
        {"cells without the data class", "<tr><td><a href=\"/q?s=MSFT\">MSFT</a></td><td>Microsoft</td></tr>",
         "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        Parse(Page(c.Row));
        EXPECT_EQ(indexes.Members, *c.Member ? tLines{c.Member} : tLines{});
        EXPECT_EQ(indexes.Quotes, *c.Quote ? tLines{c.Quote} : tLines{});
    }
}

TEST_F(YahooIndexesTest, SymbolComesFromTheCellTextWhenTheLinkHasNone) {
    Parse(Page("<tr><td class=\"yfnc_tabledata1\"><a href=\"/about\">AAPL</a></td><td "
               "class=\"yfnc_tabledata1\">Apple</td></tr>"));
    EXPECT_EQ(indexes.Members, tLines{"Apple|AAPL"});
}

// Text that decodes to "|" or to control bytes must neither split a line into more fields nor
// reach the tape: "|" becomes "-", control bytes blanks, and the field is trimmed.
TEST_F(YahooIndexesTest, BarsAndControlBytesAreMended) {
    const struct {
        const char* Name;
        std::string Text;
        const char* Member;
    } cases[] = {
        {"bar in the name", "AT|T Inc", "AT-T Inc|T"},
        {"NUL and tab", std::string("AT\0&T\tInc", 9), "AT &T Inc|T"},
        {"CR and LF become blanks in the token", "AT\r\nT Inc", "AT  T Inc|T"},
        {"control bytes at the ends trimmed", "\x01 AT&amp;T \x7F", "AT&T|T"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        Parse(Page(Row("T", c.Text, "22.30", "Up", "0.30", "1,000")));
        ASSERT_EQ(indexes.Members, tLines{c.Member});
        ASSERT_EQ(indexes.Quotes.size(), 1u);
        EXPECT_EQ(FieldCount(indexes.Quotes[0]), 4) << indexes.Quotes[0];
    }
    Parse(Page(Row("A|B\x01", "Name", "1.00", "Up", "0.10", "5")));
    EXPECT_EQ(indexes.Members, (tLines{"Name|A-B"}));
}

TEST_F(YahooIndexesTest, NextLinkWordsSetMorePages) {
    const struct {
        std::string Text;
        bool More;
    } cases[] = {
        {"Next", true},
        {" next ", true},
        {"Succ.", true},
        {"N\xE4"
         "chste",
         true},
        {"N\xC4"
         "CHSTE",
         true},
        {"Suivant", true},
        {"SIGUIENTE", true},
        {"Next &gt;", false},
        {"Previous", false},
        {"", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Text);
        Parse(Page(Row("MSFT", "Microsoft", "1.00", "Up", "0.10", "5"), c.Text));
        EXPECT_EQ(indexes.MorePages, c.More);
        EXPECT_EQ(indexes.Members.size(), 1u);
    }
    // The word counts only inside a link, and not as a cell of a member row.
    Parse(Page("") + "<p>Next</p>");
    EXPECT_FALSE(indexes.MorePages);
    Parse(Page("<tr><td class=\"yfnc_tabledata1\"><a href=\"/x\">Next</a></td></tr>"));
    EXPECT_FALSE(indexes.MorePages);
}

TEST_F(YahooIndexesTest, DocumentWithoutTagsIsReadAsCsv) {
    const struct {
        const char* Name;
        std::string Document;
        tLines Members;
    } cases[] = {
        {"quoted",
         "\"MSFT\",\"Microsoft Corp\",24.90\r\n\"IBM\",\"Intl Business Machines\",168\r\n",
         {"Microsoft Corp|MSFT", "Intl Business Machines|IBM"}},
        {"bare, LF only, no last line end",
         "MSFT, Microsoft Corp \nIBM,IBM Corp",
         {"Microsoft Corp|MSFT", "IBM Corp|IBM"}},
        {"empty name or symbol skipped", "MSFT,\n,Microsoft\n\"\",\"\"\nKO,Coca-Cola\n", {"Coca-Cola|KO"}},
        {"lines without a comma skipped", "Symbol list\n\nKO,Coca-Cola\n", {"Coca-Cola|KO"}},
        {"control bytes mended", std::string("KO,Coca\0Cola\x01\n", 14), {"Coca Cola|KO"}},
        {"one tag is still HTML", "<b>MSFT,Microsoft", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        indexes.MorePages = true;
        Parse(c.Document);
        EXPECT_EQ(indexes.Members, c.Members);
        EXPECT_TRUE(indexes.Quotes.empty());
        EXPECT_FALSE(indexes.MorePages);
    }
}

TEST_F(YahooIndexesTest, DownloadFollowsNextLinksByPageNumber) {
    const std::string more = Page(Row("MSFT", "Microsoft", "1.00", "Up", "0.10", "5"), "Suivant");
    const std::string last = Page(Row("IBM", "IBM", "2.00", "Down", "0.10", "5"));
    const struct {
        const char* Name;
        std::vector<std::pair<int, std::string>> Answers;
        int Result;
        std::size_t Requests;
        std::size_t Members;
    } cases[] = {
        {"one page", {{200, last}}, 200, 1, 1},
        {"three pages", {{200, more}, {200, more}, {200, last}}, 200, 3, 3},
        {"failed first page", {{404, more}}, 404, 1, 0},
        {"failed middle page is skipped", {{200, more}, {499, ""}, {200, last}}, 200, 3, 2},
        {"CSV page ends the chain", {{200, more}, {200, "KO,Coca-Cola\n"}, {200, more}}, 200, 2, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        test::tScriptedHttpSession pages;
        tYahooIndexes download(pages);
        download.URL = indexes.URL;
        download.Members = {"stale|X"};
        download.Quotes = {"stale|X|1|1|"};
        download.MorePages = true;
        for (const auto& [result, document] : c.Answers) {
            pages.Answer(result, document);
        }
        EXPECT_EQ(download.Download(), c.Result);
        ASSERT_EQ(pages.Calls().size(), c.Requests);
        for (std::size_t i = 0; i < pages.Calls().size(); ++i) {
            EXPECT_EQ(pages.Calls()[i].Url, i == 0 ? indexes.URL : indexes.URL + "&c=" + std::to_string(i));
        }
        EXPECT_EQ(download.Members.size(), c.Members);
    }
}

// A service that offers a next page forever gets the first page and 49 more, each asked once.
TEST_F(YahooIndexesTest, EndlessNextLinksStopAfterFiftyPages) {
    const std::string more = Page(Row("MSFT", "Microsoft", "1.00", "Up", "0.10", "5"), "Next");
    for (int i = 0; i < 60; ++i) {
        session.Answer(200, more);
    }
    EXPECT_EQ(indexes.Download(), 200);
    ASSERT_EQ(session.Calls().size(), 50u);
    EXPECT_EQ(session.Calls().back().Url, indexes.URL + "&c=49");
    EXPECT_EQ(indexes.Members.size(), 50u);
    EXPECT_EQ(session.Pending(), 10u);
}

TEST_F(YahooIndexesTest, BrokenPagesStayBounded) {
    std::string emptyRows;
    for (int i = 0; i < 5000; ++i) {
        emptyRows += "<tr><td class=\"yfnc_tabledata1\"></td></tr>";
    }
    const struct {
        const char* Name;
        std::string Document;
        std::size_t Members;
    } cases[] = {
        {"thousands of empty rows", Page(emptyRows), 0},
        {"cut inside a tag", Page(Row("MSFT", "Microsoft", "1.00", "Up", "0.10", "5")).substr(0, 200), 0},
        {"cut after a row", "<table>" + Row("MSFT", "Microsoft", "1.00", "Up", "0.10", "5"), 1},
        {"row never closed", "<table><tr><td class=\"yfnc_tabledata1\"><a href=\"/q?s=MSFT\">", 0},
        {"empty", "", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        Parse(c.Document);
        EXPECT_EQ(indexes.Members.size(), c.Members);
        EXPECT_LE(indexes.Quotes.size(), indexes.Members.size());
    }
}

TEST_F(YahooIndexesTest, SelectMoversOrdersByPercentage) {
    indexes.Quotes = {
        "Two|TWO|102|100|",   // +2 %
        "Five|FIVE|10.5|10|", // +5 %
        "Flat|FLAT|50|50|",   // 0 %
        "Down1|DN1|99|100|",  // -1 %
        "Down8|DN8|46|50|",   // -8 %
        "Five|FIVE|10.5|10|", // the same line again
        "NoPrev|NP|5|0|",     // rose from nothing: 0 % but a rise
        "Big|BIG|2100|1000|", // +110 %
    };
    tLines gainers{"stale"};
    indexes.SelectMovers(gainers, true);
    EXPECT_EQ(gainers,
              (tLines{"Big|BIG|2100|1000|", "Five|FIVE|10.5|10|", "Two|TWO|102|100|", "NoPrev|NP|5|0|"}));
    tLines losers{"stale"};
    indexes.SelectMovers(losers, false);
    EXPECT_EQ(losers, (tLines{"Down8|DN8|46|50|", "Down1|DN1|99|100|"}));

    indexes.Quotes.clear();
    indexes.SelectMovers(gainers, true);
    EXPECT_TRUE(gainers.empty());
}

// What Download hands on: parsed quotes through SelectMovers, a volume-0 member never among them.
TEST_F(YahooIndexesTest, MoversComeFromTradedMembersOnly) {
    session.Answer(200, Page(Row("A", "Alpha", "102.00", "Up", "2.00", "10") +
                             Row("B", "Beta", "105.00", "Up", "5.00", "10") +
                             Row("C", "Gamma", "110.00", "Up", "10.00", "0") +
                             Row("D", "Delta", "100.00", "", "0.00", "10") +
                             Row("E", "Epsilon", "97.00", "Down", "3.00", "1,000")));
    ASSERT_EQ(indexes.Download(), 200);
    EXPECT_EQ(indexes.Members.size(), 5u);
    tLines movers;
    indexes.SelectMovers(movers, true);
    EXPECT_EQ(movers, (tLines{"Beta|B|105.00|100.0000|", "Alpha|A|102.00|100.0000|"}));
    indexes.SelectMovers(movers, false);
    EXPECT_EQ(movers, (tLines{"Epsilon|E|97.00|100.0000|"}));
}

} // namespace
} // namespace vc
