// The quote download end to end: tYahooIntraday through tHttpAsync against velocrest-market on a
// free port of 127.0.0.1.
#include "market/http_codes.h"
#include "market/qt/http_async.h"
#include "market/yahoo_intraday.h"
#include "set_clock.h"
#include "support/fake_clock.h"
#include "support/qt/fault_server.h"
#include "support/qt/market_process.h"
#include "toolkit/dates.h"
#include "toolkit/text.h"
#include "toolkit/url.h"

#include <gtest/gtest.h>

#include <QTimer>

#include <set>
#include <string>
#include <vector>

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

// The request line a loopback server saw, and the symbols in its "s=" value as a server reads
// them: split at "+", each unescaped.
std::string RequestLine(const std::string& request) {
    return request.substr(0, request.find("\r\n"));
}

std::vector<std::string> SymbolsAsRead(const std::string& requestLine) {
    const std::size_t start = requestLine.find("?s=") + 3;
    const std::string value = requestLine.substr(start, requestLine.find("&f=") - start);
    std::vector<std::string> symbols;
    for (std::size_t at = 0; at <= value.size();) {
        const std::size_t end = std::min(value.find('+', at), value.size());
        symbols.push_back(PercentDecode(value.substr(at, end - at)));
        at = end + 1;
    }
    return symbols;
}

test::tFaultReply QuoteAnswer() {
    test::tFaultReply reply;
    reply.Body = "\"MSFT\",\"3/15/2024\",\"4:00pm\",410.0,412.5,405.1,411.2,1000,N/A,N/A,409.0\r\n";
    return reply;
}

TEST(YahooIntradayOnTheWire, SymbolsArriveAsTheBytesTheyAre) {
    test::tFaultServer server(QuoteAnswer());
    tQuoteHost host;
    host.HostUS = "127.0.0.1:" + std::to_string(server.Port());
    host.SelectQuoteHost(tQuoteHost::kUs);
    const tSystemClock clock;
    tHttpAsync session;
    const struct {
        const char* Symbol;
        const char* OnTheWire;
        const char* AsRead; // what the server reads back; nullptr: the symbol itself
    } cases[] = {
        {"A&B", "A%26B", nullptr},
        {"A#B", "A%23B", nullptr},
        {"A%20B", "A%2520B", nullptr},
        {"A%B", "A%25B", nullptr},
        // Symbols are upper-cased in Windows-1252, where e acute (E9) becomes E acute (C9); the
        // byte goes as that one byte, not as two bytes of UTF-8.
        {"A\xE9", "A%C9", "A\xC9"},
        {"^DJI", "%5EDJI", nullptr},
        {"EURUSD=X", "EURUSD=X", nullptr},
        {"BRK.B", "BRK.B", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Symbol);
        const std::size_t before = server.Requests().size();
        tYahooIntraday quotes(session, host, clock);
        ASSERT_EQ(quotes.AddSymbols(std::string("YAHTICK|") + c.Symbol + "+YAHTICK|MSFT"), 2);
        EXPECT_TRUE(quotes.Download());
        const std::vector<std::string> requests = server.Requests();
        ASSERT_EQ(requests.size(), before + 1);
        const std::string line = RequestLine(requests.back());
        EXPECT_EQ(line, std::string("GET /d/quotes.csv?s=") + c.OnTheWire +
                            "+MSFT&f=sd1t1ohgl1vabp&e=.csv HTTP/1.1");
        EXPECT_EQ(SymbolsAsRead(line),
                  (std::vector<std::string>{c.AsRead != nullptr ? c.AsRead : c.Symbol, "MSFT"}));
    }
}

// Ends a download that runs far past any deadline, so a hang fails the test instead of stalling it.
class tAbandonAfter {
public:
    tAbandonAfter(tHttpSession& session, int ms) {
        timer_.setInterval(ms);
        QObject::connect(&timer_, &QTimer::timeout, [this, &session] {
            fired_ = true;
            session.Abandon();
        });
        timer_.start();
    }
    bool Fired() const { return fired_; }

private:
    QTimer timer_;
    bool fired_ = false;
};

TEST(YahooIntradayOnTheWire, AnyByteInASymbolOrTheHostGivesAClearResult) {
    test::tFaultServer server(QuoteAnswer());
    const std::string port = std::to_string(server.Port());
    const tSystemClock clock;
    tHttpSettings quick;
    quick.MaxAttempts = 1;
    quick.LogonTimeout = quick.PacketTimeout = quick.OverallTimeout = 3000;

    // Symbols: eight bytes a batch, each between two letters; every request reaches the server and
    // the server reads back exactly the symbols asked for.
    tQuoteHost host;
    host.HostUS = "127.0.0.1:" + port;
    host.SelectQuoteHost(tQuoteHost::kUs);
    tHttpAsync session;
    for (int first = 0; first < 256; first += 8) {
        SCOPED_TRACE("bytes from " + std::to_string(first));
        tYahooIntraday quotes(session, host, clock);
        std::string batch;
        for (int byte = first; byte < first + 8; ++byte) {
            batch += (batch.empty() ? "Q" : "+Q") + std::string(1, static_cast<char>(byte)) + "Z";
        }
        quotes.AddSymbols(batch);
        std::vector<std::string> asked;
        for (const tIntraday& entry : quotes.Entries()) {
            asked.push_back(entry.Symbol);
        }
        const tAbandonAfter guard(session, 10000);
        EXPECT_TRUE(quotes.Download()) << quotes.LastResult();
        EXPECT_FALSE(guard.Fired());
        EXPECT_EQ(SymbolsAsRead(RequestLine(server.Requests().back())), asked);
    }

    // Hosts: the byte inside the host name. The requests go through a proxy on 127.0.0.1, so a
    // host that happens to be a valid name is never looked up; the others are refused before
    // anything is sent.
    const test::tFaultServer proxy(QuoteAnswer());
    tHttpAsync proxied("127.0.0.1:" + std::to_string(proxy.Port()));
    std::set<int> results;
    std::size_t answered = 0;
    const std::size_t direct = server.Requests().size();
    for (int byte = 0; byte < 256; ++byte) {
        SCOPED_TRACE("host byte " + std::to_string(byte));
        tQuoteHost odd;
        odd.HostUS = "quotes" + std::string(1, static_cast<char>(byte)) + ".invalid:" + port;
        odd.SelectQuoteHost(tQuoteHost::kUs);
        tYahooIntraday quotes(proxied, odd, clock);
        quotes.Settings() = quick;
        ASSERT_EQ(quotes.AddSymbols("YAHTICK|MSFT"), 1);
        const tAbandonAfter guard(proxied, 10000);
        quotes.Download();
        EXPECT_FALSE(guard.Fired());
        results.insert(quotes.LastResult());
        answered += quotes.LastResult() == 200 ? 1 : 0;
    }
    // Sent through the proxy and answered, or not started as an address that cannot be parsed.
    EXPECT_EQ(results, (std::set<int>{200, kHttpNotStarted}));
    EXPECT_EQ(proxy.Requests().size(), answered);
    EXPECT_EQ(server.Requests().size(), direct);
}

} // namespace
} // namespace vc
