#include "display/qt/thumb_chart_painter.h"

#include "toolkit/qt/qt_color.h"

#include <QPainter>
#include <QPen>
#include <QPolygon>

namespace vc {

QImage Draw(const tThumbChart& chart) {
    if (chart.Width <= 0 || chart.Height <= 0) {
        return {};
    }
    const QColor back = ToQColor(chart.BackColor);
    QImage image(chart.Width, chart.Height, back.isValid() ? QImage::Format_RGB32 : QImage::Format_ARGB32);
    if (image.isNull()) {
        return image;
    }
    image.fill(back.isValid() ? back : QColor(Qt::transparent));
    const std::vector<tChartPoint> line = chart.Polyline();
    const QColor pen = ToQColor(chart.LineColor);
    if (line.size() < 2 || !pen.isValid()) {
        return image;
    }
    QPolygon polygon;
    polygon.reserve(static_cast<int>(line.size()));
    for (const tChartPoint& point : line) {
        polygon << QPoint(point.X, point.Y);
    }
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(pen, 0));
    painter.drawPolyline(polygon);
    return image;
}

} // namespace vc
