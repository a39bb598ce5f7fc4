#include "art.h"

#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>
#include <cmath>
#include <numbers>
#include <string>

namespace vc::skingen {
namespace {

// Every small picture is drawn four times larger and reduced, which gives clean edges at 10 pixels.
constexpr int kScale = 4;

QColor Hex(const char* rgb) {
    return QColor(QString::fromLatin1(rgb));
}

void StripesH(QPainter& p, const QRectF& r, std::initializer_list<std::pair<double, QColor>> bands) {
    double total = 0;
    for (const auto& band : bands) {
        total += band.first;
    }
    double y = r.top();
    for (const auto& [weight, color] : bands) {
        const double h = r.height() * weight / total;
        p.fillRect(QRectF(r.left(), y, r.width(), h), color);
        y += h;
    }
}

void StripesV(QPainter& p, const QRectF& r, std::initializer_list<QColor> bands) {
    const double w = r.width() / static_cast<double>(bands.size());
    double x = r.left();
    for (const QColor& color : bands) {
        p.fillRect(QRectF(x, r.top(), w, r.height()), color);
        x += w;
    }
}

// A white sheen over the upper half, the mark of the glossy look.
void Gloss(QPainter& p, const QRectF& r, int topAlpha, int midAlpha) {
    QLinearGradient sheen(r.topLeft(), QPointF(r.left(), r.center().y()));
    sheen.setColorAt(0, QColor(255, 255, 255, topAlpha));
    sheen.setColorAt(1, QColor(255, 255, 255, midAlpha));
    p.fillRect(QRectF(r.left(), r.top(), r.width(), r.height() / 2), sheen);
}

void Arrow(QPainter& p, const QPointF& center, double size, bool up, const QColor& color) {
    const double h = size * 0.5;
    QPolygonF shape;
    if (up) {
        shape << QPointF(center.x(), center.y() - h) << QPointF(center.x() + h, center.y() + h * 0.15)
              << QPointF(center.x() + h * 0.38, center.y() + h * 0.15)
              << QPointF(center.x() + h * 0.38, center.y() + h)
              << QPointF(center.x() - h * 0.38, center.y() + h)
              << QPointF(center.x() - h * 0.38, center.y() + h * 0.15)
              << QPointF(center.x() - h, center.y() + h * 0.15);
    } else {
        shape << QPointF(center.x(), center.y() + h) << QPointF(center.x() + h, center.y() - h * 0.15)
              << QPointF(center.x() + h * 0.38, center.y() - h * 0.15)
              << QPointF(center.x() + h * 0.38, center.y() - h)
              << QPointF(center.x() - h * 0.38, center.y() - h)
              << QPointF(center.x() - h * 0.38, center.y() - h * 0.15)
              << QPointF(center.x() - h, center.y() - h * 0.15);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawPolygon(shape);
}

void Flag(QPainter& p, const QRectF& r, std::string_view code) {
    const QColor white(250, 250, 250);
    if (code == "US") {
        StripesH(p, r,
                 {{1, Hex("#B22234")}, {1, white}, {1, Hex("#B22234")}, {1, white}, {1, Hex("#B22234")}});
        const QRectF canton(r.left(), r.top(), r.width() * 0.45, r.height() * 0.6);
        p.fillRect(canton, Hex("#3C3B6E"));
        p.setPen(Qt::NoPen);
        p.setBrush(white);
        for (int i = 0; i < 3; ++i) {
            for (int j = 0; j < 2; ++j) {
                p.drawEllipse(QPointF(canton.left() + canton.width() * (0.2 + 0.3 * i),
                                      canton.top() + canton.height() * (0.3 + 0.4 * j)),
                              0.45, 0.45);
            }
        }
    } else if (code == "DE") {
        StripesH(p, r, {{1, Hex("#111111")}, {1, Hex("#DD0000")}, {1, Hex("#FFCE00")}});
    } else if (code == "AS") {
        StripesH(p, r, {{1, Hex("#AE1C28")}, {1, white}, {1, Hex("#21468B")}});
    } else if (code == "VI") {
        StripesH(p, r, {{1, Hex("#C8102E")}, {1, white}, {1, Hex("#C8102E")}});
    } else if (code == "MC") {
        StripesH(p, r, {{1, Hex("#AA151B")}, {2, Hex("#F1BF00")}, {1, Hex("#AA151B")}});
    } else if (code == "PA") {
        StripesV(p, r, {Hex("#0055A4"), white, Hex("#EF4135")});
    } else if (code == "MI") {
        StripesV(p, r, {Hex("#009246"), white, Hex("#CE2B37")});
    } else if (code == "BR") {
        StripesV(p, r, {Hex("#1A1A1A"), Hex("#FDDA24"), Hex("#EF3340")});
    } else if (code == "IR") {
        StripesV(p, r, {Hex("#169B62"), white, Hex("#FF883E")});
    } else if (code == "L") {
        p.fillRect(r, Hex("#012169"));
        p.save();
        p.setClipRect(r);
        p.setPen(QPen(white, 2.2));
        p.drawLine(r.topLeft(), r.bottomRight());
        p.drawLine(r.bottomLeft(), r.topRight());
        p.setPen(QPen(Hex("#C8102E"), 0.8));
        p.drawLine(r.topLeft(), r.bottomRight());
        p.drawLine(r.bottomLeft(), r.topRight());
        p.fillRect(QRectF(r.center().x() - 1.6, r.top(), 3.2, r.height()), white);
        p.fillRect(QRectF(r.left(), r.center().y() - 1.6, r.width(), 3.2), white);
        p.fillRect(QRectF(r.center().x() - 0.9, r.top(), 1.8, r.height()), Hex("#C8102E"));
        p.fillRect(QRectF(r.left(), r.center().y() - 0.9, r.width(), 1.8), Hex("#C8102E"));
        p.restore();
    } else if (code == "ST") {
        p.fillRect(r, Hex("#006AA7"));
        const double x = r.left() + r.width() * 0.31;
        p.fillRect(QRectF(x, r.top(), r.height() * 0.2, r.height()), Hex("#FECC00"));
        p.fillRect(QRectF(r.left(), r.center().y() - r.height() * 0.1, r.width(), r.height() * 0.2),
                   Hex("#FECC00"));
    } else if (code == "VX") {
        p.fillRect(r, Hex("#DA291C"));
        const QPointF c = r.center();
        const double arm = r.height() * 0.32;
        const double t = r.height() * 0.11;
        p.fillRect(QRectF(c.x() - t, c.y() - arm, 2 * t, 2 * arm), white);
        p.fillRect(QRectF(c.x() - arm, c.y() - t, 2 * arm, 2 * t), white);
    } else if (code == "LS") {
        p.fillRect(QRectF(r.left(), r.top(), r.width() * 0.4, r.height()), Hex("#046A38"));
        p.fillRect(QRectF(r.left() + r.width() * 0.4, r.top(), r.width() * 0.6, r.height()), Hex("#DA291C"));
        p.setPen(Qt::NoPen);
        p.setBrush(Hex("#FFE900"));
        p.drawEllipse(QPointF(r.left() + r.width() * 0.4, r.center().y()), r.height() * 0.22,
                      r.height() * 0.22);
    } else if (code == "JP") {
        p.fillRect(r, white);
        p.setPen(Qt::NoPen);
        p.setBrush(Hex("#BC002D"));
        p.drawEllipse(r.center(), r.height() * 0.3, r.height() * 0.3);
    } else if (code == "EU") {
        p.fillRect(r, Hex("#003399"));
        p.setPen(Qt::NoPen);
        p.setBrush(Hex("#FFCC00"));
        for (int i = 0; i < 12; ++i) {
            const double a = i * std::numbers::pi / 6;
            p.drawEllipse(QPointF(r.center().x() + std::cos(a) * r.height() * 0.32,
                                  r.center().y() + std::sin(a) * r.height() * 0.32),
                          0.5, 0.5);
        }
    } else if (code == "SA") {
        StripesH(p, r, {{1, Hex("#E03C31")}, {1, Hex("#001489")}});
        const QPointF fork(r.left() + r.width() * 0.38, r.center().y());
        QPainterPath y;
        y.moveTo(r.topLeft());
        y.lineTo(fork);
        y.lineTo(r.right(), fork.y());
        y.moveTo(r.bottomLeft());
        y.lineTo(fork);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(white, 3.4));
        p.drawPath(y);
        p.setPen(QPen(Hex("#007749"), 2.0));
        p.drawPath(y);
        QPolygonF hoist;
        hoist << QPointF(r.left(), r.top() + r.height() * 0.2)
              << QPointF(r.left() + r.width() * 0.24, r.center().y())
              << QPointF(r.left(), r.bottom() - r.height() * 0.2);
        p.setPen(QPen(Hex("#FFB81C"), 0.6));
        p.setBrush(Hex("#111111"));
        p.drawPolygon(hoist);
    } else if (code == "IX") {
        QLinearGradient g(r.topLeft(), r.bottomLeft());
        g.setColorAt(0, Hex("#4A5666"));
        g.setColorAt(1, Hex("#1E252E"));
        p.fillRect(r, g);
        QPolygonF line;
        line << QPointF(r.left() + 1.5, r.bottom() - 2.5) << QPointF(r.left() + 4.5, r.bottom() - 5)
             << QPointF(r.left() + 7, r.bottom() - 3.5) << QPointF(r.right() - 1.5, r.top() + 2);
        p.setPen(QPen(Hex("#7CF2A8"), 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(line);
    } else if (code == "FX") {
        QLinearGradient g(r.topLeft(), r.bottomLeft());
        g.setColorAt(0, Hex("#F7C65A"));
        g.setColorAt(1, Hex("#C98A12"));
        p.fillRect(r, g);
        const QColor ink = Hex("#4A2F00");
        p.setPen(QPen(ink, 1.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        const double y1 = r.top() + r.height() * 0.33;
        const double y2 = r.top() + r.height() * 0.67;
        p.drawLine(QPointF(r.left() + 3, y1), QPointF(r.right() - 3, y1));
        p.drawLine(QPointF(r.right() - 4.6, y1 - 1.6), QPointF(r.right() - 3, y1));
        p.drawLine(QPointF(r.left() + 3, y2), QPointF(r.right() - 3, y2));
        p.drawLine(QPointF(r.left() + 4.6, y2 + 1.6), QPointF(r.left() + 3, y2));
    } else {
        // The generic bullet: a small globe.
        const double radius = r.height() / 2;
        const QPointF c(r.left() + r.width() / 2, r.center().y());
        QRadialGradient g(c - QPointF(radius * 0.4, radius * 0.4), radius * 1.6);
        g.setColorAt(0, Hex("#9BC7F0"));
        g.setColorAt(1, Hex("#1F5E9E"));
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawEllipse(c, radius, radius);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(255, 255, 255, 140), 0.5));
        p.drawEllipse(c, radius * 0.45, radius);
        p.drawLine(QPointF(c.x() - radius, c.y()), QPointF(c.x() + radius, c.y()));
        p.drawLine(QPointF(c.x(), c.y() - radius), QPointF(c.x(), c.y() + radius));
        return;
    }
}

} // namespace

QImage Canvas(int width, int height) {
    QImage image(width * kScale, height * kScale, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

QImage Reduce(const QImage& big, int width, int height) {
    return big.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QImage Keyed(const QImage& argb, const QColor& matte, const QColor& key) {
    const QImage source = argb.convertToFormat(QImage::Format_ARGB32);
    QImage out(source.size(), QImage::Format_RGB32);
    const QRgb keyRgb = key.rgb();
    for (int y = 0; y < source.height(); ++y) {
        for (int x = 0; x < source.width(); ++x) {
            const QRgb px = source.pixel(x, y);
            const int a = qAlpha(px);
            if (a < 24) {
                out.setPixel(x, y, keyRgb);
                continue;
            }
            auto mix = [a](int c, int m) { return (c * a + m * (255 - a) + 127) / 255; };
            QRgb color = qRgb(mix(qRed(px), matte.red()), mix(qGreen(px), matte.green()),
                              mix(qBlue(px), matte.blue()));
            if (color == keyRgb) {
                color = qRgb(qRed(color), qGreen(color), 1);
            }
            out.setPixel(x, y, color);
        }
    }
    return out;
}

QImage Bullet(std::string_view code, int width, int height) {
    QImage big = Canvas(width, height);
    QPainter p(&big);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(kScale, kScale);
    const QRectF frame(1, 1, width - 2, height - 2);
    QPainterPath rounded;
    rounded.addRoundedRect(frame, 1.6, 1.6);
    if (code.empty()) {
        Flag(p, frame, code);
    } else {
        p.save();
        p.setClipPath(rounded);
        Flag(p, frame, code);
        Gloss(p, frame, 110, 25);
        p.restore();
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(0, 0, 0, 170), 0.6));
        p.drawPath(rounded);
    }
    p.end();
    return Reduce(big, width, height);
}

QImage AlertIcon(int state, int side) {
    QImage big = Canvas(side, side);
    QPainter p(&big);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(kScale, kScale);
    const QPointF c(side / 2.0, side / 2.0);
    const double r = side / 2.0 - 0.6;
    if (state == 1) {
        // Thresholds set: a small bell.
        const double s = side / 13.0;
        QPainterPath bell;
        bell.moveTo(2.2 * s, 10 * s);
        bell.cubicTo(3.6 * s, 8.6 * s, 3.2 * s, 6.5 * s, 3.6 * s, 5.2 * s);
        bell.cubicTo(4.2 * s, 2.4 * s, 8.8 * s, 2.4 * s, 9.4 * s, 5.2 * s);
        bell.cubicTo(9.8 * s, 6.5 * s, 9.4 * s, 8.6 * s, 10.8 * s, 10 * s);
        bell.closeSubpath();
        QLinearGradient g(QPointF(0, 2 * s), QPointF(0, 10 * s));
        g.setColorAt(0, Hex("#FFE08A"));
        g.setColorAt(1, Hex("#D9A21B"));
        p.setPen(QPen(Hex("#5C4100"), 0.7));
        p.setBrush(g);
        p.drawPath(bell);
        p.drawEllipse(QPointF(6.5 * s, 10.9 * s), 1.1 * s, 1.1 * s);
        p.drawEllipse(QPointF(6.5 * s, 2.1 * s), 0.7 * s, 0.7 * s);
    } else {
        const QColor base = state == 2 ? Hex("#E5484D") : state == 3 ? Hex("#2FB36B") : Hex("#3E8EF7");
        QRadialGradient g(c - QPointF(r * 0.35, r * 0.45), r * 1.5);
        g.setColorAt(0, base.lighter(150));
        g.setColorAt(1, base.darker(130));
        p.setPen(QPen(base.darker(220), 0.7));
        p.setBrush(g);
        p.drawEllipse(c, r, r);
        const QColor ink(255, 255, 255);
        if (state == 2 || state == 3) {
            Arrow(p, c + QPointF(0, state == 3 ? -0.2 : 0.2), side * 0.62, state == 3, ink);
        } else {
            // News: a page with lines.
            const QRectF page(c.x() - r * 0.48, c.y() - r * 0.58, r * 0.96, r * 1.16);
            p.setPen(Qt::NoPen);
            p.setBrush(ink);
            p.drawRoundedRect(page, 0.6, 0.6);
            p.setPen(QPen(base.darker(130), 0.8));
            for (int i = 0; i < 3; ++i) {
                const double y = page.top() + page.height() * (0.27 + 0.23 * i);
                p.drawLine(QPointF(page.left() + 1.2, y), QPointF(page.right() - 1.2, y));
            }
        }
        QPainterPath disc;
        disc.addEllipse(c, r, r);
        QPainterPath sheen;
        sheen.addEllipse(QRectF(c.x() - r * 0.7, c.y() - r * 0.95, r * 1.4, r * 0.9));
        QLinearGradient sg(QPointF(0, c.y() - r), QPointF(0, c.y()));
        sg.setColorAt(0, QColor(255, 255, 255, 110));
        sg.setColorAt(1, QColor(255, 255, 255, 0));
        p.setPen(Qt::NoPen);
        p.fillPath(sheen.intersected(disc), sg);
    }
    p.end();
    return Reduce(big, side, side);
}

QImage Emblem(int side, const QColor& from, const QColor& to) {
    QImage big = Canvas(side, side);
    QPainter p(&big);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(kScale, kScale);
    const double s = side;
    const QRectF disc(0.5, 0.5, s - 1, s - 1);
    QLinearGradient g(disc.topLeft(), disc.bottomRight());
    g.setColorAt(0, from);
    g.setColorAt(1, to);
    p.setPen(QPen(to.darker(160), 0.8));
    p.setBrush(g);
    p.drawEllipse(disc);
    QPainterPath sheen;
    sheen.addEllipse(QRectF(s * 0.14, s * 0.06, s * 0.72, s * 0.46));
    QLinearGradient sg(QPointF(0, s * 0.06), QPointF(0, s * 0.52));
    sg.setColorAt(0, QColor(255, 255, 255, 120));
    sg.setColorAt(1, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.fillPath(sheen, sg);
    // The crest: two peaks, the later one higher, a price line and a summit in one.
    QPolygonF peaks;
    peaks << QPointF(s * 0.15, s * 0.74) << QPointF(s * 0.38, s * 0.40) << QPointF(s * 0.50, s * 0.55)
          << QPointF(s * 0.66, s * 0.24) << QPointF(s * 0.87, s * 0.74);
    QPainterPath mountain;
    mountain.addPolygon(peaks);
    mountain.closeSubpath();
    QPainterPath inside;
    inside.addEllipse(disc.adjusted(s * 0.04, s * 0.04, -s * 0.04, -s * 0.04));
    p.setPen(Qt::NoPen);
    p.fillPath(mountain.intersected(inside), QColor(255, 255, 255, 235));
    // Snow line of the high peak in the disc's own colour gives the mark its depth.
    QPolygonF ridge;
    ridge << QPointF(s * 0.66, s * 0.24) << QPointF(s * 0.59, s * 0.38) << QPointF(s * 0.66, s * 0.34)
          << QPointF(s * 0.72, s * 0.41);
    p.setPen(QPen(to, s * 0.045, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(ridge);
    p.end();
    return Reduce(big, side, side);
}

namespace {

struct tWordMark {
    QFont Font;
    double Width;
    double Ascent;
    double Height;
};

tWordMark MeasureWord(double pixelSize) {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setBold(true);
    font.setPixelSize(static_cast<int>(std::lround(pixelSize * kScale)));
    font.setLetterSpacing(QFont::PercentageSpacing, 102);
    const QFontMetricsF metrics(font);
    return {font, metrics.horizontalAdvance(QStringLiteral("Velocrest")) / kScale, metrics.ascent() / kScale,
            metrics.height() / kScale};
}

void DrawWord(QPainter& p, const tWordMark& mark, double x, double height, const tLogoLook& look) {
    p.save();
    p.scale(1.0 / kScale, 1.0 / kScale);
    p.setFont(mark.Font);
    const QFontMetricsF metrics(mark.Font);
    const double baseline = (height * kScale - metrics.height()) / 2 + metrics.ascent();
    const QPointF at(x * kScale, baseline);
    p.setPen(QColor(0, 0, 0, 150));
    p.drawText(at + QPointF(kScale * 0.8, kScale * 0.8), QStringLiteral("Velocrest"));
    p.setPen(look.Word);
    p.drawText(at, QStringLiteral("Velo"));
    p.setPen(look.Accent);
    p.drawText(at + QPointF(metrics.horizontalAdvance(QStringLiteral("Velo")), 0), QStringLiteral("crest"));
    p.restore();
}

void Panel(QPainter& p, const QPolygonF& shape, int height, const tLogoLook& look) {
    QLinearGradient g(QPointF(0, 0), QPointF(0, height));
    g.setColorAt(0, look.PanelTop);
    g.setColorAt(1, look.PanelBottom);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawPolygon(shape);
    QPainterPath clip;
    clip.addPolygon(shape);
    p.save();
    p.setClipPath(clip);
    QLinearGradient sheen(QPointF(0, 0), QPointF(0, height / 2.0));
    sheen.setColorAt(0, QColor(255, 255, 255, 60));
    sheen.setColorAt(1, QColor(255, 255, 255, 8));
    p.fillRect(QRectF(0, 0, 4000, height / 2.0), sheen);
    p.fillRect(QRectF(0, 0, 4000, 1), QColor(255, 255, 255, 50));
    p.restore();
}

} // namespace

QImage LeftLogo(int height, const tLogoLook& look) {
    const tWordMark mark = MeasureWord(height * 0.44);
    const int emblem = height - 12;
    const double slant = height * 0.42;
    const int width = static_cast<int>(std::ceil(8 + emblem + 6 + mark.Width + 8 + slant));
    QImage big = Canvas(width, height);
    QPainter p(&big);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.scale(kScale, kScale);
    QPolygonF shape;
    shape << QPointF(0, 0) << QPointF(width, 0) << QPointF(width - slant, height) << QPointF(0, height);
    Panel(p, shape, height, look);
    p.setPen(QPen(look.Edge, 1.0));
    p.drawLine(QPointF(width - 0.5, 0), QPointF(width - slant - 0.5, height));
    p.drawImage(QRectF(8, (height - emblem) / 2.0, emblem, emblem),
                Emblem(emblem * kScale, look.Accent, look.AccentDark));
    DrawWord(p, mark, 8 + emblem + 6, height, look);
    p.end();
    return Reduce(big, width, height);
}

QImage RightLogo(int height, const tLogoLook& look) {
    const tWordMark mark = MeasureWord(height * 0.34);
    const int emblem = height - 16;
    const double slant = height * 0.42;
    constexpr int kButtonRoom = 44;
    const int width = static_cast<int>(std::ceil(slant + 6 + emblem + 5 + mark.Width + 8 + kButtonRoom));
    QImage big = Canvas(width, height);
    QPainter p(&big);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.scale(kScale, kScale);
    QPolygonF shape;
    shape << QPointF(slant, 0) << QPointF(width, 0) << QPointF(width, height) << QPointF(0, height);
    Panel(p, shape, height, look);
    p.setPen(QPen(look.Edge, 1.0));
    p.drawLine(QPointF(slant + 0.5, 0), QPointF(0.5, height));
    // A faint groove between the word mark and the buttons' corner.
    const double groove = width - kButtonRoom;
    p.setPen(QPen(QColor(0, 0, 0, 90), 1.0));
    p.drawLine(QPointF(groove, 5), QPointF(groove, height - 5));
    p.setPen(QPen(QColor(255, 255, 255, 30), 1.0));
    p.drawLine(QPointF(groove + 1, 5), QPointF(groove + 1, height - 5));
    p.drawImage(QRectF(slant + 6, (height - emblem) / 2.0, emblem, emblem),
                Emblem(emblem * kScale, look.Accent, look.AccentDark));
    DrawWord(p, mark, slant + 6 + emblem + 5, height, look);
    p.end();
    return Reduce(big, width, height);
}

} // namespace vc::skingen
