#include "market/http_codes.h"
#include "market/qt/kestro_http.h"
#include "support/qt/fault_server.h"
#include "support/temp_dir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QTest>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace vc {
namespace {

using test::tFaultReply;
using test::tFaultServer;
using test::tRefusedPort;
using test::tTempDir;

tFaultReply Answer(int status, std::string reason, std::string body = {}) {
    tFaultReply reply;
    reply.Status = status;
    reply.Reason = std::move(reason);
    reply.Body = std::move(body);
    return reply;
}

std::vector<std::string> FilesIn(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    return names;
}

TEST(KestroHttp, SetProxyTrimsAndClears) {
    struct tCase {
        const char* Text;
        const char* Proxy;
        const char* User;
        const char* Password;
    };
    const tCase cases[] = {
        {" proxy.lan:3128 | anna | pw ", "proxy.lan:3128", "anna", "pw"},
        {"proxy.lan", "proxy.lan", "", ""},
        {"    ", "", "", ""},
        {" | anna | pw", "", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Text);
        tKestroHTTP client;
        client.Proxy = "old:1";
        client.ProxyUsername = "old";
        client.ProxyPassword = "old";
        client.SetProxy(c.Text);
        EXPECT_EQ(client.Proxy, c.Proxy);
        EXPECT_EQ(client.ProxyUsername, c.User);
        EXPECT_EQ(client.ProxyPassword, c.Password);
    }
}

TEST(KestroHttp, PositionCountsPhasesThenTheBody) {
    struct tCase {
        const char* Name;
        bool SendLength;
        std::int64_t SizeGuess;
        // Exact positions, or empty when only the shape is checked: the phases, at least one step
        // inside the body, the end at 100.
        std::vector<int> Exact;
    };
    const tCase cases[] = {
        {"no length, no guess: still during the body", false, -1, {3, 6, 9, 12, 15, 18, 21, 100}},
        {"announced length", true, -1, {}},
        {"no length, a guess", false, 1000, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        tFaultReply reply = Answer(200, "OK", std::string(4000, 'z'));
        reply.SendLength = c.SendLength;
        reply.ChunkBytes = 500;
        reply.ChunkDelayMs = 30;
        tFaultServer server(reply);
        tTempDir dir;
        tKestroHTTP client;
        client.SizeGuess = c.SizeGuess;
        client.URL = server.Url("/help.zip");
        std::vector<int> positions;
        client.OnPosition = [&positions](int position) { positions.push_back(position); };
        ASSERT_EQ(client.DownloadToFile(dir.File("help.zip")), 0);
        EXPECT_EQ(client.Position(), 100);
        if (!c.Exact.empty()) {
            EXPECT_EQ(positions, c.Exact);
            continue;
        }
        ASSERT_GE(positions.size(), 8u) << ::testing::PrintToString(positions);
        EXPECT_EQ(std::vector<int>(positions.begin(), positions.begin() + 7),
                  (std::vector<int>{3, 6, 9, 12, 15, 18, 21}));
        EXPECT_EQ(client.PhaseBase, 21);
        EXPECT_EQ(positions.back(), 100);
        const bool stepInside =
            std::any_of(positions.begin() + 7, positions.end() - 1, [](int p) { return p > 21 && p < 100; });
        EXPECT_TRUE(stepInside) << ::testing::PrintToString(positions);
        if (c.SizeGuess > 0) {
            EXPECT_GE(client.SizeGuess, 4000) << "the guess grows with the body";
        }
    }
}

TEST(KestroHttp, DownloadToFileReplacesTheFileOnlyOnSuccess) {
    enum class tServer { Answer, Refused };
    struct tCase {
        const char* Name;
        tServer Server;
        tFaultReply Reply;
        int Expected;
        bool FileAfter; // holds the body
    };
    tFaultReply cut = Answer(200, "OK", std::string(5000, 'c'));
    cut.CutAfter = 1000;
    const tCase cases[] = {
        {"success", tServer::Answer, Answer(200, "OK", "new help pages"), 0, true},
        {"404: status returned, no error page saved", tServer::Answer,
         Answer(404, "Not Found", "<html>404</html>"), 404, false},
        {"500", tServer::Answer, Answer(500, "Internal Server Error", "oops"), 500, false},
        {"cut short", tServer::Answer, cut, 10054, false},
        {"refused", tServer::Refused, {}, 10061, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        std::unique_ptr<test::tLoopbackEndpoint> server;
        if (c.Server == tServer::Refused) {
            server = std::make_unique<tRefusedPort>();
        } else {
            server = std::make_unique<tFaultServer>(c.Reply);
        }
        tTempDir dir;
        const std::filesystem::path folder = dir.Path() / "Help" / "English";
        const std::filesystem::path file = folder / "help.zip";
        tKestroHTTP client;
        client.URL = server->Url("/help.zip");
        // Twice: once creating the folders, once over the file the first round left (or not).
        for (int round = 0; round < 2; ++round) {
            if (round == 1) {
                std::filesystem::create_directories(folder);
                dir.Write("Help/English/help.zip", "old help pages");
            }
            EXPECT_EQ(client.DownloadToFile(file.string()), c.Expected);
            EXPECT_TRUE(std::filesystem::is_directory(folder));
            if (c.FileAfter) {
                EXPECT_EQ(test::ReadFileBytes(file), c.Reply.Body);
                EXPECT_EQ(FilesIn(folder), std::vector<std::string>{"help.zip"});
            } else {
                EXPECT_FALSE(std::filesystem::exists(file));
                EXPECT_THAT(FilesIn(folder), ::testing::IsEmpty()) << "no temporary file left behind";
            }
            if (c.Expected >= 400) {
                EXPECT_EQ(client.Position(), 100);
            }
        }
    }
}

TEST(KestroHttp, OffersToRetryWithOrWithoutTheProxy) {
    struct tCase {
        const char* Name;
        bool AskProxyRetry;
        bool SettingIsDeadProxy;  // else no proxy setting
        bool SystemProxyIsServer; // else the system names none
        std::vector<int> Answers; // what the user clicks, in order
        int Expected;
        std::vector<std::string> Questions;
        const char* SettingAfter; // "dead" = unchanged, "server" = the system proxy, "" = cleared
    };
    const std::string without = tKestroHTTP::kRetryWithoutProxy;
    const std::string with = tKestroHTTP::kRetryWithProxy;
    const tCase cases[] = {
        {"dead proxy, retry without: setting cleared", true, true, true, {kAnswerYes}, 0, {without}, ""},
        {"dead proxy, user says no", true, true, true, {kAnswerNo}, 10061, {without}, "dead"},
        {"no proxy, system has one: retry with it and keep it",
         true,
         false,
         true,
         {kAnswerYes},
         0,
         {with},
         "server"},
        {"no proxy, system has one, user says no", true, false, true, {kAnswerNo}, 10061, {with}, ""},
        {"no proxy, none in the system: nothing to ask", true, false, false, {}, 10061, {}, ""},
        {"not asked for", false, true, true, {}, 10061, {}, "dead"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        // The server answers every request, so it serves directly and as a proxy alike.
        tFaultServer server(Answer(200, "OK", "pages"));
        const tRefusedPort dead;
        const std::string deadProxy = "127.0.0.1:" + std::to_string(dead.Port());
        const std::string serverProxy = "127.0.0.1:" + std::to_string(server.Port());
        tTempDir dir;
        tKestroHTTP client(c.SettingIsDeadProxy ? deadProxy + "|anna|pw" : "");
        client.AskProxyRetry = c.AskProxyRetry;
        // With a dead proxy the server is the target; without, the target is dead and only the
        // system proxy can reach it.
        client.URL = c.SettingIsDeadProxy ? server.Url("/help.zip") : dead.Url("/help.zip");
        client.SystemProxyLookup = [&] { return c.SystemProxyIsServer ? serverProxy : std::string(); };
        std::vector<std::string> questions;
        std::size_t answered = 0;
        client.Ask = [&](const std::string& text, const std::string& caption) {
            EXPECT_EQ(caption, "Internet Proxyserver|");
            questions.push_back(text);
            return answered < c.Answers.size() ? c.Answers[answered++] : kAnswerNo;
        };
        EXPECT_EQ(client.DownloadToFile(dir.File("help.zip")), c.Expected);
        EXPECT_EQ(questions, c.Questions);
        const std::string settingAfter = std::string(c.SettingAfter) == "dead"     ? deadProxy + "|anna|pw"
                                         : std::string(c.SettingAfter) == "server" ? serverProxy
                                                                                   : std::string();
        EXPECT_EQ(client.ProxySettings(), settingAfter);
        EXPECT_EQ(dir.Exists("help.zip"), c.Expected == 0);
    }
}

TEST(KestroHttp, QuestionsUseTheMessageBoxLineBreak) {
    // The break is the single Windows-1252 byte 0xA6, not the two bytes UTF-8 makes of it.
    const std::string head = "Error downloading Internet-page.\xA6\xA6";
    EXPECT_EQ(std::string(tKestroHTTP::kRetryWithoutProxy),
              head + "Do you wish to try again WITHOUT proxysettings ?");
    EXPECT_EQ(std::string(tKestroHTTP::kRetryWithProxy),
              head + "Do you wish to try again WITH proxysettings ?");
    EXPECT_EQ(std::string(tKestroHTTP::kProxyCaption), "Internet Proxyserver|");
}

TEST(KestroHttp, OneRequestAtATime) {
    tFaultReply silent;
    silent.Silent = true;
    tFaultServer server(silent);
    tKestroHTTP client;
    client.URL = server.Url("/");
    int done = -1;
    client.OnRequestDone = [&done](int code) { done = code; };
    ASSERT_TRUE(client.GetAsync());
    EXPECT_FALSE(client.GetAsync());
    EXPECT_EQ(client.StatusCode(), kHttpBusy);
    client.Abort(kHttpAborted);
    EXPECT_EQ(done, kHttpAborted);
    EXPECT_FALSE(client.Busy());
}

// Every event a handler may answer by freeing the client or aborting its request: nothing of the
// client may run after it is freed, and an aborted request ends with one report of the abort.
TEST(KestroHttp, AHandlerMayFreeTheClientOrAbortTheRequestAtEveryEvent) {
    tFaultReply full = Answer(200, "OK", std::string(400, 'x'));
    full.Headers = {"Location: /elsewhere", "Set-Cookie: session=1"};
    full.ChunkBytes = 100;
    full.ChunkDelayMs = 20;
    tFaultReply cut = full;
    cut.CutAfter = 150;
    tFaultServer fullServer(full);
    tFaultServer cutServer(cut);
    enum class tAct { Free, Abort };
    const struct {
        const char* Event;
        tAct Act;
        bool Cut;
        const char* Done; // the report that ends the request; nullptr when freed
    } rows[] = {
        // State 5: waiting for the answer's header.
        {"state 5", tAct::Free, false, nullptr},
        {"state 5", tAct::Abort, false, "done 10053"},
        {"position", tAct::Free, false, nullptr},
        {"position", tAct::Abort, false, "done 10053"},
        {"connected", tAct::Free, false, nullptr},
        {"connected", tAct::Abort, false, "done 10053"},
        {"header", tAct::Free, false, nullptr},
        {"header", tAct::Abort, false, "done 10053"},
        {"location", tAct::Free, false, nullptr},
        {"location", tAct::Abort, false, "done 10053"},
        {"cookie", tAct::Free, false, nullptr},
        {"cookie", tAct::Abort, false, "done 10053"},
        {"receive", tAct::Free, false, nullptr},
        {"receive", tAct::Abort, false, "done 10053"},
        {"doc", tAct::Free, false, nullptr},
        {"doc", tAct::Abort, false, "done 10053"},
        {"socket", tAct::Free, true, nullptr},
        {"closed", tAct::Free, false, nullptr},
        // The request has ended by then: an abort changes nothing.
        {"closed", tAct::Abort, false, "done 0"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.Event) + (row.Act == tAct::Free ? " frees" : " aborts"));
        auto client = std::make_unique<tKestroHTTP>();
        std::vector<std::string> events;
        std::size_t acted = 0; // events seen when the handler acted; 0 = not yet
        const auto seen = [&](const std::string& event) {
            events.push_back(event);
            if (acted > 0 || event.rfind(row.Event, 0) != 0) {
                return;
            }
            acted = events.size();
            if (row.Act == tAct::Free) {
                client.reset();
            } else {
                client->Abort(kHttpAborted);
            }
        };
        client->OnStateChange = [&](int state) { seen("state " + std::to_string(state)); };
        client->OnPosition = [&](int position) { seen("position " + std::to_string(position)); };
        client->OnSessionConnected = [&] { seen("connected"); };
        client->OnHeaderData = [&] { seen("header"); };
        client->OnLocationChange = [&](const std::string&) { seen("location"); };
        client->OnCookie = [&](const std::string&) { seen("cookie"); };
        client->Receiver = [&](std::string_view) {
            seen("receive");
            return 0;
        };
        client->OnDocData = [&] { seen("doc"); };
        client->OnSocketError = [&](const std::string&) { seen("socket"); };
        client->OnSessionClosed = [&] { seen("closed"); };
        client->OnRequestDone = [&](int code) { seen("done " + std::to_string(code)); };
        client->URL = (row.Cut ? cutServer : fullServer).Url("/");
        ASSERT_TRUE(client->GetAsync());
        ASSERT_TRUE(QTest::qWaitFor([&] { return acted > 0; }, 5000)) << ::testing::PrintToString(events);
        // Long enough for the rest of the answer to have come in.
        QTest::qWait(300);
        const std::vector<std::string> after(events.begin() + static_cast<std::ptrdiff_t>(acted),
                                             events.end());
        if (row.Done == nullptr) {
            EXPECT_FALSE(client);
            EXPECT_TRUE(after.empty()) << ::testing::PrintToString(events);
            continue;
        }
        // After an abort only the end of the request: state changes, the close and one report.
        ASSERT_FALSE(after.empty()) << ::testing::PrintToString(events);
        EXPECT_EQ(after.back(), row.Done) << ::testing::PrintToString(events);
        EXPECT_EQ(std::count_if(events.begin(), events.end(),
                                [](const std::string& event) { return event.rfind("done", 0) == 0; }),
                  1);
        for (const std::string& event : after) {
            EXPECT_TRUE(event.rfind("state", 0) == 0 || event == "closed" || event == row.Done)
                << ::testing::PrintToString(events);
        }
        EXPECT_FALSE(client->Busy());
    }
}

} // namespace
} // namespace vc
