// Chooses the screen-edge dock for the window system the Qt application runs on.
#pragma once

#include <memory>

#include "platform/screen_edge_dock.h"

namespace vc {

// X11 gets the EWMH dock with struts; every other platform the plain one that reserves nothing.
// Needs a QGuiApplication.
std::unique_ptr<tScreenEdgeDock> CreateScreenEdgeDock();

} // namespace vc
