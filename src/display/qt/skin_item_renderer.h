// tSkinItemRenderer: draws each item's image in the tape's skin (background by trend, logo, market
// bullet, the five text fields, alert-state frame, mini chart, stale-quote dimming) and hands the
// tape the picture to copy, blinking for raised alerts.
#pragma once

#include "display/qt/item_image.h"
#include "display/qt/item_renderer.h"

#include <functional>

namespace vc {

class tClock;
class tSkin;
class tTickerTape;

class tSkinItemRenderer final : public tItemRenderer {
public:
    // Widest and highest image drawn: a skin's position or chart box beyond that is cut off.
    static constexpr int kMaxImageWidth = 4096;
    static constexpr int kMaxImageHeight = 1024;

    // Gives the skin to draw in at the moment of drawing, so a skin replaced by its owner (the
    // tape widget makes a fresh one for every choice) is never drawn from after it is gone.
    using tSkinSource = std::function<const tSkin&()>;

    // The clock gives the blinking phase and the day a quote must be from not to be dimmed. Until
    // a tape is set, items are as high as the skin says and never dimmed.
    tSkinItemRenderer(tSkinSource skin, const tClock& clock);
    // A fixed skin and tape; all three must outlive the renderer.
    tSkinItemRenderer(const tSkin& skin, tTickerTape& tape, const tClock& clock);

    // The tape gives the height of items without a background and the MarkOldItems setting; it
    // must outlive the renderer or be taken back with nullptr.
    void SetTape(tTickerTape* tape) { tape_ = tape; }
    // Draws from now on in `skin` (which must outlive the renderer) and drops the pictures of the
    // tape's items so that they are drawn again in it.
    void SetSkin(const tSkin& skin);
    const tSkin& Skin() const { return skin_(); }

    void DrawImage(tTickerItem& item) override;
    void RedrawImage(tTickerItem& item, bool underline) override;
    const QImage& PaintImage(tTickerItem& item) override;
    void DiscardImages(tTickerItem& item) override;

private:
    void Compose(tTickerItem& item, tItemImage& cache, bool underline) const;

    tSkinSource skin_;
    tTickerTape* tape_ = nullptr;
    const tClock& clock_;
};

} // namespace vc
