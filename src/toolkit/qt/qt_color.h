// Colour values of skins and settings (0x00BBGGRR, system colours 0x800000NN, clNone) turned into
// QColor for painting.
#pragma once

#include "toolkit/colors.h"
#include <QColor>
#include <QPalette>

namespace vc {

// clNone gives an invalid QColor; a system colour takes the matching role of the palette.
QColor ToQColor(tColor color, const QPalette& palette);
// As above with the application's palette.
QColor ToQColor(tColor color);
// The 0x00BBGGRR value of an opaque colour.
tColor FromQColor(const QColor& color);

} // namespace vc
