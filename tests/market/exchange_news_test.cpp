// The simulated exchange's headline feed as the program reads it: every feed the exchange serves
// goes through the program's parser, so the two can never drift apart.
#include "exchange.h"
#include "news_feed.h"

#include "market/yahoo_xml_news.h"
#include "support/fake_clock.h"
#include "support/scripted_http_session.h"
#include "toolkit/dates.h"
#include "toolkit/text.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace vc {
namespace {

constexpr std::uint64_t kSeed = 7;
const char* const kHost = "127.0.0.1:40123";

sim::tUniverse SmallUniverse() {
    sim::tUniverse universe;
    EXPECT_TRUE(universe.Load("MSFT,Microsoft Corporation,NASDAQ,Stock,410,20000000\n"
                              "JNJ,Johnson & Johnson,NYSE,Stock,155.8,7100000\n"
                              "^DJI,Dow Jones Industrial Average,DJI,Index,42000,300000000\n"
                              "EURUSD=X,EUR/USD,CCY,Currency,1.08,0\n"));
    return universe;
}

// A Thursday afternoon.
double Moment(const char* time = "15:10:00") {
    return ParseDate("10/12/2026") + ParseTime(time);
}

std::vector<std::string> ProgramReads(const std::string& feed) {
    test::tScriptedHttpSession session;
    const tNewsHosts hosts{kHost, kHost};
    tYahooXmlNews news(session, hosts);
    EXPECT_TRUE(news.Parse(feed));
    return news.Headlines;
}

TEST(ExchangeNews, EveryHeadlineReachesTheProgramIntact) {
    const sim::tUniverse universe = SmallUniverse();
    int paid = 0;
    int withSource = 0;
    int today = 0;
    int older = 0;
    for (const sim::tListing& listing : universe.Listings()) {
        SCOPED_TRACE(listing.Symbol);
        const double now = Moment();
        const std::vector<sim::tHeadline> headlines = sim::Headlines(listing, kSeed, now);
        EXPECT_GE(headlines.size(), sim::kMinHeadlines);
        EXPECT_LE(headlines.size(), sim::kMaxHeadlines);
        const std::vector<std::string> lines =
            ProgramReads(sim::NewsFeedXml(listing.Symbol, headlines, kHost, now));
        ASSERT_EQ(lines.size(), headlines.size());
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const sim::tHeadline& headline = headlines[i];
            const std::string& line = lines[i];
            SCOPED_TRACE(line);
            ASSERT_EQ(FieldCount(line), 5);
            EXPECT_LE(headline.Published, now);
            if (i > 0) {
                EXPECT_LE(headline.Published, headlines[i - 1].Published) << "newest first";
            }
            EXPECT_EQ(Field(line, 1), DateOf(headline.Published));
            EXPECT_EQ(Field(line, 2), TimeOf(headline.Published));
            EXPECT_NE(headline.Guid.find('|'), std::string::npos);
            EXPECT_EQ(Field(line, 3), ReplaceAll(headline.Guid, "|", "-"));
            const std::size_t at = headline.Title.rfind(" (at ");
            EXPECT_EQ(Field(line, 4), headline.Title.substr(0, at));
            EXPECT_EQ(Field(line, 5), at == std::string::npos
                                          ? ""
                                          : headline.Title.substr(at + 5, headline.Title.size() - at - 6));
            EXPECT_EQ(Field(line, 6), "http://" + std::string(kHost) + "/news/story?id=" +
                                          (listing.Symbol == "^DJI" ? ReplaceAll(headline.StoryId, "^", "%5E")
                                                                    : headline.StoryId));
            paid += headline.Title.starts_with("[$$] ") ? 1 : 0;
            withSource += at != std::string::npos ? 1 : 0;
            (DatePart(headline.Published) == DatePart(now) ? today : older) += 1;
        }
    }
    EXPECT_GT(paid, 0);
    EXPECT_GT(withSource, 0);
    EXPECT_GT(today, 0);
    EXPECT_GT(older, 0);
}

TEST(ExchangeNews, SameDaySameHeadlinesAndTodaysAppearAsTheDayGoesOn) {
    const sim::tUniverse universe = SmallUniverse();
    const sim::tListing& listing = *universe.Find("MSFT");
    const auto morning = sim::Headlines(listing, kSeed, Moment("06:00:00"));
    const auto evening = sim::Headlines(listing, kSeed, Moment("23:59:59"));
    EXPECT_EQ(
        ProgramReads(sim::NewsFeedXml("MSFT", evening, kHost, 0)),
        ProgramReads(sim::NewsFeedXml("MSFT", sim::Headlines(listing, kSeed, Moment("23:59:59")), kHost, 0)));
    // Every morning headline is still there in the evening, behind what came out since.
    for (const sim::tHeadline& headline : morning) {
        EXPECT_TRUE(std::any_of(evening.begin(), evening.end(), [&](const sim::tHeadline& h) {
            return h.Guid == headline.Guid;
        })) << headline.Guid;
    }
    // Yesterday's headlines are the same whether asked yesterday evening or today.
    const auto yesterday = sim::Headlines(listing, kSeed, Moment("23:59:59") - 1);
    for (const sim::tHeadline& headline : evening) {
        if (DatePart(headline.Published) < DatePart(Moment())) {
            EXPECT_TRUE(std::any_of(yesterday.begin(), yesterday.end(), [&](const sim::tHeadline& h) {
                return h.Guid == headline.Guid;
            })) << headline.Guid;
        }
    }
    EXPECT_NE(ProgramReads(sim::NewsFeedXml("MSFT", sim::Headlines(listing, kSeed + 1, Moment()), kHost, 0)),
              ProgramReads(sim::NewsFeedXml("MSFT", sim::Headlines(listing, kSeed, Moment()), kHost, 0)));
}

TEST(ExchangeNews, PagesOfTheExchange) {
    test::tFakeClock clock(Moment());
    sim::tExchange exchange(SmallUniverse(), kSeed, sim::tSession{}, clock);

    sim::tRequest feed{"GET", "/rss/2.0/headline", "s=JNJ&region=US&lang=en-US", kHost};
    const sim::tResponse answer = exchange.Handle(feed);
    EXPECT_EQ(answer.Status, 200);
    EXPECT_EQ(answer.ContentType, "application/rss+xml");
    EXPECT_TRUE(answer.Body.starts_with("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<rss version=\"2.0\">"));
    EXPECT_NE(answer.Body.find("Johnson &amp; Johnson"), std::string::npos);
    const std::vector<std::string> lines = ProgramReads(answer.Body);
    ASSERT_FALSE(lines.empty());
    EXPECT_NE(Field(lines[0], 4).find("Johnson & Johnson"), std::string::npos) << lines[0];

    // The link the program shows leads to the story.
    const std::string link = Field(lines[0], 6);
    const std::size_t query = link.find('?');
    const sim::tResponse story = exchange.Handle(
        {"GET", link.substr(link.find('/', 7), query - link.find('/', 7)), link.substr(query + 1), kHost});
    EXPECT_EQ(story.Status, 200);
    EXPECT_NE(story.Body.find("Johnson &amp; Johnson"), std::string::npos);

    const struct {
        const char* Name;
        sim::tRequest Request;
        int Status;
        std::size_t Lines;
    } cases[] = {
        {"unknown symbol: empty channel", {"GET", "/rss/2.0/headline", "s=NOSUCH", kHost}, 200, 0},
        {"no symbol", {"GET", "/rss/2.0/headline", "", ""}, 200, 0},
        {"symbol in lower case", {"GET", "/rss/2.0/headline", "s=msft", kHost}, 200, 1},
        {"escaped index symbol", {"GET", "/rss/2.0/headline", "s=%5EDJI&region=US", kHost}, 200, 1},
        {"story of no listing", {"GET", "/news/story", "id=20261210-0-NOSUCH", kHost}, 404, 0},
        {"story not out yet", {"GET", "/news/story", "id=20261211-0-MSFT", kHost}, 404, 0},
        {"story without id", {"GET", "/news/story", "", kHost}, 404, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        const sim::tResponse response = exchange.Handle(c.Request);
        EXPECT_EQ(response.Status, c.Status);
        if (c.Status == 200) {
            EXPECT_EQ(ProgramReads(response.Body).empty(), c.Lines == 0);
        }
    }
}

TEST(ExchangeNews, HostHeaderCannotBreakTheFeed) {
    const sim::tUniverse universe = SmallUniverse();
    const auto headlines = sim::Headlines(*universe.Find("MSFT"), kSeed, Moment());
    const std::string feed = sim::NewsFeedXml("MSFT", headlines, "evil\"></link><item>|host", Moment());
    const std::vector<std::string> lines = ProgramReads(feed);
    ASSERT_EQ(lines.size(), headlines.size());
    EXPECT_TRUE(Field(lines[0], 6).starts_with("http://evillinkitemhost/rd/")) << lines[0];
}

} // namespace
} // namespace vc
