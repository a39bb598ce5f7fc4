// tRefreshCycle, the quote refresh state machine: every symbol of the tape is requested in batches
// of ten, one step per timer tick, each answer merged into the tape as it arrives and handed on to
// the live quote service; after the last batch the cycle rests one minute. Also the gate of the
// alert display step, which shares the machine's state as its lock.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "tape/refresh_hooks.h"
#include "tape/velocrest_thread.h"
#include "toolkit/clock.h"

namespace vc {

// The values of RefreshState.
inline constexpr int kRefreshIdle = 0;
inline constexpr int kRefreshSending = 2;
inline constexpr int kRefreshWaiting = 3;
inline constexpr int kRefreshFinished = 4;
inline constexpr int kRefreshBusy = 5;
// NextRefresh with this value switches the cycle off for good.
inline constexpr double kRefreshOff = -1;
// Entries per quote request.
inline constexpr std::size_t kRefreshBatchSize = 10;
// The rest between two cycles, counted from the end of the first, in seconds.
inline constexpr double kRefreshRestSeconds = 60;

// What the main window does with each merged batch.
struct tRefreshHooks {
    // The lines of the batch that changed an item (possibly none), for the live quote service.
    std::function<void(const std::vector<std::string>& changedLines)> HandOver;
    // After every merged batch, once the worker is gone: the tray icons show the new prices.
    std::function<void()> BatchMerged;
};

class tRefreshCycle {
public:
    // tape, downloader and clock must outlive the cycle; post queues a worker's download on the
    // event loop.
    tRefreshCycle(tRefreshTape& tape, tQuoteDownloader& downloader, const tClock& clock, tPostFn post,
                  tRefreshHooks hooks = {});
    ~tRefreshCycle();
    tRefreshCycle(const tRefreshCycle&) = delete;
    tRefreshCycle& operator=(const tRefreshCycle&) = delete;

    // One step of the machine; called on every timer tick.
    void Step();
    // NextRefresh = now + delay, only while the machine is idle, so a request in the middle of a
    // cycle does not restart it.
    void ScheduleRefresh(double delaySeconds);
    // NextRefresh = now + delay whatever the state: the first cycle at the first activation.
    void ScheduleFirstRefresh(double delaySeconds);
    // The program ends now and waits for nothing: a batch in flight is given up and its worker
    // freed (its answer is never merged), a batch not yet started never starts, and the cycle
    // switches itself off.
    void Abandon();

    // When the next cycle may start (date-time); kRefreshOff ends all refreshing.
    double NextRefresh = kRefreshOff;
    int RefreshState = kRefreshIdle;
    // The request entries of the current cycle not yet sent.
    std::vector<std::string> PendingRequests;
    // The batch in flight.
    std::unique_ptr<tVelocrestThread> Worker;
    // Set once the window agreed to close: what is held is released at the next step and the cycle
    // switches itself off; a batch in flight is waited for first, then discarded.
    bool Closing = false;

private:
    int StepIdle();
    int StepSending();
    int StepWaiting();
    int StepFinished();
    void SwitchOff();

    tRefreshTape& tape_;
    tQuoteDownloader& downloader_;
    const tClock& clock_;
    tPostFn post_;
    tRefreshHooks hooks_;
};

// The gate of the alert display step: presentAlert runs only while the refresh machine is idle,
// with the machine held busy meanwhile (so neither a refresh step nor a nested display step runs
// while an alert is on screen), and the machine is idle again afterwards. True when it ran.
bool AlertDisplayStep(tRefreshCycle& cycle, const std::function<void()>& presentAlert);

} // namespace vc
