// The messenger helper as a process: the three checks, the start with an argument list (never a
// shell), and the wait for its log file while the event loop keeps running, so the alert window's
// countdown and buttons stay alive.
#pragma once

#include "notify/messenger.h"

#include <cstdint>
#include <functional>
#include <string>

namespace vc {

class tSkypeMessenger final : public tMessenger {
public:
    struct tWaits {
        int BeforeMs = 1000;   // after the start, before the log is looked for
        int PollMs = 30000;    // how long the log is looked for
        int CheckEveryMs = 50; // how often
        int AfterMs = 1000;    // once it is there, so the helper finishes writing it
    };

    // programDir ends in "/".
    explicit tSkypeMessenger(std::string programDir);

    tWaits Waits;
    // The request number: milliseconds since the system started.
    std::function<std::int64_t()> TickCount;

    std::string Send(tMessengerMode mode, std::string_view recipient, std::string_view text) override;

private:
    std::string programDir_;
};

} // namespace vc
