#include "toolkit/qt/qt_color.h"

#include <QGuiApplication>

namespace vc {
namespace {

// The Windows system colour indices a settings file can name, mapped to the nearest palette role.
QColor SystemColor(unsigned index, const QPalette& palette) {
    switch (index) {
    case 1:  // desktop
    case 12: // application workspace
    case 16: // button shadow
        return palette.color(QPalette::Dark);
    case 2:  // active caption
    case 13: // highlight
        return palette.color(QPalette::Highlight);
    case 3:  // inactive caption
    case 10: // active border
    case 11: // inactive border
    case 0:  // scroll bar
    case 4:  // menu
    case 15: // button face
        return palette.color(QPalette::Button);
    case 5: // window
        return palette.color(QPalette::Base);
    case 6:  // window frame
    case 21: // dark 3D shadow
        return palette.color(QPalette::Shadow);
    case 7: // menu text
    case 8: // window text
        return palette.color(QPalette::Text);
    case 9:  // caption text
    case 14: // highlighted text
        return palette.color(QPalette::HighlightedText);
    case 17: // grey text
    case 19: // inactive caption text
        return palette.color(QPalette::Disabled, QPalette::Text);
    case 18: // button text
        return palette.color(QPalette::ButtonText);
    case 20: // button highlight
        return palette.color(QPalette::Light);
    case 22: // 3D light
        return palette.color(QPalette::Midlight);
    case 23: // tooltip text
        return palette.color(QPalette::ToolTipText);
    case 24: // tooltip background
        return palette.color(QPalette::ToolTipBase);
    default:
        return palette.color(QPalette::Window);
    }
}

} // namespace

QColor ToQColor(tColor color, const QPalette& palette) {
    if (color == kClNone || color == kClDefault) {
        return {};
    }
    if (IsSystemColor(color)) {
        return SystemColor(color & 0xFF, palette);
    }
    return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                  static_cast<int>((color >> 16) & 0xFF));
}

QColor ToQColor(tColor color) {
    return ToQColor(color, QGuiApplication::palette());
}

tColor FromQColor(const QColor& color) {
    return static_cast<tColor>(color.red()) | (static_cast<tColor>(color.green()) << 8) |
           (static_cast<tColor>(color.blue()) << 16);
}

} // namespace vc
