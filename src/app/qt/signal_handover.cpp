#include "app/qt/signal_handover.h"

#include <QSocketNotifier>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace vc {
namespace {

// A signal handler can reach nothing but a global; it holds only the pipe's writing end.
volatile std::sig_atomic_t gWriteFd = -1;

extern "C" void OnEndSignal(int) {
    const char byte = 1;
    const int fd = gWriteFd;
    if (fd >= 0) {
        [[maybe_unused]] const ssize_t written = ::write(fd, &byte, 1);
    }
}

} // namespace

tSignalHandover::tSignalHandover(std::function<void()> onSignal, QObject* parent)
    : QObject(parent), onSignal_(std::move(onSignal)) {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, fds_) != 0) {
        return;
    }
    gWriteFd = fds_[0];
    notifier_ = new QSocketNotifier(fds_[1], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &tSignalHandover::Read);
    struct sigaction action = {};
    action.sa_handler = OnEndSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGTERM, &action, nullptr);
    ::sigaction(SIGINT, &action, nullptr);
}

tSignalHandover::~tSignalHandover() {
    if (notifier_ != nullptr) {
        std::signal(SIGTERM, SIG_DFL);
        std::signal(SIGINT, SIG_DFL);
        gWriteFd = -1;
    }
    for (int fd : fds_) {
        if (fd >= 0) {
            ::close(fd);
        }
    }
}

void tSignalHandover::Read() {
    char bytes[16];
    ssize_t count = 0;
    while ((count = ::read(fds_[1], bytes, sizeof bytes)) > 0) {
        for (ssize_t i = 0; i < count; ++i) {
            if (onSignal_) {
                onSignal_();
            }
        }
    }
}

} // namespace vc
