// The built SkypeMsg helper as the program runs it: in a working folder with its settings file,
// against a loopback HTTP server that records what arrives.
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace {

struct tReceived {
    std::string Method;
    std::string Path;
    std::map<std::string, std::string> Headers; // names in lower case
    std::string Body;
};

// Reads each request whole (headers and a Content-Length body), records it and answers with the
// status chosen for its path, or not at all.
class tRecordingServer {
public:
    tRecordingServer() {
        QObject::connect(&server_, &QTcpServer::newConnection, [this] {
            while (QTcpSocket* socket = server_.nextPendingConnection()) {
                auto buffer = std::make_shared<QByteArray>();
                QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket, buffer] {
                    *buffer += socket->readAll();
                    Take(*socket, *buffer);
                });
                QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            }
        });
        EXPECT_TRUE(server_.listen(QHostAddress::LocalHost));
    }

    std::string Url() const { return "http://127.0.0.1:" + std::to_string(server_.serverPort()); }
    void Answer(int status, std::string reason, std::string body = {}) {
        status_ = status;
        reason_ = std::move(reason);
        body_ = std::move(body);
    }
    void AnswerPath(const std::string& path, int status, std::string reason) {
        byPath_[path] = {status, std::move(reason)};
    }
    void Silent() { silent_ = true; }
    const std::vector<tReceived>& Received() const { return received_; }

private:
    void Take(QTcpSocket& socket, QByteArray& buffer) {
        const qsizetype end = buffer.indexOf("\r\n\r\n");
        if (end < 0) {
            return;
        }
        tReceived request;
        const QList<QByteArray> lines = buffer.left(end).split('\n');
        const QList<QByteArray> first = lines.front().trimmed().split(' ');
        request.Method = first.value(0).toStdString();
        request.Path = first.value(1).toStdString();
        for (qsizetype i = 1; i < lines.size(); ++i) {
            const qsizetype colon = lines[i].indexOf(':');
            request.Headers[lines[i].left(colon).trimmed().toLower().toStdString()] =
                lines[i].mid(colon + 1).trimmed().toStdString();
        }
        const auto length = request.Headers.count("content-length")
                                ? static_cast<qsizetype>(std::stoll(request.Headers["content-length"]))
                                : 0;
        if (buffer.size() < end + 4 + length) {
            return;
        }
        request.Body = buffer.mid(end + 4, length).toStdString();
        buffer.clear();
        received_.push_back(request);
        if (silent_) {
            return;
        }
        int status = status_;
        std::string reason = reason_;
        if (const auto it = byPath_.find(request.Path); it != byPath_.end()) {
            std::tie(status, reason) = it->second;
        }
        const std::string reply =
            "HTTP/1.1 " + std::to_string(status) + " " + reason +
            "\r\nContent-Type: text/plain\r\nContent-Length: " + std::to_string(body_.size()) +
            "\r\nConnection: close\r\n\r\n" + body_;
        socket.write(reply.data(), static_cast<qint64>(reply.size()));
        socket.disconnectFromHost();
    }

    QTcpServer server_;
    int status_ = 200;
    std::string reason_ = "OK";
    std::string body_;
    std::map<std::string, std::pair<int, std::string>> byPath_;
    bool silent_ = false;
    std::vector<tReceived> received_;
};

struct tRun {
    int ExitCode = -1;
    qint64 Ms = 0;
    std::string Log; // the whole log file; empty when there is none
};

class SkypeMsgProcess : public ::testing::Test {
protected:
    void Settings(const std::string& ini) { dir.Write("SkypeMsg.INI", ini); }

    // Runs the helper as the program does, keeping this thread's event loop (and so the server)
    // going while it runs.
    tRun Run(const QStringList& args, int deadlineMs = 0) {
        QProcess process;
        process.setWorkingDirectory(QString::fromStdString(dir.Path().string()));
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("VELOCREST_SKYPEMSG_DEADLINE_MS"));
        if (deadlineMs > 0) {
            env.insert(QStringLiteral("VELOCREST_SKYPEMSG_DEADLINE_MS"), QString::number(deadlineMs));
        }
        process.setProcessEnvironment(env);
        QElapsedTimer clock;
        clock.start();
        process.start(QStringLiteral(SKYPEMSG_EXE), args);
        EXPECT_TRUE(process.waitForStarted(5000));
        EXPECT_TRUE(QTest::qWaitFor([&] { return process.state() == QProcess::NotRunning; }, 40000))
            << "the helper must end on its own";
        tRun run;
        run.Ms = clock.elapsed();
        run.ExitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        const std::string log = "SkypeMsg_" + args.value(1).toStdString() + ".LOG";
        run.Log = dir.Exists(log) ? dir.Read(log) : std::string();
        EXPECT_EQ(FolderFiles(), (std::vector<std::string>{"SkypeMsg.INI", log}))
            << "no temporary file stays";
        // The program deletes the log once read; the next run starts from the same folder.
        std::filesystem::remove(dir.Path() / log);
        return run;
    }

    std::vector<std::string> FolderFiles() const {
        const QStringList names = QDir(QString::fromStdString(dir.Path().string()))
                                      .entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
        std::vector<std::string> files;
        for (const QString& name : names) {
            files.push_back(name.toStdString());
        }
        return files;
    }

    vc::test::tTempDir dir;
    tRecordingServer server;
};

const QString kText = QStringLiteral("MICROSOFT (MSFT) 56.6$|raised above \"56$\"");
const std::string kTextSent = "MICROSOFT (MSFT) 56.6$\nraised above \"56$\"";
const std::string kTextJson = R"("MICROSOFT (MSFT) 56.6$\nraised above \"56$\"")";

TEST_F(SkypeMsgProcess, EachServiceDeliversAsItsApiExpects) {
    struct tCase {
        const char* Mode;
        const char* Recipient;
        std::string Ini; // after the section header; "{server}" is the loopback server
        std::string Method;
        std::string Path;
        std::map<std::string, std::string> Headers;
        std::string Body;
    };
    const tCase cases[] = {
        {"/MSG",
         "alerts",
         "[Chat]\r\nService=ntfy\r\nNtfyServer={server}\r\nNtfyToken=tk_1\r\n",
         "POST",
         "/alerts",
         {{"content-type", "text/plain; charset=utf-8"},
          {"title", "Velocrest"},
          {"authorization", "Bearer tk_1"}},
         kTextSent},
        {"/msg",
         "!room:example.org",
         "[Chat]\r\nService=matrix\r\nMatrixServer={server}/\r\nMatrixToken=syt_2\r\n",
         "PUT",
         "/_matrix/client/v3/rooms/%21room%3Aexample.org/send/m.room.message/velocrest-4711-",
         {{"content-type", "application/json"}, {"authorization", "Bearer syt_2"}},
         R"({"msgtype":"m.text","body":)" + kTextJson + "}"},
        {"/MSG",
         "-100123",
         "[Chat]\r\nService=telegram\r\nTelegramServer={server}\r\nTelegramToken=123:AbC\r\n",
         "POST",
         "/bot123:AbC/sendMessage",
         {{"content-type", "application/json"}},
         R"({"chat_id":"-100123","text":)" + kTextJson + "}"},
        {"/MSG",
         "town-square",
         "[Chat]\r\nService=webhook\r\nWebhookUrl={server}/hooks/x1\r\nWebhookRecipientField=channel\r\n",
         "POST",
         "/hooks/x1",
         {{"content-type", "application/json"}},
         R"({"text":)" + kTextJson + R"(,"channel":"town-square"})"},
        {"/SMS",
         "+31612345678",
         "[SMS]\r\nService=gateway\r\nGatewayUrl={server}/Accounts/AC9/Messages.json\r\nGatewaySid=AC9\r\n"
         "GatewayToken=s3cret\r\nGatewayFrom=+15550100\r\n",
         "POST",
         "/Accounts/AC9/Messages.json",
         {{"content-type", "application/x-www-form-urlencoded"}, {"authorization", "Basic QUM5OnMzY3JldA=="}},
         "To=%2B31612345678&From=%2B15550100&Body=MICROSOFT+%28MSFT%29+56.6%24%0Araised+above+%2256%24%22"},
    };
    for (const tCase& c : cases) {
        SCOPED_TRACE(c.Ini);
        tRecordingServer local;
        std::string ini = c.Ini;
        ini.replace(ini.find("{server}"), 8, local.Url());
        Settings(ini);
        const tRun run = Run(
            {QString::fromLatin1(c.Mode), QStringLiteral("4711"), QString::fromLatin1(c.Recipient), kText});
        EXPECT_EQ(run.Log, "\n");
        EXPECT_EQ(run.ExitCode, 0);
        ASSERT_EQ(local.Received().size(), 1u);
        const tReceived& got = local.Received()[0];
        EXPECT_EQ(got.Method, c.Method);
        EXPECT_TRUE(got.Path.starts_with(c.Path)) << got.Path;
        for (const auto& [name, value] : c.Headers) {
            EXPECT_EQ(got.Headers.count(name) ? got.Headers.at(name) : "(missing)", value) << name;
        }
        EXPECT_EQ(got.Body, c.Body);
    }
}

TEST_F(SkypeMsgProcess, FailuresEndUpAsOneLineInTheLog) {
    struct tCase {
        const char* Name;
        std::string Ini;
        int Status;
        const char* Reason;
        std::string Body;
        std::string Log;
    };
    const tCase cases[] = {
        {"refused topic", "[Chat]\r\nService=ntfy\r\nNtfyServer={server}\r\n", 403, "Forbidden", "",
         "ntfy: HTTP 403 Forbidden\n"},
        {"bad token", "[Chat]\r\nService=matrix\r\nMatrixServer={server}\r\nMatrixToken=old\r\n", 401,
         "Unauthorized", "{\"errcode\":\"M_UNKNOWN_TOKEN\",\r\n\"error\":\"Invalid access token passed.\"}",
         "matrix: HTTP 401 Unauthorized: {\"errcode\":\"M_UNKNOWN_TOKEN\", \"error\":\"Invalid access token "
         "passed.\"}\n"},
        {"a redirect is not followed", "[Chat]\r\nService=ntfy\r\nNtfyServer={server}\r\n", 301,
         "Moved Permanently", "", "ntfy: HTTP 301 Moved Permanently\n"},
        {"no service", "[Chat]\r\nService=\r\n", 200, "OK", "",
         "no chat service configured in SkypeMsg.INI\n"},
    };
    for (const tCase& c : cases) {
        SCOPED_TRACE(c.Name);
        tRecordingServer local;
        local.Answer(c.Status, c.Reason, c.Body);
        std::string ini = c.Ini;
        if (const auto at = ini.find("{server}"); at != std::string::npos) {
            ini.replace(at, 8, local.Url());
        }
        Settings(ini);
        const tRun run = Run({QStringLiteral("/MSG"), QStringLiteral("99"), QStringLiteral("a"), kText});
        EXPECT_EQ(run.Log, c.Log);
        EXPECT_EQ(run.ExitCode, 1);
    }
}

TEST_F(SkypeMsgProcess, ARefusedConnectionNamesTheAddress) {
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost));
    const int port = closed.serverPort();
    closed.close();
    Settings("[Chat]\r\nService=telegram\r\nTelegramServer=http://127.0.0.1:" + std::to_string(port) +
             "\r\nTelegramToken=1:x\r\n");
    const tRun run = Run({QStringLiteral("/MSG"), QStringLiteral("5"), QStringLiteral("42"), kText});
    EXPECT_EQ(run.Log, "telegram: connection refused (127.0.0.1:" + std::to_string(port) + ")\n");
    EXPECT_EQ(run.ExitCode, 1);
}

TEST_F(SkypeMsgProcess, ABadAddressNeverShowsTheBotToken) {
    Settings(
        "[Chat]\r\nService=telegram\r\nTelegramServer=http://bad host:1\r\nTelegramToken=123:SeCrEt\r\n");
    const tRun run = Run({QStringLiteral("/MSG"), QStringLiteral("6"), QStringLiteral("42"), kText});
    EXPECT_EQ(run.ExitCode, 1);
    EXPECT_TRUE(run.Log.starts_with("telegram: ")) << run.Log;
    EXPECT_EQ(run.Log.find("SeCrEt"), std::string::npos) << run.Log;
}

TEST_F(SkypeMsgProcess, ASilentServerCostsOnlyTheDeadline) {
    server.Silent();
    Settings("[Chat]\r\nService=ntfy\r\nNtfyServer=" + server.Url() + "\r\n");
    const tRun run = Run({QStringLiteral("/MSG"), QStringLiteral("8"), QStringLiteral("a;b;c"), kText}, 1000);
    EXPECT_EQ(run.Log, "ntfy: no answer within 1 second\n");
    EXPECT_EQ(run.ExitCode, 1);
    EXPECT_EQ(server.Received().size(), 1u) << "the deadline covers all recipients together";
    EXPECT_GE(run.Ms, 1000);
    EXPECT_LT(run.Ms, 15000) << "the test's deadline, not the default 20 seconds";
}

TEST_F(SkypeMsgProcess, EveryRecipientGetsTheMessageAndTheFirstFailureIsTheResult) {
    server.AnswerPath("/gone", 404, "Not Found");
    Settings("[Chat]\r\nService=ntfy\r\nNtfyServer=" + server.Url() + "\r\n");

    tRun run = Run({QStringLiteral("/MSG"), QStringLiteral("10"), QStringLiteral(" alpha ;beta,"), kText});
    EXPECT_EQ(run.Log, "\n");
    ASSERT_EQ(server.Received().size(), 2u);
    EXPECT_EQ(server.Received()[0].Path, "/alpha");
    EXPECT_EQ(server.Received()[1].Path, "/beta");
    EXPECT_EQ(server.Received()[1].Body, kTextSent);

    run = Run({QStringLiteral("/MSG"), QStringLiteral("11"), QStringLiteral("gone;beta"), kText});
    EXPECT_EQ(run.Log, "ntfy: HTTP 404 Not Found\n");
    EXPECT_EQ(run.ExitCode, 1);
    ASSERT_EQ(server.Received().size(), 4u);
    EXPECT_EQ(server.Received()[3].Path, "/beta") << "a failure does not stop the other recipients";
}

TEST_F(SkypeMsgProcess, ALongTextWithQuotesAndShellCharactersArrivesIntact) {
    const QString pattern =
        QStringLiteral("\"q\" 'a;b' $(id) `id` & | > < * ~ \\ %s %n Soci\u00e9t\u00e9 \u20ac ");
    QString text;
    while (text.size() < 10000) {
        text += pattern;
    }
    text.truncate(10000);
    std::string expected = text.toStdString();
    std::replace(expected.begin(), expected.end(), '|', '\n');

    Settings("[Chat]\r\nService=ntfy\r\nNtfyServer=" + server.Url() + "\r\n");
    const tRun run = Run({QStringLiteral("/MSG"), QStringLiteral("12"), QStringLiteral("t"), text});
    EXPECT_EQ(run.Log, "\n");
    ASSERT_EQ(server.Received().size(), 1u);
    EXPECT_EQ(server.Received()[0].Body, expected);
}

TEST_F(SkypeMsgProcess, BadArgumentsStillAnswerTheProgram) {
    Settings("[Chat]\r\nService=ntfy\r\nNtfyServer=" + server.Url() + "\r\n");
    tRun run = Run({QStringLiteral("/MSG"), QStringLiteral("13"), QStringLiteral("a")});
    EXPECT_EQ(run.Log, "usage: SkypeMsg /MSG|/SMS <request> <recipient> <text> (3 arguments given)\n");
    EXPECT_EQ(run.ExitCode, 2);

    run = Run({QStringLiteral("/FAX"), QStringLiteral("14"), QStringLiteral("a"), kText});
    EXPECT_EQ(run.Log, "unknown mode \"/FAX\" (expected /MSG or /SMS)\n");
    EXPECT_EQ(run.ExitCode, 2);
    EXPECT_TRUE(server.Received().empty());
}

} // namespace
