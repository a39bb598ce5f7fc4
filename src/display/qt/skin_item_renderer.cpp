#include "display/qt/skin_item_renderer.h"

#include "display/item_texts.h"
#include "display/qt/color_key.h"
#include "display/qt/skin.h"
#include "display/qt/thumb_chart_painter.h"
#include "display/thumb_chart.h"
#include "tape/alerts.h"
#include "tape/ticker_tape.h"
#include "toolkit/clock.h"
#include "toolkit/qt/qt_color.h"
#include "toolkit/qt/win1252_codec.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <climits>
#include <optional>
#include <vector>

namespace vc {
namespace {

// Share of black mixed into the image of a quote from an earlier day.
constexpr double kOldQuoteDimming = 0.35;

int Clamp(long long value) {
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

// One thing drawn onto the image, in drawing order: a keyed picture, or a text with its shadow.
struct tPiece {
    QPoint At;
    QImage Picture;
    QFont Font;
    QString Text;
    int Ascent = 0;
    QColor Color;  // invalid: the text takes room but is not painted
    QColor Shadow; // invalid: no shadow
};

tPiece Picture(QImage picture, QPoint at) {
    tPiece piece;
    piece.At = at;
    piece.Picture = std::move(picture);
    return piece;
}

tItemImage& CacheOf(tTickerItem& item) {
    if (auto* cache = dynamic_cast<tItemImage*>(item.ImageCache.get())) {
        return *cache;
    }
    auto fresh = std::make_unique<tItemImage>();
    tItemImage& cache = *fresh;
    item.ImageCache = std::move(fresh);
    return cache;
}

} // namespace

tSkinItemRenderer::tSkinItemRenderer(tSkinSource skin, const tClock& clock)
    : skin_(std::move(skin)), clock_(clock) {}

tSkinItemRenderer::tSkinItemRenderer(const tSkin& skin, tTickerTape& tape, const tClock& clock)
    : skin_([&skin]() -> const tSkin& { return skin; }), tape_(&tape), clock_(clock) {}

void tSkinItemRenderer::SetSkin(const tSkin& skin) {
    skin_ = [&skin]() -> const tSkin& { return skin; };
    if (tape_ != nullptr) {
        for (int i = 0; i < tape_->ItemCount(); ++i) {
            tape_->ItemAt(i).DiscardImages();
        }
    }
}

void tSkinItemRenderer::DrawImage(tTickerItem& item) {
    tItemImage& cache = CacheOf(item);
    if (cache.Image.isNull()) {
        Compose(item, cache, false);
    }
}

void tSkinItemRenderer::RedrawImage(tTickerItem& item, bool underline) {
    // The flashing copy stays: it is made again only when the item's pictures are discarded.
    tItemImage& cache = CacheOf(item);
    cache.Image = QImage();
    Compose(item, cache, underline);
}

const QImage& tSkinItemRenderer::PaintImage(tTickerItem& item) {
    tItemImage& cache = CacheOf(item);
    if (cache.Image.isNull()) {
        Compose(item, cache, false);
    }
    const std::optional<tColor> tint = BlinkTint(AlertState(item), clock_.Now());
    if (!tint) {
        return cache.Image;
    }
    if (cache.FlashImage.isNull() || cache.FlashColor != *tint) {
        cache.FlashImage = FlashCopy(cache.Image, *tint);
        cache.FlashColor = *tint;
    }
    return cache.FlashImage;
}

void tSkinItemRenderer::DiscardImages(tTickerItem& item) {
    item.DiscardImages();
}

void tSkinItemRenderer::Compose(tTickerItem& item, tItemImage& cache, bool underline) const {
    const tSkin& skin = skin_();
    const int trend = Trend(item);
    const QImage& back = trend > 0 ? skin.BackUp : trend < 0 ? skin.BackDown : skin.BackEqual;
    const int tapeHeight = tape_ != nullptr && tape_->Height > 0 ? tape_->Height : skin.ItemHeight;
    const int height = std::clamp(back.isNull() ? tapeHeight : back.height(), 1, kMaxImageHeight);

    // Everything is placed first, so that the image can be made at its final width.
    std::vector<tPiece> pieces;
    tSkinLayout layout;
    tLinkRect link;

    if (const QImage logo = skin.LogoBitmap(item.Symbol); !logo.isNull()) {
        const int right = Clamp(4LL + logo.width());
        layout.ReachRight(right);
        layout.SetPreviousRight(right);
        pieces.push_back(Picture(KeyOut(logo, BottomRightKey(logo)), QPoint(4, 0)));
    }
    if (const QImage bullet = skin.BulletBitmap(BulletCode(item)); !bullet.isNull()) {
        pieces.push_back(Picture(KeyOut(bullet, BottomRightKey(bullet)), QPoint(0, 0)));
    }

    // The clickable field is the one underlined under the mouse: the name, else the symbol.
    const tSkinFieldId linkField = skin.Name.Shown() ? tSkinFieldId::Name : tSkinFieldId::Tick;
    const int alertState = AlertState(item);
    for (int i = 0; i < kSkinFieldCount; ++i) {
        const auto id = static_cast<tSkinFieldId>(i);
        tSkinField style = skin.Field(id);
        if (!style.Shown()) {
            continue;
        }
        const std::optional<std::string> text = FieldText(item, id);
        if (!text) {
            continue;
        }
        if (underline && id == linkField) {
            style.Style.insert(0, 1, 'U');
        }
        tPiece piece;
        piece.Font = SkinFieldFont(style);
        piece.Text = FromWin1252(*text);
        const QFontMetrics metrics(piece.Font);
        const tSkinLayout::tSpot spot = layout.Place(style.XPos, style.YPos);
        piece.At = QPoint(spot.X, spot.Y);
        piece.Ascent = metrics.ascent();
        piece.Color = ToQColor(style.TextColor(trend));
        piece.Shadow = ToQColor(style.Shadow);
        layout.Drawn(spot.X, spot.Y, metrics.horizontalAdvance(piece.Text), metrics.height());
        pieces.push_back(std::move(piece));

        const tLinkRect rect{spot.X, spot.Y, layout.PreviousRight(), layout.PreviousBottom()};
        if (id == tSkinFieldId::Name) {
            link = rect;
            if (!skin.AlertStrip.isNull() && alertState != 0) {
                const int side = skin.AlertStrip.height();
                const int frameX = Clamp(1LL + rect.Right);
                if (const QImage frame = StripFrame(skin.AlertStrip, alertState); !frame.isNull()) {
                    pieces.push_back(Picture(KeyOut(frame, kOliveKey), QPoint(frameX, spot.Y)));
                }
                layout.ReachRight(Clamp(static_cast<long long>(frameX) + side - 2));
            }
        } else if (id == tSkinFieldId::Tick && link.Right == 0) {
            link = rect;
        }
    }

    const tChartBox& box = skin.ChartBox;
    if (box.Shown() && box.Width > 0 && box.Height > 0) {
        tThumbChart chart;
        chart.Width = std::min(box.Width, kMaxImageWidth);
        chart.Height = std::min(box.Height, kMaxImageHeight);
        chart.BackColor = kClOlive;
        chart.LineColor = kClWhite;
        chart.Stretch = true;
        chart.MaxPoints = chart.Width;
        chart.AddPoints(item.TodayCloseSeries(clock_));
        // With fewer than two points the chart is all background, which the key makes vanish.
        if (const QImage drawn = Draw(chart); !drawn.isNull()) {
            pieces.push_back(Picture(KeyOut(drawn, kOliveKey), QPoint(box.XPos, box.YPos)));
        }
    }

    int width = Clamp(10LL + layout.Right());
    bool borderCopy = false;
    if (!back.isNull()) {
        if (back.width() < width) {
            width = back.width();
        } else {
            borderCopy = true;
        }
    }
    width = std::clamp(width, 1, kMaxImageWidth);

    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor(0xC0, 0xC0, 0xC0));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing);
    if (!back.isNull()) {
        painter.drawImage(0, 0, back);
    }
    for (const tPiece& piece : pieces) {
        const QPoint at = piece.At;
        // Far outside the image nothing shows, and the arithmetic below stays in range.
        if (at.x() >= width || at.y() >= height || at.x() < -kMaxImageWidth || at.y() < -kMaxImageHeight) {
            continue;
        }
        if (!piece.Picture.isNull()) {
            painter.drawImage(at, piece.Picture);
            continue;
        }
        painter.setFont(piece.Font);
        const int baseline = at.y() + piece.Ascent;
        if (piece.Shadow.isValid()) {
            painter.setPen(piece.Shadow);
            painter.drawText(at.x() + 1, baseline + 1, piece.Text);
        }
        if (piece.Color.isValid()) {
            painter.setPen(piece.Color);
            painter.drawText(at.x(), baseline, piece.Text);
        }
    }
    painter.end();

    // The item ends with the background's own right border.
    if (borderCopy) {
        const int from = back.width() - 1;
        const int rows = std::min(height, back.height());
        for (int y = 0; y < rows; ++y) {
            reinterpret_cast<QRgb*>(image.scanLine(y))[width - 1] = back.pixel(from, y);
        }
    }

    if (tape_ != nullptr && tape_->MarkOldItems && IsOldQuote(item, clock_.Now())) {
        Blend(image, 0, 0, width - 1, height - 1, kClBlack, kOldQuoteDimming);
    }

    cache.Image = std::move(image);
    item.ImageWidth = width;
    item.LinkRect = link;
}

} // namespace vc
