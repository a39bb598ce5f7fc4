// The narrow interfaces through which the quote refresh cycle reaches the tape it refreshes, the
// quote service it downloads from and the event loop it runs its downloads on. The main window
// fills them; tests hand in fakes.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace vc {

// What the cycle needs of the tape.
class tRefreshTape {
public:
    virtual ~tRefreshTape() = default;
    // "YAHTICK|" + symbol per item, in tape order.
    virtual std::vector<std::string> BuildRequestList() = 0;
    // Merges one batch of quote lines and leaves in lines only those that changed an item.
    virtual void MergeQuotes(std::vector<std::string>& lines) = 0;
};

// One quote request for one batch.
class tQuoteDownloader {
public:
    virtual ~tQuoteDownloader() = default;
    // symbolsBatch: up to ten entries "YAHTICK|" + symbol joined by "+". The quote lines of the
    // answer, or nothing when the download failed. May run the event loop while it waits.
    virtual std::optional<std::vector<std::string>> Download(const std::string& symbolsBatch) = 0;
    // Gives up the download in progress, which then returns nothing at once. Called from inside
    // the event loop that download runs; nothing happens when none runs.
    virtual void Abandon() = 0;
};

// Runs a job later on the GUI thread's event loop, outside the caller's stack.
using tPostFn = std::function<void(std::function<void()> job)>;

} // namespace vc
