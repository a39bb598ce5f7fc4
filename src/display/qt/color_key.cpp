#include "display/qt/color_key.h"

namespace vc {

QImage KeyOut(const QImage& bitmap, QRgb key) {
    if (bitmap.isNull()) {
        return {};
    }
    QImage out = bitmap.convertToFormat(QImage::Format_ARGB32);
    const QRgb match = key & 0x00FFFFFF;
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            if ((line[x] & 0x00FFFFFF) == match) {
                line[x] = 0;
            }
        }
    }
    return out;
}

QRgb BottomRightKey(const QImage& bitmap) {
    return bitmap.isNull() ? 0 : bitmap.pixel(bitmap.width() - 1, bitmap.height() - 1);
}

QRgb TopLeftKey(const QImage& bitmap) {
    return bitmap.isNull() ? 0 : bitmap.pixel(0, 0);
}

QImage StripFrame(const QImage& strip, int index) {
    const int side = strip.height();
    if (strip.isNull() || index < 1 || side <= 0 || static_cast<long long>(side) * index > strip.width()) {
        return {};
    }
    return strip.copy(QRect(side * (index - 1), 0, side, side));
}

} // namespace vc
