// Drawing pieces of the shipped skins: colour-keyed export, glossy bars, market bullets,
// alert-state icons and the Velocrest word mark.
#pragma once

#include <QColor>
#include <QImage>
#include <QString>
#include <string_view>

namespace vc::skingen {

// clOlive, the colour skins use for "no pixel here".
inline const QColor kKeyColor(128, 128, 0);

// A transparent ARGB canvas; pictures are drawn at `scale` times their size and reduced after.
QImage Canvas(int width, int height);
// Reduces a supersampled canvas to width x height.
QImage Reduce(const QImage& big, int width, int height);
// Turns an ARGB picture into an opaque bitmap for a colour key: covered pixels are blended over
// `matte` (the tone the picture will sit on), uncovered ones take `key`. No covered pixel ends up
// equal to the key.
QImage Keyed(const QImage& argb, const QColor& matte, const QColor& key = kKeyColor);

// One market bullet, width x height, drawn for `code` ("US", "DE", "IX", "FX", ... or "" for the
// generic one); the frame sits one pixel in from the top-left, the rest is uncovered.
QImage Bullet(std::string_view code, int width, int height);

// One alert-state frame (1 thresholds set, 2 down alert, 3 up alert, 4 news), side x side.
QImage AlertIcon(int state, int side);

// The round emblem of the word mark, side x side.
QImage Emblem(int side, const QColor& from, const QColor& to);

struct tLogoLook {
    QColor PanelTop;
    QColor PanelBottom;
    QColor Edge;   // the light line along the slanted edge
    QColor Word;   // "Velo"
    QColor Accent; // "crest" and the emblem
    QColor AccentDark;
};
// End logos as high as the tape. The left one is cut by a slant on its right side (its bottom-
// right pixel is uncovered), the right one by a slant on its left side (its top-left pixel is
// uncovered); the right one keeps room at its right end for the tape's two small buttons.
QImage LeftLogo(int height, const tLogoLook& look);
QImage RightLogo(int height, const tLogoLook& look);

} // namespace vc::skingen
