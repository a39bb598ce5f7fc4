// tVelocrestThread, the worker of one quote batch. All downloads run on the GUI thread, so the
// worker is a job posted to the event loop rather than a thread of its own; it keeps the status
// protocol the refresh cycle polls: 1 created, 2 running, 3 finished.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tape/refresh_hooks.h"

namespace vc {

class tVelocrestThread {
public:
    static constexpr int kCreated = 1;
    static constexpr int kRunning = 2;
    static constexpr int kFinished = 3;

    // downloader must outlive the worker; post runs the job later on the event loop.
    tVelocrestThread(tQuoteDownloader& downloader, tPostFn post);
    ~tVelocrestThread();
    tVelocrestThread(const tVelocrestThread&) = delete;
    tVelocrestThread& operator=(const tVelocrestThread&) = delete;

    // Queues the download; it runs when the event loop gets to it. Only the first call counts.
    void Start();

    // The batch: up to ten entries "YAHTICK|" + symbol joined by "+".
    std::string Symbols;
    // The answer lines; nothing until the download succeeded, and nothing for a batch that was not
    // requested.
    std::optional<std::vector<std::string>> Quotes;
    int Status = kCreated;

private:
    void Run();

    tQuoteDownloader& downloader_;
    tPostFn post_;
    bool started_ = false;
    // Lets a posted job find out that its worker is gone before it ran or while it downloaded.
    std::shared_ptr<tVelocrestThread*> self_;
};

} // namespace vc
