// The end of the session reaching the event loop: SIGTERM and SIGINT are caught and handed over
// through a pipe the event loop watches, and the desktop session manager's request to save is
// passed on, both as one "save like a close, without asking" call.
#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <csignal>
#include <memory>

#include "platform/desktop_platform.h"

namespace vc {

class tSessionEndWatcher : public QObject {
    Q_OBJECT
public:
    // Catches the signals at once; the handler runs later, on the event loop.
    explicit tSessionEndWatcher(tSessionEndHandler handler, QObject* parent = nullptr);
    // Puts back the signal handlers that were there before.
    ~tSessionEndWatcher() override;
    tSessionEndWatcher(const tSessionEndWatcher&) = delete;
    tSessionEndWatcher& operator=(const tSessionEndWatcher&) = delete;

    // Whether this watcher catches the signals. Only one watcher at a time can: the signal handler
    // has a single pipe to write to.
    bool CatchesSignals() const { return catching_; }

private:
    void DrainSignals();

    tSessionEndHandler handler_;
    bool catching_ = false;
    int readFd_ = -1;
    int writeFd_ = -1;
    std::unique_ptr<QSocketNotifier> notifier_;
    struct sigaction oldTerm_ {};
    struct sigaction oldInt_ {};
};

} // namespace vc
