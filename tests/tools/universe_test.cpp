#include "universe.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <set>

namespace vc::sim {
namespace {

TEST(Universe, ReadsGoodLinesAndSkipsBadOnes) {
    const std::string text = "Symbol,Name,Exchange,Kind,Price,Volume\r\n"
                             "# a comment\r\n"
                             "msft,Microsoft Corporation,NasdaqNM,Stock,25.01,60000000\r\n"
                             "\r\n"
                             "^DJI,Dow Jones Industrial Average,DJI,index,12290.14,150000000\n"
                             "BAD1,Too few fields,NYSE,Stock,10\n"
                             "BAD2,Unknown kind,NYSE,Bond,10,100\n"
                             "BAD3,Zero price,NYSE,Stock,0,100\n"
                             "BAD4,Negative volume,NYSE,Stock,10,-5\n"
                             "BAD 5,Space in symbol,NYSE,Stock,10,5\n"
                             "BAD6,Text price,NYSE,Stock,ten,5\n"
                             ",No symbol,NYSE,Stock,10,5\n"
                             "MSFT,Second listing,NYSE,Stock,99,1\n"
                             "EURUSD=X,EUR to USD,CCY,Currency,1.4352,0";
    tUniverse universe;
    ASSERT_TRUE(universe.Load(text));
    ASSERT_EQ(universe.Listings().size(), 3u);
    EXPECT_EQ(universe.SkippedLines(), 7);
    EXPECT_EQ(universe.FirstSkippedLine(), 6);

    const tListing* msft = universe.Find("Msft");
    ASSERT_NE(msft, nullptr);
    EXPECT_EQ(msft->Symbol, "MSFT");
    EXPECT_EQ(msft->Name, "Microsoft Corporation"); // the first listing wins
    EXPECT_DOUBLE_EQ(msft->Price, 25.01);
    EXPECT_EQ(msft->Decimals(), 2);

    const tListing* dji = universe.Find("^dji");
    ASSERT_NE(dji, nullptr);
    EXPECT_EQ(dji->Kind, tKind::Index);
    const tListing* eur = universe.Find("EURUSD=X");
    ASSERT_NE(eur, nullptr);
    EXPECT_EQ(eur->Kind, tKind::Currency);
    EXPECT_EQ(eur->Decimals(), 4);
    EXPECT_EQ(universe.Find("BAD1"), nullptr);
    EXPECT_EQ(universe.Find(""), nullptr);
}

TEST(Universe, EmptyOrUnreadableFileIsAFailure) {
    tUniverse universe;
    EXPECT_FALSE(universe.Load("Symbol,Name,Exchange,Kind,Price,Volume\n# nothing\n"));
    EXPECT_FALSE(universe.LoadFile("/nonexistent/universe.csv"));
    test::tTempDir dir;
    dir.Write("u.csv", "IBM,International Business Machines,NYSE,Stock,160.5,4000000\n");
    ASSERT_TRUE(universe.LoadFile(dir.File("u.csv")));
    EXPECT_NE(universe.Find("IBM"), nullptr);
}

// The shipped listings: the demo and the end-to-end tests rely on these being there.
TEST(Universe, ShippedListingsAreCompleteAndClean) {
    const auto path =
        test::FixturePath("x").parent_path().parent_path().parent_path() / "data" / "market" / "universe.csv";
    tUniverse universe;
    ASSERT_TRUE(universe.LoadFile(path.string())) << path;
    EXPECT_EQ(universe.SkippedLines(), 0) << "first bad line " << universe.FirstSkippedLine();
    EXPECT_GE(universe.Listings().size(), 300u);

    for (const char* symbol :
         {"MSFT", "AAPL", "IBM", "^DJI", "^DJA", "^GSPC", "^IXIC", "^TNX", "^FVX", "^IRX", "^TYX", "EURUSD=X",
          "GBPUSD=X", "MC.PA", "ASML.AS", "ABI.BR", "SAP.DE", "BP.L"}) {
        SCOPED_TRACE(symbol);
        EXPECT_NE(universe.Find(symbol), nullptr);
    }
    std::set<std::string> suffixes;
    std::set<tKind> kinds;
    for (const tListing& listing : universe.Listings()) {
        kinds.insert(listing.Kind);
        const auto dot = listing.Symbol.rfind('.');
        if (dot != std::string::npos && listing.Kind == tKind::Stock) {
            suffixes.insert(listing.Symbol.substr(dot));
        }
        EXPECT_EQ(listing.Symbol.find('&'), std::string::npos) << listing.Symbol;
        if (listing.Kind == tKind::Yield) {
            EXPECT_EQ(listing.Symbol[0], '^') << listing.Symbol;
        }
        if (listing.Kind == tKind::Currency) {
            EXPECT_NE(listing.Symbol.find("=X"), std::string::npos) << listing.Symbol;
        }
    }
    EXPECT_EQ(kinds.size(), 4u);
    for (const char* suffix : {".PA", ".AS", ".BR", ".DE", ".L"}) {
        EXPECT_TRUE(suffixes.count(suffix)) << suffix;
    }
}

} // namespace
} // namespace vc::sim
