#include "market/qt/kestro_http.h"

#include "market/download_progress.h"
#include "market/http_codes.h"
#include "market/proxy_settings.h"
#include "market/qt/internet.h"
#include "market/qt/network_errors.h"
#include "toolkit/url.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSaveFile>
#include <QTimer>
#include <QUrl>

#include <algorithm>
#include <type_traits>
#include <utility>

namespace vc {

namespace {

QString Latin1(const std::string& text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

std::string Bytes(const QByteArray& bytes) {
    return bytes.toStdString();
}

std::string Bytes(const QString& text) {
    return text.toLatin1().toStdString();
}

std::string AbortReason(int code) {
    switch (code) {
    case kHttpTooLong:
        return "Document too long";
    case kHttpNoRoom:
        return "Document cannot be stored";
    case kHttpTimeout:
        return "Timed out";
    default:
        return "Aborted";
    }
}

// The address as QUrl is to send it. Bytes above 127 and control bytes are escaped as the single
// bytes they are first: QUrl would take them for Latin-1 characters and send their UTF-8 form.
// Escapes already in the address are kept as they are.
QUrl WireUrl(const std::string& address) {
    return QUrl::fromEncoded(QByteArray::fromStdString(EscapeUnprintable(address)), QUrl::TolerantMode);
}

// Whether a handler is there to call: an empty std::function is not; a lambda always is.
template <class F>
bool IsSet(const F& handler) {
    if constexpr (std::is_constructible_v<bool, const F&>) {
        return static_cast<bool>(handler);
    } else {
        return true;
    }
}

} // namespace

tKestroHTTP::tKestroHTTP(std::string proxySettings)
    : manager_(std::make_unique<QNetworkAccessManager>()), alive_(std::make_shared<bool>(true)),
      proxySettings_(std::move(proxySettings)) {
    manager_->setProxy(QNetworkProxy::NoProxy);
}

tKestroHTTP::~tKestroHTTP() {
    *alive_ = false;
    if (syncIdle_ != nullptr) {
        syncIdle_->stop();
    }
    if (syncLoop_ != nullptr) {
        syncLoop_->quit();
    }
    if (reply_ != nullptr) {
        QObject::disconnect(reply_, nullptr, nullptr, nullptr);
        reply_->abort();
    }
    if (inHandler_ > 0) {
        // Freed from inside one of our own reply handlers: Qt is still emitting on the reply.
        manager_.release()->deleteLater();
    } else {
        delete reply_;
    }
}

void tKestroHTTP::Reset() {
    statusCode_ = 0;
    reasonPhrase_.clear();
    lastHeaderLine_.clear();
    contentLength_ = -1;
    rcvdCount_ = 0;
    location_.clear();
    abortCode_ = 0;
    requestSent_ = false;
    headersSeen_ = false;
}

void tKestroHTTP::Fail(int code, std::string reason) {
    statusCode_ = code;
    reasonPhrase_ = std::move(reason);
}

template <class F, class... A>
bool tKestroHTTP::Raise(const F& handler, A&&... args) {
    const auto alive = alive_;
    QNetworkReply* const reply = reply_;
    if (IsSet(handler)) {
        // Through a copy, so a handler that frees the client does not pull itself out from
        // under its own call.
        F copy = handler;
        copy(std::forward<A>(args)...);
    }
    return *alive && reply_ == reply;
}

bool tKestroHTTP::SetState(tHttpState state) {
    if (state == state_) {
        return true;
    }
    state_ = state;
    return Raise(OnStateChange, static_cast<int>(state));
}

bool tKestroHTTP::SetPosition(int position) {
    position = std::clamp(position, 0, 100);
    if (position == position_) {
        return true;
    }
    position_ = position;
    return Raise(OnPosition, position);
}

bool tKestroHTTP::AddPhase() {
    return SetPosition(position_ + 3);
}

void tKestroHTTP::SetProxy(std::string_view text) {
    tProxySettings proxy = ParseProxySettings(text);
    Proxy = std::move(proxy.Address);
    ProxyUsername = std::move(proxy.User);
    ProxyPassword = std::move(proxy.Password);
}

bool tKestroHTTP::GetAsync() {
    return Start(0);
}

int tKestroHTTP::Get() {
    return RunSync(0);
}

bool tKestroHTTP::Start(int startPosition) {
    if (reply_ != nullptr) {
        Fail(kHttpBusy, "Request in progress");
        return false;
    }
    Reset();
    const QUrl url = WireUrl(URL);
    if (URL.empty() || !url.isValid() || url.isRelative() || url.host().isEmpty()) {
        Fail(kHttpInvalidUrl, "Invalid URL");
        return false;
    }
    const QString scheme = url.scheme().toLower();
    if (scheme != QLatin1String("http") && scheme != QLatin1String("https")) {
        Fail(kHttpBadScheme, "Unsupported scheme");
        return false;
    }

    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         FollowRelocation ? QNetworkRequest::NoLessSafeRedirectPolicy
                                          : QNetworkRequest::ManualRedirectPolicy);
    request.setAttribute(QNetworkRequest::Http2AllowedAttribute, false);
    // Cookies are only noted: a quote service must not be able to track us across downloads.
    request.setAttribute(QNetworkRequest::CookieLoadControlAttribute, QNetworkRequest::Manual);
    request.setAttribute(QNetworkRequest::CookieSaveControlAttribute, QNetworkRequest::Manual);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    if (!Agent.empty()) {
        request.setRawHeader("User-Agent", QByteArray::fromStdString(Agent));
    }
    if (!Accept.empty()) {
        request.setRawHeader("Accept", QByteArray::fromStdString(Accept));
    }
    const tProxySettings proxy = ParseProxySettings(Proxy);
    if (proxy.Enabled()) {
        manager_->setProxy(QNetworkProxy(QNetworkProxy::HttpProxy, Latin1(proxy.Host),
                                         static_cast<quint16>(proxy.Port), Latin1(ProxyUsername),
                                         Latin1(ProxyPassword)));
    } else {
        manager_->setProxy(QNetworkProxy::NoProxy);
    }

    PhaseBase = 0;
    const auto living = alive_;
    if (!SetPosition(startPosition) || !SetState(tHttpState::DnsLookup)) {
        // A handler started another request meanwhile, or freed the client.
        if (*living) {
            Fail(kHttpBusy, "Request in progress");
        }
        return false;
    }
    QNetworkReply* reply = manager_->get(request);
    reply->setReadBufferSize(kReadBufferBytes);
    reply_ = reply;
    const auto guarded = [this, reply](auto handler) {
        return [this, reply, handler] {
            if (reply_ != reply) {
                return;
            }
            const auto alive = alive_;
            ++inHandler_;
            (this->*handler)();
            if (*alive) {
                --inHandler_;
            }
        };
    };
    QObject::connect(reply, &QNetworkReply::socketStartedConnecting, reply,
                     guarded(&tKestroHTTP::HandleStartedConnecting));
    QObject::connect(reply, &QNetworkReply::requestSent, reply, guarded(&tKestroHTTP::HandleRequestSent));
    QObject::connect(reply, &QNetworkReply::metaDataChanged, reply, guarded(&tKestroHTTP::HandleMetaData));
    QObject::connect(reply, &QNetworkReply::readyRead, reply, guarded(&tKestroHTTP::HandleReadyRead));
    QObject::connect(reply, &QNetworkReply::finished, reply, guarded(&tKestroHTTP::HandleFinished));
    return true;
}

void tKestroHTTP::Abort(int code) {
    if (reply_ == nullptr) {
        return;
    }
    if (abortCode_ == 0) {
        abortCode_ = code;
    }
    QNetworkReply* reply = reply_;
    if (SetState(tHttpState::Aborting)) {
        reply->abort();
    }
}

void tKestroHTTP::KeepAlive() {
    if (syncIdle_ != nullptr) {
        syncIdle_->start();
    }
}

void tKestroHTTP::HandleStartedConnecting() {
    KeepAlive();
    SetState(tHttpState::DnsLookupDone);
}

void tKestroHTTP::HandleRequestSent() {
    KeepAlive();
    // Qt sends again after an authentication challenge; the phases count once.
    if (requestSent_) {
        return;
    }
    requestSent_ = true;
    // Session connected, then the request header's begin and end.
    if (!SetState(tHttpState::Connected) || !AddPhase() || !Raise(OnSessionConnected)) {
        return;
    }
    if (AddPhase() && AddPhase()) {
        SetState(tHttpState::WaitingHeader);
    }
}

void tKestroHTTP::HandleMetaData() {
    QNetworkReply* reply = reply_;
    KeepAlive();
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (status.isValid()) {
        statusCode_ = status.toInt();
        reasonPhrase_ = Bytes(reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toByteArray());
    }
    const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
    contentLength_ = length.isValid() ? length.toLongLong() : -1;
    const auto headers = reply->rawHeaderPairs();
    if (!headers.isEmpty()) {
        lastHeaderLine_ = Bytes(headers.last().first + ": " + headers.last().second);
    }
    const bool first = !headersSeen_;
    headersSeen_ = true;
    if ((first && !AddPhase()) || !Raise(OnHeaderData)) { // header begin
        return;
    }
    const std::string location = Bytes(reply->rawHeader("Location"));
    if (!location.empty() && location != location_) {
        location_ = location;
        if (!Raise(OnLocationChange, location)) {
            return;
        }
    }
    // Qt joins repeated Set-Cookie headers with line breaks; the last one announced counts.
    const QList<QByteArray> cookies = reply->rawHeader("Set-Cookie").split('\n');
    for (auto it = cookies.rbegin(); it != cookies.rend(); ++it) {
        const QByteArray cookie = it->trimmed();
        if (!cookie.isEmpty()) {
            if (!Raise(OnCookie, Bytes(cookie))) {
                return;
            }
            break;
        }
    }
    // Header end, then the document begins.
    if (first && AddPhase() && SetState(tHttpState::WaitingBody) && AddPhase()) {
        PhaseBase = position_;
    }
}

void tKestroHTTP::HandleReadyRead() {
    QNetworkReply* reply = reply_;
    const QByteArray data = reply->readAll();
    if (data.isEmpty()) {
        return;
    }
    KeepAlive();
    rcvdCount_ += data.size();
    if (Receiver) {
        int code = 0;
        const std::string_view chunk(data.constData(), static_cast<std::size_t>(data.size()));
        if (!Raise([&code, chunk, receiver = Receiver] { code = receiver(chunk); })) {
            return;
        }
        if (code != 0) {
            Abort(code);
            return;
        }
    }
    if (!Raise(OnDocData)) {
        return;
    }
    SetPosition(BodyPosition(PhaseBase, position_, rcvdCount_, contentLength_, SizeGuess));
}

void tKestroHTTP::HandleFinished() {
    QNetworkReply* reply = reply_;
    if (abortCode_ == 0 && reply->bytesAvailable() > 0 && !Raise([this] { HandleReadyRead(); })) {
        return;
    }
    QObject::disconnect(reply, nullptr, nullptr, nullptr);
    reply_ = nullptr;
    ++finishedCount_;
    if (syncLoop_ != nullptr) {
        syncLoop_->quit();
    }
    reply->deleteLater();

    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    int code = 0;
    if (abortCode_ != 0) {
        code = abortCode_;
        reasonPhrase_ = AbortReason(code);
    } else {
        code = NetworkErrorCode(reply->error());
        if (code != 0) {
            reasonPhrase_ = Bytes(reply->errorString());
        }
    }
    if (code != 0) {
        // Also when the headers said 200: a body cut short is no success.
        statusCode_ = code;
    } else if (status.isValid()) {
        statusCode_ = status.toInt();
        reasonPhrase_ = Bytes(reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toByteArray());
    }

    // From here on "ours" means that no handler started the next request.
    if (code != 0 && abortCode_ == 0 && !Raise(OnSocketError, std::string(reasonPhrase_))) {
        return;
    }
    if (code == 0 && status.isValid() && (!SetState(tHttpState::BodyReceived) || !SetPosition(100))) {
        return; // document end
    }
    if (Raise(OnSessionClosed) && SetState(tHttpState::Ready)) {
        Raise(OnRequestDone, code);
    }
}

int tKestroHTTP::RunSync(int startPosition) {
    const auto alive = alive_;
    const auto finished = finishedCount_;
    if (!Start(startPosition)) {
        return statusCode_;
    }
    QEventLoop loop;
    QTimer idle;
    idle.setSingleShot(true);
    QEventLoop* outerLoop = std::exchange(syncLoop_, &loop);
    QTimer* outerIdle = syncIdle_;
    if (Timeout > 0) {
        idle.setInterval(Timeout);
        QObject::connect(&idle, &QTimer::timeout, &loop, [this] { Abort(kHttpTimeout); });
        idle.start();
        syncIdle_ = &idle;
    } else {
        syncIdle_ = nullptr;
    }
    while (finishedCount_ == finished) {
        loop.exec();
        if (!*alive) {
            return kHttpAborted;
        }
    }
    syncLoop_ = outerLoop;
    syncIdle_ = outerIdle;
    return statusCode_;
}

int tKestroHTTP::DownloadOnce(const std::string& fileName) {
    const QString path = QFile::decodeName(QByteArray::fromStdString(fileName));
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile::remove(path);
    // QSaveFile writes beside the target and renames over it on commit, so a failed or cut-off
    // download never leaves a half file, nor an error page, under the wanted name.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return kHttpNoRoom;
    }
    auto outerReceiver = std::exchange(Receiver, [&file](std::string_view data) {
        const auto size = static_cast<qint64>(data.size());
        return file.write(data.data(), size) == size ? 0 : kHttpNoRoom;
    });
    const auto alive = alive_;
    const int status = RunSync(3);
    if (!*alive) {
        return status;
    }
    Receiver = std::move(outerReceiver);
    if (status >= 400) {
        file.cancelWriting();
        SetPosition(100);
        return status;
    }
    return file.commit() ? 0 : kHttpNoRoom;
}

int tKestroHTTP::DownloadToFile(const std::string& fileName) {
    SetProxy(proxySettings_);
    int result = DownloadOnce(fileName);
    if (result == 0 || !AskProxyRetry) {
        return result;
    }
    const std::string systemProxy = SystemProxyLookup ? SystemProxyLookup() : SystemProxy();
    const auto ask = [this](const char* question) {
        return Ask && Ask(question, kProxyCaption) == kAnswerYes;
    };
    if (ParseProxySettings(proxySettings_).Enabled()) {
        if (ask(kRetryWithoutProxy)) {
            SetProxy("");
            result = DownloadOnce(fileName);
            if (result == 0) {
                proxySettings_.clear();
            }
        }
    } else if (ParseProxySettings(systemProxy).Enabled()) {
        if (ask(kRetryWithProxy)) {
            SetProxy(systemProxy);
            result = DownloadOnce(fileName);
            if (result == 0) {
                proxySettings_ = systemProxy;
            }
        }
    }
    return result;
}

} // namespace vc
