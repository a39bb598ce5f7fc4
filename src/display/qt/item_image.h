// The pictures an item keeps between paints (its image and the tinted copy it blinks with), and the
// pixel operations that make them: the blend toward a colour, the flashing copy and the font of a
// skin's text field.
#pragma once

#include "display/skin_fields.h"
#include "tape/ticker_item.h"
#include "toolkit/colors.h"

#include <QFont>
#include <QImage>

namespace vc {

class tItemImage : public tItemImageCache {
public:
    // Null until drawn.
    QImage Image;
    // Made on the first blinking paint; null until then.
    QImage FlashImage;
    // The tint FlashImage was made with.
    tColor FlashColor = kClNone;
};

// Moves every pixel of the inclusive rectangle (clipped to the bitmap) toward `color` by `weight`
// (0 keeps it, 1 replaces it), rounded to the nearest value. A rectangle whose left is not less
// than its right changes nothing. The bitmap loses any alpha channel.
void Blend(QImage& bitmap, int left, int top, int right, int bottom, tColor color, double weight);

// The image tinted 40 % toward `color` inside a white border two pixels wide.
QImage FlashCopy(const QImage& image, tColor color);

// The installed face, the pixel size and the B, I, U letters of a text field.
QFont SkinFieldFont(const tSkinField& field);

} // namespace vc
