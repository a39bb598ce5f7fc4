#include "quotes_csv.h"

#include "exchange.h"

#include "support/fake_clock.h"

#include <gtest/gtest.h>

namespace vc::sim {
namespace {

std::vector<std::string> SplitCsv(const std::string& line) {
    std::vector<std::string> columns;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = line.find(',', start);
        columns.push_back(line.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
        if (comma == std::string::npos) {
            return columns;
        }
        start = comma + 1;
    }
}

std::vector<std::string> Lines(const std::string& body) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < body.size()) {
        const std::size_t end = body.find("\r\n", start);
        EXPECT_NE(end, std::string::npos) << "every line ends in CR LF";
        if (end == std::string::npos) {
            break;
        }
        lines.push_back(body.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

TEST(QuotesCsv, FieldCodes) {
    struct tCase {
        const char* Codes;
        std::vector<std::string> Split;
    };
    const tCase cases[] = {
        {"sd1t1ohgl1vabp", {"s", "d1", "t1", "o", "h", "g", "l1", "v", "a", "b", "p"}},
        {"st1d1ohgl1vabp", {"s", "t1", "d1", "o", "h", "g", "l1", "v", "a", "b", "p"}},
        {"snl", {"s", "n", "l"}},
        {"c1p2", {"c1", "p2"}},
        {"1s", {"s"}},
        {"", {}},
    };
    for (const tCase& c : cases) {
        SCOPED_TRACE(c.Codes);
        EXPECT_EQ(SplitFieldCodes(c.Codes), c.Split);
    }
}

TEST(QuotesCsv, SymbolsOfTheRequest) {
    struct tCase {
        const char* Raw;
        std::vector<std::string> Symbols;
    };
    const tCase cases[] = {
        {"MSFT+%5EDJI", {"MSFT", "^DJI"}},
        {"msft+^dji", {"MSFT", "^DJI"}},
        {"AT%26T+M%26M", {"AT&T", "M&M"}},
        {"IBM,AAPL", {"IBM", "AAPL"}},
        {"+IBM++%20+", {"IBM"}},
        {"%22IBM%22%2C%0D%0A", {"IBM"}}, // quotes, commas and line ends cannot get into the answer
        {"eurusd=x", {"EURUSD=X"}},
        {"", {}},
    };
    for (const tCase& c : cases) {
        SCOPED_TRACE(c.Raw);
        EXPECT_EQ(SplitSymbols(c.Raw), c.Symbols);
    }
    std::string many;
    for (int i = 0; i < 250; ++i) {
        many += "S" + std::to_string(i) + "+";
    }
    EXPECT_EQ(SplitSymbols(many).size(), kMaxSymbolsPerRequest);
}

class QuotesPageTest : public ::testing::Test {
protected:
    QuotesPageTest() : clock(DayNumber(2011, 6, 1) + 16.0 / 24) {
        tUniverse universe;
        universe.Load("MSFT,Microsoft Corporation,NasdaqNM,Stock,25.01,60000000\n"
                      "AT&T,Ampersand Test,NYSE,Stock,30,1000\n"
                      "^DJI,Dow Jones Industrial Average,DJI,Index,12290.14,150000000\n"
                      "EURUSD=X,EUR to USD,CCY,Currency,1.4352,0\n");
        tSession session;
        ParseSessionText("09:30-16:00", session);
        exchange = std::make_unique<tExchange>(std::move(universe), 1, session, clock);
    }
    tResponse Get(const std::string& query) { return exchange->Handle({"GET", "/d/quotes.csv", query, ""}); }

    test::tFakeClock clock;
    std::unique_ptr<tExchange> exchange;
};

TEST_F(QuotesPageTest, OneLinePerSymbolInTheAskedColumnOrder) {
    const tResponse response = Get("s=MSFT+%5EDJI&f=sd1t1ohgl1vabp&e=.csv");
    ASSERT_EQ(response.Status, 200);
    EXPECT_EQ(response.ContentType, "text/csv");
    const auto lines = Lines(response.Body);
    ASSERT_EQ(lines.size(), 2u);

    const auto msft = SplitCsv(lines[0]);
    ASSERT_EQ(msft.size(), 11u);
    EXPECT_EQ(msft[0], "\"MSFT\"");
    EXPECT_EQ(msft[1], "\"6/1/2011\"");
    EXPECT_EQ(msft[2], "\"4:00pm\"");
    const double open = std::stod(msft[3]), high = std::stod(msft[4]), low = std::stod(msft[5]),
                 last = std::stod(msft[6]), ask = std::stod(msft[8]), bid = std::stod(msft[9]);
    EXPECT_LE(low, open);
    EXPECT_LE(open, high);
    EXPECT_LE(low, last);
    EXPECT_LE(last, high);
    EXPECT_LT(bid, ask);
    EXPECT_EQ(msft[3].size() - msft[3].find('.'), 3u) << "two decimals: " << msft[3];
    EXPECT_EQ(msft[7].find('.'), std::string::npos) << "volume is whole: " << msft[7];

    const auto dji = SplitCsv(lines[1]);
    ASSERT_EQ(dji.size(), 11u);
    EXPECT_EQ(dji[0], "\"^DJI\"");
    EXPECT_EQ(dji[8], "N/A");
    EXPECT_EQ(dji[9], "N/A");

    // The UK order swaps the time and the date column and nothing else.
    const auto uk = SplitCsv(Lines(Get("s=MSFT&f=st1d1ohgl1vabp").Body).at(0));
    ASSERT_EQ(uk.size(), 11u);
    EXPECT_EQ(uk[1], msft[2]);
    EXPECT_EQ(uk[2], msft[1]);
    for (std::size_t i = 3; i < 11; ++i) {
        EXPECT_EQ(uk[i], msft[i]) << i;
    }
}

// The page a chat alert links to shows the same last price as the quote download.
TEST_F(QuotesPageTest, QuotePageOfASymbol) {
    const std::string last = SplitCsv(Lines(Get("s=AT%26T&f=l1").Body).at(0)).at(0);
    const tResponse page = exchange->Handle({"GET", "/q", "s=AT%26T", ""});
    ASSERT_EQ(page.Status, 200);
    EXPECT_EQ(page.ContentType, "text/html; charset=utf-8");
    EXPECT_NE(page.Body.find("<h1>Ampersand Test (AT&amp;T)</h1>"), std::string::npos) << page.Body;
    EXPECT_NE(page.Body.find("<tr><th>Last</th><td>" + last + "</td></tr>"), std::string::npos) << page.Body;
    EXPECT_EQ(exchange->Handle({"GET", "/q", "s=NOSUCH", ""}).Status, 404);
    EXPECT_EQ(exchange->Handle({"GET", "/q", "", ""}).Status, 404);
}

TEST_F(QuotesPageTest, UnknownSymbolIsNotAvailableInEveryColumn) {
    const auto lines = Lines(Get("s=NOSUCH+MSFT&f=sd1t1ohgl1vabpn").Body);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "\"NOSUCH\",\"N/A\",\"N/A\",N/A,N/A,N/A,N/A,N/A,N/A,N/A,N/A,\"N/A\"");
    EXPECT_EQ(lines[1].substr(0, 19), "\"MSFT\",\"6/1/2011\",\"");
}

TEST_F(QuotesPageTest, AmpersandSymbolAndTextColumns) {
    const auto lines = Lines(Get("s=AT%26T+EURUSD%3DX&f=snxl1c1p2l").Body);
    ASSERT_EQ(lines.size(), 2u);
    const auto att = SplitCsv(lines[0]);
    ASSERT_EQ(att.size(), 7u);
    EXPECT_EQ(att[0], "\"AT&T\"");
    EXPECT_EQ(att[1], "\"Ampersand Test\"");
    EXPECT_EQ(att[2], "\"NYSE\"");
    EXPECT_TRUE(att[4][0] == '+' || att[4][0] == '-') << att[4];
    EXPECT_EQ(att[5].front(), '"');
    EXPECT_EQ(att[5].substr(att[5].size() - 2), "%\"");
    EXPECT_EQ(att[6], "\"4:00pm - <b>" + att[3] + "</b>\"");

    const auto eur = SplitCsv(lines[1]);
    EXPECT_EQ(eur[3].size() - eur[3].find('.'), 5u) << "four decimals: " << eur[3];
}

TEST_F(QuotesPageTest, DefaultsAndOddRequests) {
    // No field codes: the feed's own default list.
    const auto columns = SplitCsv(Lines(Get("s=MSFT").Body).at(0));
    EXPECT_EQ(columns.size(), SplitFieldCodes(kDefaultFieldCodes).size());
    EXPECT_EQ(columns[2], "\"6/1/2011\"");
    EXPECT_EQ(Get("f=sl1").Body, "Missing Symbols List.\r\n");
    EXPECT_EQ(Get("s=MSFT&f=sz").Body, "\"MSFT\",N/A\r\n") << "unknown codes answer N/A";
    EXPECT_EQ(exchange->Handle({"GET", "/d/other.csv", "s=MSFT", ""}).Status, 404);
}

TEST_F(QuotesPageTest, QuotesMoveWithTheClock) {
    clock.Set(DayNumber(2011, 6, 1) + 10.0 / 24);
    const std::string morning = Get("s=MSFT&f=t1l1v").Body;
    clock.Set(DayNumber(2011, 6, 1) + 14.5 / 24);
    const std::string afternoon = Get("s=MSFT&f=t1l1v").Body;
    EXPECT_EQ(morning.substr(0, 10), "\"10:00am\",");
    EXPECT_EQ(afternoon.substr(0, 9), "\"2:30pm\",");
    EXPECT_NE(SplitCsv(morning)[2], SplitCsv(afternoon)[2]) << "volume grows";
    // Saturday: Friday's date.
    clock.Set(DayNumber(2011, 6, 4) + 12.0 / 24);
    EXPECT_EQ(Get("s=MSFT&f=d1t1").Body, "\"6/3/2011\",\"4:00pm\"\r\n");
}

} // namespace
} // namespace vc::sim
