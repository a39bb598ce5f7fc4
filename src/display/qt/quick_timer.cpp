#include "display/qt/quick_timer.h"

#include <QCoreApplication>
#include <QEvent>

#include <algorithm>

namespace vc {

namespace {

QEvent::Type TickEventType() {
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

class tTickEvent final : public QEvent {
public:
    explicit tTickEvent(std::uint64_t generation) : QEvent(TickEventType()), Generation(generation) {}
    const std::uint64_t Generation;
};

} // namespace

TQuickTimer::TQuickTimer(const tClock& clock, QObject* parent) : QObject(parent), clock_(clock), poll_(this) {
    poll_.setTimerType(Qt::PreciseTimer);
    connect(&poll_, &QTimer::timeout, this, &TQuickTimer::CheckDue);
}

TQuickTimer::~TQuickTimer() = default;

void TQuickTimer::SetInterval(int milliseconds) {
    milliseconds = std::max(1, milliseconds);
    if (milliseconds == interval_) {
        return;
    }
    interval_ = milliseconds;
    if (enabled_) {
        Stop();
        Start();
    }
}

void TQuickTimer::SetEnabled(bool enabled) {
    if (enabled == enabled_) {
        return;
    }
    enabled_ = enabled;
    if (enabled) {
        Start();
    } else {
        Stop();
    }
}

void TQuickTimer::Start() {
    ++generation_;
    queued_ = 0;
    pending_ = false;
    // Taken before the poll timer starts, so its expiries never come before the periods they count.
    periodStartMs_ = clock_.SteadyMs();
    periodsCounted_ = 0;
    poll_.start(interval_);
}

void TQuickTimer::Stop() {
    poll_.stop();
    ++generation_;
    QCoreApplication::removePostedEvents(this, TickEventType());
    queued_ = 0;
    pending_ = false;
}

void TQuickTimer::CheckDue() {
    if (!enabled_) {
        return;
    }
    const std::int64_t due = (clock_.SteadyMs() - periodStartMs_) / interval_;
    if (due <= periodsCounted_) {
        return;
    }
    std::int64_t owed = due - periodsCounted_;
    periodsCounted_ = due;
    if (noOverflow_) {
        if (pending_) {
            return;
        }
        pending_ = true;
        owed = 1;
    }
    owed = std::min<std::int64_t>(owed, kMaxQueuedTicks - queued_);
    for (std::int64_t i = 0; i < owed; ++i) {
        QCoreApplication::postEvent(this, new tTickEvent(generation_));
        ++queued_;
    }
}

bool TQuickTimer::event(QEvent* event) {
    if (event->type() != TickEventType()) {
        return QObject::event(event);
    }
    if (!enabled_ || static_cast<tTickEvent*>(event)->Generation != generation_) {
        return true;
    }
    --queued_;
    // Cleared before the handler runs, so a tick that falls due meanwhile is queued behind it.
    pending_ = false;
    if (OnTimer) {
        // A copy: the handler may assign OnTimer while it runs.
        const std::function<void()> handler = OnTimer;
        handler();
    }
    return true;
}

} // namespace vc
