#include "app/alert_display.h"

#include "tape/alerts.h"
#include "tape/history.h"
#include "tape/refresh_cycle.h"
#include "tape/ticker_tape.h"

namespace vc {

void tPendingAlertClearer::Present(tTickerItem& item) {
    item.PendingAlertUp.clear();
    item.PendingAlertDown.clear();
}

bool RunAlertDisplayStep(tRefreshCycle& cycle, tTickerTape& tape, const tProgramValues& values,
                         tAlertPresenter& presenter) {
    bool presented = false;
    AlertDisplayStep(cycle, [&] {
        tTickerItem* item = NextPendingAlert(tape);
        if (item == nullptr) {
            return;
        }
        WriteAlertHistory(values, *item);
        presenter.Present(*item);
        presented = true;
    });
    return presented;
}

} // namespace vc
