// The index member download end to end: tYahooIndexes through tHttpAsync against velocrest-market
// on a free port of 127.0.0.1, all pages of an index with several.
#include "index_members.h"
#include "market/http_codes.h"
#include "market/qt/http_async.h"
#include "market/yahoo_indexes.h"
#include "support/qt/market_process.h"
#include "support/temp_dir.h"
#include "toolkit/text.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace vc {
namespace {

sim::tUniverse ShippedUniverse() {
    const auto path =
        test::FixturePath("x").parent_path().parent_path().parent_path() / "data" / "market" / "universe.csv";
    sim::tUniverse universe;
    EXPECT_TRUE(universe.LoadFile(path.string())) << path;
    return universe;
}

class YahooIndexesEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(market.Start({"--seed", "23", "--tick", "3600", "--clock", "2025-06-11 15:00:00"}))
            << market.Error().toStdString();
        host = "127.0.0.1:" + std::to_string(market.Port());
    }

    test::tMarketProcess market;
    std::string host;
    tHttpAsync session;
};

TEST_F(YahooIndexesEndToEnd, AllPagesOfTheSp500) {
    const sim::tUniverse universe = ShippedUniverse();
    const std::vector<const sim::tListing*> expected = sim::IndexMembers(universe, "^GSPC");
    ASSERT_GT(expected.size(), 2 * sim::kMembersPerPage) << "the index should span several pages";

    tYahooIndexes indexes(session);
    indexes.URL = "http://" + host + "/q/cp?s=^GSPC";
    ASSERT_EQ(indexes.Download(), kHttpOk);
    EXPECT_FALSE(indexes.MorePages);
    ASSERT_EQ(indexes.Members.size(), expected.size());
    std::set<std::string> symbols;
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(indexes.Members[i], expected[i]->Name + "|" + expected[i]->Symbol);
        symbols.insert(Field(indexes.Members[i], 2));
    }
    EXPECT_EQ(symbols.size(), expected.size()) << "no page read twice";
    // Some members' volume is not reported on any day, and those have no quote.
    EXPECT_LT(indexes.Quotes.size(), indexes.Members.size());
    EXPECT_GT(indexes.Quotes.size(), indexes.Members.size() / 2);
    for (const std::string& line : indexes.Quotes) {
        EXPECT_EQ(FieldCount(line), 4) << line;
        EXPECT_GT(ToNumber(Field(line, 3)), 0) << line;
        EXPECT_GT(ToNumber(Field(line, 4)), 0) << line;
    }
    std::vector<std::string> gainers;
    indexes.SelectMovers(gainers, true);
    EXPECT_FALSE(gainers.empty());
}

TEST_F(YahooIndexesEndToEnd, StoppedExchangeLeavesEmptyLists) {
    tYahooIndexes indexes(session);
    indexes.URL = "http://" + host + "/q/cp?s=^DJI";
    ASSERT_EQ(indexes.Download(), kHttpOk);
    EXPECT_EQ(indexes.Members.size(), sim::kDowMembers);
    market.Stop();
    EXPECT_NE(indexes.Download(), kHttpOk);
    EXPECT_TRUE(indexes.Members.empty());
    EXPECT_TRUE(indexes.Quotes.empty());
}

} // namespace
} // namespace vc
