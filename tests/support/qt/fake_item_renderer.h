// An item renderer for tests and benchmarks of the tape: each item is a solid block of a known
// width and colour, its clickable area a known rectangle, and every drawing, redrawing and discard
// is written down so a test can see what the tape asked for.
#pragma once

#include "display/qt/item_renderer.h"
#include "tape/ticker_item.h"

#include <QColor>
#include <QImage>
#include <map>
#include <string>
#include <vector>

namespace vc::test {

class tFakeItemImages final : public tItemImageCache {
public:
    QImage Image;
    QImage Flash;
};

class tFakeItemRenderer final : public tItemRenderer {
public:
    struct tLook {
        int Width = 100;
        QColor Color = Qt::gray;
        // The clickable area in image coordinates; empty means the whole block but a 10-pixel
        // margin at each side.
        tLinkRect Link{};
    };

    int Height = 20;
    // Looks by symbol; a symbol without one gets the default look.
    std::map<std::string, tLook> Looks;
    // While set, PaintImage hands out the flashing copy (FlashColor) as a raised alert would.
    bool Flashing = false;
    QColor FlashColor = Qt::red;
    // The underline of a hovered item, drawn along the bottom of its clickable area.
    QColor UnderlineColor = Qt::white;
    // "draw SYMBOL", "redraw SYMBOL underlined|plain", "discard SYMBOL", in order.
    std::vector<std::string> Calls;
    int Paints = 0;

    void DrawImage(tTickerItem& item) override {
        if (Images(item) != nullptr) {
            return;
        }
        Calls.push_back("draw " + item.Symbol);
        Make(item, false);
    }
    void RedrawImage(tTickerItem& item, bool underline) override {
        Calls.push_back("redraw " + item.Symbol + (underline ? " underlined" : " plain"));
        Make(item, underline);
    }
    const QImage& PaintImage(tTickerItem& item) override {
        ++Paints;
        tFakeItemImages* images = Images(item);
        if (images == nullptr) {
            static const QImage none;
            return none;
        }
        if (Flashing) {
            if (images->Flash.isNull()) {
                images->Flash = QImage(images->Image.size(), QImage::Format_RGB32);
                images->Flash.fill(FlashColor);
            }
            return images->Flash;
        }
        return images->Image;
    }
    void DiscardImages(tTickerItem& item) override {
        Calls.push_back("discard " + item.Symbol);
        item.DiscardImages();
    }

    tLook LookOf(const std::string& symbol) const {
        const auto found = Looks.find(symbol);
        return found != Looks.end() ? found->second : tLook{};
    }
    int CountCalls(const std::string& call) const {
        int n = 0;
        for (const std::string& c : Calls) {
            n += c == call ? 1 : 0;
        }
        return n;
    }

private:
    static tFakeItemImages* Images(tTickerItem& item) {
        return dynamic_cast<tFakeItemImages*>(item.ImageCache.get());
    }

    void Make(tTickerItem& item, bool underline) {
        const tLook look = LookOf(item.Symbol);
        auto images = std::make_unique<tFakeItemImages>();
        images->Image = QImage(std::max(1, look.Width), Height, QImage::Format_RGB32);
        images->Image.fill(look.Color);
        item.ImageWidth = look.Width;
        item.LinkRect = look.Link.Right > look.Link.Left
                            ? look.Link
                            : tLinkRect{10, 0, std::max(10, look.Width - 10), Height};
        if (underline) {
            for (int x = item.LinkRect.Left; x < item.LinkRect.Right && x < images->Image.width(); ++x) {
                images->Image.setPixelColor(x, Height - 1, UnderlineColor);
            }
        }
        item.ImageCache = std::move(images);
    }
};

} // namespace vc::test
