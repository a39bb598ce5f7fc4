#include "market/yahoo_intraday.h"

#include "support/fake_clock.h"
#include "support/scripted_http_session.h"

#include <gtest/gtest.h>

namespace vc {
namespace {

// 1 June 2026, noon: the year the date column is checked against.
constexpr double kToday = 46174.5;

class YahooIntradayTest : public ::testing::Test {
protected:
    YahooIntradayTest() : clock(kToday) {}

    // Downloads one answer for the given entries and returns the quote lines (since 0).
    std::vector<std::string> Quotes(const std::string& entries, const std::string& document) {
        tYahooIntraday quotes(session, host, clock);
        quotes.AddSymbols(entries);
        session.Answer(200, document);
        EXPECT_TRUE(quotes.Download());
        return quotes.Results(0);
    }
    // The quote line of a single US answer line for YAHTICK|<symbol>; empty when it was dropped.
    std::string One(const std::string& symbol, const std::string& line) {
        const auto lines = Quotes("YAHTICK|" + symbol, line + "\r\n");
        return lines.empty() ? std::string() : lines.front();
    }

    test::tScriptedHttpSession session;
    tQuoteHost host;
    test::tFakeClock clock;
};

TEST_F(YahooIntradayTest, UsLineBecomesItsQuoteLine) {
    tYahooIntraday quotes(session, host, clock);
    ASSERT_TRUE(quotes.AddSymbol("YAHTICK|MSFT"));
    session.Answer(200,
                   "\"MSFT\",\"6/1/2011\",\"4:00pm\",24.50,25.10,24.40,24.90,60000000,24.91,24.89,25.01\r\n");
    ASSERT_TRUE(quotes.Download());
    EXPECT_EQ(quotes.Results(0),
              std::vector<std::string>{
                  "YAHTICK|MSFT|01/06/2011|16:00:00|24.5|25.1|24.4|24.9|60000000|24.91|24.89|25.01"});
    EXPECT_EQ(quotes.LastResult(), 200);

    ASSERT_EQ(session.Calls().size(), 1u);
    const auto& call = session.Calls()[0];
    EXPECT_EQ(call.Url, "http://127.0.0.1:8471/d/quotes.csv?s=MSFT&f=sd1t1ohgl1vabp&e=.csv");
    EXPECT_EQ(call.Settings.MaxAttempts, 2);
    EXPECT_EQ(call.Settings.OverallTimeout, 10000);
    EXPECT_EQ(call.Settings.LogonTimeout, 4000);
    EXPECT_EQ(call.Settings.PacketTimeout, 5000);
    EXPECT_FALSE(call.Settings.StopOn404);
    EXPECT_EQ(call.Settings.Accept, "");
    EXPECT_EQ(call.Settings.Agent, "Squid 3.92");
}

TEST_F(YahooIntradayTest, TimeColumn) {
    struct tCase {
        const char* Time;
        const char* Expected; // field 4 of the quote line
    };
    const tCase cases[] = {
        {"\"12:05am\"", "00:05:00"},
        {"\"12:05pm\"", "12:05:00"},
        {"\"11:59pm\"", "23:59:00"},
        {"\"0:30am\"", "00:30:00"},
        {"\"9:07AM\"", "09:07:00"},
        {"4:00pm", "16:00:00"},
        // Invalid times leave the time of day as it was: midnight for a fresh record.
        {"\"13:05pm\"", "00:00:00"},
        {"\"4:60pm\"", "00:00:00"},
        {"\"0:05pm\"", "00:00:00"},
        {"\"16:00\"", "00:00:00"},
        {"\"N/A\"", "00:00:00"},
        {"\"pm\"", "00:00:00"},
        {"", "00:00:00"},
    };
    for (const tCase& c : cases) {
        SCOPED_TRACE(c.Time);
        const std::string line =
            One("IBM", std::string("\"IBM\",\"6/1/2011\",") + c.Time + ",1,2,1,2,100,2.01,1.99,1.5");
        ASSERT_FALSE(line.empty());
        EXPECT_EQ(line.substr(0, 23), std::string("YAHTICK|IBM|01/06/2011|"));
        EXPECT_EQ(line.substr(23, 8), c.Expected);
    }
}

TEST_F(YahooIntradayTest, DateColumn) {
    struct tCase {
        const char* Date;
        const char* Expected; // field 3, empty when the line is dropped
    };
    const tCase cases[] = {
        {"\"6/1/2011\"", "01/06/2011"},
        {"6/1/2011", "01/06/2011"},
        {"\"2/29/2012\"", "29/02/2012"},
        {"\"6/1/5\"", "01/06/2005"}, // below 10: this century
        {"\"3/10/2026\"", "10/03/2026"},
        {"\"1/15/2027\"", "15/01/2027"}, // next year is still plausible
        {"\"8/2/2011\"", ""},            // the one excluded date
        {"\"8/3/2011\"", "03/08/2011"},
        {"\"12/31/2004\"", ""},
        {"\"1/1/2005\"", "01/01/2005"},
        {"\"6/1/11\"", ""}, // read as 1911
        {"\"1/1/2028\"", ""},
        {"\"2/30/2012\"", ""},
        {"\"2/29/2011\"", ""},
        {"\"13/1/2012\"", ""},
        {"\"0/1/2012\"", ""},
        {"\"1/0/2012\"", ""},
        {"\"1/32/2012\"", ""},
        {"\"N/A\"", ""},
        {"\"\"", ""},
        {"", ""},
    };
    for (const tCase& c : cases) {
        SCOPED_TRACE(c.Date);
        const std::string line =
            One("IBM", std::string("\"IBM\",") + c.Date + ",\"4:00pm\",1,2,1,2,100,2.01,1.99,1.5");
        EXPECT_EQ(line.empty() ? std::string() : line.substr(12, 10), c.Expected);
    }
}

TEST_F(YahooIntradayTest, YearLimitFollowsTheClock) {
    // The same trade date passes or fails by the current year, not by a fixed year.
    clock.Set(40695); // 1 June 2011
    EXPECT_TRUE(One("IBM", "\"IBM\",\"6/1/2012\",\"4:00pm\",1,2,1,2,100,0,0,1").size() > 0);
    EXPECT_TRUE(One("IBM", "\"IBM\",\"6/1/2013\",\"4:00pm\",1,2,1,2,100,0,0,1").empty());
}

TEST_F(YahooIntradayTest, TimeMovesInTheWeeksBetweenUsAndEuropeanClockChanges) {
    // 2011: US summer time from Sunday 13 March, European from Sunday 27 March; European winter
    // time from Sunday 30 October, US from Sunday 6 November.
    struct tCase {
        const char* Date;
        const char* Time;
        const char* Expected; // date|time of the quote line
    };
    const tCase cases[] = {
        {"3/20/2011", "4:00pm", "20/03/2011|15:00:00"},  {"3/14/2011", "9:30am", "14/03/2011|08:30:00"},
        {"3/26/2011", "4:00pm", "26/03/2011|15:00:00"},  {"3/13/2011", "4:00pm", "13/03/2011|16:00:00"},
        {"3/27/2011", "4:00pm", "27/03/2011|16:00:00"},  {"3/12/2011", "4:00pm", "12/03/2011|16:00:00"},
        {"3/20/2011", "12:30am", "20/03/2011|23:30:00"}, // wraps within the same day
        {"10/31/2011", "4:00pm", "31/10/2011|17:00:00"}, {"11/5/2011", "11:30pm", "05/11/2011|00:30:00"},
        {"10/30/2011", "4:00pm", "30/10/2011|16:00:00"}, {"11/6/2011", "4:00pm", "06/11/2011|16:00:00"},
        {"6/1/2011", "4:00pm", "01/06/2011|16:00:00"},
    };
    for (const tCase& c : cases) {
        SCOPED_TRACE(std::string(c.Date) + " " + c.Time);
        const std::string line = One("IBM", std::string("\"IBM\",\"") + c.Date + "\",\"" + c.Time +
                                                "\",1,2,1,2,100,2.01,1.99,1.5");
        ASSERT_FALSE(line.empty());
        EXPECT_EQ(line.substr(12, 19), c.Expected);
    }
}

TEST_F(YahooIntradayTest, YieldAndIndexScaling) {
    struct tCase {
        const char* Symbol;
        const char* Expected; // fields 5..12
    };
    const tCase cases[] = {
        {"^TNX", "3.2|3.3|3.1|3.25|1000|0|0|3.24"}, {"^fvx", "3.2|3.3|3.1|3.25|1000|0|0|3.24"},
        {"^IRX", "3.2|3.3|3.1|3.25|1000|0|0|3.24"}, {"^TYX", "3.2|3.3|3.1|3.25|1000|0|0|3.24"},
        {"^DJI", "32|33|31|32.5|10|0|0|32.4"},      {"^DJA", "32|33|31|32.5|10|0|0|32.4"},
        {"^GSPC", "32|33|31|32.5|100|0|0|32.4"},    {"TNX", "32|33|31|32.5|100|0|0|32.4"},
    };
    for (const tCase& c : cases) {
        SCOPED_TRACE(c.Symbol);
        const std::string line =
            One(c.Symbol,
                std::string("\"") + c.Symbol + "\",\"6/1/2011\",\"4:00pm\",32,33,31,32.5,100,N/A,N/A,32.4");
        ASSERT_FALSE(line.empty());
        EXPECT_EQ(line.substr(line.find("|16:00:00|") + 10), c.Expected);
    }
}

TEST_F(YahooIntradayTest, CurrencyPairWithHighBelowLow) {
    struct tCase {
        const char* Symbol;
        const char* Prices;   // high, low, last
        const char* Expected; // fields 6..8
    };
    const tCase cases[] = {
        {"EURUSD=X", "1.40,1.45,1.46", "1.46|1.4|1.46"},  // swapped, high raised to the last
        {"EURUSD=X", "1.40,1.45,1.38", "1.45|1.38|1.38"}, // swapped, low lowered to the last
        {"EURUSD=X", "1.40,1.45,1.42", "1.45|1.4|1.42"},
        {"EURUSD=X", "1.45,1.40,1.46", "1.45|1.4|1.46"}, // in order: left alone
        {"EURUSD=X", "1.40,0,1.46", "1.4|0|1.46"},       // a zero: left alone
        {"MSFT", "1.40,1.45,1.46", "1.4|1.45|1.46"},     // not a currency pair
    };
    for (const tCase& c : cases) {
        SCOPED_TRACE(std::string(c.Symbol) + " " + c.Prices);
        const std::string line =
            One(c.Symbol, std::string("\"") + c.Symbol + "\",\"6/1/2011\",\"4:00pm\",1.41," + c.Prices +
                              ",0,N/A,N/A,1.43");
        ASSERT_FALSE(line.empty());
        const std::size_t open = line.find("|16:00:00|") + 10;
        const std::size_t high = line.find('|', open) + 1;
        EXPECT_EQ(line.substr(high, std::string(c.Expected).size()), c.Expected);
    }
}

TEST_F(YahooIntradayTest, BidAskCheck) {
    struct tCase {
        const char* AskBid;
        const char* Expected; // fields 10, 11
    };
    const tCase cases[] = {
        {"50,19.9", "0|0"},    {"39,19.9", "39|19.9"}, {"40,19.9", "40|19.9"},
        {"40.01,19.9", "0|0"}, {"20.1,10", "20.1|10"}, {"20.1,9.99", "0|0"},
        {"0,19.9", "0|0"},     {"20.1,N/A", "0|0"},    {"N/A,N/A", "0|0"},
    };
    for (const tCase& c : cases) {
        SCOPED_TRACE(c.AskBid);
        const std::string line =
            One("IBM", std::string("\"IBM\",\"6/1/2011\",\"4:00pm\",20,21,19,20,100,") + c.AskBid + ",19.5");
        ASSERT_FALSE(line.empty());
        const std::string tail = line.substr(line.find("|16:00:00|") + 10);
        EXPECT_EQ(tail, std::string("20|21|19|20|100|") + c.Expected + "|19.5");
    }
}

TEST_F(YahooIntradayTest, ImplausibleCloseDropsTheLine) {
    EXPECT_TRUE(One("IBM", "\"IBM\",\"6/1/2011\",\"4:00pm\",1,1,1,600000000,100,0,0,1").empty());
    EXPECT_FALSE(One("IBM", "\"IBM\",\"6/1/2011\",\"4:00pm\",1,1,1,505000000,100,0,0,1").empty());
}

TEST_F(YahooIntradayTest, AddSymbol) {
    tYahooIntraday quotes(session, host, clock);
    struct tCase {
        const char* Entry;
        bool Accepted;
        const char* Name;
        const char* Symbol;
    };
    const tCase cases[] = {
        {"YAHTICK|msft", true, "YAHTICK", "MSFT"},
        {" YAH TICK | ib m ", true, "YAHTICK", "IBM"},
        {"aapl", true, "", "AAPL"},
        {"TAG|", true, "", "TAG"},
        {"YAHTICK|^DJI|ignored", true, "YAHTICK", "^DJI"},
        {"|", false, "", ""},
        {"", false, "", ""},
        {"   ", false, "", ""},
        {"OTHER|MSFT", true, "YAHTICK", "MSFT"}, // already held: accepted, nothing added
    };
    std::size_t expectedSize = 0;
    for (const tCase& c : cases) {
        SCOPED_TRACE(c.Entry);
        const bool isNew = c.Accepted && quotes.FindSymbol(c.Symbol) < 0;
        EXPECT_EQ(quotes.AddSymbol(c.Entry), c.Accepted);
        expectedSize += isNew ? 1 : 0;
        ASSERT_EQ(quotes.Entries().size(), expectedSize);
        if (c.Accepted) {
            const int at = quotes.FindSymbol(c.Symbol);
            ASSERT_GE(at, 0);
            EXPECT_EQ(quotes.Entries()[static_cast<std::size_t>(at)].Name, c.Name);
        }
    }
    EXPECT_EQ(quotes.FindSymbol("msft"), 0);
    EXPECT_EQ(quotes.FindSymbol("nope"), -1);

    const std::string longSymbol(35, 'X');
    EXPECT_TRUE(quotes.AddSymbol(std::string(40, 'T') + "|" + longSymbol));
    EXPECT_TRUE(quotes.AddSymbol(longSymbol)); // the same symbol once cut to 30
    EXPECT_EQ(quotes.Entries().back().Symbol, std::string(30, 'X'));
    EXPECT_EQ(quotes.Entries().back().Name, std::string(30, 'T'));
    EXPECT_EQ(quotes.Entries().size(), 6u);
}

TEST_F(YahooIntradayTest, AtMostTenEntries) {
    tYahooIntraday quotes(session, host, clock);
    EXPECT_EQ(quotes.AddSymbols("YAHTICK|A+YAHTICK|B+YAHTICK|A++YAHTICK|C"), 4);
    EXPECT_EQ(quotes.Entries().size(), 3u);
    EXPECT_EQ(quotes.AddSymbols("D+E+F+G+H+I+J+K+L"), 7);
    EXPECT_EQ(quotes.Entries().size(), 10u);
    EXPECT_FALSE(quotes.AddSymbol("YAHTICK|A")) << "full, even for a symbol already held";
    EXPECT_FALSE(quotes.AddSymbol("Z"));
    quotes.Clear();
    EXPECT_TRUE(quotes.Entries().empty());
    EXPECT_EQ(quotes.FindSymbol("A"), -1);
    EXPECT_TRUE(quotes.AddSymbol("Z"));
}

TEST_F(YahooIntradayTest, RequestForEachHost) {
    tYahooIntraday quotes(session, host, clock);
    EXPECT_EQ(quotes.RequestUrl(), "");
    EXPECT_FALSE(quotes.Download()) << "no entries, no request";
    EXPECT_TRUE(session.Calls().empty());

    quotes.AddSymbols("YAHTICK|AT&T+YAHTICK|^DJI+YAHTICK|EURUSD=X");
    EXPECT_EQ(quotes.RequestUrl(),
              "http://127.0.0.1:8471/d/quotes.csv?s=AT%26T+%5EDJI+EURUSD=X&f=sd1t1ohgl1vabp&e=.csv");
    host.HostUS = "us.example:80";
    host.HostUK = "uk.example";
    host.SelectQuoteHost(1);
    EXPECT_EQ(quotes.RequestUrl(),
              "http://uk.example/d/quotes.csv?s=AT%26T+%5EDJI+EURUSD=X&f=st1d1ohgl1vabp&e=.csv");
    host.SelectQuoteHost(0);
    EXPECT_EQ(quotes.RequestUrl(),
              "http://us.example:80/d/quotes.csv?s=AT%26T+%5EDJI+EURUSD=X&f=sd1t1ohgl1vabp&e=.csv");
}

TEST_F(YahooIntradayTest, UkColumnsCarryTheTimeFirst) {
    host.SelectQuoteHost(1);
    EXPECT_EQ(
        One("MSFT", "\"MSFT\",\"4:00pm\",\"6/1/2011\",24.50,25.10,24.40,24.90,60000000,24.91,24.89,25.01"),
        "YAHTICK|MSFT|01/06/2011|16:00:00|24.5|25.1|24.4|24.9|60000000|24.91|24.89|25.01");
    // A US-ordered line on the UK host has no valid date in its date column.
    EXPECT_EQ(
        One("MSFT", "\"MSFT\",\"6/1/2011\",\"4:00pm\",24.50,25.10,24.40,24.90,60000000,24.91,24.89,25.01"),
        "");
}

TEST_F(YahooIntradayTest, DocumentLinesAndUnaskedSymbols) {
    // LF or CR LF, blank lines, a last line without LF, bars as separators, an unknown symbol.
    const auto lines =
        Quotes("YAHTICK|MSFT+YAHTICK|NOSUCH+YAHTICK|IBM",
               "\n\"NOSUCH\",\"N/A\",\"N/A\",N/A,N/A,N/A,0.00,N/A,N/A,N/A,N/A\r\n"
               "\r\n"
               "\"AAPL\",\"6/1/2011\",\"4:00pm\",1,2,1,2,100,2.01,1.99,1.5\n"
               "\"MSFT\"|\"6/1/2011\"|\"4:00pm\"|24.50|25.10|24.40|24.90|60000000|24.91|24.89|25.01\r\n"
               "\"IBM\",\"6/1/2011\",\"10:15am\",160, 161 ,159,160.5,4000000,160.6,160.4,159");
    EXPECT_EQ(lines, (std::vector<std::string>{
                         "YAHTICK|MSFT|01/06/2011|16:00:00|24.5|25.1|24.4|24.9|60000000|24.91|24.89|25.01",
                         "YAHTICK|IBM|01/06/2011|10:15:00|160|161|159|160.5|4000000|160.6|160.4|159",
                         "|AAPL|01/06/2011|16:00:00|1|2|1|2|100|2.01|1.99|1.5",
                     }));
}

TEST_F(YahooIntradayTest, EmptyColumnsAndShortLines) {
    // Empty or missing columns stay 0; a comma inside a quoted name shifts the columns as it always did.
    EXPECT_EQ(One("IBM", "\"IBM\",\"6/1/2011\",\"4:00pm\",,2,,2"),
              "YAHTICK|IBM|01/06/2011|16:00:00|0|2|0|2|0|0|0|0");
    EXPECT_EQ(One("IBM", "\"IBM\",\"6/1/2011\""), "YAHTICK|IBM|01/06/2011|00:00:00|0|0|0|0|0|0|0|0");
    EXPECT_EQ(One("IBM", "\"IBM, Inc\",\"6/1/2011\",\"4:00pm\""), "");
    EXPECT_EQ(One("IBM", ",\"6/1/2011\",\"4:00pm\",1,1,1,1,1,1,1,1"), "") << "no symbol";
}

TEST_F(YahooIntradayTest, FailedDownloadKeepsTheQuotes) {
    tYahooIntraday quotes(session, host, clock);
    quotes.AddSymbols("YAHTICK|MSFT+YAHTICK|IBM");
    session.Answer(200,
                   "\"MSFT\",\"6/1/2011\",\"4:00pm\",24.50,25.10,24.40,24.90,60000000,24.91,24.89,25.01\n");
    ASSERT_TRUE(quotes.Download());
    const auto before = quotes.Results(0);
    ASSERT_EQ(before.size(), 1u);

    for (const int result : {499, 404, 302, 11001, 10069}) {
        SCOPED_TRACE(result);
        session.Answer(result, "\"MSFT\",\"6/2/2011\",\"4:00pm\",1,1,1,1,1,1,1,1\n");
        EXPECT_FALSE(quotes.Download());
        EXPECT_EQ(quotes.LastResult(), result);
        EXPECT_EQ(quotes.Results(0), before);
    }
    // A later line without a valid date does not erase the quote either.
    session.Answer(200, "\"MSFT\",\"N/A\",\"N/A\",N/A,N/A,N/A,0.00,N/A,N/A,N/A,N/A\n");
    EXPECT_TRUE(quotes.Download());
    EXPECT_EQ(quotes.Results(0), before);
}

TEST_F(YahooIntradayTest, ResultsSinceADay) {
    tYahooIntraday quotes(session, host, clock);
    quotes.AddSymbols("YAHTICK|A+YAHTICK|B+YAHTICK|C");
    session.Answer(200, "\"A\",\"6/3/2011\",\"4:00pm\",1,1,1,1,1,0,0,1\n"   // Friday
                        "\"B\",\"6/2/2011\",\"4:00pm\",1,1,1,1,1,0,0,1\n"   // Thursday
                        "\"C\",\"6/6/2011\",\"9:45am\",1,1,1,1,1,0,0,1\n"); // Monday
    ASSERT_TRUE(quotes.Download());
    const auto symbols = [](const std::vector<std::string>& lines) {
        std::string result;
        for (const std::string& line : lines) {
            result += line.substr(8, 1);
        }
        return result;
    };
    EXPECT_EQ(symbols(quotes.Results(0)), "ABC");
    const double friday = 40697; // 3 June 2011
    EXPECT_EQ(symbols(quotes.Results(friday)), "AC");
    EXPECT_EQ(symbols(quotes.Results(friday + 0.75)), "AC") << "the time of day of since does not count";
    EXPECT_EQ(symbols(quotes.Results(friday + 3)), "C");
    EXPECT_EQ(symbols(quotes.Results(friday + 4)), "");
}

} // namespace
} // namespace vc
