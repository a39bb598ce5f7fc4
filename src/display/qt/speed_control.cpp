#include "display/qt/speed_control.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPen>

namespace vc {
namespace {

constexpr int kStripSide = 11;

// The strip with every pixel of its top-left pixel's colour made transparent.
QImage Keyed(const QImage& strip) {
    if (strip.isNull()) {
        return {};
    }
    QImage image = strip.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = image.pixel(0, 0);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (line[x] == key) {
                line[x] = qRgba(0, 0, 0, 0);
            }
        }
    }
    return image;
}

} // namespace

QImage ButtonStrip() {
    QImage strip(2 * kStripSide, kStripSide, QImage::Format_RGB32);
    strip.fill(QColor(255, 0, 255));
    QPainter painter(&strip);
    // Each glyph twice: the shadow one pixel right and down, then the light one.
    const auto glyphs = [&](QColor color, int shift) {
        painter.setPen(QPen(color, 2));
        const int s = shift;
        painter.drawLine(2 + s, 2 + s, 7 + s, 7 + s);
        painter.drawLine(7 + s, 2 + s, 2 + s, 7 + s);
        painter.setPen(Qt::NoPen);
        painter.setBrush(color);
        const int o = kStripSide + s;
        const QPoint arrow[3] = {QPoint(o + 1, 3 + s), QPoint(o + 9, 3 + s), QPoint(o + 5, 8 + s)};
        painter.drawPolygon(arrow, 3);
    };
    glyphs(QColor(40, 40, 40), 1);
    glyphs(QColor(240, 240, 240), 0);
    return strip;
}

tSpeedControl::tSpeedControl(QImage strip, int imageIndex, QWidget* parent)
    : QWidget(parent), frames_(Keyed(strip)), imageIndex_(imageIndex) {
    setAttribute(Qt::WA_Hover);
}

void tSpeedControl::SetImageIndex(int index) {
    imageIndex_ = index;
    update();
}

void tSpeedControl::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const int side = frames_.height();
    if (imageIndex_ >= 0 && side > 0 && (imageIndex_ + 1) * side <= frames_.width()) {
        const QRect source(imageIndex_ * side, 0, side, side);
        painter.drawImage(QPoint((width() - side) / 2, (height() - side) / 2), frames_, source);
    }
    if (!down_ && !hot_) {
        return;
    }
    const QColor shadow = palette().color(QPalette::Dark);
    const QColor light = Qt::white;
    const QColor topLeft = down_ ? shadow : light;
    const QColor bottomRight = down_ ? light : shadow;
    const int r = width() - 1;
    const int b = height() - 1;
    painter.setPen(topLeft);
    painter.drawLine(0, 0, r, 0);
    painter.drawLine(0, 0, 0, b);
    painter.setPen(bottomRight);
    painter.drawLine(r, 0, r, b);
    painter.drawLine(0, b, r, b);
}

void tSpeedControl::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        down_ = true;
        update();
    }
}

void tSpeedControl::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !down_) {
        return;
    }
    down_ = false;
    update();
    if (rect().contains(event->position().toPoint()) && OnClick) {
        OnClick();
    }
}

void tSpeedControl::enterEvent(QEnterEvent*) {
    hot_ = true;
    update();
}

void tSpeedControl::leaveEvent(QEvent*) {
    hot_ = false;
    update();
}

} // namespace vc
