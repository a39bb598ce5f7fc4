#include "skins.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace vc::skingen {
namespace {

QColor Hex(const char* rgb) {
    return QColor(QString::fromLatin1(rgb));
}

// 0x00BBGGRR of a colour.
tColor Bgr(const QColor& c) {
    return static_cast<tColor>(c.red()) | (static_cast<tColor>(c.green()) << 8) |
           (static_cast<tColor>(c.blue()) << 16);
}

tSkinField Field(const char* font, int size, const char* style, const QColor& color, const char* x,
                 const char* y, tColor up = kClNone, tColor down = kClNone, tColor shadow = 0) {
    tSkinField field;
    field.Font = font;
    field.Size = size;
    field.Style = style;
    field.Color = Bgr(color);
    field.ColorUp = up;
    field.ColorDown = down;
    field.Shadow = shadow;
    field.XPos = x;
    field.YPos = y;
    return field;
}

void Shade(QPainter& p, const QRect& r, const QColor& top, const QColor& bottom) {
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p.fillRect(r, g);
}

void Sheen(QPainter& p, const QRectF& r, int topAlpha, int bottomAlpha) {
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, QColor(255, 255, 255, topAlpha));
    g.setColorAt(1, QColor(255, 255, 255, bottomAlpha));
    p.fillRect(r, g);
}

// The item's ends: a light line on its left and a dark one on its right, so that neighbouring
// items read as separate tiles.
void Edges(QPainter& p, int width, int height) {
    p.fillRect(QRect(0, 0, 1, height), QColor(255, 255, 255, 28));
    p.fillRect(QRect(width - 1, 0, 1, height), QColor(0, 0, 0, 170));
}

void TrendMark(QPainter& p, const QRectF& box, tTrendIndex trend, const QColor& color) {
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF c = box.center();
    const double h = box.height() / 2;
    QPainterPath mark;
    if (trend == tTrendIndex::Up) {
        mark.moveTo(c.x(), c.y() - h);
        mark.lineTo(c.x() + h * 1.1, c.y() + h);
        mark.lineTo(c.x() - h * 1.1, c.y() + h);
    } else if (trend == tTrendIndex::Down) {
        mark.moveTo(c.x(), c.y() + h);
        mark.lineTo(c.x() + h * 1.1, c.y() - h);
        mark.lineTo(c.x() - h * 1.1, c.y() - h);
    } else {
        mark.addRoundedRect(QRectF(c.x() - h * 1.0, c.y() - h * 0.32, h * 2.0, h * 0.64), 1, 1);
    }
    mark.closeSubpath();
    QLinearGradient g(box.topLeft(), box.bottomLeft());
    g.setColorAt(0, color.lighter(135));
    g.setColorAt(1, color.darker(115));
    p.setPen(QPen(color.darker(250), 0.8));
    p.setBrush(g);
    p.drawPath(mark);
}

QImage GlossyBack(const tSkinLook& look, tTrendIndex trend) {
    const tTrendTone& tone = look.Tones[static_cast<int>(trend)];
    const int h = look.Height;
    QImage image(kBackWidth, h, QImage::Format_RGB32);
    QPainter p(&image);
    Shade(p, image.rect(), tone.Top, tone.Bottom);
    // The gloss: a bright upper half with a soft edge, then a faint glow from below.
    Sheen(p, QRectF(0, 0, kBackWidth, h * 0.48), 46, 14);
    Sheen(p, QRectF(0, h * 0.48, kBackWidth, 1), 10, 10);
    QRadialGradient glow(QPointF(kBackWidth * 0.25, h * 1.25), kBackWidth * 0.6);
    QColor tint = tone.Mark;
    tint.setAlpha(34);
    glow.setColorAt(0, tint);
    glow.setColorAt(1, QColor(0, 0, 0, 0));
    p.fillRect(QRectF(0, h * 0.5, kBackWidth, h * 0.5), glow);
    p.fillRect(QRect(0, 0, kBackWidth, 1), QColor(255, 255, 255, 60));
    p.fillRect(QRect(0, h - 1, kBackWidth, 1), QColor(0, 0, 0, 150));
    // The trend arrow under the market bullet.
    TrendMark(p, QRectF(3.5, h - 15.5, 9, 9), trend, tone.Mark);
    Edges(p, kBackWidth, h);
    return image;
}

QImage FlatBack(const tSkinLook& look, tTrendIndex trend) {
    const tTrendTone& tone = look.Tones[static_cast<int>(trend)];
    const int h = look.Height;
    QImage image(kBackWidth, h, QImage::Format_RGB32);
    QPainter p(&image);
    Shade(p, image.rect(), tone.Top, tone.Bottom);
    p.fillRect(QRect(0, 0, kBackWidth, 1), QColor(255, 255, 255, 22));
    // The trend line along the bottom edge, brightest under the name.
    QLinearGradient line(QPointF(0, 0), QPointF(kBackWidth, 0));
    QColor bright = tone.Mark;
    QColor faint = tone.Mark;
    faint.setAlpha(70);
    line.setColorAt(0, bright);
    line.setColorAt(0.45, faint);
    line.setColorAt(1, faint);
    p.fillRect(QRect(0, h - 2, kBackWidth, 2), line);
    Edges(p, kBackWidth, h);
    return image;
}

QImage ClassicBack(const tSkinLook& look, tTrendIndex trend) {
    const tTrendTone& tone = look.Tones[static_cast<int>(trend)];
    const int h = look.Height;
    QImage image(kBackWidth, h, QImage::Format_RGB32);
    QPainter p(&image);
    Shade(p, image.rect(), tone.Top, tone.Bottom);
    Sheen(p, QRectF(0, 1, kBackWidth, h * 0.45), 70, 22);
    p.fillRect(QRect(0, 0, kBackWidth, 1), QColor(255, 255, 255, 90));
    p.fillRect(QRect(0, h - 1, kBackWidth, 1), QColor(0, 0, 0, 160));
    // Trend glow along the lower edge.
    QLinearGradient glow(QPointF(0, h - 6), QPointF(0, h - 1));
    QColor clear = tone.Mark;
    clear.setAlpha(0);
    QColor strong = tone.Mark;
    strong.setAlpha(150);
    glow.setColorAt(0, clear);
    glow.setColorAt(1, strong);
    p.fillRect(QRectF(0, h - 6, kBackWidth, 5), glow);
    // The recessed screen of the mini chart.
    if (look.Chart.Shown()) {
        p.setRenderHint(QPainter::Antialiasing);
        const QRectF screen(look.Chart.XPos - 2.5, look.Chart.YPos - 2.5, look.Chart.Width + 5,
                            look.Chart.Height + 5);
        QLinearGradient g(screen.topLeft(), screen.bottomLeft());
        g.setColorAt(0, QColor(0, 0, 0, 150));
        g.setColorAt(1, QColor(0, 0, 0, 90));
        p.setPen(QPen(QColor(255, 255, 255, 55), 1));
        p.setBrush(g);
        p.drawRoundedRect(screen, 3, 3);
        p.setPen(QPen(QColor(255, 255, 255, 22), 1, Qt::DotLine));
        const double mid = look.Chart.YPos + look.Chart.Height / 2.0 + 0.5;
        p.drawLine(QPointF(screen.left() + 3, mid), QPointF(screen.right() - 3, mid));
    }
    Edges(p, kBackWidth, h);
    return image;
}

} // namespace

const std::vector<std::string>& BulletCodes() {
    static const std::vector<std::string> codes = {"US", "IX", "FX", "EU", "DE", "PA", "L",  "IR", "AS",
                                                   "BR", "ST", "VX", "LS", "MC", "MI", "VI", "JP", "SA"};
    return codes;
}

std::vector<tSkinLook> ShippedSkins() {
    std::vector<tSkinLook> skins;
    const QColor white(255, 255, 255);
    const QColor silver(192, 192, 192);
    const tColor upGreen = Bgr(Hex("#5BE38B"));
    const tColor downRed = Bgr(Hex("#FF6B6B"));

    {
        tSkinLook arrow;
        arrow.Name = QStringLiteral("Default\\Arrow");
        arrow.Height = 34;
        arrow.Style = tBackStyle::Glossy;
        arrow.Tones = {tTrendTone{Hex("#27402F"), Hex("#0A130D"), Hex("#3DDC84")},
                       tTrendTone{Hex("#43262A"), Hex("#150A0C"), Hex("#FF5A5F")},
                       tTrendTone{Hex("#33363C"), Hex("#101113"), Hex("#9AA3AD")}};
        arrow.Matte = Hex("#1A2420");
        arrow.AlertSide = 13;
        arrow.Fields = {Field("Arial", 9, "B", white, "17", "3"),
                        Field("Arial", 8, "", Hex("#B4C0BA"), "-", "18"),
                        Field("Arial", 16, "B", white, "+7", "5"),
                        Field("Arial", 8, "B", white, "+7", "4", upGreen, downRed),
                        Field("Arial", 8, "", silver, "-", "18", upGreen, downRed)};
        arrow.Logo = {Hex("#1F2A33"), Hex("#0B0F13"), Hex("#6FE3A5"), white, Hex("#3DDC97"), Hex("#138A55")};
        skins.push_back(arrow);
    }
    {
        tSkinLook flat;
        flat.Name = QStringLiteral("Default\\Flat");
        flat.Height = 30;
        flat.Style = tBackStyle::Flat;
        flat.Tones = {tTrendTone{Hex("#222A27"), Hex("#1B211F"), Hex("#2ECC71")},
                      tTrendTone{Hex("#2A2324"), Hex("#211B1C"), Hex("#E74C3C")},
                      tTrendTone{Hex("#25272A"), Hex("#1E2023"), Hex("#8A939C")}};
        flat.Matte = Hex("#222528");
        flat.AlertSide = 12;
        flat.Fields = {Field("Arial", 8, "B", Hex("#E8ECEF"), "19", "2", kClNone, kClNone, kClNone),
                       Field("Arial", 8, "", Hex("#8D979F"), "-", "15", kClNone, kClNone, kClNone),
                       Field("Arial", 14, "B", Hex("#F4F6F8"), "+8", "4", Bgr(Hex("#48E08A")),
                             Bgr(Hex("#FF6A5C")), kClNone),
                       Field("Arial", 8, "B", Hex("#C9D0D6"), "+6", "2", Bgr(Hex("#48E08A")),
                             Bgr(Hex("#FF6A5C")), kClNone),
                       Field("Arial", 8, "", Hex("#8D979F"), "-", "15", kClNone, kClNone, kClNone)};
        flat.Logo = {Hex("#2B3036"), Hex("#1A1D21"), Hex("#5C6670"),
                     Hex("#E8ECEF"), Hex("#2ECC71"), Hex("#1E8449")};
        skins.push_back(flat);
    }
    const tChartBox classicChart{19, 7, 42, 21};
    {
        tSkinLook blue;
        blue.Name = QStringLiteral("Classic\\Blue");
        blue.Height = 36;
        blue.Style = tBackStyle::Classic;
        blue.Tones = {tTrendTone{Hex("#2F6BB8"), Hex("#0C2452"), Hex("#49E38F")},
                      tTrendTone{Hex("#2F63AE"), Hex("#0D214C"), Hex("#FF5C6C")},
                      tTrendTone{Hex("#2E66B1"), Hex("#0C234F"), Hex("#A9B8CC")}};
        blue.Matte = Hex("#183C78");
        blue.AlertSide = 13;
        blue.Chart = classicChart;
        blue.Fields = {
            Field("Arial", 9, "B", white, "68", "4", kClNone, kClNone, Bgr(Hex("#061333"))),
            Field("Arial", 8, "", Hex("#BFD3F2"), "-", "19", kClNone, kClNone, Bgr(Hex("#061333"))),
            Field("Arial", 16, "B", white, "+7", "6", kClNone, kClNone, Bgr(Hex("#061333"))),
            Field("Arial", 8, "B", white, "+7", "5", Bgr(Hex("#7DFFB0")), Bgr(Hex("#FFB0B8")),
                  Bgr(Hex("#061333"))),
            Field("Arial", 8, "", Hex("#BFD3F2"), "-", "19", Bgr(Hex("#7DFFB0")), Bgr(Hex("#FFB0B8")),
                  Bgr(Hex("#061333")))};
        blue.Logo = {Hex("#3A78C9"), Hex("#0B1F47"), Hex("#A8CCFF"), white, Hex("#8FD3FF"), Hex("#1F6FD1")};
        skins.push_back(blue);
    }
    {
        tSkinLook red;
        red.Name = QStringLiteral("Classic\\Red");
        red.Height = 36;
        red.Style = tBackStyle::Classic;
        red.Tones = {tTrendTone{Hex("#8E2433"), Hex("#2E070E"), Hex("#5EE89A")},
                     tTrendTone{Hex("#8A2231"), Hex("#2B060D"), Hex("#FF9A5C")},
                     tTrendTone{Hex("#8C2332"), Hex("#2C070D"), Hex("#C9A9AE")}};
        red.Matte = Hex("#5A1420");
        red.AlertSide = 13;
        red.Chart = classicChart;
        const tColor ink = Bgr(Hex("#22040A"));
        red.Fields = {
            Field("Arial", 9, "B", Hex("#F5C869"), "68", "4", kClNone, kClNone, ink),
            Field("Arial", 8, "", Hex("#EBC3C8"), "-", "19", kClNone, kClNone, ink),
            Field("Arial", 16, "B", white, "+7", "6", kClNone, kClNone, ink),
            Field("Arial", 8, "B", white, "+7", "5", Bgr(Hex("#8CFFB4")), Bgr(Hex("#FFC59E")), ink),
            Field("Arial", 8, "", Hex("#EBC3C8"), "-", "19", Bgr(Hex("#8CFFB4")), Bgr(Hex("#FFC59E")), ink)};
        red.Logo = {Hex("#9A2A3A"), Hex("#2A060C"), Hex("#F5C869"), white, Hex("#F5C869"), Hex("#B3801F")};
        skins.push_back(red);
    }
    return skins;
}

QImage Background(const tSkinLook& look, tTrendIndex trend) {
    switch (look.Style) {
    case tBackStyle::Glossy:
        return GlossyBack(look, trend);
    case tBackStyle::Flat:
        return FlatBack(look, trend);
    case tBackStyle::Classic:
        break;
    }
    return ClassicBack(look, trend);
}

QImage AlertStrip(const tSkinLook& look) {
    const int side = look.AlertSide;
    QImage strip(side * 4, side, QImage::Format_ARGB32_Premultiplied);
    strip.fill(Qt::transparent);
    QPainter p(&strip);
    for (int state = 1; state <= 4; ++state) {
        p.drawImage(side * (state - 1), 0, AlertIcon(state, side));
    }
    p.end();
    return Keyed(strip, look.Matte);
}

QImage SkinBullet(const tSkinLook& look, const std::string& code) {
    return Keyed(Bullet(code, 16, 12), look.Matte);
}

std::string SkinIniText(const tSkinLook& look) {
    static constexpr const char* kSuffixes[] = {"_Font",      "_Size",   "_Style", "_Color", "_ColorUp",
                                                "_ColorDown", "_Shadow", "_XPos",  "_YPos"};
    std::string text = "[Settings]\r\n";
    auto line = [&text](const std::string& key, const std::string& value) {
        text += key + "=" + value + "\r\n";
    };
    for (int i = 0; i < kSkinFieldCount; ++i) {
        const tSkinField& f = look.Fields[static_cast<std::size_t>(i)];
        const std::string prefix(kSkinFieldPrefixes[static_cast<std::size_t>(i)]);
        const std::string values[] = {f.Font,
                                      std::to_string(f.Size),
                                      f.Style,
                                      ColorText(f.Color),
                                      ColorText(f.ColorUp),
                                      ColorText(f.ColorDown),
                                      ColorText(f.Shadow),
                                      f.XPos,
                                      f.YPos};
        for (std::size_t k = 0; k < std::size(kSuffixes); ++k) {
            line(prefix + kSuffixes[k], values[k]);
        }
    }
    line("Chart_XPos", std::to_string(look.Chart.XPos));
    line("Chart_YPos", std::to_string(look.Chart.YPos));
    line("Chart_Width", std::to_string(look.Chart.Width));
    line("Chart_Height", std::to_string(look.Chart.Height));
    return text;
}

} // namespace vc::skingen
