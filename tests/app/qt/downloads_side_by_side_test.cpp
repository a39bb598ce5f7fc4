// Downloads side by side: a quote batch that waits on a slow host must neither refuse nor hold up
// another download started meanwhile, as news, lookups and help pages will be.
#include <gtest/gtest.h>

#include <QTimer>

#include <string>
#include <vector>

#include "app/yahoo_quote_downloader.h"
#include "market/qt/http_sessions.h"
#include "market/quote_host.h"
#include "support/fake_clock.h"
#include "support/qt/fault_server.h"
#include "toolkit/dates.h"

namespace vc {
namespace {

TEST(DownloadsSideBySide, AnotherDownloadDuringASlowQuoteBatchSucceedsAndFinishesFirst) {
    // The quote answer trickles in over about a second.
    test::tFaultReply slowQuote;
    slowQuote.Body = "\"MSFT\",\"3/15/2024\",\"4:00pm\",410.0,412.5,405.1,411.2,1000,N/A,N/A,409.0\r\n";
    slowQuote.ChunkBytes = 5;
    slowQuote.ChunkDelayMs = 60;
    test::tFaultServer quoteServer(slowQuote);
    test::tFaultReply page;
    page.Body = "<html>news</html>";
    test::tFaultServer pageServer(page);

    const std::string proxy;
    const tHttpSessions sessions(proxy);
    tQuoteHost host;
    host.HostUS = "127.0.0.1:" + std::to_string(quoteServer.Port());
    host.SelectQuoteHost(tQuoteHost::kUs);
    const test::tFakeClock clock(EncodeDate(2024, 3, 15) + EncodeTime(18, 0, 0));
    tYahooQuoteDownloader quotes(sessions.NewSession(), host, clock);

    std::vector<std::string> finished;
    int pageResult = 0;
    std::string pageDocument;
    // Runs inside the batch's wait, once its request has reached the host.
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (quoteServer.Requests().empty()) {
            return;
        }
        poll.stop();
        const auto other = sessions.NewSession();
        tHttpSettings settings;
        settings.MaxAttempts = 1;
        pageResult = other->Fetch(pageServer.Url("/news"), settings, pageDocument);
        finished.push_back("page");
    });
    poll.start(5);
    const auto lines = quotes.Download("YAHTICK|MSFT");
    finished.push_back("quotes");

    EXPECT_EQ(pageResult, 200);
    EXPECT_EQ(pageDocument, page.Body);
    ASSERT_TRUE(lines.has_value());
    ASSERT_EQ(lines->size(), 1u);
    EXPECT_EQ(lines->front().substr(0, 24), "YAHTICK|MSFT|15/03/2024|");
    EXPECT_EQ(finished, (std::vector<std::string>{"page", "quotes"}));
    EXPECT_EQ(quoteServer.Requests().size(), 1u);
    EXPECT_EQ(pageServer.Requests().size(), 1u);
}

} // namespace
} // namespace vc
