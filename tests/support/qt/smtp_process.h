// Starts the tests' mail server (aiosmtpd on 127.0.0.1, tests/support/smtp/smtp_server.py, under
// Debian's /usr/bin/python3, which has the module) for one test, and reads what it saw.
#pragma once

#include <QByteArray>
#include <QList>
#include <QProcess>
#include <QString>
#include <QStringList>

namespace vc::test {

// The test certificate and key the server can speak TLS with (valid for 127.0.0.1).
QString SmtpTestCertificate();
QString SmtpTestKey();

class tSmtpProcess {
public:
    tSmtpProcess() = default;
    ~tSmtpProcess();
    tSmtpProcess(const tSmtpProcess&) = delete;
    tSmtpProcess& operator=(const tSmtpProcess&) = delete;

    // Starts on a free port with the server's extra options ("--refuse-rcpt", "--starttls" cert
    // key, "--auth" user:password, "--silent", "--maildir" folder). False, with Error(), when it did
    // not come up.
    bool Start(const QStringList& options = {});
    void Stop();

    quint16 Port() const { return port_; }
    QString Error() const { return error_; }
    // The event lines seen so far, after the port line ("HELO Velocrest", "RCPT a@b", "DATA <hex>",
    // "QUIT").
    QList<QByteArray> Events();
    // The bytes of the n-th message received (from 0), dot-unstuffed as the server stores them.
    QByteArray Message(int n);

private:
    QProcess process_;
    QByteArray output_;
    quint16 port_ = 0;
    QString error_;
};

} // namespace vc::test
