#include "display/qt/item_image.h"

#include "toolkit/qt/qt_color.h"
#include "toolkit/qt/win1252_codec.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace vc {
namespace {

// Skins are drawn for items some 30 pixels high; a larger face only costs time to render.
constexpr int kMaxFontPixels = 256;

int BlendChannel(int value, int target, double weight) {
    const long rounded = std::lround((1.0 - weight) * value + weight * target);
    return static_cast<int>(std::clamp(rounded, 0L, 255L));
}

} // namespace

void Blend(QImage& bitmap, int left, int top, int right, int bottom, tColor color, double weight) {
    if (bitmap.isNull()) {
        return;
    }
    if (bitmap.format() != QImage::Format_RGB32) {
        bitmap = bitmap.convertToFormat(QImage::Format_RGB32);
    }
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, bitmap.width() - 1);
    bottom = std::min(bottom, bitmap.height() - 1);
    if (left >= right || top > bottom) {
        return;
    }
    const int red = static_cast<int>(color & 0xFF);
    const int green = static_cast<int>((color >> 8) & 0xFF);
    const int blue = static_cast<int>((color >> 16) & 0xFF);
    // One lookup per channel: every pixel of a channel takes the same path from old to new value.
    int mapRed[256];
    int mapGreen[256];
    int mapBlue[256];
    for (int v = 0; v < 256; ++v) {
        mapRed[v] = BlendChannel(v, red, weight);
        mapGreen[v] = BlendChannel(v, green, weight);
        mapBlue[v] = BlendChannel(v, blue, weight);
    }
    for (int y = top; y <= bottom; ++y) {
        auto* line = reinterpret_cast<QRgb*>(bitmap.scanLine(y));
        for (int x = left; x <= right; ++x) {
            const QRgb pixel = line[x];
            line[x] = qRgb(mapRed[qRed(pixel)], mapGreen[qGreen(pixel)], mapBlue[qBlue(pixel)]);
        }
    }
}

QImage FlashCopy(const QImage& image, tColor color) {
    if (image.isNull()) {
        return {};
    }
    QImage flash = image.convertToFormat(QImage::Format_RGB32);
    Blend(flash, 0, 0, flash.width() - 1, flash.height() - 1, color, 0.4);
    // The outline's two pixels lie on the image's outermost rows and columns.
    QPainter painter(&flash);
    const QColor white(255, 255, 255);
    const int w = flash.width();
    const int h = flash.height();
    painter.fillRect(0, 0, w, std::min(2, h), white);
    painter.fillRect(0, std::max(0, h - 2), w, std::min(2, h), white);
    painter.fillRect(0, 0, std::min(2, w), h, white);
    painter.fillRect(std::max(0, w - 2), 0, std::min(2, w), h, white);
    return flash;
}

QFont SkinFieldFont(const tSkinField& field) {
    QFont font(FromWin1252(MapFontFace(field.Font)));
    font.setPixelSize(std::clamp(FontPixelSize(field.Size), 1, kMaxFontPixels));
    const tFontStyle style = ParseFontStyle(field.Style);
    font.setBold(style.Bold);
    font.setItalic(style.Italic);
    font.setUnderline(style.Underline);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

} // namespace vc
