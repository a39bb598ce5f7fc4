#include "app/qt/alert_window_presenter.h"

#include "notify/qt/alert_form.h"

namespace vc {

tAlertWindowPresenter::tAlertWindowPresenter(tTickerTape& tape, tAlertSound& sound,
                                             const std::vector<tAlertChannel*>& channels,
                                             tAlertWindowHooks hooks, QWidget* parent)
    : tape_(tape), sound_(sound), channels_(channels), hooks_(std::move(hooks)), parent_(parent) {}

void tAlertWindowPresenter::Present(tTickerItem& item) {
    if (hooks_.HoldBarOpen) {
        hooks_.HoldBarOpen();
    }
    {
        tScr_AlertForm form(&item, tape_, channels_, sound_, hooks_.BringIntoView, parent_);
        lastResult_ = form.exec();
    }
    if (hooks_.ReleaseBar) {
        hooks_.ReleaseBar();
    }
    if (lastResult_ == tScr_AlertForm::kResultReschedule && hooks_.OpenProperties) {
        hooks_.OpenProperties(item);
    }
}

} // namespace vc
