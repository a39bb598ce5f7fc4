// The end of a session by signal (SIGTERM from the desktop or a service manager, SIGINT from a
// terminal): the handler only writes a byte into a pipe, and the event loop reads it and runs the
// saving close there, where everything may be done.
#pragma once

#include <QObject>

#include <functional>

class QSocketNotifier;

namespace vc {

class tSignalHandover : public QObject {
    Q_OBJECT
public:
    // Installs the handlers of SIGTERM and SIGINT; onSignal runs on the event loop, once per signal.
    explicit tSignalHandover(std::function<void()> onSignal, QObject* parent = nullptr);
    ~tSignalHandover() override;

    bool Installed() const { return notifier_ != nullptr; }

private:
    void Read();

    std::function<void()> onSignal_;
    QSocketNotifier* notifier_ = nullptr;
    int fds_[2] = {-1, -1};
};

} // namespace vc
