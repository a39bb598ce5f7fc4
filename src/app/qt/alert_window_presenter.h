// Shows a fired alert in the alert window: the auto-hidden bar comes out while the window is up,
// and Reschedule opens the symbol's properties once the window has gone.
#pragma once

#include <functional>
#include <vector>

#include "app/alert_display.h"

class QWidget;

namespace vc {

class tAlertChannel;
class tAlertSound;
class tTickerTape;

struct tAlertWindowHooks {
    // Scrolls the tape so the item shows at its left part.
    std::function<void(const tTickerItem&)> BringIntoView;
    // Around the window: the bar slides out and stays out, then may hide again.
    std::function<void()> HoldBarOpen;
    std::function<void()> ReleaseBar;
    // Reschedule: the symbol properties dialog for the item.
    std::function<void(tTickerItem&)> OpenProperties;
};

class tAlertWindowPresenter final : public tAlertPresenter {
public:
    // channels and everything referenced must outlive the presenter; the list may grow later.
    tAlertWindowPresenter(tTickerTape& tape, tAlertSound& sound, const std::vector<tAlertChannel*>& channels,
                          tAlertWindowHooks hooks, QWidget* parent);
    void Present(tTickerItem& item) override;
    // The result of the last window (1 Close, 2 timed out, 99 Reschedule).
    int LastResult() const { return lastResult_; }

private:
    tTickerTape& tape_;
    tAlertSound& sound_;
    const std::vector<tAlertChannel*>& channels_;
    tAlertWindowHooks hooks_;
    QWidget* parent_;
    int lastResult_ = 0;
};

} // namespace vc
