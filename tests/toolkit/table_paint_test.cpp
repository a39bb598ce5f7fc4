#include "toolkit/table_paint.h"

#include <gtest/gtest.h>

#include <string>

namespace vc {
namespace {

// Every character 6 pixels wide, as a fixed font would measure.
tTextMeasure FixedMeasure() {
    return {[](std::string_view text) { return static_cast<int>(text.size()) * 6; }, 6};
}

TEST(TablePaintTest, HeaderColours) {
    EXPECT_EQ(HeaderLineColor(kClWhite, 6, 1), kClWhite);
    EXPECT_EQ(HeaderLineColor(kClWhite, 6, 2), 0xF3F3F3u) << "two steps of six per line";
    EXPECT_EQ(HeaderLineColor(0x102030, 6, 3), 0x000818u) << "each channel on its own, none below 0";
    EXPECT_EQ(HeaderFaceStart(17, false, 2), 8);
    EXPECT_EQ(HeaderFaceStart(17, true, 2), 10);
    EXPECT_EQ(HeaderBorderColor(kClWhite, 6, 17), 0x6F6F6Fu) << "24 steps below white";
    EXPECT_EQ(HeaderBorderColor(kClWhite, 0, 17), kClGray) << "no darkening: grey border";
    EXPECT_EQ(HeaderBorderColor(kClBlack, 6, 17), kClGray);
    EXPECT_EQ(Darken(kClBtnFace, 6, 3), kClBtnFace) << "a system colour has no channels of its own";
}

TEST(TablePaintTest, BandColours) {
    const struct {
        int Row;
        int RowsPerBand;
        tColor Expected;
    } cases[] = {{1, 1, 1}, {2, 1, 2}, {3, 1, 1}, {1, 2, 1}, {2, 2, 1}, {3, 2, 2}, {5, 2, 1}, {4, 0, 2}};
    for (const auto& c : cases) {
        EXPECT_EQ(BandColor(c.Row, c.RowsPerBand, 1, 2), c.Expected) << c.Row << "/" << c.RowsPerBand;
    }
}

TEST(TablePaintTest, ShorteningToFit) {
    const tTextMeasure measure = FixedMeasure();
    const struct {
        const char* Name;
        std::string (*Shorten)(std::string_view, int, const tTextMeasure&);
        const char* Text;
        int Width;
        const char* Expected;
    } cases[] = {
        {"fits", EndShortened, "Shell", 30, "Shell"},
        {"end", EndShortened, "Royal Dutch Shell", 60, "Royal D..."},
        {"narrower than three characters", EndShortened, "Royal", 17, "."},
        {"only the dots", EndShortened, "Royal", 18, "..."},
        {"millions", DecimalShortened, "2500000", 36, "2.50M"},
        {"negative millions", DecimalShortened, "-2500000", 36, "-2.50M"},
        {"thousands", DecimalShortened, "12345.67", 36, "12.3K"},
        {"small number", DecimalShortened, "123.456789", 36, "123..."},
        {"not a number", DecimalShortened, "N/A and more", 36, "N/A..."},
        {"millions still too wide", DecimalShortened, "2500000000", 36, "250..."},
        {"path keeps the file name", PathShortened, "C:\\Data\\Lists\\AEX.CSV", 96, "C:\\Da...\\AEX.CSV"},
        {"path without a folder", PathShortened, "/AEX-components.csv", 60, "AEX-com..."},
        {"file name alone too wide", PathShortened, "C:\\AEX-components.csv", 60, "AEX-com..."},
        {"date year to two digits", DateShortened, "10/12/2026", 48, "10/12/26"},
        {"date without its year", DateShortened, "10/12/2026", 36, "10/12"},
        {"date of the user's format", DateShortened, "2026-12-10", 36, "12-10"},
        {"not a date", DateShortened, "tomorrow morning", 48, "tomor..."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        EXPECT_EQ(c.Shorten(c.Text, c.Width, measure), c.Expected);
    }
}

TEST(TablePaintTest, CellTextByEllipsKind) {
    const tTextMeasure measure = FixedMeasure();
    tKolom column(0);
    const std::string longText(1200, 'x');
    EXPECT_EQ(CellDisplayText(longText, column, 100000, measure), std::string(997, 'x') + "...");
    EXPECT_EQ(CellDisplayText("Royal Dutch Shell", column, 60, measure), "Royal Dutch Shell")
        << "ellips_NONE";

    column.Ellips = tEllipsType::ellips_TEXT;
    EXPECT_EQ(CellDisplayText("Royal Dutch Shell", column, 60, measure), "Royal D...");
    EXPECT_EQ(CellDisplayText("two\r\nlines of text", column, 60, measure), "two\r\nlines of text");
    column.ColSorting = tSortType::sort_DATE;
    EXPECT_EQ(CellDisplayText("10/12/2026", column, 48, measure), "10/12/26");

    column.Ellips = tEllipsType::ellips_ARROW;
    EXPECT_EQ(CellDisplayText("UP", column, 60, measure), "");
    column.Ellips = tEllipsType::ellips_DECIMAL;
    EXPECT_EQ(CellDisplayText("2500000", column, 36, measure), "2.50M");
}

TEST(TablePaintTest, ArrowCells) {
    const struct {
        const char* Text;
        tCellArrow Expected;
    } cases[] = {{"UP", tCellArrow::Up},   {"DOWN", tCellArrow::Down}, {"EQUAL", tCellArrow::Level},
                 {"0.25", tCellArrow::Up}, {"-3", tCellArrow::Down},   {"0", tCellArrow::Level},
                 {"up", tCellArrow::None}, {"", tCellArrow::None},     {"N/A", tCellArrow::None}};
    for (const auto& c : cases) {
        EXPECT_EQ(CellArrowOf(c.Text), c.Expected) << c.Text;
    }
}

} // namespace
} // namespace vc
