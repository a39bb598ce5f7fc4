// Where every downloader gets its HTTP session: one of its own, never a shared one. A session does
// one download at a time, so a shared one would answer "busy" (10036) to a news or lookup request
// while a quote batch waits on a slow host, or hold the batch up behind it.
#pragma once

#include <memory>
#include <string>

#include "market/qt/http_async.h"

namespace vc {

class tHttpSessions {
public:
    // proxySettings is the program-wide setting, read anew for every session made, so a changed
    // proxy reaches the downloads that start after the change. It must outlive this object.
    explicit tHttpSessions(const std::string& proxySettings) : proxySettings_(proxySettings) {}

    // A fresh session for one downloader, which owns it and may reuse it for its own downloads.
    std::unique_ptr<tHttpAsync> NewSession() const { return std::make_unique<tHttpAsync>(proxySettings_); }

private:
    const std::string& proxySettings_;
};

} // namespace vc
