// The SMTP client: one blocking call per step of the conversation, each with its own time-out, while
// the event loop keeps running (the alert window counts down and takes clicks meanwhile). Port 25 and
// any other plain port talk exactly HELO, MAIL FROM, RCPT TO, DATA, QUIT; 587 insists on STARTTLS and
// 465 speaks TLS from the first byte; with a login, AUTH follows, and only ever over TLS.
#pragma once

#include "notify/alert_mail.h"

#include <QByteArray>
#include <QList>
#include <QSslCertificate>

#include <functional>
#include <string>

class QSslSocket;

namespace vc {

struct tMailLogin {
    std::string User; // empty: no AUTH
    std::string Password;
};

class tSmtpClient final : public tMailSender {
public:
    // The login for a server, asked for each mail; empty when none is kept.
    std::function<tMailLogin(const tSmtpServer& server)> Login;
    // How long each step may wait for the server.
    int StepTimeoutMs = kMailStepTimeoutMs;
    // Authorities trusted beside the system's (a test's own certificate).
    QList<QSslCertificate> ExtraAuthorities;

    std::string SendMail(std::string_view mailServer, const tMailMessage& message) override;
    // The conversation with a parsed server; localNow and the offset stamp the Date header.
    std::string Send(const tSmtpServer& server, const tMailMessage& message, const tMailLogin& login,
                     double localNow, int utcOffsetMinutes);
    // True while a conversation runs.
    bool Busy() const { return busy_; }

private:
    bool busy_ = false;
};

} // namespace vc
