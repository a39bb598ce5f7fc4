#include "market/qt/http_async.h"

#include "market/download_progress.h"
#include "market/http_codes.h"
#include "market/qt/kestro_http.h"

#include <QDebug>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <array>
#include <chrono>

namespace vc {

namespace {

std::int64_t NowMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

constexpr std::array<const char*, 11> kStateNames = {
    "httpReady",       "httpNotConnected",  "httpConnected",
    "httpDnsLookup",   "httpDnsLookupDone", "httpWaitingHeader",
    "httpWaitingBody", "httpBodyReceived",  "httpWaitingProxyConnect",
    "httpClosing",     "httpAborting"};

std::int64_t Deadline(std::int64_t now, int limit) {
    return limit > 0 ? now + limit : -1;
}

} // namespace

tHttpAsync::tHttpAsync(std::string proxySettings)
    : client_(std::make_unique<tKestroHTTP>()), alive_(std::make_shared<bool>(true)),
      proxySettings_(std::move(proxySettings)) {
    BindClient();
}

tHttpAsync::~tHttpAsync() {
    // Freed while waiting (by a handler run from our own loop): let Execute return untouched.
    *alive_ = false;
    if (deadlineTimer_ != nullptr) {
        deadlineTimer_->stop();
    }
    if (waitLoop_ != nullptr) {
        waitLoop_->quit();
    }
}

void tHttpAsync::Log(const std::string& text) {
    if (OnLog) {
        OnLog(text);
    }
}

void tHttpAsync::Trace(const std::string& text) {
    if (TraceSink) {
        TraceSink(text);
    }
}

std::function<void(const std::string&)> tHttpAsync::DebugTrace() {
    return
        [](const std::string& text) { qDebug().noquote() << "http:" << QString::fromLatin1(text.c_str()); };
}

void tHttpAsync::SetProgress(double percent) {
    progress_ = percent;
    if (OnProgress) {
        OnProgress(percent);
    }
}

void tHttpAsync::ArmPacketDeadline() {
    if (PacketTimeout > 0) {
        packetDeadline_ = NowMs() + PacketTimeout;
        ArmDeadlineTimer();
    }
}

void tHttpAsync::BindClient() {
    tKestroHTTP& client = *client_;
    client.OnStateChange = [this](int state) {
        Trace(state >= 0 && state < static_cast<int>(kStateNames.size())
                  ? std::string("State CHANGE : ") + kStateNames[static_cast<std::size_t>(state)]
                  : std::string("State CHANGE : INVALID state"));
    };
    client.OnSessionConnected = [this] {
        Trace("Session CONNECTED");
        logonDeadline_ = -1;
        ArmPacketDeadline();
    };
    client.OnSessionClosed = [this] { Trace("Session CLOSED"); };
    client.OnHeaderData = [this] {
        Trace("Header DATA");
        // Headers are a packet too: a server that answers them has not gone silent.
        ArmPacketDeadline();
        if (client_->ContentLength() > static_cast<std::int64_t>(kMaxDocument)) {
            client_->Abort(kHttpTooLong);
        }
    };
    client.OnDocData = [this] {
        ArmPacketDeadline();
        SetProgress(SessionProgress(client_->RcvdCount(), client_->ContentLength(), expectedSize_));
    };
    client.OnRequestDone = [this](int code) {
        const auto alive = alive_;
        SetProgress(100);
        if (!*alive) {
            return;
        }
        if (code == 0) {
            Trace("Request DONE : OK");
        } else if (IsFatalRequestError(code)) {
            Log("   Request DONE ERROR : #" + std::to_string(code));
            Log("   FATAL ERROR !! no more retries");
            error_ = code;
        } else {
            Log("   Request DONE ERROR : #" + std::to_string(code));
            Log("                ERROR : " + client_->ReasonPhrase());
        }
        if (code != 0) {
            Trace("Request DONE error #" + std::to_string(code) + " " + client_->ReasonPhrase());
        }
        done_ = true;
        if (waitLoop_ != nullptr) {
            waitLoop_->quit();
        }
    };
    client.OnLocationChange = [this](const std::string& location) {
        Trace("Location CHANGED : " + location);
    };
    client.OnCookie = [this](const std::string& cookie) {
        cookie_ = cookie;
        Trace("Cookie : " + cookie);
    };
    client.OnSocketError = [this](const std::string& details) { Trace("Socket ERROR : " + details); };
}

void tHttpAsync::ArmDeadlineTimer() {
    if (deadlineTimer_ == nullptr) {
        return;
    }
    std::int64_t earliest = -1;
    for (const std::int64_t deadline : {overallDeadline_, logonDeadline_, packetDeadline_}) {
        if (deadline >= 0 && (earliest < 0 || deadline < earliest)) {
            earliest = deadline;
        }
    }
    if (earliest < 0) {
        deadlineTimer_->stop();
        return;
    }
    // A deadline fires once it lies strictly before now, hence the extra millisecond.
    const std::int64_t wait = std::max<std::int64_t>(0, earliest - NowMs() + 1);
    deadlineTimer_->start(static_cast<int>(std::min<std::int64_t>(wait, 24 * 3600 * 1000)));
}

void tHttpAsync::CheckDeadlines() {
    const std::int64_t now = NowMs();
    const auto fire = [this](std::int64_t& deadline, const char* label, int limit) {
        Log(label + std::to_string(limit) + "ms");
        timedOut_ = true;
        deadline = -1;
        client_->Abort(kHttpAborted);
    };
    if (overallDeadline_ >= 0 && overallDeadline_ < now) {
        fire(overallDeadline_, "   OVERALL timeout : ", OverallTimeout);
    } else if (logonDeadline_ >= 0 && logonDeadline_ < now) {
        fire(logonDeadline_, "   LOGON timeout : ", LogonTimeout);
    } else if (packetDeadline_ >= 0 && packetDeadline_ < now) {
        fire(packetDeadline_, "   PACKET timeout : ", PacketTimeout);
    }
}

void tHttpAsync::Wait() {
    const auto alive = alive_;
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer, &QTimer::timeout, &loop, [this, alive] {
        CheckDeadlines();
        if (*alive) {
            ArmDeadlineTimer();
        }
    });
    waitLoop_ = &loop;
    deadlineTimer_ = &timer;
    ArmDeadlineTimer();
    while (!done_) {
        loop.exec();
        if (!*alive) {
            return;
        }
        if (!done_) {
            // Every event loop of the thread was told to end (the program is finishing): from now
            // on each of them returns at once, so waiting on would only spin.
            Abandon();
        }
    }
    waitLoop_ = nullptr;
    deadlineTimer_ = nullptr;
}

int tHttpAsync::Execute() {
    if (busy_) {
        Log(kBusyLine);
        return kHttpBusy;
    }
    busy_ = true;
    abandoned_ = false;
    const auto alive = alive_;
    // No attempt at all would report success without a download.
    const int attempts = std::max(1, MaxAttempts);
    int result = kHttpOk;
    int attempt = 1;
    while (attempt <= attempts) {
        document_.clear();
        client_->Receiver = [this](std::string_view data) {
            const std::size_t room = kMaxDocument - document_.size();
            const std::size_t take = std::min(data.size(), room);
            // Grown as a string grows, but never past the cap: a body without end would otherwise
            // leave room for twice the cap behind it.
            if (document_.size() + take > document_.capacity()) {
                document_.reserve(
                    std::min(kMaxDocument, std::max(document_.capacity() * 2, document_.size() + take)));
            }
            document_.append(data.substr(0, take));
            return data.size() > room ? kHttpTooLong : 0;
        };
        const std::int64_t now = NowMs();
        packetDeadline_ = -1;
        logonDeadline_ = Deadline(now, LogonTimeout);
        overallDeadline_ = Deadline(now, OverallTimeout);

        client_->URL = URL;
        expectedSize_ = 0;
        SetProgress(0);
        client_->SetProxy(proxySettings_);
        if (!client_->Proxy.empty()) {
            Log("Using PROXY : " + client_->Proxy);
        }
        timedOut_ = false;
        done_ = false;
        error_ = kHttpOk;
        result = kHttpOk;

        if (!client_->GetAsync()) {
            Log("   Exception ERROR : #" + client_->LastHeaderLine() +
                " Reason : " + client_->ReasonPhrase());
            Log("");
            done_ = true;
            error_ = kHttpNotStarted;
            client_->Abort(kHttpAborted);
        }
        Wait();
        if (!*alive) {
            return kHttpAborted;
        }
        if (abandoned_) {
            Log("   Download ABANDONED");
            result = kHttpAborted;
            break;
        }

        const int status = client_->StatusCode();
        if (timedOut_) {
            ++attempt;
            result = kHttpTimedOut;
            Log("");
        } else if (error_ != kHttpOk) {
            attempt = attempts + 1;
            result = error_;
        } else if (status == 200 || status == 401 || status == 403 || status == 301 || status == 407 ||
                   (status == 404 && StopOn404)) {
            attempt = attempts + 1;
            result = status;
        } else {
            ++attempt;
            result = status;
            Log("   Http-error : #" + std::to_string(status));
            Log("");
        }
        if (attempt <= attempts) {
            Log("Atempt #" + std::to_string(attempt));
        }
    }
    const int status = client_->StatusCode();
    // Whoever gave a download up is not waiting for a diagnosis.
    if (!abandoned_ && timedOut_) {
        Log("    operation TIMED out : errorcode = #" + std::to_string(status));
    } else if (!abandoned_ && status != 200) {
        Log("    Error while downloading : errorcode = #" + std::to_string(status));
    }
    client_->Receiver = nullptr;
    busy_ = false;
    return result;
}

void tHttpAsync::Abandon() {
    if (!busy_ || abandoned_) {
        return;
    }
    abandoned_ = true;
    if (deadlineTimer_ != nullptr) {
        deadlineTimer_->stop();
    }
    // The client reports the abort through OnRequestDone, normally before this returns; the wait
    // ends here anyway, so a loop that is already told to quit (the program ending) is not spun
    // waiting for a report that needs that loop.
    const auto alive = alive_;
    client_->Abort(kHttpAborted);
    if (!*alive) {
        return; // freed by a handler of that report
    }
    done_ = true;
    if (waitLoop_ != nullptr) {
        waitLoop_->quit();
    }
}

int tHttpAsync::Fetch(const std::string& url, const tHttpSettings& settings, std::string& document) {
    if (busy_) {
        Log(kBusyLine);
        document.clear();
        return kHttpBusy;
    }
    URL = url;
    MaxAttempts = settings.MaxAttempts;
    OverallTimeout = settings.OverallTimeout;
    LogonTimeout = settings.LogonTimeout;
    PacketTimeout = settings.PacketTimeout;
    StopOn404 = settings.StopOn404;
    client_->Agent = settings.Agent;
    client_->Accept = settings.Accept;
    const auto alive = alive_;
    const int result = Execute();
    if (!*alive) {
        document.clear();
        return result;
    }
    document = document_;
    return result;
}

} // namespace vc
