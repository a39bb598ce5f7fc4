#include "market_process.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTimer>

namespace vc::test {

QString MarketExecutable() {
    const QByteArray fromEnvironment = qgetenv("VELOCREST_MARKET_EXE");
    return fromEnvironment.isEmpty() ? QStringLiteral(VELOCREST_MARKET_EXE)
                                     : QString::fromLocal8Bit(fromEnvironment);
}

tMarketProcess::~tMarketProcess() {
    if (process_.state() != QProcess::NotRunning) {
        process_.kill();
        process_.waitForFinished(5000);
    }
}

bool tMarketProcess::Start(const QStringList& arguments) {
    // A restarted exchange has a new port line; the old run's output must not answer for it.
    output_.clear();
    process_.setProgram(MarketExecutable());
    process_.setArguments(QStringList{QStringLiteral("--port"), QStringLiteral("0")} + arguments);
    process_.setProcessChannelMode(QProcess::SeparateChannels);
    process_.start();
    if (!process_.waitForStarted(10000)) {
        error_ = QStringLiteral("cannot start ") + MarketExecutable() + QStringLiteral(": ") +
                 process_.errorString();
        return false;
    }
    while (!output_.contains('\n')) {
        if (!process_.waitForReadyRead(10000)) {
            error_ = QStringLiteral("no port line; stderr: ") +
                     QString::fromLocal8Bit(process_.readAllStandardError());
            return false;
        }
        output_ += process_.readAllStandardOutput();
    }
    bool ok = false;
    port_ = output_.left(output_.indexOf('\n')).trimmed().toUShort(&ok);
    if (!ok || port_ == 0) {
        error_ = QStringLiteral("bad port line: ") + QString::fromLocal8Bit(output_);
        return false;
    }
    return true;
}

int tMarketProcess::Stop() {
    if (process_.state() == QProcess::NotRunning) {
        return -1;
    }
    process_.terminate();
    if (!process_.waitForFinished(10000)) {
        return -1;
    }
    output_ += process_.readAllStandardOutput();
    return process_.exitStatus() == QProcess::NormalExit ? process_.exitCode() : -1;
}

QByteArray tMarketProcess::Output() {
    output_ += process_.readAllStandardOutput();
    return output_;
}

tHttpResult HttpGet(const QString& url, int timeoutMs) {
    QNetworkAccessManager manager;
    QNetworkRequest request{QUrl(url)};
    QNetworkReply* reply = manager.get(request);
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    loop.exec();
    tHttpResult result;
    if (reply->isFinished()) {
        result.Status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        result.ContentType = reply->header(QNetworkRequest::ContentTypeHeader).toByteArray();
        result.Body = reply->readAll();
    } else {
        reply->abort();
    }
    reply->deleteLater();
    return result;
}

} // namespace vc::test
