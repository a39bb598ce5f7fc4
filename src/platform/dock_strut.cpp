#include "platform/dock_strut.h"

#include <algorithm>

namespace vc {

tScreenRect DockRect(const tScreenRect& screen, tDockEdge edge, int height) {
    const int h = std::clamp(height, 0, std::max(screen.Height, 0));
    const int top = edge == tDockEdge::Top ? screen.Top : screen.Top + screen.Height - h;
    return {screen.Left, top, screen.Width, h};
}

tDockStrut DockStrut(const tScreenRect& virtualScreen, const tScreenRect& screen, tDockEdge edge,
                     int height) {
    tDockStrut strut;
    const tScreenRect bar = DockRect(screen, edge, height);
    if (bar.Height <= 0 || bar.Width <= 0) {
        return strut;
    }
    // Struts count from the virtual screen's edges, which need not start at 0,0 in our coordinates.
    const int firstX = bar.Left - virtualScreen.Left;
    const int lastX = firstX + bar.Width - 1;
    if (edge == tDockEdge::Top) {
        strut.Top = std::max(0, bar.Top + bar.Height - virtualScreen.Top);
        strut.TopStartX = firstX;
        strut.TopEndX = lastX;
    } else {
        strut.Bottom = std::max(0, virtualScreen.Top + virtualScreen.Height - bar.Top);
        strut.BottomStartX = firstX;
        strut.BottomEndX = lastX;
    }
    return strut;
}

} // namespace vc
