// The alert display step of every timer tick: between refresh cycles, the oldest pending alert gets
// its history line and is handed to whoever shows it.
#pragma once

namespace vc {

class tRefreshCycle;
class tTickerItem;
class tTickerTape;
struct tProgramValues;

// Shows one alert to the user. Whatever shows it clears both pending texts of the item first, so
// an alert is shown once however the window is closed.
class tAlertPresenter {
public:
    virtual ~tAlertPresenter() = default;
    virtual void Present(tTickerItem& item) = 0;
};

// Shows nothing: only clears both pending texts, as the alert window does before anything else.
class tPendingAlertClearer final : public tAlertPresenter {
public:
    void Present(tTickerItem& item) override;
};

// Only while the refresh machine is idle, with the machine held busy meanwhile: takes the item
// with the oldest pending alert, appends its history line and presents it. True when an alert was
// presented.
bool RunAlertDisplayStep(tRefreshCycle& cycle, tTickerTape& tape, const tProgramValues& values,
                         tAlertPresenter& presenter);

} // namespace vc
