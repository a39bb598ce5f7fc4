#include "tape/velocrest_thread.h"

#include <utility>

namespace vc {

tVelocrestThread::tVelocrestThread(tQuoteDownloader& downloader, tPostFn post)
    : downloader_(downloader), post_(std::move(post)), self_(std::make_shared<tVelocrestThread*>(this)) {}

tVelocrestThread::~tVelocrestThread() {
    *self_ = nullptr;
}

void tVelocrestThread::Start() {
    if (started_) {
        return;
    }
    started_ = true;
    std::weak_ptr<tVelocrestThread*> self = self_;
    auto job = [self] {
        const std::shared_ptr<tVelocrestThread*> alive = self.lock();
        if (alive && *alive != nullptr) {
            (*alive)->Run();
        }
    };
    if (post_) {
        post_(std::move(job));
    } else {
        job();
    }
}

void tVelocrestThread::Run() {
    Status = kRunning;
    // A symbol with ":" is not one the quote service knows; such a batch is not sent at all.
    if (Symbols.find(':') != std::string::npos) {
        Status = kFinished;
        return;
    }
    // The download may run the event loop, and whoever owns this worker may free it meanwhile;
    // keep the flag that tells, not this object.
    const std::shared_ptr<tVelocrestThread*> alive = self_;
    std::optional<std::vector<std::string>> answer = downloader_.Download(Symbols);
    if (*alive == nullptr) {
        return;
    }
    Quotes = std::move(answer);
    Status = kFinished;
}

} // namespace vc
