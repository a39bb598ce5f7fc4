#include "platform/qt/x11_edge_dock.h"

#include <QCoreApplication>

#include <cstdlib>

namespace vc {

namespace {

constexpr int kScreenNumber = 0;
constexpr std::uint32_t kAllDesktops = 0xFFFFFFFFu;

xcb_window_t ToXcb(tScreenEdgeDock::tWindowId window) {
    return static_cast<xcb_window_t>(window);
}

std::uint32_t Card(int value) {
    return value < 0 ? 0u : static_cast<std::uint32_t>(value);
}

} // namespace

tX11EdgeDock::tX11EdgeDock(xcb_connection_t* connection) : connection_(connection) {
    if (connection_ == nullptr) {
        return;
    }
    xcb_intern_atom_cookie_t* cookies = xcb_ewmh_init_atoms(connection_, &ewmh_);
    ready_ = cookies != nullptr && xcb_ewmh_init_atoms_replies(&ewmh_, cookies, nullptr) != 0;
    if (!ready_ || ewmh_.nb_screens <= kScreenNumber) {
        ready_ = false;
        return;
    }
    root_ = ewmh_.screens[kScreenNumber]->root;
    WatchProperties(root_);
    watched_ = ActiveWindow();
    if (watched_ != XCB_NONE) {
        WatchProperties(watched_);
    }
    xcb_flush(connection_);
    QCoreApplication::instance()->installNativeEventFilter(this);
}

tX11EdgeDock::~tX11EdgeDock() {
    if (ready_) {
        if (auto* app = QCoreApplication::instance()) {
            app->removeNativeEventFilter(this);
        }
        xcb_ewmh_connection_wipe(&ewmh_);
    }
}

void tX11EdgeDock::MarkAsDock(tWindowId window) {
    if (!ready_) {
        return;
    }
    const xcb_window_t w = ToXcb(window);
    xcb_atom_t type = ewmh_._NET_WM_WINDOW_TYPE_DOCK;
    xcb_ewmh_set_wm_window_type(&ewmh_, w, 1, &type);
    // The property covers a window not yet mapped; a mapped one has to ask the window manager.
    xcb_ewmh_set_wm_desktop(&ewmh_, w, kAllDesktops);
    xcb_ewmh_request_change_wm_desktop(&ewmh_, kScreenNumber, w, kAllDesktops,
                                       XCB_EWMH_CLIENT_SOURCE_TYPE_OTHER);
    xcb_flush(connection_);
}

void tX11EdgeDock::SetStrut(tWindowId window, const tDockStrut& strut) {
    if (!ready_) {
        return;
    }
    const xcb_window_t w = ToXcb(window);
    xcb_ewmh_wm_strut_partial_t partial{};
    partial.left = Card(strut.Left);
    partial.right = Card(strut.Right);
    partial.top = Card(strut.Top);
    partial.bottom = Card(strut.Bottom);
    partial.left_start_y = Card(strut.LeftStartY);
    partial.left_end_y = Card(strut.LeftEndY);
    partial.right_start_y = Card(strut.RightStartY);
    partial.right_end_y = Card(strut.RightEndY);
    partial.top_start_x = Card(strut.TopStartX);
    partial.top_end_x = Card(strut.TopEndX);
    partial.bottom_start_x = Card(strut.BottomStartX);
    partial.bottom_end_x = Card(strut.BottomEndX);
    xcb_ewmh_set_wm_strut_partial(&ewmh_, w, partial);
    xcb_ewmh_set_wm_strut(&ewmh_, w, partial.left, partial.right, partial.top, partial.bottom);
    xcb_flush(connection_);
}

void tX11EdgeDock::ClearStrut(tWindowId window) {
    if (!ready_) {
        return;
    }
    const xcb_window_t w = ToXcb(window);
    xcb_delete_property(connection_, w, ewmh_._NET_WM_STRUT_PARTIAL);
    xcb_delete_property(connection_, w, ewmh_._NET_WM_STRUT);
    xcb_flush(connection_);
}

void tX11EdgeDock::SetTopmost(tWindowId window, bool topmost) {
    if (!ready_) {
        return;
    }
    // Window managers keep docks in a layer above ordinary windows unless they are marked below.
    const xcb_window_t w = ToXcb(window);
    const xcb_atom_t drop = topmost ? ewmh_._NET_WM_STATE_BELOW : ewmh_._NET_WM_STATE_ABOVE;
    const xcb_atom_t take = topmost ? ewmh_._NET_WM_STATE_ABOVE : ewmh_._NET_WM_STATE_BELOW;
    xcb_ewmh_request_change_wm_state(&ewmh_, kScreenNumber, w, XCB_EWMH_WM_STATE_REMOVE, drop, XCB_NONE,
                                     XCB_EWMH_CLIENT_SOURCE_TYPE_NORMAL);
    xcb_ewmh_request_change_wm_state(&ewmh_, kScreenNumber, w, XCB_EWMH_WM_STATE_ADD, take, XCB_NONE,
                                     XCB_EWMH_CLIENT_SOURCE_TYPE_NORMAL);
    xcb_flush(connection_);
}

bool tX11EdgeDock::FullScreenActive(const tScreenRect& screen) {
    if (!ready_) {
        return false;
    }
    const xcb_window_t active = ActiveWindow();
    if (active == XCB_NONE) {
        return false;
    }
    bool fullScreen = false;
    xcb_ewmh_get_atoms_reply_t states{};
    if (xcb_ewmh_get_wm_state_reply(&ewmh_, xcb_ewmh_get_wm_state(&ewmh_, active), &states, nullptr) != 0) {
        for (std::uint32_t i = 0; i < states.atoms_len; ++i) {
            fullScreen = fullScreen || states.atoms[i] == ewmh_._NET_WM_STATE_FULLSCREEN;
        }
        xcb_ewmh_get_atoms_reply_wipe(&states);
    }
    if (!fullScreen) {
        return false;
    }
    // A full-screen window on another monitor leaves this one alone: the window's centre decides.
    auto* geometry = xcb_get_geometry_reply(connection_, xcb_get_geometry(connection_, active), nullptr);
    if (geometry == nullptr) {
        return false;
    }
    auto* origin = xcb_translate_coordinates_reply(
        connection_, xcb_translate_coordinates(connection_, active, root_, 0, 0), nullptr);
    bool onScreen = false;
    if (origin != nullptr) {
        const int centreX = origin->dst_x + geometry->width / 2;
        const int centreY = origin->dst_y + geometry->height / 2;
        onScreen = centreX >= screen.Left && centreX < screen.Left + screen.Width && centreY >= screen.Top &&
                   centreY < screen.Top + screen.Height;
        std::free(origin);
    }
    std::free(geometry);
    return onScreen;
}

bool tX11EdgeDock::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (eventType != "xcb_generic_event_t" || message == nullptr) {
        return false;
    }
    auto* event = static_cast<xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7F) != XCB_PROPERTY_NOTIFY) {
        return false;
    }
    auto* property = reinterpret_cast<xcb_property_notify_event_t*>(event);
    if (property->window == root_ && property->atom == ewmh_._NET_ACTIVE_WINDOW) {
        const xcb_window_t active = ActiveWindow();
        if (active != watched_) {
            watched_ = active;
            if (active != XCB_NONE) {
                WatchProperties(active);
            }
        }
        Notify();
    } else if (property->window == watched_ && property->atom == ewmh_._NET_WM_STATE) {
        Notify();
    }
    // Qt sees every event as well.
    return false;
}

xcb_window_t tX11EdgeDock::ActiveWindow() {
    xcb_window_t active = XCB_NONE;
    if (xcb_ewmh_get_active_window_reply(&ewmh_, xcb_ewmh_get_active_window(&ewmh_, kScreenNumber), &active,
                                         nullptr) == 0) {
        return XCB_NONE;
    }
    return active;
}

void tX11EdgeDock::WatchProperties(xcb_window_t window) {
    // A window may vanish between the question and the change; the checked requests keep the
    // resulting errors away from Qt's error report.
    xcb_generic_error_t* error = nullptr;
    auto* attributes =
        xcb_get_window_attributes_reply(connection_, xcb_get_window_attributes(connection_, window), &error);
    std::free(error);
    if (attributes == nullptr) {
        return;
    }
    const std::uint32_t mask = attributes->your_event_mask | XCB_EVENT_MASK_PROPERTY_CHANGE;
    std::free(attributes);
    std::free(xcb_request_check(
        connection_, xcb_change_window_attributes_checked(connection_, window, XCB_CW_EVENT_MASK, &mask)));
}

void tX11EdgeDock::Notify() {
    if (OnFullScreenChange) {
        OnFullScreenChange();
    }
}

} // namespace vc
