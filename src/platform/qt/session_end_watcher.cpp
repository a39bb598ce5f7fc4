#include "platform/qt/session_end_watcher.h"

#include <QGuiApplication>
#include <QSessionManager>
#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace vc {

namespace {

// The write end of the pipe of the watcher that catches the signals; -1 while there is none. A
// signal handler can reach nothing but such a process-wide value.
std::atomic<int> gSignalPipe{-1};
static_assert(std::atomic<int>::is_always_lock_free, "the signal handler needs a lock-free value");

extern "C" void OnTerminationSignal(int /*signal*/) {
    // Only async-signal-safe calls here: one write() to a non-blocking pipe. A full pipe already
    // holds a pending wake-up, so a lost byte loses nothing.
    const int savedErrno = errno;
    const int fd = gSignalPipe.load();
    if (fd >= 0) {
        const char byte = 1;
        [[maybe_unused]] const ssize_t written = ::write(fd, &byte, 1);
    }
    errno = savedErrno;
}

} // namespace

tSessionEndWatcher::tSessionEndWatcher(tSessionEndHandler handler, QObject* parent)
    : QObject(parent), handler_(std::move(handler)) {
    if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        connect(app, &QGuiApplication::commitDataRequest, this, [this](QSessionManager&) {
            if (handler_) {
                handler_(tSessionEnd::SessionManager);
            }
        });
    }
    int fds[2];
    if (::pipe2(fds, O_NONBLOCK | O_CLOEXEC) != 0) {
        return;
    }
    int expected = -1;
    if (!gSignalPipe.compare_exchange_strong(expected, fds[1])) {
        ::close(fds[0]);
        ::close(fds[1]);
        return;
    }
    readFd_ = fds[0];
    writeFd_ = fds[1];
    notifier_ = std::make_unique<QSocketNotifier>(readFd_, QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, &tSessionEndWatcher::DrainSignals);

    struct sigaction action {};
    action.sa_handler = OnTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, &oldTerm_);
    sigaction(SIGINT, &action, &oldInt_);
    catching_ = true;
}

tSessionEndWatcher::~tSessionEndWatcher() {
    if (!catching_) {
        return;
    }
    sigaction(SIGTERM, &oldTerm_, nullptr);
    sigaction(SIGINT, &oldInt_, nullptr);
    gSignalPipe.store(-1);
    notifier_.reset();
    ::close(readFd_);
    ::close(writeFd_);
}

void tSessionEndWatcher::DrainSignals() {
    // Several signals that arrived before the loop came round are one request.
    bool any = false;
    char buffer[64];
    for (;;) {
        const ssize_t got = ::read(readFd_, buffer, sizeof buffer);
        if (got > 0) {
            any = true;
            continue;
        }
        if (got < 0 && errno == EINTR) {
            continue;
        }
        break;
    }
    if (any && handler_) {
        handler_(tSessionEnd::Signal);
    }
}

} // namespace vc
