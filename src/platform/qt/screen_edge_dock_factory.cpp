#include "platform/qt/screen_edge_dock_factory.h"

#include <QGuiApplication>

#include "platform/plain_edge_dock.h"
#include "platform/qt/x11_edge_dock.h"

namespace vc {

std::unique_ptr<tScreenEdgeDock> CreateScreenEdgeDock() {
    if (QGuiApplication::platformName() == QLatin1String("xcb")) {
        if (auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>()) {
            return std::make_unique<tX11EdgeDock>(x11->connection());
        }
    }
    return std::make_unique<tPlainEdgeDock>();
}

} // namespace vc
