#include "index_members.h"

#include "exchange.h"

#include "support/fake_clock.h"
#include "toolkit/dates.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vc::sim {
namespace {

constexpr std::uint64_t kSeed = 11;

std::vector<std::string> Symbols(const std::vector<const tListing*>& members) {
    std::vector<std::string> symbols;
    for (const tListing* listing : members) {
        symbols.push_back(listing->Symbol);
    }
    return symbols;
}

std::size_t Count(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

TEST(IndexMembers, ExchangesDecideMembership) {
    tUniverse universe;
    ASSERT_TRUE(universe.Load("ZZ,Last NYSE,NYSE,Stock,10,100\n"
                              "MSFT,Microsoft,NasdaqNM,Stock,400,200\n"
                              "IBM,IBM,NYSE,Stock,160,300\n"
                              "^NYA,NYSE Composite,NYSE,Index,19000,0\n"
                              "MC.PA,LVMH,Paris,Stock,700,10\n"
                              "ASML.AS,ASML,Amsterdam,Stock,700,10\n"
                              "SAP.DE,SAP,XETRA,Stock,200,10\n"
                              "BP.L,BP,London,Stock,4,10\n"
                              "ABI.BR,AB InBev,Brussels,Stock,55,10\n"
                              "EURUSD=X,EUR to USD,CCY,Currency,1.08,0\n"));
    const struct {
        const char* Index;
        std::vector<std::string> Members;
    } cases[] = {
        {"^GSPC", {"IBM", "MSFT", "ZZ"}},
        {"^gspc", {"IBM", "MSFT", "ZZ"}},
        {"^NYA", {"IBM", "ZZ"}},
        {"^IXIC", {"MSFT"}},
        {"^NDX", {"MSFT"}},
        {"^DJI", {"IBM", "MSFT", "ZZ"}},
        {"^FCHI", {"MC.PA"}},
        {"^AEX", {"ASML.AS"}},
        {"^BFX", {"ABI.BR"}},
        {"^GDAXI", {"SAP.DE"}},
        {"^FTSE", {"BP.L"}},
        {"^STOXX50E", {"ABI.BR", "ASML.AS", "MC.PA", "SAP.DE"}},
        {"^N225", {}},
        {"MSFT", {}},
        {"", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Index);
        EXPECT_EQ(Symbols(IndexMembers(universe, c.Index)), c.Members);
    }
}

TEST(IndexMembers, DowTakesTheThirtyMostTraded) {
    std::string csv;
    // S00 and S01 trade most; the other thirty tie, so the symbol picks 28 of them.
    for (int i = 0; i < 32; ++i) {
        const std::string symbol = (i < 10 ? "S0" : "S") + std::to_string(i);
        const int volume = i < 2 ? 500 : 100;
        csv += symbol + ",Stock " + symbol + (i % 2 ? ",NYSE" : ",NasdaqNM") + ",Stock,10," +
               std::to_string(volume) + "\n";
    }
    csv += "LOW,Low,NYSE,Stock,10,50\n";
    tUniverse universe;
    ASSERT_TRUE(universe.Load(csv));
    const std::vector<std::string> dow = Symbols(IndexMembers(universe, "^DJI"));
    ASSERT_EQ(dow.size(), kDowMembers);
    EXPECT_EQ(dow.front(), "S00");
    EXPECT_EQ(dow.back(), "S29");
    EXPECT_TRUE(std::is_sorted(dow.begin(), dow.end()));
}

TEST(IndexMembers, RowShowsTheQuote) {
    const tListing listing{"JNJ", "Johnson & Johnson <US>", "NYSE", tKind::Stock, 155.8, 7100000};
    tQuote quote;
    quote.Seconds = 16 * 3600;
    quote.Last = 156.55;
    quote.Prev = 155.8;
    quote.Volume = 12345678;
    const std::string cell = "<td class=\"yfnc_tabledata1\">";
    EXPECT_EQ(ComponentRow(listing, quote, false),
              "<tr>" + cell + "<b><a href=\"/q?s=JNJ\">JNJ</a></b></td>" + cell +
                  "Johnson &amp; Johnson &lt;US&gt;</td>" + cell +
                  "<b>156.55</b> <nobr><small>4:00pm</small></nobr></td>" + cell +
                  "<img width=\"10\" height=\"14\" border=\"0\" src=\"/img/up_g.gif\" alt=\"Up\"> <b "
                  "style=\"color:#008800;\">0.75</b> <b style=\"color:#008800;\">(0.48%)</b></td>" +
                  cell + "12,345,678</td></tr>");

    const struct {
        const char* Name;
        double Last;
        bool Unreported;
        const char* Expected[3]; // parts the row must hold
        const char* Absent;
    } cases[] = {
        {"fall", 150.0, false, {"alt=\"Down\">", ">5.80</b>", "(3.72%)"}, "alt=\"Up\""},
        {"unchanged: no arrow", 155.8, false, {">0.00</b>", "(0.00%)", ">12,345,678</td>"}, "<img"},
        {"volume not reported", 150.0, true, {"alt=\"Down\">", ">5.80</b>", ">0</td></tr>"}, "12,345,678"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        quote.Last = c.Last;
        const std::string row = ComponentRow(listing, quote, c.Unreported);
        for (const char* part : c.Expected) {
            EXPECT_NE(row.find(part), std::string::npos) << part << " in " << row;
        }
        EXPECT_EQ(row.find(c.Absent), std::string::npos) << row;
    }
}

TEST(IndexMembers, ThousandsText) {
    const std::pair<double, const char*> cases[] = {
        {0, "0"}, {999, "999"}, {1000, "1,000"}, {123456, "123,456"}, {1234567.9, "1,234,567"}, {-5, "0"},
    };
    for (const auto& [value, text] : cases) {
        EXPECT_EQ(ThousandsText(value), text) << value;
    }
}

TEST(IndexMembers, PagesOfFiftyWithNextLinks) {
    std::string csv = "^NYA,NYSE Composite,NYSE,Index,19000,0\n";
    for (int i = 0; i < 120; ++i) {
        csv += "N" + std::to_string(1000 + i) + ",Member " + std::to_string(i) + ",NYSE,Stock,20,1000000\n";
    }
    tUniverse universe;
    ASSERT_TRUE(universe.Load(csv));
    test::tFakeClock clock(ParseDate("10/12/2026") + ParseTime("15:10:00"));
    tExchange exchange(std::move(universe), kSeed, tSession{}, clock);

    const struct {
        const char* Query;
        std::size_t Rows;
        const char* First; // first member on the page, "" for none
        bool Next;
        bool Prev;
    } cases[] = {
        {"s=%5ENYA", 50, "N1000", true, false},
        {"s=^nya&c=1", 50, "N1050", true, true},
        {"s=%5ENYA&c=2", 20, "N1100", false, true},
        {"s=%5ENYA&c=3", 0, "", false, false},
        {"s=%5ENYA&c=-1", 50, "N1000", true, false},
        {"s=%5ENYA&c=x", 50, "N1000", true, false},
        {"s=%5EN225", 0, "", false, false},
        {"s=NOSUCH", 0, "", false, false},
        {"", 0, "", false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Query);
        const tResponse page = exchange.Handle({"GET", "/q/cp", c.Query, "127.0.0.1:1"});
        EXPECT_EQ(page.Status, 200);
        EXPECT_TRUE(page.ContentType.starts_with("text/html"));
        EXPECT_EQ(Count(page.Body, "<tr><td class=\"yfnc_tabledata1\">"), c.Rows);
        EXPECT_EQ(Count(page.Body, "<table"), 1u);
        EXPECT_EQ(Count(page.Body, "</table>"), 1u);
        EXPECT_EQ(Count(page.Body, "<th "), 5u);
        if (*c.First) {
            EXPECT_NE(page.Body.find(std::string("<a href=\"/q?s=") + c.First + "\">"), std::string::npos);
        }
        EXPECT_EQ(page.Body.find(">Next</a>") != std::string::npos, c.Next);
        EXPECT_EQ(page.Body.find(">Prev</a>") != std::string::npos, c.Prev);
    }
    const tResponse second = exchange.Handle({"GET", "/q/cp", "s=%5ENYA&c=1", ""});
    EXPECT_NE(second.Body.find("<a href=\"/q/cp?s=%5ENYA&amp;c=2\">Next</a>"), std::string::npos);
    EXPECT_NE(second.Body.find("<a href=\"/q/cp?s=%5ENYA&amp;c=0\">Prev</a>"), std::string::npos);
}

TEST(IndexMembers, SomeVolumesUnreportedEachDay) {
    std::size_t unreported = 0;
    std::size_t changedOnNextDay = 0;
    const int day = 20000;
    for (int i = 0; i < 1000; ++i) {
        const std::string symbol = "S" + std::to_string(i);
        unreported += VolumeUnreported(kSeed, symbol, day) ? 1 : 0;
        changedOnNextDay += VolumeUnreported(kSeed, symbol, day) != VolumeUnreported(kSeed, symbol, day + 1);
        EXPECT_EQ(VolumeUnreported(kSeed, symbol, day), VolumeUnreported(kSeed, symbol, day));
    }
    EXPECT_GT(unreported, 40u);
    EXPECT_LT(unreported, 150u);
    EXPECT_GT(changedOnNextDay, 0u);
}

} // namespace
} // namespace vc::sim
