// The simulated exchange's lookup pages as the program reads them, through a session that hands
// each request straight to the exchange.
#include "exchange.h"
#include "lookup_page.h"

#include "market/market_tables.h"
#include "market/yahoo_database.h"
#include "support/fake_clock.h"
#include "support/temp_dir.h"
#include "toolkit/dates.h"
#include "toolkit/text.h"

#include <gtest/gtest.h>

#include <set>

namespace vc {
namespace {

class tExchangeSession final : public tHttpSession {
public:
    explicit tExchangeSession(sim::tExchange& exchange) : exchange_(exchange) {}
    int Fetch(const std::string& url, const tHttpSettings&, std::string& document) override {
        ++Fetches;
        const std::string rest = url.substr(url.find('/', 7));
        const std::size_t query = rest.find('?');
        const sim::tResponse response = exchange_.Handle(
            {"GET", rest.substr(0, query), query == std::string::npos ? "" : rest.substr(query + 1), "x"});
        document = response.Body;
        return response.Status;
    }
    void Abandon() override {}
    int Fetches = 0;

private:
    sim::tExchange& exchange_;
};

class ExchangeLookup : public ::testing::Test {
protected:
    ExchangeLookup() : clock(ParseDate("10/12/2026") + ParseTime("15:00:00")) {
        const auto path = test::FixturePath("x").parent_path().parent_path().parent_path() / "data" /
                          "market" / "universe.csv";
        EXPECT_TRUE(universe.LoadFile(path.string()));
        exchange = std::make_unique<sim::tExchange>(universe, 3, sim::tSession{}, clock);
    }
    std::vector<std::string> Find(const std::string& query, const char* kind = "S") {
        tExchangeSession session(*exchange);
        tYahooDatabase lookup(session, hosts);
        const auto lines = lookup.Lookup(lookup.LookupUrl(query, kind, ""));
        fetches = session.Fetches;
        return lines;
    }

    sim::tUniverse universe;
    test::tFakeClock clock;
    std::unique_ptr<sim::tExchange> exchange;
    tFinanceHosts hosts;
    int fetches = 0;
};

TEST_F(ExchangeLookup, EveryMatchOverEveryPage) {
    std::set<std::string> expected;
    for (const sim::tListing& listing : universe.Listings()) {
        if (listing.Kind == sim::tKind::Stock && UpperText(listing.Name).find("CORP") != std::string::npos) {
            expected.insert(listing.Symbol + "|" + listing.Name + "|" +
                            ExchangeName(sim::ExchangeCodeOf(listing)) + "|Stock");
        }
    }
    ASSERT_GT(expected.size(), static_cast<std::size_t>(sim::kLookupRowsPerPage))
        << "a word of several pages";
    const std::vector<std::string> lines = Find("corp");
    EXPECT_EQ(std::set<std::string>(lines.begin(), lines.end()), expected);
    EXPECT_EQ(lines.size(), expected.size()) << "no page read twice";
    EXPECT_EQ(fetches,
              static_cast<int>((expected.size() + sim::kLookupRowsPerPage - 1) / sim::kLookupRowsPerPage));
}

TEST_F(ExchangeLookup, SymbolsNamesIsinsAndKinds) {
    const sim::tListing& msft = *universe.Find("MSFT");
    const std::string isin = sim::IsinOf(msft);
    ASSERT_EQ(isin.size(), 12u);
    EXPECT_TRUE(isin.starts_with("US"));
    EXPECT_EQ(Find(isin), std::vector<std::string>{"MSFT|" + msft.Name + "|NasdaqGM|Stock"});

    for (const std::string& line : Find(".pa")) {
        EXPECT_TRUE(Field(line, 1).ends_with(".PA")) << line;
        EXPECT_EQ(Field(line, 3), "Parijs") << line;
    }
    const std::vector<std::string> indices = Find("^dj", "I");
    EXPECT_GE(indices.size(), 4u);
    for (const std::string& line : indices) {
        EXPECT_TRUE(Field(line, 1).starts_with("^DJ")) << line;
        EXPECT_EQ(Field(line, 4), "Index") << line;
    }
    EXPECT_TRUE(Find("^dj", "S").empty()) << "indices are no stocks";
    EXPECT_TRUE(Find("zzzzqq").empty());
    EXPECT_TRUE(Find("msft", "F").empty()) << "no futures are listed";
    const std::vector<std::string> johnson = Find("johnson");
    ASSERT_FALSE(johnson.empty());
    EXPECT_NE(johnson.front().find("Johnson & Johnson"), std::string::npos) << johnson.front();
}

} // namespace
} // namespace vc
