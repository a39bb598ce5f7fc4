// Starts velocrest-market, the simulated exchange, for one test on a free port of 127.0.0.1 and
// stops it again; also a plain blocking GET for checking what it serves.
#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

namespace vc::test {

// Path of the velocrest-market executable of this build.
QString MarketExecutable();

class tMarketProcess {
public:
    tMarketProcess() = default;
    ~tMarketProcess();
    tMarketProcess(const tMarketProcess&) = delete;
    tMarketProcess& operator=(const tMarketProcess&) = delete;

    // Starts with --port 0 and the given extra arguments and waits for the port line. False (with
    // the reason in Error()) when it did not come up.
    bool Start(const QStringList& arguments = {});
    // Sends SIGTERM and waits; the exit code, or -1 when it crashed or did not stop.
    int Stop();

    quint16 Port() const { return port_; }
    QString BaseUrl() const { return QStringLiteral("http://127.0.0.1:%1").arg(port_); }
    QString Error() const { return error_; }
    // Standard output read so far, the port line included.
    QByteArray Output();
    QProcess& Process() { return process_; }

private:
    QProcess process_;
    QByteArray output_;
    quint16 port_ = 0;
    QString error_;
};

struct tHttpResult {
    int Status = 0; // 0 when no answer came
    QByteArray ContentType;
    QByteArray Body;
};

// GET through QNetworkAccessManager, waiting in a local event loop (at most timeoutMs).
tHttpResult HttpGet(const QString& url, int timeoutMs = 10000);

} // namespace vc::test
