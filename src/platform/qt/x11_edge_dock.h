// Docking on X11 through the EWMH hints of the Qt application's own xcb connection: the dock window
// type, every desktop, _NET_WM_STRUT_PARTIAL with _NET_WM_STRUT for older window managers, the above
// and below states, and the active window's full-screen state watched through PropertyNotify.
#pragma once

#include <QAbstractNativeEventFilter>

#include <xcb/xcb.h>
#include <xcb/xcb_ewmh.h>

#include "platform/screen_edge_dock.h"

namespace vc {

class tX11EdgeDock : public tScreenEdgeDock, public QAbstractNativeEventFilter {
public:
    // connection belongs to the Qt application and must outlive this object.
    explicit tX11EdgeDock(xcb_connection_t* connection);
    ~tX11EdgeDock() override;
    tX11EdgeDock(const tX11EdgeDock&) = delete;
    tX11EdgeDock& operator=(const tX11EdgeDock&) = delete;

    bool ReservesSpace() const override { return ready_; }
    void MarkAsDock(tWindowId window) override;
    void SetStrut(tWindowId window, const tDockStrut& strut) override;
    void ClearStrut(tWindowId window) override;
    void SetTopmost(tWindowId window, bool topmost) override;
    bool FullScreenActive(const tScreenRect& screen) override;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    xcb_window_t ActiveWindow();
    // Adds PropertyChange to what this client already selects on window, so Qt's own selection on
    // its windows stays as it is.
    void WatchProperties(xcb_window_t window);
    void Notify();

    xcb_connection_t* connection_;
    xcb_ewmh_connection_t ewmh_{};
    bool ready_ = false;
    xcb_window_t root_ = XCB_NONE;
    xcb_window_t watched_ = XCB_NONE;
};

} // namespace vc
