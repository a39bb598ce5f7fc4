// TQuickTimer, the fast interval timer whose ticks drive the tape's scrolling, the quote refresh
// cycle and the alert display, all on the GUI thread. A precise QTimer watches the clock; every
// period that has passed becomes one tick event posted to the timer, so ticks that fall due while a
// handler runs long are handled one after the other afterwards (or only one of them with the
// NoOverflow option), and disabling the timer takes back every tick still queued.
#pragma once

#include <QObject>
#include <QTimer>

#include <cstdint>
#include <functional>

#include "toolkit/clock.h"

class QEvent;

namespace vc {

class TQuickTimer : public QObject {
    Q_OBJECT
public:
    // A handler that falls far behind gets at most this many ticks queued; the rest are dropped.
    static constexpr int kMaxQueuedTicks = 100;
    static constexpr int kDefaultInterval = 100;
    static constexpr int kDefaultResolution = 25;

    // Periods are counted on clock's steady time; clock must outlive the timer.
    explicit TQuickTimer(const tClock& clock, QObject* parent = nullptr);
    ~TQuickTimer() override;

    // Period in milliseconds, at least 1. Changing it while enabled restarts the period from the
    // change and drops the ticks still queued.
    int Interval() const { return interval_; }
    void SetInterval(int milliseconds);
    // Kept for the settings that name it; the precise timer needs no resolution.
    int Resolution() const { return resolution_; }
    void SetResolution(int milliseconds) { resolution_ = milliseconds; }
    // Once disabled, OnTimer is not called again, not even for ticks that were queued already.
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    // At most one tick waiting at a time.
    bool NoOverflow() const { return noOverflow_; }
    void SetNoOverflow(bool noOverflow) { noOverflow_ = noOverflow; }

    // Run on every tick. Do not delete the timer from here (deleteLater is fine).
    std::function<void()> OnTimer;

    // Queues the ticks that have fallen due by the clock; the internal timer calls it on every
    // expiry.
    void CheckDue();
    // Ticks posted and not yet handled.
    int QueuedTicks() const { return queued_; }

protected:
    bool event(QEvent* event) override;

private:
    void Start();
    void Stop();

    const tClock& clock_;
    QTimer poll_;
    int interval_ = kDefaultInterval;
    int resolution_ = kDefaultResolution;
    bool enabled_ = false;
    bool noOverflow_ = false;
    // A tick of this timer is waiting (used with NoOverflow).
    bool pending_ = false;
    int queued_ = 0;
    // Ticks carry the generation they were posted in; stopping starts a new one, so a tick that
    // escaped the removal from the queue is still recognised as stale.
    std::uint64_t generation_ = 0;
    std::int64_t periodStartMs_ = 0;
    std::int64_t periodsCounted_ = 0;
};

} // namespace vc
