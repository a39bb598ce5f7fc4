// The program's HTTP client on Qt Network: one GET at a time, redirects followed only when asked,
// an event for every phase a session wants to watch, a percentage position for progress displays,
// and a synchronous download into a file that can offer to retry with or without the proxy.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

class QEventLoop;
class QNetworkAccessManager;
class QNetworkReply;
class QTimer;

namespace vc {

// Client states, in the order the trace names them.
enum class tHttpState {
    Ready,
    NotConnected,
    Connected,
    DnsLookup,
    DnsLookupDone,
    WaitingHeader,
    WaitingBody,
    BodyReceived,
    WaitingProxyConnect,
    Closing,
    Aborting
};

// Message box answers the proxy questions understand.
inline constexpr int kAnswerYes = 6;
inline constexpr int kAnswerNo = 7;

class tKestroHTTP {
public:
    // The two questions DownloadToFile may ask ("\xA6" is the message box's line break).
    static constexpr const char* kRetryWithoutProxy = "Error downloading Internet-page.\xA6\xA6"
                                                      "Do you wish to try again WITHOUT proxysettings ?";
    static constexpr const char* kRetryWithProxy = "Error downloading Internet-page.\xA6\xA6"
                                                   "Do you wish to try again WITH proxysettings ?";
    static constexpr const char* kProxyCaption = "Internet Proxyserver|";
    // What a reply holds back for the Receiver at most. Without a bound the network layer keeps
    // reading while the event loop is busy, and a server that never stops sending fills memory
    // long before the Receiver gets the chance to call a halt.
    static constexpr std::int64_t kReadBufferBytes = 256 * 1024;

    // proxySettings is the program-wide "address|user|password" text DownloadToFile works with.
    explicit tKestroHTTP(std::string proxySettings = {});
    ~tKestroHTTP();
    tKestroHTTP(const tKestroHTTP&) = delete;
    tKestroHTTP& operator=(const tKestroHTTP&) = delete;

    // The request.
    std::string URL;
    std::string Proxy; // host:port as typed; empty = no proxy
    std::string ProxyUsername;
    std::string ProxyPassword;
    std::string Agent;  // User-Agent; empty sends Qt's default
    std::string Accept; // Accept header; empty sends none
    bool FollowRelocation = false;
    // ms without any sign of life before a synchronous GET gives up with 10060; 0 = never.
    int Timeout = 30000;
    // Takes the body as it arrives; returns 0 to go on or the code to end the request with.
    std::function<int(std::string_view)> Receiver;

    // Events, all delivered on the GUI thread while its event loop runs.
    std::function<void(int state)> OnStateChange;
    std::function<void()> OnSessionConnected; // the request is on the wire
    std::function<void()> OnSessionClosed;
    std::function<void()> OnHeaderData;
    std::function<void()> OnDocData;
    // 0 when an answer came, whatever its status; else the code of the transport failure.
    std::function<void(int error)> OnRequestDone;
    std::function<void(const std::string&)> OnLocationChange;
    std::function<void(const std::string&)> OnCookie; // the Set-Cookie value; never sent back
    std::function<void(const std::string&)> OnSocketError;
    std::function<void(int position)> OnPosition;

    // Progress: every phase up to the body adds 3, the body moves from PhaseBase to 100.
    int PhaseBase = 0;
    std::int64_t SizeGuess = -1; // body size assumed without a Content-Length; -1 = none
    bool AskProxyRetry = false;
    // Asks a Yes/No question (text, caption) and returns kAnswerYes or kAnswerNo.
    std::function<int(const std::string& text, const std::string& caption)> Ask;
    // Where the system proxy comes from; SystemProxy() when empty.
    std::function<std::string()> SystemProxyLookup;

    int Position() const { return position_; }

    // The program-wide setting; DownloadToFile changes it when a retry settles the proxy question,
    // and the caller stores it back.
    const std::string& ProxySettings() const { return proxySettings_; }
    void SetProxySettings(std::string text) { proxySettings_ = std::move(text); }

    // Applies an "address|user|password" text to Proxy, ProxyUsername and ProxyPassword.
    void SetProxy(std::string_view text);

    // Starts a GET and returns at once; false when it cannot start (StatusCode and ReasonPhrase
    // say why). The end is reported through OnRequestDone.
    bool GetAsync();
    // GET that waits in a local event loop; returns StatusCode.
    int Get();
    // Ends the request in progress; OnRequestDone reports code.
    void Abort(int code);
    // GET into a file: 0 on success, else the status (400 or more) or the failure code. The file
    // only appears when the download succeeded.
    int DownloadToFile(const std::string& fileName);

    bool Busy() const { return reply_ != nullptr; }
    int State() const { return static_cast<int>(state_); }
    // The HTTP status of the answer, or the code the request ended with when no whole answer came.
    int StatusCode() const { return statusCode_; }
    const std::string& ReasonPhrase() const { return reasonPhrase_; }
    const std::string& LastHeaderLine() const { return lastHeaderLine_; }
    std::int64_t ContentLength() const { return contentLength_; } // -1 = none announced
    std::int64_t RcvdCount() const { return rcvdCount_; }
    const std::string& Location() const { return location_; }

private:
    bool Start(int startPosition);
    void Reset();
    // Every call out of the client goes through here: runs handler (when set) and tells whether
    // this client and the request it was serving (none, once it finished) both outlived the call.
    // A handler may free the client, abort the request or start the next one; on false the
    // caller returns without touching anything.
    template <class F, class... A>
    bool Raise(const F& handler, A&&... args);
    // These three report as Raise does.
    bool SetState(tHttpState state);
    bool SetPosition(int position);
    bool AddPhase();
    void HandleStartedConnecting();
    void HandleRequestSent();
    void HandleMetaData();
    void HandleReadyRead();
    void HandleFinished();
    void KeepAlive();
    int RunSync(int startPosition);
    int DownloadOnce(const std::string& fileName);
    void Fail(int code, std::string reason);

    std::unique_ptr<QNetworkAccessManager> manager_;
    QNetworkReply* reply_ = nullptr;
    QEventLoop* syncLoop_ = nullptr;
    QTimer* syncIdle_ = nullptr;
    std::shared_ptr<bool> alive_;
    int inHandler_ = 0;
    std::uint64_t finishedCount_ = 0;
    std::string proxySettings_;
    tHttpState state_ = tHttpState::Ready;
    int position_ = 0;
    int statusCode_ = 0;
    std::string reasonPhrase_;
    std::string lastHeaderLine_;
    std::int64_t contentLength_ = -1;
    std::int64_t rcvdCount_ = 0;
    std::string location_;
    int abortCode_ = 0;
    bool requestSent_ = false;
    bool headersSeen_ = false;
};

} // namespace vc
