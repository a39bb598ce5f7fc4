#include "dialogs/symbol_properties.h"

#include <gtest/gtest.h>

#include "toolkit/dates.h"

namespace vc {
namespace {

using Texts = std::vector<std::string>;

TEST(PercentMenuTest, CaptionsFromTheLastPrice) {
    EXPECT_EQ(
        PercentMenuCaptions(50, tAlertSide::Up),
        (Texts{"50.50 (+1.00%)", "50.62 (+1.25%)", "50.75 (+1.50%)", "51.00 (+2.00%)", "51.25 (+2.50%)",
               "51.50 (+3.00%)", "52.00 (+4.00%)", "52.50 (+5.00%)", "53.75 (+7.50%)", "55.00 (+10.00%)"}));
    const Texts down = PercentMenuCaptions(50, tAlertSide::Down);
    EXPECT_EQ(down.front(), "49.50 (-1.00%)");
    EXPECT_EQ(down.back(), "45.00 (-10.00%)");
    EXPECT_EQ(PercentMenuCaptions(0, tAlertSide::Up), Texts(10, ""));

    EXPECT_EQ(ThresholdOfCaption("50.50 (+1.00%)"), "50.50");
    EXPECT_EQ(ThresholdOfCaption(""), "") << "a price of 0 empties the threshold";
}

TEST(ThresholdBoxTest, AcceptsDigitsAndOnePoint) {
    const struct {
        const char* Text;
        std::optional<std::string> Accepted;
    } cases[] = {
        {"56.5", "56.5"}, {"56,5", "56.5"}, {"", ""},   {".5", ".5"}, {"5.6.", {}},
        {"5,6.1", {}},    {"12a", {}},      {"-3", {}}, {" 3", {}},   {"1e5", {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(AcceptThreshold(c.Text), c.Accepted) << c.Text;
    }
}

struct tFiredItem {
    tFiredItem() {
        item.Symbol = "ASML.AS";
        item.Name = "ASML";
        item.Date = EncodeDate(2026, 12, 10) + EncodeTime(15, 30, 0);
        item.Close = 100;
        item.Prev = 98;
        item.AlertUp = "99";
        item.StampUp = EncodeDate(2026, 12, 10) + EncodeTime(14, 0, 0);
        item.AlertDown = "90";
        item.Gainer = 2;
    }
    tTickerItem item;
};

TEST(ThresholdBoxTest, HintAfterEachChange) {
    tFiredItem f;
    EXPECT_EQ(ThresholdHint(f.item, tAlertSide::Down, "  ", false, "dd/MM/yyyy"),
              "Click button for percentages");
    EXPECT_EQ(ThresholdHint(f.item, tAlertSide::Up, "99", true, "dd/MM/yyyy"),
              "Alert generated on \r 10/12/2026 14:00:00");
    EXPECT_EQ(ThresholdHint(f.item, tAlertSide::Down, "90", false, "dd/MM/yyyy"),
              "Price is now 10.0% ABOVE alert");
    EXPECT_EQ(ThresholdHint(f.item, tAlertSide::Up, "110", false, "dd/MM/yyyy"),
              "Price is now 10.0% BELOW alert");
}

TEST(SymbolEditsTest, OkArmsTouchedThresholdsAndKeepsFiredOnes) {
    const struct {
        const char* Name;
        bool UpMarker;
        const char* Up;
        const char* ExpectedUp;
        bool StampKept;
    } cases[] = {
        {"fired and left alone", true, "120", "99", true},
        {"fired and edited", false, " 105.5 ", "105.5", false},
        {"cut to fifteen", false, "1234567890.123456", "1234567890.1234", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        tFiredItem f;
        const double stamp = f.item.StampUp;
        tSymbolEdits edits;
        edits.Name = "  ASML Holding ";
        edits.AlertUp = c.Up;
        edits.UpMarkerShown = c.UpMarker;
        edits.AlertDown = "";
        edits.AlertNews = true;
        ApplySymbolEdits(f.item, edits);
        EXPECT_EQ(f.item.Name, "ASML Holding");
        EXPECT_EQ(f.item.AlertUp, c.ExpectedUp);
        EXPECT_EQ(f.item.StampUp, c.StampKept ? stamp : 0);
        EXPECT_EQ(f.item.AlertDown, "") << "the lower box was emptied";
        EXPECT_TRUE(f.item.AlertNews);
        EXPECT_EQ(f.item.Gainer, 0);
    }

    // The news list changes only when the page was loaded.
    tFiredItem f;
    f.item.News = {"old"};
    tSymbolEdits edits;
    edits.NewsLines = {"new"};
    ApplySymbolEdits(f.item, edits);
    EXPECT_EQ(f.item.News, Texts{"old"});
    edits.NewsLoaded = true;
    ApplySymbolEdits(f.item, edits);
    EXPECT_EQ(f.item.News, Texts{"new"});
}

TEST(SymbolPagesTest, PriceRowsFromRecentTrades) {
    tTickerItem item;
    item.RecentTrades = {"09/12/2026|17:29:59|10|10.5|9.5|10.2|1200",
                         "10/12/2026|09:01:00|10.2|10.4|10.1|10.3|300"};
    const std::vector<tPriceRow> rows = PriceRows(item);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].Time, "17:29");
    EXPECT_EQ((Texts{rows[1].High, rows[1].Low, rows[1].Last, rows[1].Volume}),
              (Texts{"10.4", "10.1", "10.3", "300"}));
    EXPECT_EQ(rows[0].Day, EncodeDate(2026, 12, 9));
}

TEST(SymbolPagesTest, NewsRowsLastFirstWithPicturesAndHints) {
    const double today = EncodeDate(2026, 12, 10) + EncodeTime(16, 0, 0);
    const Texts lines = {
        "08/12/2026|10:00:00|id-1|Old story|Wire|http://example.test/a?x=1|y",
        "10/12/2026|14:35:10|id-2|[$$]Paid story||http://example.test/b",
        "10/12/2026|15:01:00|id-3|Shares rise|Newswire|http://example.test/c",
    };
    const std::vector<tNewsRow> rows = NewsRows(lines, today);
    ASSERT_EQ(rows.size(), 3u);
    const struct {
        const char* Time;
        const char* Subject;
        int Picture;
        bool Today;
    } expected[] = {{"15:01", "Shares rise", 4, true},
                    {"14:35", "Paid story", 5, true},
                    {"08/12", "Old story", 9, false}};
    for (std::size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(rows[i].Time, expected[i].Time);
        EXPECT_EQ(rows[i].Subject, expected[i].Subject);
        EXPECT_EQ(rows[i].Picture, expected[i].Picture);
        EXPECT_EQ(rows[i].Today, expected[i].Today);
    }
    EXPECT_EQ(rows[2].Line, lines[0]);
    EXPECT_EQ(NewsHint(lines[0]), "08/12/2026 (Wire)\rOld story...");
    EXPECT_EQ(NewsHint(lines[1]), "10/12/2026\r[$$]Paid story...");
    EXPECT_EQ(NewsLink(lines[0]), "http://example.test/a?x=1|y") << "field six onward";
    EXPECT_EQ(NewsLink("only|three|fields"), "");
}

TEST(SymbolPagesTest, RowColours) {
    // 0x00BBGGRR: light green is red 217, green 255, blue 217.
    EXPECT_EQ(BlendColor(kClWhite, kClLime, 0.15), 0xD9FFD9u);
    EXPECT_EQ(BlendColor(kClWhite, kClRed, 0.6), 0x6666FFu);
    EXPECT_EQ(DarkenedColumn(kClWhite), 0xE6E6E6u);

    const tColor grid = 0x123456;
    const struct {
        const char* Name;
        double Last;
        std::optional<double> Above;
        bool Selected;
        tColor Expected;
    } cases[] = {
        {"first row", 10, std::nullopt, false, grid},
        {"first row selected", 10, std::nullopt, true, 0xCCCCCC},
        {"lower", 9, 10, false, 0xD2D2FF},
        {"lower selected", 9, 10, true, 0x6666FF},
        {"equal", 10, 10, false, kClWhite},
        {"equal selected", 10, 10, true, 0xCCCCCC},
        {"higher", 11, 10, false, 0xD9FFD9},
        {"higher selected", 11, 10, true, 0x66FF66},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PriceRowColor(c.Last, c.Above, c.Selected, grid), c.Expected) << c.Name;
    }

    tTickerItem item;
    item.Close = 10;
    item.Prev = 10;
    EXPECT_EQ(NewsLastRowColor(item, false), kClWhite);
    EXPECT_EQ(NewsLastRowColor(item, true), 0xB3B3B3u);
    item.Close = 11;
    EXPECT_EQ(NewsLastRowColor(item, false), 0xD9FFD9u);
    item.Close = 9;
    EXPECT_EQ(NewsLastRowColor(item, true), 0x6666FFu);
}

} // namespace
} // namespace vc
