// The seam between the market-data downloaders, which are plain C++ over bytes, and the HTTP engine
// (tHttpAsync on Qt Network). Downloaders describe one fetch and get back the session's result code
// and the document; tests hand them a scripted session instead of a network.
#pragma once

#include <string>

namespace vc {

// How one download is guarded. Defaults are the session's own; downloaders change them as they need.
struct tHttpSettings {
    int MaxAttempts = 3;
    int OverallTimeout = 20000; // ms for one whole attempt; 0 = none
    int LogonTimeout = 3000;    // ms until the request is on the wire; 0 = none
    int PacketTimeout = 6000;   // ms between two received packets; 0 = none
    bool StopOn404 = false;
    std::string Agent;  // User-Agent; empty sends the engine's default
    std::string Accept; // Accept header; empty sends none
};

class tHttpSession {
public:
    virtual ~tHttpSession() = default;
    // Downloads url. Returns 200 on success, else an HTTP status, 499 when the last attempt timed
    // out, 10069 when the request could not be started, or a transport error code. The document
    // holds whatever the last attempt received.
    virtual int Fetch(const std::string& url, const tHttpSettings& settings, std::string& document) = 0;
    // Gives up the download in progress at once: no further attempt, Fetch returns 10053 and the
    // document is not to be used. Nothing happens when no download runs.
    virtual void Abandon() = 0;
};

// For a downloader used only to parse what came some other way: every fetch answers that the
// request could not be started.
class tNoHttpSession final : public tHttpSession {
public:
    int Fetch(const std::string&, const tHttpSettings&, std::string& document) override {
        document.clear();
        return 10069;
    }
    void Abandon() override {}
};

} // namespace vc
