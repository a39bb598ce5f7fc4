#include "qt/http_sender.h"

#include <QEventLoop>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>

namespace vc::skypemsg {
namespace {

std::string Where(const QUrl& url) {
    const int port =
        url.port(url.scheme().compare(QLatin1String("https"), Qt::CaseInsensitive) == 0 ? 443 : 80);
    return url.host().toStdString() + ":" + std::to_string(port);
}

// The address up to its path: the path of a bot address holds its token, and the result line goes
// into the alert window and the history file.
std::string WithoutPath(const std::string& url) {
    const std::size_t scheme = url.find("://");
    const std::size_t path = url.find('/', scheme == std::string::npos ? 0 : scheme + 3);
    return path == std::string::npos ? url : url.substr(0, path) + "/...";
}

std::string NetworkError(const QNetworkReply& reply) {
    const QUrl url = reply.request().url();
    switch (reply.error()) {
    case QNetworkReply::ConnectionRefusedError:
        return "connection refused (" + Where(url) + ")";
    case QNetworkReply::HostNotFoundError:
        return "host not found (" + url.host().toStdString() + ")";
    case QNetworkReply::RemoteHostClosedError:
        return "the server closed the connection without an answer (" + Where(url) + ")";
    case QNetworkReply::SslHandshakeFailedError:
        return "secure connection to " + url.host().toStdString() +
               " failed: " + reply.errorString().toStdString();
    default:
        return reply.errorString().toStdString();
    }
}

} // namespace

tHttpSender::tHttpSender(int deadlineMs) : deadline_(deadlineMs, Qt::PreciseTimer), deadlineMs_(deadlineMs) {
    // A redirected POST would arrive as a GET without its text; the user is better told to fix the
    // address.
    manager_.setRedirectPolicy(QNetworkRequest::ManualRedirectPolicy);
}

std::string tHttpSender::SendAll(const tPlan& plan) {
    std::string first;
    for (const tRequest& request : plan.Requests) {
        std::string error = Send(plan.Service, request);
        if (first.empty()) {
            first = std::move(error);
        }
    }
    return first;
}

std::string tHttpSender::Send(const std::string& service, const tRequest& request) {
    const std::string timeOut = service + ": no answer within " + DurationText(deadlineMs_);
    if (expired_ || deadline_.hasExpired()) {
        return timeOut;
    }
    const QUrl url = QUrl::fromEncoded(QByteArray::fromStdString(request.Url), QUrl::StrictMode);
    if (!url.isValid() || url.host().isEmpty()) {
        return service + ": \"" + WithoutPath(request.Url) + "\" is not a valid address";
    }
    QNetworkRequest networkRequest(url);
    networkRequest.setHeader(QNetworkRequest::UserAgentHeader, QStringLiteral("Velocrest SkypeMsg"));
    for (const tHeader& header : request.Headers) {
        networkRequest.setRawHeader(QByteArray::fromStdString(header.Name),
                                    QByteArray::fromStdString(header.Value));
    }
    QNetworkReply* reply = manager_.sendCustomRequest(
        networkRequest, QByteArray::fromStdString(request.Method), QByteArray::fromStdString(request.Body));
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    // A coarse timer may fire a little early, and the next recipient would then be tried with the
    // few milliseconds left.
    timer.setTimerType(Qt::PreciseTimer);
    bool timedOut = false;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QObject::connect(&timer, &QTimer::timeout, &loop, [&] {
        timedOut = true;
        reply->abort();
    });
    timer.start(std::max<qint64>(deadline_.remainingTime(), 0));
    if (!reply->isFinished()) {
        loop.exec();
    }
    timer.stop();
    reply->deleteLater();

    if (timedOut) {
        expired_ = true;
        return timeOut;
    }
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (!status.isValid()) {
        return service + ": " + NetworkError(*reply);
    }
    const int code = status.toInt();
    if (code >= 200 && code < 300) {
        return {};
    }
    const QByteArray reason = reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toByteArray();
    return HttpError(service, code, reason.toStdString(), reply->readAll().toStdString());
}

} // namespace vc::skypemsg
