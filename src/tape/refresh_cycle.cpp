#include "tape/refresh_cycle.h"

#include <algorithm>
#include <utility>

namespace vc {

namespace {

constexpr double kSecondsPerDay = 86400;

// Joins up to kRefreshBatchSize entries from the front of pending with "+" and removes them.
std::string TakeBatch(std::vector<std::string>& pending) {
    const std::size_t count = std::min(pending.size(), kRefreshBatchSize);
    std::string batch;
    for (std::size_t i = 0; i < count; ++i) {
        if (i > 0) {
            batch += '+';
        }
        batch += pending[i];
    }
    pending.erase(pending.begin(), pending.begin() + static_cast<std::ptrdiff_t>(count));
    return batch;
}

} // namespace

tRefreshCycle::tRefreshCycle(tRefreshTape& tape, tQuoteDownloader& downloader, const tClock& clock,
                             tPostFn post, tRefreshHooks hooks)
    : tape_(tape), downloader_(downloader), clock_(clock), post_(std::move(post)), hooks_(std::move(hooks)) {}

tRefreshCycle::~tRefreshCycle() = default;

void tRefreshCycle::Step() {
    if (NextRefresh == kRefreshOff) {
        return;
    }
    const int state = RefreshState;
    // Held busy while the step runs: a tick that arrives while the tape or a hook runs the event
    // loop finds the machine busy and leaves it alone.
    RefreshState = kRefreshBusy;
    switch (state) {
    case kRefreshIdle:
        RefreshState = StepIdle();
        break;
    case kRefreshSending:
        RefreshState = StepSending();
        break;
    case kRefreshWaiting:
        RefreshState = StepWaiting();
        break;
    case kRefreshFinished:
        RefreshState = StepFinished();
        break;
    default:
        // Busy further down the call stack: whoever set it sets it back when done.
        break;
    }
}

int tRefreshCycle::StepIdle() {
    if (Closing) {
        SwitchOff();
        return kRefreshIdle;
    }
    if (clock_.Now() < NextRefresh) {
        return kRefreshIdle;
    }
    PendingRequests = tape_.BuildRequestList();
    return kRefreshSending;
}

int tRefreshCycle::StepSending() {
    if (Closing) {
        PendingRequests.clear();
        SwitchOff();
        return kRefreshIdle;
    }
    if (PendingRequests.empty()) {
        return kRefreshFinished;
    }
    Worker = std::make_unique<tVelocrestThread>(downloader_, post_);
    Worker->Symbols = TakeBatch(PendingRequests);
    Worker->Start();
    return kRefreshWaiting;
}

int tRefreshCycle::StepWaiting() {
    if (!Worker || Worker->Status != tVelocrestThread::kFinished) {
        return kRefreshWaiting;
    }
    if (Closing) {
        Worker.reset();
        SwitchOff();
        return kRefreshIdle;
    }
    std::vector<std::string> lines;
    if (Worker->Quotes) {
        lines = std::move(*Worker->Quotes);
    }
    Worker.reset();
    tape_.MergeQuotes(lines);
    if (hooks_.HandOver) {
        hooks_.HandOver(lines);
    }
    if (hooks_.BatchMerged) {
        hooks_.BatchMerged();
    }
    return kRefreshSending;
}

int tRefreshCycle::StepFinished() {
    if (Closing) {
        SwitchOff();
        return kRefreshIdle;
    }
    NextRefresh = clock_.Now() + kRefreshRestSeconds / kSecondsPerDay;
    return kRefreshIdle;
}

void tRefreshCycle::SwitchOff() {
    NextRefresh = kRefreshOff;
    PendingRequests.clear();
}

void tRefreshCycle::ScheduleRefresh(double delaySeconds) {
    if (RefreshState == kRefreshIdle) {
        ScheduleFirstRefresh(delaySeconds);
    }
}

void tRefreshCycle::ScheduleFirstRefresh(double delaySeconds) {
    NextRefresh = clock_.Now() + delaySeconds / kSecondsPerDay;
}

void tRefreshCycle::Abandon() {
    Closing = true;
    if (Worker) {
        const bool downloading = Worker->Status == tVelocrestThread::kRunning;
        // Freed first: the download, once given up, returns to a worker that is gone and leaves
        // its (empty) answer nowhere.
        Worker.reset();
        if (downloading) {
            downloader_.Abandon();
        }
    }
    SwitchOff();
}

bool AlertDisplayStep(tRefreshCycle& cycle, const std::function<void()>& presentAlert) {
    if (cycle.RefreshState != kRefreshIdle) {
        return false;
    }
    cycle.RefreshState = kRefreshBusy;
    // Idle again however the presenter leaves.
    struct tIdleAgain {
        tRefreshCycle& Cycle;
        ~tIdleAgain() { Cycle.RefreshState = kRefreshIdle; }
    } idleAgain{cycle};
    if (presentAlert) {
        presentAlert();
    }
    return true;
}

} // namespace vc
