// The refresh cycle's quote request: one batch through a fresh tYahooIntraday on the downloader's
// own HTTP session, answered with the quote lines of the most recent weekday.
#pragma once

#include <memory>

#include "market/http_session.h"
#include "tape/refresh_hooks.h"

namespace vc {

class tClock;
struct tQuoteHost;

class tYahooQuoteDownloader final : public tQuoteDownloader {
public:
    // The session is the downloader's alone, so no other download ever finds it busy or waits
    // for it; its batches reuse it one after the other. Host and clock must outlive the
    // downloader. The host is read at every download, so a change of the tape's server takes
    // effect with the next batch.
    tYahooQuoteDownloader(std::unique_ptr<tHttpSession> session, const tQuoteHost& host, const tClock& clock)
        : session_(std::move(session)), host_(host), clock_(clock) {}

    std::optional<std::vector<std::string>> Download(const std::string& symbolsBatch) override;
    void Abandon() override { session_->Abandon(); }

private:
    std::unique_ptr<tHttpSession> session_;
    const tQuoteHost& host_;
    const tClock& clock_;
};

} // namespace vc
