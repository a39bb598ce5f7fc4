// Colour-keyed bitmaps: skins mark the pixels that are not part of a picture with one colour
// (clOlive for alert frames and charts, a corner pixel for logos and bullets).
#pragma once

#include <QImage>
#include <QRect>
#include <QRgb>

namespace vc {

// The colour key of alert strips and mini charts, clOlive.
inline constexpr QRgb kOliveKey = 0xFF808000;

// A copy with every pixel of colour `key` fully transparent (alpha ignored when comparing).
QImage KeyOut(const QImage& bitmap, QRgb key);
// The key taken from a corner, as logos and bullets define it; 0 for a null image.
QRgb BottomRightKey(const QImage& bitmap);
QRgb TopLeftKey(const QImage& bitmap);
// Frame `index` (from 1) of a strip of square frames as wide as the strip is high; null when the
// strip has no such frame.
QImage StripFrame(const QImage& strip, int index);

} // namespace vc
