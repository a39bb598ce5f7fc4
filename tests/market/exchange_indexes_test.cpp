// The simulated exchange's component pages as the program reads them: every index of the shipped
// listings is downloaded page by page through the program's reader, straight from the exchange's
// request handler, so the page layout and the parser can never drift apart.
#include "exchange.h"
#include "index_members.h"

#include "market/yahoo_indexes.h"
#include "support/fake_clock.h"
#include "support/temp_dir.h"
#include "toolkit/dates.h"
#include "toolkit/text.h"

#include <gtest/gtest.h>

#include <set>

namespace vc {
namespace {

constexpr std::uint64_t kSeed = 5;
const char* const kHost = "127.0.0.1:40123";

// Hands each fetch to the exchange as its HTTP layer would.
class tExchangeSession final : public tHttpSession {
public:
    explicit tExchangeSession(sim::tExchange& exchange) : exchange_(exchange) {}

    int Fetch(const std::string& url, const tHttpSettings&, std::string& document) override {
        urls.push_back(url);
        const std::string target = url.substr(url.find('/', std::string("http://").size()));
        const std::size_t query = target.find('?');
        const sim::tResponse response =
            exchange_.Handle({"GET", target.substr(0, query),
                              query == std::string::npos ? std::string() : target.substr(query + 1), kHost});
        document = response.Body;
        return response.Status;
    }
    void Abandon() override {}

    std::vector<std::string> urls;

private:
    sim::tExchange& exchange_;
};

sim::tUniverse ShippedUniverse() {
    const auto path =
        test::FixturePath("x").parent_path().parent_path().parent_path() / "data" / "market" / "universe.csv";
    sim::tUniverse universe;
    EXPECT_TRUE(universe.LoadFile(path.string())) << path;
    return universe;
}

std::string Fixed2(double value) {
    return Trim(FormatFixed(value, 15, 2));
}

class ExchangeIndexes : public ::testing::Test {
protected:
    ExchangeIndexes()
        : clock(ParseDate("10/12/2026") + ParseTime("15:10:00")),
          exchange(ShippedUniverse(), kSeed, sim::tSession{}, clock), walk(kSeed, sim::tSession{}),
          session(exchange), indexes(session) {}

    test::tFakeClock clock;
    sim::tExchange exchange;
    sim::tPriceWalk walk;
    tExchangeSession session;
    tYahooIndexes indexes;
};

TEST_F(ExchangeIndexes, EveryMemberOfEveryIndexReachesTheProgram) {
    std::size_t unreportedSeen = 0;
    for (const char* index : {"^GSPC", "^DJI", "^NYA", "^IXIC", "^NDX", "^FCHI", "^AEX", "^BFX", "^GDAXI",
                              "^FTSE", "^STOXX50E", "^N225", "NOSUCH"}) {
        SCOPED_TRACE(index);
        session.urls.clear();
        indexes.URL = std::string("http://") + kHost + "/q/cp?s=" + index;
        ASSERT_EQ(indexes.Download(), 200);

        const std::vector<const sim::tListing*> members = sim::IndexMembers(exchange.Universe(), index);
        const std::size_t pages = std::max<std::size_t>(1, (members.size() + 49) / 50);
        EXPECT_EQ(session.urls.size(), pages);
        ASSERT_EQ(indexes.Members.size(), members.size());
        std::size_t quoted = 0;
        for (std::size_t i = 0; i < members.size(); ++i) {
            const sim::tListing& listing = *members[i];
            EXPECT_EQ(indexes.Members[i], listing.Name + "|" + listing.Symbol);
            const sim::tQuote quote = walk.Quote(listing, clock.Now());
            if (sim::VolumeUnreported(kSeed, listing.Symbol, quote.Day)) {
                ++unreportedSeen;
                continue;
            }
            ASSERT_LT(quoted, indexes.Quotes.size());
            const std::string& line = indexes.Quotes[quoted++];
            EXPECT_EQ(FieldCount(line), 4) << line;
            EXPECT_EQ(Field(line, 2), listing.Symbol);
            EXPECT_EQ(Field(line, 3), Fixed2(quote.Last)) << line;
            EXPECT_EQ(Field(line, 4), Trim(FormatFixed(quote.Prev, 15, 4))) << line;
        }
        EXPECT_EQ(indexes.Quotes.size(), quoted);
    }
    // The volume-0 rule was met, not just allowed.
    EXPECT_GT(unreportedSeen, 0u);
}

TEST_F(ExchangeIndexes, MoversOfTheDowComeFromItsTradedMembers) {
    indexes.URL = std::string("http://") + kHost + "/q/cp?s=%5EDJI";
    ASSERT_EQ(indexes.Download(), 200);
    ASSERT_EQ(indexes.Members.size(), sim::kDowMembers);
    std::vector<std::string> gainers;
    std::vector<std::string> losers;
    indexes.SelectMovers(gainers, true);
    indexes.SelectMovers(losers, false);
    EXPECT_FALSE(gainers.empty());
    EXPECT_FALSE(losers.empty());
    EXPECT_LE(gainers.size() + losers.size(), indexes.Quotes.size());

    std::set<std::string> traded;
    for (const std::string& line : indexes.Quotes) {
        traded.insert(Field(line, 2));
    }
    double previousPercent = 1e9;
    for (const std::string& line : gainers) {
        EXPECT_TRUE(traded.count(Field(line, 2))) << line;
        const double percent = ToNumber(Field(line, 3)) / ToNumber(Field(line, 4));
        EXPECT_GT(percent, 1.0) << line;
        EXPECT_LE(percent, previousPercent) << line;
        previousPercent = percent;
    }
    for (const std::string& line : losers) {
        EXPECT_LT(ToNumber(Field(line, 3)), ToNumber(Field(line, 4))) << line;
    }
}

} // namespace
} // namespace vc
