// One download of one address into memory, guarded by three deadlines and a few retries, with one
// integer result. It waits in a local event loop on the GUI thread, so timers, painting and input
// go on meanwhile. Every market-data download goes through it.
#pragma once

#include "market/http_session.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class QEventLoop;
class QTimer;

namespace vc {

class tKestroHTTP;

class tHttpAsync : public tHttpSession {
public:
    // Documents are held in memory; past this size the download ends with 10040.
    static constexpr std::size_t kMaxDocument = 16u * 1024u * 1024u;
    // The line logged when a download is asked for while this session is still busy.
    static constexpr const char* kBusyLine = "   Session BUSY : #10036";

    // proxySettings is the program-wide "address|user|password" text; empty = no proxy.
    explicit tHttpAsync(std::string proxySettings = {});
    ~tHttpAsync() override;
    tHttpAsync(const tHttpAsync&) = delete;
    tHttpAsync& operator=(const tHttpAsync&) = delete;

    std::string URL;
    int MaxAttempts = 3;
    int OverallTimeout = 20000; // ms for one whole attempt; 0 = none
    int LogonTimeout = 3000;    // ms until the request is on the wire; 0 = none
    int PacketTimeout = 6000;   // ms between received packets, and until the first; 0 = none
    bool StopOn404 = false;
    std::function<void(const std::string&)> OnLog;
    std::function<void(double percent)> OnProgress;
    // Receives the fine-grained client trace; empty discards it. DebugTrace() writes it to qDebug.
    std::function<void(const std::string&)> TraceSink;

    // Downloads URL: 200 with the body in Document(), else the status, 499 (timed out), 10069 (not
    // started), a fatal transport code, 10053 when abandoned, or 10036 when called while this
    // session is busy.
    int Execute();
    int Fetch(const std::string& url, const tHttpSettings& settings, std::string& document) override;
    void Abandon() override;

    virtual void Log(const std::string& text);
    void Trace(const std::string& text);
    static std::function<void(const std::string&)> DebugTrace();

    const std::string& ProxySettings() const { return proxySettings_; }
    void SetProxySettings(std::string text) { proxySettings_ = std::move(text); }

    bool Busy() const { return busy_; }
    double Progress() const { return progress_; }
    const std::string& Document() const { return document_; }
    const std::string& Cookie() const { return cookie_; }
    int Error() const { return error_; }
    std::int64_t ExpectedSize() const { return expectedSize_; }
    tKestroHTTP& Client() { return *client_; }

private:
    void BindClient();
    void SetProgress(double percent);
    void Wait();
    void ArmDeadlineTimer();
    void CheckDeadlines();
    void ArmPacketDeadline();

    std::unique_ptr<tKestroHTTP> client_;
    std::shared_ptr<bool> alive_;
    std::string proxySettings_;
    std::string document_;
    std::string cookie_;
    double progress_ = 0;
    int error_ = 200;
    std::int64_t expectedSize_ = 0;
    bool busy_ = false;
    bool done_ = false;
    bool timedOut_ = false;
    bool abandoned_ = false;
    // Steady-clock ms; -1 = disarmed.
    std::int64_t logonDeadline_ = -1;
    std::int64_t overallDeadline_ = -1;
    std::int64_t packetDeadline_ = -1;
    QEventLoop* waitLoop_ = nullptr;
    QTimer* deadlineTimer_ = nullptr;
};

} // namespace vc
