#include "market/yahoo_database.h"

#include "support/scripted_http_session.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace vc {
namespace {

using tLines = std::vector<std::string>;

class YahooDatabaseTest : public ::testing::Test {
protected:
    YahooDatabaseTest() : lookup(session, hosts) { hosts.US = "lookup.example:81"; }

    static std::string Row(const std::string& symbol, const std::string& name, const std::string& type,
                           const std::string& exchange) {
        return "<tr><td><a href=\"/q?s=" + symbol + "\">" + symbol + "</a></td><td>" + name +
               "</td><td>ISIN</td><td>1.00</td><td>" + type + "</td><td>" + exchange + "</td></tr>\n";
    }
    static std::string Page(const std::string& rows, const std::string& next = "") {
        return "<html><body><table><tr><td>Search</td><td>box</td></tr></table>\n"
               "<table><tr><th>Symbol</th><th>Name</th><th>ISIN</th><th>Last</th><th>Type</th><th>Exchange</"
               "th></tr>\n" +
               rows + "</table>\n" + (next.empty() ? "" : "<p><a href=\"" + next + "\">Next</a></p>") +
               "</body></html>";
    }
    tLines Parse(const std::string& page, const std::string& url = "http://x/lookup?s=ing") {
        tLines lines;
        lookup.ParsePage(page, url, lines);
        return lines;
    }
    static int WorkFiles() {
        int count = 0;
        for (const auto& entry :
             std::filesystem::directory_iterator(std::filesystem::temp_directory_path())) {
            count += entry.path().filename().string().starts_with("velocrest-lookup-") ? 1 : 0;
        }
        return count;
    }

    test::tScriptedHttpSession session;
    tFinanceHosts hosts;
    tYahooDatabase lookup;
};

TEST_F(YahooDatabaseTest, LookupAddresses) {
    const struct {
        const char* Query;
        const char* Kind;
        const char* Market;
        const char* Url;
    } cases[] = {
        {"ing", "S", "", "http://lookup.example:81/lookup/stocks?s=ing&t=S&m=ALL"},
        {" ^dj ", "i", "us", "http://lookup.example:81/lookup/indices?s=%5Edj&t=I&m=US"},
        {"x", "E", " nl ", "http://lookup.example:81/lookup/etfs?s=x&t=E&m=NL"},
        {"x", "F", "", "http://lookup.example:81/lookup/futures?s=x&t=F&m=ALL"},
        {"x", "M", "", "http://lookup.example:81/lookup/funds?s=x&t=M&m=ALL"},
        {"x", "", "", "http://lookup.example:81/lookup?s=x&m=ALL"},
        {"x", "Q", "", "http://lookup.example:81/lookup?s=x&t=Q&m=ALL"},
        {"royal dutch & co", "S", "",
         "http://lookup.example:81/lookup/stocks?s=royal%20dutch%20%26%20co&t=S&m=ALL"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(lookup.LookupUrl(c.Query, c.Kind, c.Market), c.Url) << c.Query;
    }
}

TEST_F(YahooDatabaseTest, ResultRows) {
    const tLines lines = Parse(Page(
        Row("INGA.AS", "ING Groep N.V.", "Stock", " ams ") + Row("ING", "ING Groep &amp; Co", "N/A", "NYQ") +
        Row("NONAME", "", "Stock", "NYQ") + Row("ODD", "Bad\x01name\x1F|x", "Type\x07", "Xyz")));
    EXPECT_EQ(lines, (tLines{"INGA.AS|ING Groep N.V.|Amsterdam|Stock", "ING|ING Groep & Co|NYSE|",
                             "ODD|Bad name  x|Xyz|Type"}));
    EXPECT_TRUE(lookup.NextUrl.empty());

    // A table that does not start with "Symbol" holds no results.
    EXPECT_TRUE(Parse("<table><tr><td>Name</td></tr>" + Row("A", "B", "C", "D") + "</table>").empty());
    // Cells left open are closed by the next row.
    EXPECT_EQ(Parse("<table><tr><td>Symbol<td>Name<tr><td>ABC<td>Abc Inc<td><td><td>Stock<td>NMS</table>"),
              tLines{"ABC|Abc Inc|NasdaqGM|Stock"});
}

TEST_F(YahooDatabaseTest, SuffixSearchesFilter) {
    const std::string page =
        Page(Row("MC.PA", "LVMH", "Stock", "PAR") + Row("PARA", "Paramount", "Stock", "NYQ"));
    EXPECT_EQ(Parse(page, "http://x/lookup/stocks?s=.pa&t=S&m=ALL"), tLines{"MC.PA|LVMH|Parijs|Stock"});
    EXPECT_EQ(Parse(page, "http://x/lookup/stocks?s=pa&t=S&m=ALL").size(), 2u) << "no filter without the dot";
    EXPECT_EQ(Parse(page, "http://x/lookup/stocks?t=S&s=%2Epa").size(), 1u);
}

TEST_F(YahooDatabaseTest, PagesFollowTheNextLink) {
    session.Answer(200, Page(Row("A", "Alpha", "Stock", "NYQ"), "/lookup/stocks?s=a&amp;t=S&amp;b=20"));
    session.Answer(200, Page(Row("B", "Beta", "Stock", "NYQ"), "/lookup/stocks?s=a&amp;t=S&amp;b=40"));
    session.Answer(200, Page(Row("C", "Gamma", "Stock", "NYQ")));
    const int before = WorkFiles();
    const tLines lines = lookup.Lookup(lookup.LookupUrl("a", "S", ""));
    EXPECT_EQ(lines, (tLines{"A|Alpha|NYSE|Stock", "B|Beta|NYSE|Stock", "C|Gamma|NYSE|Stock"}));
    ASSERT_EQ(session.Calls().size(), 3u);
    EXPECT_EQ(session.Calls()[1].Url, "http://lookup.example:81/lookup/stocks?s=a&t=S&b=20");
    EXPECT_EQ(session.Calls()[2].Url, "http://lookup.example:81/lookup/stocks?s=a&t=S&b=40");
    EXPECT_EQ(WorkFiles(), before) << "no work file is left behind";
}

TEST_F(YahooDatabaseTest, ChainsEnd) {
    std::string many;
    for (int i = 0; i < 200; ++i) {
        many += Row("S" + std::to_string(i), "Name", "Stock", "NYQ");
    }
    // More than 500 lines: the third page is the last one asked for.
    for (int page = 0; page < 10; ++page) {
        session.Answer(200, Page(many, "/lookup?s=s&amp;b=" + std::to_string(page)));
    }
    EXPECT_EQ(lookup.Lookup("http://lookup.example:81/lookup?s=s").size(), 600u);
    EXPECT_EQ(session.Calls().size(), 3u);

    // A next link back to the same page.
    test::tScriptedHttpSession loop;
    tYahooDatabase looping(loop, hosts);
    loop.Answer(200, Page(Row("A", "Alpha", "Stock", "NYQ"), "/lookup?s=a"));
    loop.Answer(200, Page(Row("A", "Alpha", "Stock", "NYQ"), "/lookup?s=a"));
    EXPECT_EQ(looping.Lookup("http://lookup.example:81/lookup?s=a").size(), 1u);
    EXPECT_EQ(loop.Calls().size(), 1u);

    // Empty pages that always link to a new one.
    test::tScriptedHttpSession endless;
    tYahooDatabase emptyPages(endless, hosts);
    for (int page = 0; page < 150; ++page) {
        endless.Answer(200, Page("", "/lookup?s=e&amp;b=" + std::to_string(page + 1)));
    }
    EXPECT_TRUE(emptyPages.Lookup("http://lookup.example:81/lookup?s=e").empty());
    EXPECT_EQ(endless.Calls().size(), static_cast<std::size_t>(tYahooDatabase::kMaxPages));

    // A page that fails ends the chain with what came before.
    test::tScriptedHttpSession failing;
    tYahooDatabase broken(failing, hosts);
    failing.Answer(200, Page(Row("A", "Alpha", "Stock", "NYQ"), "/lookup?s=a&amp;b=1"));
    failing.Answer(404, Page(Row("B", "Beta", "Stock", "NYQ")));
    EXPECT_EQ(broken.Lookup("http://lookup.example:81/lookup?s=a"), tLines{"A|Alpha|NYSE|Stock"});
    EXPECT_TRUE(broken.NextUrl.empty());
}

} // namespace
} // namespace vc
