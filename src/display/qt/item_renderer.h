// tItemRenderer: how the tape widget gets the pictures of its items. In the program it draws the
// skin's item images; tests of the scrolling hand in plain blocks of known widths.
#pragma once

#include <QImage>

namespace vc {

class tTickerItem;

class tItemRenderer {
public:
    virtual ~tItemRenderer() = default;
    // Draws the item's image when it has none; afterwards item.ImageWidth is its advance on the
    // tape and item.LinkRect its clickable area.
    virtual void DrawImage(tTickerItem& item) = 0;
    // Draws the image again (not the flashing copy), with the name or symbol underlined while the
    // mouse is over it.
    virtual void RedrawImage(tTickerItem& item, bool underline) = 0;
    // The picture to copy for a drawn item at this moment: its image, or the flashing copy in the
    // blinking phase of a raised alert.
    virtual const QImage& PaintImage(tTickerItem& item) = 0;
    // Frees both pictures; the next paint draws the item again.
    virtual void DiscardImages(tTickerItem& item) = 0;
};

} // namespace vc
