// The refresh cycle's quote request: one batch through a fresh tYahooIntraday on the program's one
// HTTP session, answered with the quote lines of the most recent weekday.
#pragma once

#include "tape/refresh_hooks.h"

namespace vc {

class tClock;
class tHttpSession;
struct tQuoteHost;

class tYahooQuoteDownloader final : public tQuoteDownloader {
public:
    // All three must outlive the downloader. The host is read at every download, so a change of
    // the tape's server takes effect with the next batch.
    tYahooQuoteDownloader(tHttpSession& session, const tQuoteHost& host, const tClock& clock)
        : session_(session), host_(host), clock_(clock) {}

    std::optional<std::vector<std::string>> Download(const std::string& symbolsBatch) override;

private:
    tHttpSession& session_;
    const tQuoteHost& host_;
    const tClock& clock_;
};

} // namespace vc
