#include "market/yahoo_xml_news.h"

#include "support/scripted_http_session.h"
#include "tape/ini_object.h"
#include "toolkit/dates.h"

#include <gtest/gtest.h>

namespace vc {
namespace {

TEST(FeedTag, Classes) {
    const std::pair<const char*, int> cases[] = {
        {"", kFeedEmpty},
        {"   ", kFeedEmpty},
        {"Shares rise", kFeedText},
        {"<?xml version=\"1.0\"?>", kFeedXml},
        {"<?XML>", kFeedXml},
        {"<?xml-stylesheet href=\"a\"?>", kFeedOther},
        {"</xml>", kFeedXmlEnd},
        {"<rss version=\"2.0\">", kFeedRss},
        {"  <RSS>  ", kFeedRss},
        {"<rssfeed>", kFeedOther},
        {"</rss>", kFeedRssEnd},
        {"<item>", kFeedItem},
        {"<item id=\"1\">", kFeedItem},
        {"<items>", kFeedOther},
        {"</item>", kFeedItemEnd},
        {"<title>", kFeedTitle},
        {"</title>", kFeedTitleEnd},
        {"<link>", kFeedLink},
        {"</link>", kFeedLinkEnd},
        {"<guid isPermaLink=\"false\">", kFeedGuid},
        {"</guid>", kFeedGuidEnd},
        {"<pubDate>", kFeedPubDate},
        {"</PUBDATE>", kFeedPubDateEnd},
        {"<![CDATA[Shares rise]]>", kFeedOther},
        {"<description>", kFeedOther},
        {"</channel>", kFeedOther},
    };
    for (const auto& [token, expected] : cases) {
        EXPECT_EQ(ClassifyFeedTag(token), expected) << token;
    }
}

TEST(FeedDate, Forms) {
    const double june8 = ParseDate("08/06/2011");
    const struct {
        const char* Text;
        double Expected;
    } cases[] = {
        {"Wed, 08 Jun 2011 14:30:00 GMT", june8 + ParseTime("14:30:00")},
        {"wed, 8 jun 2011 09:05:07 +0000", june8 + ParseTime("09:05:07")},
        {"Wed,08 Jun 2011 23:59:59", june8 + ParseTime("23:59:59")},
        {"Wed, 08 Jun 2011 14:30 GMT", 0},
        {"08 Jun 2011 14:30:00 GMT", 0},
        {"Wed, 31 Feb 2011 14:30:00 GMT", 0},
        {"Wed, 08 Juni 2011 14:30:00 GMT", 0},
        {"Wed, 08 Jun 1899 14:30:00 GMT", 0},
        {"Wed, 08 Jun 2011 24:00:00 GMT", 0},
        {"Wed, 99999999999 Jun 2011 14:30:00 GMT", 0},
        {"Wed,", 0},
        {"", 0},
    };
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(ParseFeedDate(c.Text), c.Expected) << c.Text;
    }
}

class XmlNewsTest : public ::testing::Test {
protected:
    XmlNewsTest() : news(session, hosts) { news.Symbol = "MSFT"; }

    static std::string Item(const std::string& title, const std::string& link = "http://example.com/a",
                            const std::string& guid = "g1",
                            const std::string& date = "Wed, 08 Jun 2011 14:30:00 GMT") {
        return "<item>\n<title>" + title + "</title>\n<link>" + link +
               "</link>\n<guid isPermaLink=\"false\">" + guid + "</guid>\n<pubDate>" + date +
               "</pubDate>\n</item>\n";
    }
    static std::string Feed(const std::string& items) {
        return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<rss "
               "version=\"2.0\"><channel>\n<title>Headlines</title>\n" +
               items + "</channel></rss>\n";
    }
    std::vector<std::string> Parsed(const std::string& document) {
        EXPECT_TRUE(news.Parse(document));
        return news.Headlines;
    }

    test::tScriptedHttpSession session;
    tNewsHosts hosts{"news.example:81", "rd.example"};
    tYahooXmlNews news;
};

TEST_F(XmlNewsTest, OneItemGivesItsSixFields) {
    EXPECT_EQ(Parsed(Feed(Item("Shares rise (at Newswire)", "http://example.com/a?b=1", "yhoo|2011|7"))),
              std::vector<std::string>{
                  "08/06/2011|14:30:00|yhoo-2011-7|Shares rise|Newswire|http://example.com/a?b=1"});
}

TEST_F(XmlNewsTest, TitlesLinksAndGuids) {
    const struct {
        const char* Name;
        std::string Item;
        const char* Line; // "" when the item is skipped
    } cases[] = {
        {"no source", Item("Shares rise"), "08/06/2011|14:30:00|g1|Shares rise||http://example.com/a"},
        {"source without AT", Item("Results beat estimates  ( Reuters ) "),
         "08/06/2011|14:30:00|g1|Results beat estimates|Reuters|http://example.com/a"},
        {"AT in any case", Item("Deal (aT Market Wire)"),
         "08/06/2011|14:30:00|g1|Deal|Market Wire|http://example.com/a"},
        {"last parenthesis only", Item("Q2 (fiscal) up (at AP)"),
         "08/06/2011|14:30:00|g1|Q2 (fiscal) up|AP|http://example.com/a"},
        {"parenthesis not at the end", Item("Up (again) today"),
         "08/06/2011|14:30:00|g1|Up (again) today||http://example.com/a"},
        {"entities decoded", Item("AT&amp;T &quot;beats&quot;"),
         "08/06/2011|14:30:00|g1|AT&T \"beats\"||http://example.com/a"},
        {"redirect link",
         Item("A", "http://RD.example/dailynews/rss/SIG=11/*http%3A//example.com/story.html"),
         "08/06/2011|14:30:00|g1|A||http://example.com/story.html"},
        {"redirect prefix needs its slash", Item("A", "http://rd.example.org/x/*http://example.com/b"),
         "08/06/2011|14:30:00|g1|A||http://rd.example.org/x/*http://example.com/b"},
        {"other host keeps its star", Item("A", "http://example.com/x/*y"),
         "08/06/2011|14:30:00|g1|A||http://example.com/x/*y"},
        {"bars of the feed's own", Item("Stocks | Bonds (at A|B)", "http://example.com/a%7Cb"),
         "08/06/2011|14:30:00|g1|Stocks - Bonds|A-B|http://example.com/a%7Cb"},
        {"encoded line breaks in a link", Item("A", "http://example.com/a%0D%0Ab"),
         "08/06/2011|14:30:00|g1|A||http://example.com/a%0D%0Ab"},
        {"CDATA title", Item("<![CDATA[Shares rise]]>"), ""},
        {"empty title", Item(""), ""},
        {"time without seconds", Item("A", "l", "g", "Wed, 08 Jun 2011 14:30 GMT"), ""},
        {"date without weekday", Item("A", "l", "g", "08 Jun 2011 14:30:00 GMT"), ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        const std::vector<std::string> lines = Parsed(Feed(c.Item));
        if (*c.Line == '\0') {
            EXPECT_TRUE(lines.empty()) << lines.front();
        } else {
            EXPECT_EQ(lines, std::vector<std::string>{c.Line});
        }
    }
}

TEST_F(XmlNewsTest, DocumentStructure) {
    const std::string two = Item("One", "l1", "g1") + Item("Two", "l2", "g2");
    const struct {
        const char* Name;
        std::string Document;
        std::size_t Lines;
    } cases[] = {
        {"in feed order", Feed(two), 2},
        {"no XML declaration", "<rss version=\"2.0\"><channel>" + two + "</channel></rss>", 0},
        {"items before rss", "<?xml version=\"1.0\"?>" + two + "<rss></rss>", 0},
        {"items after rss ends", "<?xml version=\"1.0\"?><rss></rss>" + two, 0},
        {"item left open is emitted by the next",
         Feed("<item><title>One</title><pubDate>Wed, 08 Jun 2011 14:30:00 GMT</pubDate>" + Item("Two")), 2},
        {"truncated inside the last item",
         "<?xml version=\"1.0\"?><rss><item><title>One</title><pubDate>Wed, 08 Jun 2011 14:30:00 "
         "GMT</pubDate>",
         1},
        {"channel title is not an item", Feed(""), 0},
        {"text between items ignored", Feed("<title>Loose</title>" + Item("Two")), 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        EXPECT_EQ(Parsed(c.Document).size(), c.Lines);
    }
    EXPECT_EQ(Parsed(Feed(two)),
              (std::vector<std::string>{"08/06/2011|14:30:00|g1|One||l1", "08/06/2011|14:30:00|g2|Two||l2"}));
}

TEST_F(XmlNewsTest, ShortDocumentIsRefused) {
    news.Headlines = {"stale"};
    EXPECT_FALSE(news.Parse(std::string(19, 'x')));
    EXPECT_TRUE(news.Headlines.empty());
    EXPECT_TRUE(news.Parse(std::string(20, 'x')));
    EXPECT_TRUE(news.Headlines.empty());
}

TEST_F(XmlNewsTest, FetchAsksTheFeedHostAndParsesOnlyAnOk) {
    news.Symbol = "^DJI";
    session.Answer(200, Feed(Item("One")));
    EXPECT_EQ(news.Fetch(), 200);
    EXPECT_EQ(news.Headlines.size(), 1u);
    ASSERT_EQ(session.Calls().size(), 1u);
    EXPECT_EQ(session.Calls()[0].Url, "http://news.example:81/rss/2.0/headline?s=^DJI&region=US&lang=en-US");
    const tHttpSettings& settings = session.Calls()[0].Settings;
    EXPECT_EQ(settings.MaxAttempts, 3);
    EXPECT_EQ(settings.OverallTimeout, 20000);
    EXPECT_EQ(settings.LogonTimeout, 3000);
    EXPECT_EQ(settings.PacketTimeout, 6000);
    EXPECT_EQ(settings.Agent, "");

    for (const int failure : {404, 499, 10061}) {
        session.Answer(failure, Feed(Item("Error page that parses")));
        EXPECT_EQ(news.Fetch(), failure);
        EXPECT_TRUE(news.Headlines.empty()) << failure;
    }
}

TEST(NewsHosts, FromTheSettingsFile) {
    tNewsHosts hosts;
    EXPECT_EQ(hosts.Host, "127.0.0.1:8471");
    EXPECT_EQ(hosts.RedirectHost, "127.0.0.1:8471");
    tIniObject settings;
    settings.LoadFromBytes("[General]\r\nNewsHost=http://feeds.example:8080/rss/\r\nNewsRedirectHost=  \r\n");
    ReadNewsHosts(settings, hosts);
    EXPECT_EQ(hosts.Host, "feeds.example:8080");
    EXPECT_EQ(hosts.RedirectHost, "127.0.0.1:8471");
}

} // namespace
} // namespace vc
