// The quote download end to end: tYahooIntraday through tHttpAsync against velocrest-market on a
// free port of 127.0.0.1.
#include "market/qt/http_async.h"
#include "market/yahoo_intraday.h"
#include "set_clock.h"
#include "support/fake_clock.h"
#include "support/qt/market_process.h"
#include "toolkit/dates.h"
#include "toolkit/text.h"

#include <gtest/gtest.h>

#include <set>

namespace vc {
namespace {

const char* const kBatch = "YAHTICK|MSFT+YAHTICK|IBM+YAHTICK|AAPL+YAHTICK|^DJI+YAHTICK|^TNX+YAHTICK|EURUSD=X+"
                           "YAHTICK|MC.PA+YAHTICK|ASML.AS+YAHTICK|BP.L+YAHTICK|NOSUCH";

class YahooIntradayEndToEnd : public ::testing::Test {
protected:
    void SetUp() override { StartAt(kWednesdayAfternoon); }
    // The exchange and the program both get the same set clock, so the quotes and "today" never
    // depend on the hour, weekday or zone the suite runs in. An hour per tick keeps the prices still
    // between the requests of one test.
    void StartAt(const char* moment) {
        market.Stop();
        double now = 0;
        ASSERT_TRUE(sim::ParseClockText(moment, now)) << moment;
        clock.Set(now);
        ASSERT_TRUE(market.Start({"--seed", "17", "--tick", "3600", "--clock", moment}))
            << market.Error().toStdString();
        host.HostUS = host.HostUK = "127.0.0.1:" + std::to_string(market.Port());
        host.SelectQuoteHost(0);
    }
    // The refresh cycle's sequence: a fresh component, the batch, the download, today's results.
    std::vector<std::string> Batch(bool* downloaded = nullptr) {
        tYahooIntraday quotes(session, host, clock);
        EXPECT_EQ(quotes.AddSymbols(kBatch), 10);
        const bool ok = quotes.Download();
        if (downloaded != nullptr) {
            *downloaded = ok;
        }
        return ok ? quotes.Results(LastWeekday(clock.Now())) : std::vector<std::string>{};
    }

    static constexpr const char* kWednesdayAfternoon = "2025-06-11 15:00:00";
    test::tMarketProcess market;
    tQuoteHost host;
    test::tFakeClock clock;
    tHttpAsync session;
};

TEST_F(YahooIntradayEndToEnd, TenSymbolsGiveNineQuotesOfToday) {
    bool downloaded = false;
    const std::vector<std::string> lines = Batch(&downloaded);
    ASSERT_TRUE(downloaded);
    ASSERT_EQ(lines.size(), 9u);
    std::set<std::string> symbols;
    for (const std::string& line : lines) {
        SCOPED_TRACE(line);
        EXPECT_EQ(FieldCount(line), 11);
        EXPECT_EQ(Field(line, 1), "YAHTICK");
        symbols.insert(Field(line, 2));
        EXPECT_EQ(Field(line, 3), "11/06/2025");
        EXPECT_TRUE(ValidTime(Field(line, 4)));
        const double open = ToNumber(Field(line, 5)), high = ToNumber(Field(line, 6)),
                     low = ToNumber(Field(line, 7)), close = ToNumber(Field(line, 8));
        EXPECT_GT(low, 0);
        EXPECT_LE(low, open);
        EXPECT_LE(open, high);
        EXPECT_LE(low, close);
        EXPECT_LE(close, high);
    }
    EXPECT_EQ(symbols, (std::set<std::string>{"MSFT", "IBM", "AAPL", "^DJI", "^TNX", "EURUSD=X", "MC.PA",
                                              "ASML.AS", "BP.L"}));
    // The yield comes back as a percentage, not as the feed's ten times that.
    for (const std::string& line : lines) {
        if (Field(line, 2) == "^TNX") {
            EXPECT_LT(ToNumber(Field(line, 8)), 10.0) << line;
        }
    }
}

// Outside a weekday the exchange answers with the last session's quotes, and those still count as
// today's for the tape: a weekend keeps showing Friday's prices.
TEST_F(YahooIntradayEndToEnd, TheLastSessionsQuotesCountOnTheWeekend) {
    const struct {
        const char* Moment;
        const char* Day;
    } cases[] = {
        {"2025-06-14 15:00:00", "13/06/2025"}, // Saturday afternoon
        {"2025-06-15 23:59:00", "13/06/2025"}, // Sunday night
        {"2025-06-16 00:30:00", "16/06/2025"}, // Monday, the session running since midnight
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Moment);
        StartAt(c.Moment);
        const std::vector<std::string> lines = Batch();
        ASSERT_EQ(lines.size(), 9u);
        for (const std::string& line : lines) {
            EXPECT_EQ(Field(line, 3), c.Day) << line;
        }
    }
}

TEST_F(YahooIntradayEndToEnd, UkHostGivesTheSameQuotes) {
    const std::vector<std::string> before = Batch();
    host.SelectQuoteHost(1);
    const std::vector<std::string> uk = Batch();
    host.SelectQuoteHost(0);
    const std::vector<std::string> after = Batch();
    ASSERT_EQ(uk.size(), 9u);
    // Should the hour have turned between two requests, the UK answer matches the other one.
    EXPECT_TRUE(uk == before || uk == after);
    EXPECT_TRUE(market.Output().contains("&f=st1d1ohgl1vabp&e=.csv 200 ")) << market.Output().toStdString();
}

TEST_F(YahooIntradayEndToEnd, StoppedExchangeIsAFailedDownload) {
    ASSERT_EQ(market.Stop(), 0);
    bool downloaded = true;
    EXPECT_TRUE(Batch(&downloaded).empty());
    EXPECT_FALSE(downloaded);
}

} // namespace
} // namespace vc
