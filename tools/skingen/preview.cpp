#include "preview.h"

#include "display/qt/color_key.h"
#include "display/qt/item_image.h"
#include "display/qt/thumb_chart_painter.h"
#include "display/thumb_chart.h"
#include "toolkit/qt/qt_color.h"
#include "toolkit/qt/win1252_codec.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstdio>

namespace vc::skingen {
namespace {

int Trend(const tSampleItem& item) {
    if (item.Close != 0 && item.Prev != 0) {
        if (item.Close > item.Prev) {
            return 1;
        }
        if (item.Close < item.Prev) {
            return -1;
        }
    }
    return 0;
}

std::string Fixed(double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

std::string Signed(double value, const char* unit) {
    std::string text = Fixed(value, 2);
    if (std::stod(text) > 0) {
        text = "+" + text;
    }
    return text + unit;
}

std::string PercentText(const tSampleItem& item) {
    if (item.Close == 0 || item.Prev == 0) {
        return {};
    }
    if (item.Close == item.Prev) {
        return "=0%";
    }
    return Signed(item.Close / item.Prev * 100 - 100, "%");
}

std::string ChangeText(const tSampleItem& item) {
    if (item.Close == 0 || item.Prev == 0) {
        return {};
    }
    if (item.Close == item.Prev) {
        return "=0";
    }
    return Signed(item.Close - item.Prev, "");
}

void Keyed(QPainter& p, int x, int y, const QImage& bitmap, QRgb key) {
    p.drawImage(x, y, KeyOut(bitmap, key));
}

// A day of prices from the previous close to the last one: a seeded walk, the same every run.
std::vector<double> Day(double prev, double close, unsigned seed) {
    constexpr int kPoints = 44;
    std::vector<double> walk(kPoints);
    unsigned state = seed;
    double noise = 0;
    for (int i = 0; i < kPoints; ++i) {
        state = state * 1103515245u + 12345u;
        noise = noise * 0.7 + (static_cast<double>((state >> 16) & 0x7FFF) / 32767.0 - 0.5);
        const double t = static_cast<double>(i) / (kPoints - 1);
        const double damp = std::sin(t * 3.14159265);
        walk[static_cast<std::size_t>(i)] =
            prev + (close - prev) * t + noise * damp * std::abs(close - prev) * 0.35;
    }
    walk.back() = close;
    return walk;
}

tSampleItem Sample(const char* name, const char* symbol, double close, double prev, int decimals, int alert,
                   unsigned seed) {
    const double spread = prev == close ? close * 0.002 : 0;
    tSampleItem item{name, symbol, close, prev, decimals, alert, Day(prev + spread, close, seed)};
    return item;
}

} // namespace

std::vector<tSampleItem> SampleItems() {
    return {
        Sample("Apple", "AAPL", 189.84, 187.15, 2, 3, 7),
        Sample("DAX", "^GDAXI", 18492.49, 18561.12, 2, 0, 11),
        Sample("EUR/USD", "EURUSD=X", 1.0842, 1.0842, 4, 0, 5),
        Sample("Siemens", "SIE.DE", 176.52, 173.90, 2, 1, 23),
        Sample("TotalEnergies", "TTE.PA", 61.37, 62.05, 2, 2, 3),
        Sample("Shell", "SHEL.L", 2674.5, 2661.0, 1, 4, 17),
        Sample("Nikkei 225", "^N225", 38487.90, 38101.40, 2, 0, 29),
        Sample("ASML Holding", "ASML.AS", 913.40, 921.80, 2, 0, 31),
    };
}

std::string BulletCode(const tSampleItem& item) {
    const std::string& symbol = item.Symbol;
    if (symbol.empty()) {
        return {};
    }
    if (symbol == "^GDAXI") {
        return "DE";
    }
    if (symbol == "EURUSD=X") {
        return "EU";
    }
    if (symbol[0] == '^') {
        return "IX";
    }
    if (const auto dot = symbol.rfind('.'); dot != std::string::npos) {
        return symbol.substr(dot + 1);
    }
    if (symbol.find("=X") != std::string::npos) {
        return "FX";
    }
    return "US";
}

QImage ComposeItem(const tPreviewSkin& skin, const tSampleItem& item) {
    const int trend = Trend(item);
    const QImage& back = skin.Back[trend > 0 ? 0 : trend < 0 ? 1 : 2];
    const int height = back.isNull() ? skin.Height : back.height();
    QImage image(500, height, QImage::Format_RGB32);
    image.fill(QColor(192, 192, 192));
    QPainter p(&image);
    p.setRenderHint(QPainter::TextAntialiasing);
    if (!back.isNull()) {
        p.drawImage(0, 0, back);
    }
    const QImage bullet = skin.Bullet(BulletCode(item));
    if (!bullet.isNull()) {
        Keyed(p, 0, 0, bullet, BottomRightKey(bullet));
    }

    tSkinLayout layout;
    const std::string texts[] = {item.Name, item.Symbol,
                                 item.Close > 0 ? Fixed(item.Close, item.Decimals) : "", PercentText(item),
                                 ChangeText(item)};
    for (int i = 0; i < kSkinFieldCount; ++i) {
        const tSkinField& field = skin.Fields[static_cast<std::size_t>(i)];
        const std::string& text = texts[i];
        if (!field.Shown() || (i >= 2 && text.empty())) {
            continue;
        }
        const QFont font = SkinFieldFont(field);
        const QFontMetrics metrics(font);
        p.setFont(font);
        const auto [x, y] = layout.Place(field.XPos, field.YPos);
        const QString shown = FromWin1252(text);
        if (field.Shadow != kClNone) {
            p.setPen(ToQColor(field.Shadow));
            p.drawText(x + 1, y + 1 + metrics.ascent(), shown);
        }
        p.setPen(ToQColor(field.TextColor(trend)));
        p.drawText(x, y + metrics.ascent(), shown);
        const int w = metrics.horizontalAdvance(shown);
        const int h = metrics.height();
        layout.Drawn(x, y, w, h);
        if (i == 0 && !skin.Alert.isNull() && item.AlertState != 0) {
            const int side = skin.Alert.height();
            const QImage frame = StripFrame(skin.Alert, item.AlertState);
            if (!frame.isNull()) {
                Keyed(p, x + w + 1, y, frame, kOliveKey);
            }
            layout.ReachRight(x + w + 1 + side - 2);
        }
    }
    if (skin.Chart.Shown()) {
        tThumbChart chart;
        chart.Width = skin.Chart.Width;
        chart.Height = skin.Chart.Height;
        chart.BackColor = 0x008080;
        chart.LineColor = 0xFFFFFF;
        chart.Stretch = true;
        chart.MaxPoints = skin.Chart.Width;
        for (const double value : item.Series) {
            chart.AddPoint(Fixed(value, 4));
        }
        const QImage drawn = Draw(chart);
        if (!drawn.isNull()) {
            Keyed(p, skin.Chart.XPos, skin.Chart.YPos, drawn, kOliveKey);
        }
    }
    int width = layout.Right() + 10;
    if (!back.isNull()) {
        if (back.width() < width) {
            width = back.width();
        } else {
            p.drawImage(width - 1, 0, back.copy(back.width() - 1, 0, 1, back.height()));
        }
    }
    p.end();
    return image.copy(0, 0, width, height);
}

QImage GalleryPreview(const tPreviewSkin& skin, const std::vector<tSampleItem>& items) {
    const int height = skin.Back[0].isNull() ? skin.Height : skin.Back[0].height();
    QImage image(401, height + 2, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter p(&image);
    int x = 1;
    for (std::size_t i = 0; x < 401; ++i) {
        const QImage item = ComposeItem(skin, items[i % items.size()]);
        p.drawImage(x, 1, item);
        x += item.width();
    }
    p.setPen(Qt::black);
    p.drawLine(0, 0, 400, 0);
    p.drawLine(0, 0, 0, height + 1);
    p.drawLine(0, height + 1, 400, height + 1);
    p.end();
    return image;
}

QImage TapeStrip(const tPreviewSkin& skin, const QImage& leftLogo, const QImage& rightLogo,
                 const std::vector<tSampleItem>& items, int width, int offset) {
    const int height = skin.Back[0].isNull() ? skin.Height : skin.Back[0].height();
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter p(&image);
    int x = -offset;
    for (std::size_t i = 0; x < width; ++i) {
        const QImage item = ComposeItem(skin, items[i % items.size()]);
        p.drawImage(x, 0, item);
        x += item.width();
    }
    if (!leftLogo.isNull()) {
        Keyed(p, 0, 0, leftLogo, BottomRightKey(leftLogo));
    }
    if (!rightLogo.isNull()) {
        Keyed(p, width - rightLogo.width(), 0, rightLogo, TopLeftKey(rightLogo));
    }
    p.end();
    return image;
}

} // namespace vc::skingen
