// tSkinItemRenderer: draws each item's image in the tape's skin (background by trend, logo, market
// bullet, the five text fields, alert-state frame, mini chart, stale-quote dimming) and hands the
// tape the picture to copy, blinking for raised alerts.
#pragma once

#include "display/qt/item_image.h"
#include "display/qt/item_renderer.h"

namespace vc {

class tClock;
class tSkin;
class tTickerTape;

class tSkinItemRenderer final : public tItemRenderer {
public:
    // Widest and highest image drawn: a skin's position or chart box beyond that is cut off.
    static constexpr int kMaxImageWidth = 4096;
    static constexpr int kMaxImageHeight = 1024;

    // The skin, the tape and the clock must outlive the renderer; the tape gives the height of
    // items without a background and the MarkOldItems setting, the clock the blinking phase and
    // the day a quote must be from not to be dimmed.
    tSkinItemRenderer(const tSkin& skin, tTickerTape& tape, const tClock& clock);

    // Draws from now on in `skin` (which must outlive the renderer) and drops every item's
    // pictures so that they are drawn again in it.
    void SetSkin(const tSkin& skin);
    const tSkin& Skin() const { return *skin_; }

    void DrawImage(tTickerItem& item) override;
    void RedrawImage(tTickerItem& item, bool underline) override;
    const QImage& PaintImage(tTickerItem& item) override;
    void DiscardImages(tTickerItem& item) override;

private:
    void Compose(tTickerItem& item, tItemImage& cache, bool underline) const;

    const tSkin* skin_;
    tTickerTape& tape_;
    const tClock& clock_;
};

} // namespace vc
