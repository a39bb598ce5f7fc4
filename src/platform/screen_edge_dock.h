// The desktop's side of a bar docked at a screen edge: marking its window as a dock shown on every
// desktop, reserving the space it covers so that maximised windows stop short of it, its place in the
// stacking order, and whether a full-screen window has taken the screen. One implementation per
// window system; CreateScreenEdgeDock (platform/qt/screen_edge_dock_factory.h) picks it.
#pragma once

#include <cstdint>
#include <functional>

#include "platform/dock_strut.h"

namespace vc {

class tScreenEdgeDock {
public:
    // The window system's id of a top-level window (QWidget::winId()).
    using tWindowId = std::uintptr_t;

    virtual ~tScreenEdgeDock() = default;

    // Whether SetStrut really keeps other windows out of the reserved space on this desktop.
    virtual bool ReservesSpace() const = 0;
    // A dock on every desktop, without a taskbar entry. Call before the window is first shown: window
    // managers read the type when they take the window in.
    virtual void MarkAsDock(tWindowId window) = 0;
    virtual void SetStrut(tWindowId window, const tDockStrut& strut) = 0;
    virtual void ClearStrut(tWindowId window) = 0;
    // Above every ordinary window, or out of the way of them. The caller raises or lowers the window
    // itself as well; this tells the window manager to keep it there.
    virtual void SetTopmost(tWindowId window, bool topmost) = 0;
    // Whether the active window is full screen and lies on screen (device pixels).
    virtual bool FullScreenActive(const tScreenRect& screen) = 0;

    // Called whenever the active window changes or the active window's state changes, so that the
    // owner can ask FullScreenActive again.
    std::function<void()> OnFullScreenChange;
};

} // namespace vc
