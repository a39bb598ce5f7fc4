// Colour values of skins and settings (0x00BBGGRR, system colours 0x800000NN, clNone) turned into
// QColor for painting.
#pragma once

#include <QColor>
#include <QPalette>
#include <cstdint>

namespace vc {

inline constexpr std::uint32_t kColorNone = 0x1FFFFFFF;
inline constexpr std::uint32_t kSystemColorFlag = 0x80000000;

// clNone gives an invalid QColor; a system colour takes the matching role of the palette.
QColor ToQColor(std::uint32_t color, const QPalette& palette);
// As above with the application's palette.
QColor ToQColor(std::uint32_t color);
// The 0x00BBGGRR value of an opaque colour.
std::uint32_t FromQColor(const QColor& color);

} // namespace vc
