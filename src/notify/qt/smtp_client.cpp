#include "notify/qt/smtp_client.h"

#include "toolkit/text.h"

#include <QDateTime>
#include <QEventLoop>
#include <QSslConfiguration>
#include <QSslSocket>
#include <QTimer>

#include <memory>

namespace vc {

namespace {

// Reading the system's certificate store takes a good part of a second; plain SMTP never needs it
// and a TLS conversation reads it once per run.
const QList<QSslCertificate>& SystemAuthorities() {
    static const QList<QSslCertificate> authorities = QSslConfiguration::systemCaCertificates();
    return authorities;
}

// One conversation on one socket.
class tConversation {
public:
    tConversation(const tSmtpServer& server, int timeoutMs, const QList<QSslCertificate>& extra)
        : server_(server), timeoutMs_(timeoutMs) {
        if (server.Security != tSmtpSecurity::None) {
            QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
            QList<QSslCertificate> authorities = SystemAuthorities();
            authorities.append(extra);
            tls.setCaCertificates(authorities);
            tls.setPeerVerifyMode(QSslSocket::VerifyPeer);
            socket_.setSslConfiguration(tls);
            socket_.setPeerVerifyName(QString::fromStdString(server.Host));
        }
        QObject::connect(&socket_, &QSslSocket::readyRead, [this] { buffer_ += socket_.readAll(); });
    }

    // Connects and reads the greeting.
    bool Open(std::string& error) {
        const QString host = QString::fromStdString(server_.Host);
        const auto port = static_cast<quint16>(server_.Port);
        if (server_.Security == tSmtpSecurity::Tls) {
            socket_.connectToHostEncrypted(host, port);
        } else {
            socket_.connectToHost(host, port);
        }
        const bool up = Await([this] {
            return server_.Security == tSmtpSecurity::Tls
                       ? socket_.isEncrypted()
                       : socket_.state() == QAbstractSocket::ConnectedState;
        });
        if (!up) {
            error = SocketError();
            socket_.abort();
            return false;
        }
        connected_ = true;
        return Expect('2', error);
    }

    // Sends one command (nothing when line is empty) and reads the reply; false unless its code
    // begins with the digit wanted, the error then holding the reply or the socket's complaint.
    bool Command(const QByteArray& line, char wanted, std::string& error) {
        if (!line.isEmpty()) {
            socket_.write(line + "\r\n");
        }
        return Expect(wanted, error);
    }

    bool StartTls(std::string& error) {
        if (!Command("STARTTLS", '2', error)) {
            return false;
        }
        // Whatever came in plain text after the server's go-ahead must not pass for an answer
        // that came over the encrypted connection.
        buffer_.clear();
        socket_.startClientEncryption();
        if (!Await([this] { return socket_.isEncrypted(); })) {
            error = SocketError();
            return false;
        }
        buffer_.clear();
        return true;
    }

    // Extensions named by the last EHLO reply, upper-cased ("STARTTLS", "AUTH PLAIN LOGIN").
    const std::vector<std::string>& Extensions() const { return lines_; }
    bool Encrypted() const { return socket_.isEncrypted(); }

    void Quit() {
        if (!connected_ || socket_.state() != QAbstractSocket::ConnectedState) {
            return;
        }
        std::string ignored;
        socket_.write("QUIT\r\n");
        if (timedOut_) {
            // A server that already kept us waiting once gets no second chance to.
            Await([this] { return socket_.bytesToWrite() == 0; });
        } else {
            Expect('2', ignored);
        }
        socket_.disconnectFromHost();
        if (socket_.state() != QAbstractSocket::UnconnectedState) {
            socket_.abort();
        }
    }

private:
    // Runs the event loop until done() holds, the socket fails or closes, or the step's time runs
    // out. done() may consume what it looks at, so it is asked again only after something happened.
    bool Await(const std::function<bool()>& done) {
        if (done()) {
            return true;
        }
        QEventLoop loop;
        QTimer timer;
        timer.setSingleShot(true);
        bool expired = false;
        const auto wake = [&loop] { loop.quit(); };
        QObject::connect(&timer, &QTimer::timeout, &loop, [&] {
            expired = true;
            loop.quit();
        });
        const QList<QMetaObject::Connection> wakes = {
            QObject::connect(&socket_, &QSslSocket::readyRead, &loop, wake),
            QObject::connect(&socket_, &QSslSocket::connected, &loop, wake),
            QObject::connect(&socket_, &QSslSocket::encrypted, &loop, wake),
            QObject::connect(&socket_, &QSslSocket::disconnected, &loop, wake),
            QObject::connect(&socket_, &QSslSocket::bytesWritten, &loop, wake),
            QObject::connect(&socket_, &QSslSocket::errorOccurred, &loop, wake),
        };
        timer.start(timeoutMs_);
        bool reached = false;
        while (true) {
            if (socket_.error() != QAbstractSocket::UnknownSocketError ||
                socket_.state() == QAbstractSocket::UnconnectedState) {
                // What arrived before the failure may still complete the step.
                reached = done();
                break;
            }
            loop.exec();
            if (done()) {
                reached = true;
                break;
            }
            if (expired) {
                timedOut_ = true;
                break;
            }
        }
        for (const QMetaObject::Connection& connection : wakes) {
            QObject::disconnect(connection);
        }
        return reached;
    }

    // Reads one whole reply (its last line is the code and a blank, or the code alone).
    bool Expect(char wanted, std::string& error) {
        lines_.clear();
        code_.clear();
        std::string text;
        const bool complete = Await([&] {
            while (true) {
                const qsizetype end = buffer_.indexOf('\n');
                if (end < 0) {
                    return false;
                }
                std::string line = buffer_.left(end).toStdString();
                buffer_.remove(0, end + 1);
                if (!line.empty() && line.back() == '\r') {
                    line.pop_back();
                }
                text += (text.empty() ? "" : " ") + line;
                lines_.push_back(UpperText(line.size() > 4 ? line.substr(4) : std::string()));
                if (line.size() < 4 || line[3] == ' ') {
                    code_ = line.substr(0, 3);
                    return true;
                }
            }
        });
        if (!complete) {
            error = SocketError();
            return false;
        }
        if (code_.empty() || code_[0] != wanted) {
            error = HeaderText(text);
            return false;
        }
        return true;
    }

    std::string SocketError() const {
        if (timedOut_) {
            return "no answer from the server in time";
        }
        if (socket_.error() == QAbstractSocket::UnknownSocketError &&
            socket_.state() == QAbstractSocket::UnconnectedState) {
            return "the server closed the connection";
        }
        return socket_.errorString().toStdString();
    }

    const tSmtpServer& server_;
    int timeoutMs_;
    QSslSocket socket_;
    QByteArray buffer_;
    std::vector<std::string> lines_;
    std::string code_;
    bool connected_ = false;
    bool timedOut_ = false;
};

bool Offers(const std::vector<std::string>& extensions, std::string_view name) {
    for (const std::string& line : extensions) {
        if (line == name || line.starts_with(std::string(name) + " ")) {
            return true;
        }
    }
    return false;
}

bool OffersAuth(const std::vector<std::string>& extensions, std::string_view mechanism) {
    for (const std::string& line : extensions) {
        if (line.starts_with("AUTH ") || line.starts_with("AUTH=")) {
            const std::string methods = " " + line.substr(5) + " ";
            if (methods.find(" " + std::string(mechanism) + " ") != std::string::npos) {
                return true;
            }
        }
    }
    return false;
}

QByteArray Base64(std::string_view text) {
    return QByteArray(text.data(), static_cast<qsizetype>(text.size())).toBase64();
}

bool Authenticate(tConversation& talk, const tMailLogin& login, std::string& error) {
    const std::vector<std::string> extensions = talk.Extensions();
    if (OffersAuth(extensions, "PLAIN")) {
        const std::string token = std::string(1, '\0') + login.User + std::string(1, '\0') + login.Password;
        return talk.Command("AUTH PLAIN " + Base64(token), '2', error);
    }
    if (OffersAuth(extensions, "LOGIN")) {
        return talk.Command("AUTH LOGIN", '3', error) && talk.Command(Base64(login.User), '3', error) &&
               talk.Command(Base64(login.Password), '2', error);
    }
    error = "the server offers neither AUTH PLAIN nor AUTH LOGIN";
    return false;
}

// The steps after the greeting; the error names the step that failed.
std::string Converse(tConversation& talk, const tSmtpServer& server, const tMailMessage& message,
                     const tMailLogin& login, const std::string& data) {
    std::string error;
    const QByteArray signOn = QByteArray::fromStdString(std::string(kMailSignOn));
    if (server.Security == tSmtpSecurity::None) {
        if (!talk.Command("HELO " + signOn, '2', error)) {
            return "HELO: " + error;
        }
    } else {
        if (!talk.Command("EHLO " + signOn, '2', error)) {
            return "HELO: " + error;
        }
        if (server.Security == tSmtpSecurity::StartTls) {
            if (!Offers(talk.Extensions(), "STARTTLS")) {
                return "STARTTLS: the server does not offer STARTTLS, so nothing was sent";
            }
            if (!talk.StartTls(error)) {
                return "STARTTLS: " + error;
            }
            if (!talk.Command("EHLO " + signOn, '2', error)) {
                return "HELO: " + error;
            }
        }
        if (!login.User.empty() && talk.Encrypted() && !Authenticate(talk, login, error)) {
            return "AUTH: " + error;
        }
    }
    if (!talk.Command("MAIL FROM:<" + QByteArray::fromStdString(message.Sender) + ">", '2', error)) {
        return "MAILFROM: " + error;
    }
    for (const std::string& recipient : message.Recipients) {
        if (!talk.Command("RCPT TO:<" + QByteArray::fromStdString(recipient) + ">", '2', error)) {
            return "RCPT TO: " + error;
        }
    }
    if (!talk.Command("DATA", '3', error) ||
        !talk.Command(QByteArray::fromStdString(data) + ".", '2', error)) {
        return "DATA: " + error;
    }
    return {};
}

} // namespace

std::string tSmtpClient::SendMail(std::string_view mailServer, const tMailMessage& message) {
    tSmtpServer server;
    if (!ParseMailServer(mailServer, server)) {
        return Trim(mailServer).empty() ? "CONNECT: no mail server is set"
                                        : "CONNECT: \"" + HeaderText(mailServer) + "\" is no mail server";
    }
    const QDateTime now = QDateTime::currentDateTime();
    const QDate date = now.date();
    const QTime time = now.time();
    const double localNow =
        static_cast<double>(QDate(1899, 12, 30).daysTo(date)) + time.msecsSinceStartOfDay() / 86400000.0;
    return Send(server, message, Login ? Login(server) : tMailLogin{}, localNow, now.offsetFromUtc() / 60);
}

std::string tSmtpClient::Send(const tSmtpServer& server, const tMailMessage& message, const tMailLogin& login,
                              double localNow, int utcOffsetMinutes) {
    // Checked before anything goes out: a line break in an address would start a command of its own.
    if (const std::string problem = AddressProblem(message.Sender); !problem.empty()) {
        return "MAILFROM: " + problem;
    }
    for (const std::string& recipient : message.Recipients) {
        if (const std::string problem = AddressProblem(recipient); !problem.empty()) {
            return "RCPT TO: " + problem;
        }
    }
    busy_ = true;
    tConversation talk(server, StepTimeoutMs, ExtraAuthorities);
    std::string error;
    std::string result;
    if (!talk.Open(error)) {
        result = "CONNECT: " + error;
    } else {
        result = Converse(talk, server, message, login, MailData(message, localNow, utcOffsetMinutes));
    }
    talk.Quit();
    busy_ = false;
    return result;
}

} // namespace vc
