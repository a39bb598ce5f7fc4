// Geometry of a bar docked at the top or bottom edge of one screen: the rectangle it covers and the
// strut (the space the desktop keeps free of other windows) that reserves exactly that rectangle.
// Every value is in device pixels of the whole virtual screen, which may hold several monitors.
#pragma once

namespace vc {

enum class tDockEdge { Top, Bottom };

struct tScreenRect {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    bool operator==(const tScreenRect&) const = default;
};

// The twelve values of a partial strut: how far the reserved space reaches in from each edge of the
// virtual screen, and which stretch of that edge it covers (start and end inclusive). A zero width
// means nothing is reserved on that edge.
struct tDockStrut {
    int Left = 0;
    int Right = 0;
    int Top = 0;
    int Bottom = 0;
    int LeftStartY = 0;
    int LeftEndY = 0;
    int RightStartY = 0;
    int RightEndY = 0;
    int TopStartX = 0;
    int TopEndX = 0;
    int BottomStartX = 0;
    int BottomEndX = 0;
    bool operator==(const tDockStrut&) const = default;
    bool Empty() const { return Left == 0 && Right == 0 && Top == 0 && Bottom == 0; }
};

// The bar's rectangle on screen: the screen's full width, height clamped to 0 .. the screen's height.
tScreenRect DockRect(const tScreenRect& screen, tDockEdge edge, int height);

// The strut that reserves DockRect(screen, edge, height). It is measured from the edges of
// virtualScreen, so a bar at the bottom of a monitor that does not reach the bottom of the virtual
// screen reserves the gap below it as well; it covers only the columns of its own monitor. An empty
// bar (height 0 or less, or an empty screen) reserves nothing.
tDockStrut DockStrut(const tScreenRect& virtualScreen, const tScreenRect& screen, tDockEdge edge, int height);

} // namespace vc
