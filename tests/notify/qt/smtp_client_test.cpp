// The SMTP client against a real mail server on 127.0.0.1 (aiosmtpd), started per test.
#include "notify/qt/smtp_client.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTcpServer>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/qt/smtp_process.h"
#include "tape/tape_test_support.h"
#include "toolkit/dates.h"

namespace vc {
namespace {

const double kNow = ParseDate("15/03/2024") + ParseTime("14:30:05");

QList<QSslCertificate> TestAuthority() {
    QFile file(test::SmtpTestCertificate());
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return QSslCertificate::fromData(file.readAll(), QSsl::Pem);
}

class SmtpClientTest : public ::testing::Test {
protected:
    void Serve(const QStringList& options = {}) {
        ASSERT_TRUE(server.Start(options)) << server.Error().toStdString();
        target = {"127.0.0.1", server.Port(), tSmtpSecurity::None};
    }
    QStringList TlsOptions(const char* mode) {
        return {mode, test::SmtpTestCertificate(), test::SmtpTestKey()};
    }
    std::string Send(const tMailLogin& login = {}) { return client.Send(target, message, login, kNow, 60); }
    // The events without the message bytes of DATA.
    std::vector<std::string> Conversation() {
        std::vector<std::string> events;
        for (const QByteArray& line : server.Events()) {
            events.push_back(line.startsWith("DATA ") ? "DATA" : line.toStdString());
        }
        return events;
    }

    test::tSmtpProcess server;
    tSmtpServer target;
    tSmtpClient client;
    tMailMessage message{"me@home.test",
                         {"a@x.test", "b@y.test"},
                         "Velocrest alert on MICROSOFT (MSFT)...",
                         {"", ".a line with a dot", "SOCI\xC9T\xC9 G\xC9N\xC9RALE", ""}};
};

TEST_F(SmtpClientTest, DeliversToEveryRecipient) {
    Serve();
    EXPECT_EQ(Send(), "");
    EXPECT_EQ(Conversation(), (std::vector<std::string>{"HELO Velocrest", "MAIL me@home.test",
                                                        "RCPT a@x.test", "RCPT b@y.test", "DATA", "QUIT"}));
    const QByteArray received = server.Message(0);
    EXPECT_TRUE(received.startsWith(
        "From: me@home.test\r\nReply-To: me@home.test\r\nTo: a@x.test,\r\n\tb@y.test\r\n"))
        << received.toStdString();
    EXPECT_TRUE(received.contains("\r\nSubject: Velocrest alert on MICROSOFT (MSFT)...\r\n"));
    EXPECT_TRUE(received.contains("\r\nDate: Fri, 15 Mar 2024 14:30:05 +0100\r\n"));
    EXPECT_TRUE(received.contains("\r\nX-Priority: 1\r\n"));
    EXPECT_TRUE(received.contains("\r\nContent-Type: text/plain; charset=iso-8859-1\r\n"));
    EXPECT_TRUE(received.endsWith("\r\n\r\n\r\n.a line with a dot\r\nSOCI\xC9T\xC9 G\xC9N\xC9RALE\r\n\r\n"))
        << "dot-stuffing undone by the server, the Latin-1 bytes as they were";
}

TEST_F(SmtpClientTest, StepErrorsCarryTheServersReply) {
    Serve({"--refuse-rcpt"});
    EXPECT_EQ(Send(), "RCPT TO: 550 5.1.1 <a@x.test>: Recipient address rejected: no such user");
    EXPECT_EQ(Conversation(),
              (std::vector<std::string>{"HELO Velocrest", "MAIL me@home.test", "RCPT a@x.test", "QUIT"}));

    message.Recipients.clear();
    const std::string error = Send();
    EXPECT_TRUE(error.starts_with("DATA: 503 "))
        << error << ": no recipients are not refused before the server";
}

TEST_F(SmtpClientTest, NothingListening) {
    QTcpServer probe;
    ASSERT_TRUE(probe.listen(QHostAddress::LocalHost));
    const quint16 port = probe.serverPort();
    probe.close();
    target = {"127.0.0.1", port, tSmtpSecurity::None};
    EXPECT_EQ(Send(), "CONNECT: Connection refused");
    EXPECT_EQ(client.SendMail("", message), "CONNECT: no mail server is set");
    EXPECT_EQ(client.SendMail("host:99999", message), "CONNECT: \"host:99999\" is no mail server");
}

TEST_F(SmtpClientTest, SilentServerFailsAtTheStepTimeOut) {
    Serve({"--silent"});
    client.StepTimeoutMs = 1000;
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(Send(), "CONNECT: no answer from the server in time");
    EXPECT_LT(clock.elapsed(), 10000)
        << "one step's time, not the default fifteen seconds and more for the QUIT";
    EXPECT_FALSE(client.Busy());
}

TEST_F(SmtpClientTest, LineBreaksNeverReachTheConversation) {
    Serve();
    test::tTapeWorld world;
    tTickerItem* item = world.Tape->AddSymbol("EVIL", "Evil\r\nBcc: all@x.test");
    world.Tape->MailAccount = "me@home.test";
    world.Tape->MailTo = "a@x.test";
    message = AlertMail(*item, *world.Tape, "CLOSE raised\r\n.\r\nQUIT");
    EXPECT_EQ(Send(), "");
    const QByteArray received = server.Message(0);
    EXPECT_FALSE(received.contains("\r\nBcc:")) << received.toStdString();
    EXPECT_TRUE(received.contains("\r\nSubject: Velocrest alert on EVIL  BCC: ALL@X.TEST (EVIL)...\r\n"));
    EXPECT_TRUE(received.contains("\r\nCLOSE raised\r\n.\r\nQUIT\r\n")) << "the lone dot arrives as text";
    EXPECT_EQ(Conversation(), (std::vector<std::string>{"HELO Velocrest", "MAIL me@home.test",
                                                        "RCPT a@x.test", "DATA", "QUIT"}));

    message.Recipients = {"a@x.test>\r\nRCPT TO:<spam@x.test"};
    EXPECT_EQ(Send(), "RCPT TO: the address \"a@x.test>  RCPT TO:<spam@x.test\" holds a line break");
    message.Sender = "me@home.test\n";
    EXPECT_TRUE(Send().starts_with("MAILFROM: ")) << "refused before anything is sent";
    EXPECT_EQ(Conversation().size(), 5u);
}

TEST_F(SmtpClientTest, StartTlsWithAuthentication) {
    Serve(TlsOptions("--starttls") + QStringList{"--auth", "pat:s3cret"});
    target.Security = tSmtpSecurity::StartTls;
    client.ExtraAuthorities = TestAuthority();
    EXPECT_EQ(Send({"pat", "s3cret"}), "");
    EXPECT_EQ(Conversation(), (std::vector<std::string>{"EHLO Velocrest", "EHLO Velocrest",
                                                        "AUTH PLAIN pat ok", "MAIL me@home.test",
                                                        "RCPT a@x.test", "RCPT b@y.test", "DATA", "QUIT"}));

    const std::string wrong = Send({"pat", "guess"});
    EXPECT_TRUE(wrong.starts_with("AUTH: 535 ")) << wrong;

    client.ExtraAuthorities.clear();
    const std::string untrusted = Send({"pat", "s3cret"});
    EXPECT_TRUE(untrusted.starts_with("STARTTLS: ")) << untrusted;
    const std::vector<std::string> events = Conversation();
    EXPECT_EQ(std::count(events.begin(), events.end(), "MAIL me@home.test"), 1)
        << "only the first send got as far as MAIL: not with a wrong password, not over an unverified "
           "connection";
}

TEST_F(SmtpClientTest, StartTlsIsNeverSkipped) {
    Serve();
    target.Security = tSmtpSecurity::StartTls;
    EXPECT_EQ(Send({"pat", "s3cret"}), "STARTTLS: the server does not offer STARTTLS, so nothing was sent");
    EXPECT_EQ(Conversation(), (std::vector<std::string>{"EHLO Velocrest", "QUIT"}));
}

TEST_F(SmtpClientTest, TlsFromTheFirstByte) {
    Serve(TlsOptions("--implicit-tls"));
    target.Security = tSmtpSecurity::Tls;
    client.ExtraAuthorities = TestAuthority();
    EXPECT_EQ(Send(), "");
    EXPECT_EQ(Conversation(), (std::vector<std::string>{"EHLO Velocrest", "MAIL me@home.test",
                                                        "RCPT a@x.test", "RCPT b@y.test", "DATA", "QUIT"}));
}

} // namespace
} // namespace vc
