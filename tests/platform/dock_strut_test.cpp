#include "platform/dock_strut.h"

#include <gtest/gtest.h>

namespace vc {
namespace {

struct tStrutCase {
    const char* Name;
    tScreenRect Virtual;
    tScreenRect Screen;
    tDockEdge Edge;
    int Height;
    tScreenRect Rect;
    tDockStrut Strut;
};

tDockStrut TopStrut(int top, int startX, int endX) {
    tDockStrut s;
    s.Top = top;
    s.TopStartX = startX;
    s.TopEndX = endX;
    return s;
}

tDockStrut BottomStrut(int bottom, int startX, int endX) {
    tDockStrut s;
    s.Bottom = bottom;
    s.BottomStartX = startX;
    s.BottomEndX = endX;
    return s;
}

TEST(DockStrutTest, ReservesTheBarsRectangleFromTheVirtualScreensEdges) {
    const tScreenRect single{0, 0, 1280, 800};
    // Two monitors side by side, the right one shorter: its bottom lies 56 pixels above the virtual
    // screen's bottom.
    const tScreenRect wide{0, 0, 3200, 1080};
    const tScreenRect left{0, 0, 1920, 1080};
    const tScreenRect right{1920, 0, 1280, 1024};
    // Two monitors stacked, the lower one starting at y 900.
    const tScreenRect tall{0, 0, 1600, 1800};
    const tScreenRect upper{0, 0, 1600, 900};
    const tScreenRect lower{0, 900, 1600, 900};
    const tStrutCase cases[] = {
        {"top", single, single, tDockEdge::Top, 24, {0, 0, 1280, 24}, TopStrut(24, 0, 1279)},
        {"bottom", single, single, tDockEdge::Bottom, 24, {0, 776, 1280, 24}, BottomStrut(24, 0, 1279)},
        {"taller bottom",
         single,
         single,
         tDockEdge::Bottom,
         40,
         {0, 760, 1280, 40},
         BottomStrut(40, 0, 1279)},
        {"auto-hide strip", single, single, tDockEdge::Bottom, 2, {0, 798, 1280, 2}, BottomStrut(2, 0, 1279)},
        {"left monitor bottom",
         wide,
         left,
         tDockEdge::Bottom,
         20,
         {0, 1060, 1920, 20},
         BottomStrut(20, 0, 1919)},
        {"short right monitor bottom",
         wide,
         right,
         tDockEdge::Bottom,
         20,
         {1920, 1004, 1280, 20},
         BottomStrut(76, 1920, 3199)},
        {"right monitor top", wide, right, tDockEdge::Top, 20, {1920, 0, 1280, 20}, TopStrut(20, 1920, 3199)},
        {"upper monitor bottom",
         tall,
         upper,
         tDockEdge::Bottom,
         30,
         {0, 870, 1600, 30},
         BottomStrut(930, 0, 1599)},
        {"lower monitor top", tall, lower, tDockEdge::Top, 30, {0, 900, 1600, 30}, TopStrut(930, 0, 1599)},
        {"virtual screen not at the origin",
         {-1280, 0, 2560, 800},
         {-1280, 0, 1280, 800},
         tDockEdge::Top,
         16,
         {-1280, 0, 1280, 16},
         TopStrut(16, 0, 1279)},
        {"height beyond the screen",
         single,
         single,
         tDockEdge::Top,
         5000,
         {0, 0, 1280, 800},
         TopStrut(800, 0, 1279)},
        {"no height", single, single, tDockEdge::Bottom, 0, {0, 800, 1280, 0}, {}},
        {"negative height", single, single, tDockEdge::Top, -3, {0, 0, 1280, 0}, {}},
        {"empty screen", {}, {}, tDockEdge::Top, 20, {0, 0, 0, 0}, {}},
    };
    for (const tStrutCase& c : cases) {
        SCOPED_TRACE(c.Name);
        EXPECT_EQ(DockRect(c.Screen, c.Edge, c.Height), c.Rect);
        const tDockStrut strut = DockStrut(c.Virtual, c.Screen, c.Edge, c.Height);
        EXPECT_EQ(strut, c.Strut);
        EXPECT_EQ(strut.Empty(), c.Strut.Top == 0 && c.Strut.Bottom == 0);
    }
}

} // namespace
} // namespace vc
