#include "display/tape_strip.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vc {
namespace {

// Three items 100 + 80 + 120 = 300 pixels long; the strip repeats them forever.
const std::vector<int> kWidths = {100, 80, 120};

tTapeStrip Strip(const std::vector<int>& widths = kWidths) {
    return tTapeStrip(static_cast<int>(widths.size()),
                      [widths](int index) { return widths.at(static_cast<std::size_t>(index)); });
}

TEST(TapeStripTest, ScrollMovesTheHeadOverItemBordersAndAroundTheWrap) {
    struct tCase {
        tStripPos from;
        int n;
        tStripPos to;
        std::vector<int> crossed;
    };
    const tCase cases[] = {
        // Leftwards: the head stays until its right edge has passed the window's left edge.
        {{0, 0}, -99, {0, -99}, {}},
        {{0, 0}, -100, {0, -100}, {}},
        {{0, 0}, -101, {1, -1}, {0}},
        {{0, -50}, -250, {2, -120}, {0, 1}},
        // Past the last item the first comes back.
        {{2, -119}, -1, {2, -120}, {}},
        {{2, -119}, -2, {0, -1}, {2}},
        {{1, 0}, -900, {0, -100}, {1, 2, 0, 1, 2, 0, 1, 2}},
        // Rightwards: as soon as the head's left edge is inside the window its predecessor comes in.
        {{1, -10}, 9, {1, -1}, {}},
        {{1, -10}, 10, {0, -100}, {0}},
        {{0, -5}, 5, {2, -120}, {2}},
        {{0, -1}, 301, {2, -120}, {2, 1, 0, 2}},
        {{0, 0}, 1, {2, -119}, {2}},
        // Nothing moves, nothing is told.
        {{1, -7}, 0, {1, -7}, {}},
    };
    const tTapeStrip strip = Strip();
    for (const tCase& c : cases) {
        SCOPED_TRACE("from " + std::to_string(c.from.Head) + "/" + std::to_string(c.from.Offset) + " by " +
                     std::to_string(c.n));
        std::vector<int> crossed;
        const tStripPos to = strip.Scroll(c.from, c.n, [&](int index) { crossed.push_back(index); });
        EXPECT_EQ(to.Head, c.to.Head);
        EXPECT_EQ(to.Offset, c.to.Offset);
        EXPECT_EQ(crossed, c.crossed);
    }
}

TEST(TapeStripTest, ScrollingThereAndBackReturnsToTheSamePlace) {
    const tTapeStrip strip = Strip();
    for (const int n : {1, 7, 99, 100, 101, 299, 300, 301, 1000}) {
        SCOPED_TRACE(n);
        const tStripPos start{1, -30};
        const tStripPos left = strip.Scroll(start, -n);
        EXPECT_LE(left.Offset, 0);
        EXPECT_GE(left.Offset + kWidths[static_cast<std::size_t>(left.Head)], 0);
        const tStripPos back = strip.Scroll(left, n);
        EXPECT_EQ(back.Head, start.Head);
        EXPECT_EQ(back.Offset, start.Offset);
    }
}

TEST(TapeStripTest, CellsCoverTheWindowAndRepeatAStripShorterThanIt) {
    struct tCase {
        tStripPos pos;
        int window;
        std::vector<std::vector<int>> cells; // {index, left, width}
    };
    const tCase cases[] = {
        {{0, 0}, 150, {{0, 0, 100}, {1, 100, 80}}},
        {{0, 0}, 100, {{0, 0, 100}}},
        {{2, -119}, 2, {{2, -119, 120}, {0, 1, 100}}},
        {{1, -30},
         700,
         {{1, -30, 80},
          {2, 50, 120},
          {0, 170, 100},
          {1, 270, 80},
          {2, 350, 120},
          {0, 470, 100},
          {1, 570, 80},
          {2, 650, 120}}},
        {{0, 0}, 0, {}},
    };
    const tTapeStrip strip = Strip();
    for (const tCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.pos.Head) + "/" + std::to_string(c.pos.Offset) + " in " +
                     std::to_string(c.window));
        std::vector<std::vector<int>> cells;
        for (const tStripCell& cell : strip.Cells(c.pos, c.window)) {
            cells.push_back({cell.Index, cell.Left, cell.Width});
        }
        EXPECT_EQ(cells, c.cells);
    }
}

TEST(TapeStripTest, OneItemNarrowerThanTheWindowFillsItAgainAndAgain) {
    const tTapeStrip strip = Strip({40});
    const std::vector<tStripCell> cells = strip.Cells({0, -10}, 100);
    ASSERT_EQ(cells.size(), 3u);
    for (std::size_t i = 0; i < cells.size(); ++i) {
        EXPECT_EQ(cells[i].Index, 0);
        EXPECT_EQ(cells[i].Left, -10 + 40 * static_cast<int>(i));
    }
    const tStripPos moved = strip.Scroll({0, -10}, -75);
    EXPECT_EQ(moved.Head, 0);
    EXPECT_EQ(moved.Offset, -5);
    EXPECT_EQ(strip.IndexAt({0, -10}, 100, 99), 0);
    EXPECT_EQ(strip.Prev(0), 0);
    EXPECT_EQ(strip.Next(0), 0);
}

TEST(TapeStripTest, HitTestsFindTheCellOnEitherSideOfEachBorder) {
    struct tCase {
        tStripPos pos;
        int x;
        int index;
    };
    const tCase cases[] = {
        {{0, 0}, 0, 0},
        {{0, 0}, 99, 0},
        {{0, 0}, 100, 1},
        {{0, 0}, 179, 1},
        {{0, 0}, 180, 2},
        {{0, 0}, 299, 2},
        {{0, 0}, 300, 0},
        {{1, -79}, 0, 1},
        {{1, -79}, 1, 2},
        {{2, -20}, 99, 2},
        {{2, -20}, 100, 0},
        {{0, 0}, 499, 2},
        // The last cell counts over its whole width; beyond it and left of the head nothing is hit.
        {{0, 0}, 599, 2},
        {{0, 0}, 600, -1},
        {{0, 0}, -1, -1},
        {{1, -10}, -11, -1},
    };
    const tTapeStrip strip = Strip();
    for (const tCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.pos.Head) + "/" + std::to_string(c.pos.Offset) + " at " +
                     std::to_string(c.x));
        EXPECT_EQ(strip.IndexAt(c.pos, 500, c.x), c.index);
    }
}

TEST(TapeStripTest, AnEmptyTapeHasNoCellsNoHitAndDoesNotMove) {
    int asked = 0;
    const tTapeStrip strip(0, [&](int) {
        ++asked;
        return 10;
    });
    EXPECT_TRUE(strip.Cells({0, 0}, 500).empty());
    EXPECT_EQ(strip.IndexAt({0, 0}, 500, 5), -1);
    const tStripPos pos = strip.Scroll({0, -3}, -50);
    EXPECT_EQ(pos.Head, 0);
    EXPECT_EQ(pos.Offset, -3);
    EXPECT_EQ(asked, 0);
}

TEST(TapeStripTest, ItemsWithoutWidthStillAdvanceOnePixelEach) {
    const tTapeStrip strip = Strip({0, -5, 0});
    const std::vector<tStripCell> cells = strip.Cells({0, 0}, 4);
    ASSERT_EQ(cells.size(), 4u);
    EXPECT_EQ(cells[3].Index, 0);
    EXPECT_EQ(cells[3].Left, 3);
    const tStripPos pos = strip.Scroll({0, 0}, -2);
    EXPECT_EQ(pos.Head, 1);
    EXPECT_EQ(pos.Offset, -1);
}

} // namespace
} // namespace vc
