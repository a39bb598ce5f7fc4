#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/yahoo_quote_downloader.h"
#include "market/quote_host.h"
#include "support/fake_clock.h"
#include "support/scripted_http_session.h"
#include "toolkit/dates.h"

namespace vc {
namespace {

// Saturday 16 March 2024: the quotes of Friday the 15th are the latest.
const double kSaturday = EncodeDate(2024, 3, 16) + EncodeTime(10, 0, 0);

class YahooQuoteDownloaderTest : public ::testing::Test {
protected:
    YahooQuoteDownloaderTest() : clock(kSaturday) {
        host.HostUS = "127.0.0.1:1111";
        host.HostUK = "127.0.0.1:2222";
        host.SelectQuoteHost(tQuoteHost::kUs);
    }
    // The downloader owns its session; the test keeps a view of it.
    std::unique_ptr<test::tScriptedHttpSession> owned = std::make_unique<test::tScriptedHttpSession>();
    test::tScriptedHttpSession& session = *owned;
    tQuoteHost host;
    test::tFakeClock clock;
    tYahooQuoteDownloader downloader{std::move(owned), host, clock};
};

TEST_F(YahooQuoteDownloaderTest, AnswerLinesOfTheLatestWeekdayOnly) {
    session.Answer(200, "\"MSFT\",\"3/15/2024\",\"4:00pm\",410.0,412.5,405.1,411.2,1000,N/A,N/A,409.0\r\n"
                        "\"IBM\",\"3/14/2024\",\"4:00pm\",190.0,191.0,189.0,190.5,500,N/A,N/A,189.5\r\n");
    const auto lines = downloader.Download("YAHTICK|MSFT+YAHTICK|IBM");
    ASSERT_TRUE(lines.has_value());
    ASSERT_EQ(lines->size(), 1u);
    EXPECT_EQ(lines->front().substr(0, 24), "YAHTICK|MSFT|15/03/2024|");
    ASSERT_EQ(session.Calls().size(), 1u);
    EXPECT_NE(session.Calls()[0].Url.find("127.0.0.1:1111"), std::string::npos) << session.Calls()[0].Url;
}

TEST_F(YahooQuoteDownloaderTest, HostChangeReachesTheNextBatchAndEarlierEntriesDoNot) {
    session.Answer(200, "\"MSFT\",\"3/15/2024\",\"4:00pm\",410.0,412.5,405.1,411.2,1000,N/A,N/A,409.0\r\n");
    ASSERT_TRUE(downloader.Download("YAHTICK|MSFT"));
    host.SelectQuoteHost(tQuoteHost::kUk);
    session.Answer(200, "\"IBM\",\"4:00pm\",\"3/15/2024\",190.0,191.0,189.0,190.5,500,N/A,N/A,189.5\r\n");
    const auto lines = downloader.Download("YAHTICK|IBM");
    ASSERT_TRUE(lines.has_value());
    ASSERT_EQ(lines->size(), 1u);
    EXPECT_EQ(lines->front().substr(0, 12), "YAHTICK|IBM|");
    ASSERT_EQ(session.Calls().size(), 2u);
    EXPECT_NE(session.Calls()[1].Url.find("127.0.0.1:2222"), std::string::npos) << session.Calls()[1].Url;
    EXPECT_EQ(session.Calls()[1].Url.find("MSFT"), std::string::npos) << session.Calls()[1].Url;
}

TEST_F(YahooQuoteDownloaderTest, FailuresGiveNothing) {
    struct {
        const char* Name;
        int Result;
        const char* Batch;
        std::size_t Calls;
    } const cases[] = {
        {"server error", 500, "YAHTICK|MSFT", 1},
        {"timed out", 499, "YAHTICK|MSFT", 1},
        {"no symbol at all", 200, "", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        auto failingOwned = std::make_unique<test::tScriptedHttpSession>();
        test::tScriptedHttpSession& failing = *failingOwned;
        tYahooQuoteDownloader d(std::move(failingOwned), host, clock);
        failing.Answer(c.Result, "\"MSFT\",\"3/15/2024\",\"4:00pm\",1,2,0.5,1.5,10,N/A,N/A,1\r\n");
        EXPECT_FALSE(d.Download(c.Batch).has_value());
        EXPECT_EQ(failing.Calls().size(), c.Calls);
    }
}

} // namespace
} // namespace vc
