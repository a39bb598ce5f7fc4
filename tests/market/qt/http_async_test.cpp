#include "market/http_codes.h"
#include "market/qt/http_async.h"
#include "market/qt/kestro_http.h"
#include "support/qt/fault_server.h"

#include <QElapsedTimer>
#include <QThread>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <thread>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace vc {
namespace {

using test::tBlackholeServer;
using test::tFaultReply;
using test::tFaultServer;
using test::tLoopbackEndpoint;
using test::tRefusedPort;
using Lines = std::vector<std::string>;

constexpr const char* kPath = "/d/quotes.csv?s=ABC";

// Ends a download that runs far past its bound by aborting it again and again, so a hang fails the
// test instead of stalling the suite. Not a timing check: bounds are many times the deadlines.
class tHangGuard {
public:
    tHangGuard(tKestroHTTP& client, int boundMs) {
        timer_.setInterval(boundMs);
        QObject::connect(&timer_, &QTimer::timeout, [this, &client] {
            fired_ = true;
            timer_.setInterval(50);
            client.Abort(kHttpAborted);
        });
        timer_.start();
    }
    bool Fired() const { return fired_; }

private:
    QTimer timer_;
    bool fired_ = false;
};

tHttpSettings Limits(int attempts, int overall, int logon, int packet, bool stopOn404 = false) {
    tHttpSettings settings;
    settings.MaxAttempts = attempts;
    settings.OverallTimeout = overall;
    settings.LogonTimeout = logon;
    settings.PacketTimeout = packet;
    settings.StopOn404 = stopOn404;
    return settings;
}

tFaultReply Answer(int status, std::string reason, std::vector<std::string> headers = {},
                   std::string body = {}) {
    tFaultReply reply;
    reply.Status = status;
    reply.Reason = std::move(reason);
    reply.Headers = std::move(headers);
    reply.Body = std::move(body);
    return reply;
}

std::string Pattern(std::size_t size) {
    std::string body(size, '\0');
    for (std::size_t i = 0; i < size; ++i) {
        body[i] = static_cast<char>('A' + i % 23);
    }
    return body;
}

Lines Join(std::initializer_list<Lines> parts) {
    Lines all;
    for (const auto& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

// One attempt ended by one of our deadlines.
Lines TimedOutAttempt(const std::string& deadline, int ms) {
    return {"   " + deadline + " timeout : " + std::to_string(ms) + "ms", "   Request DONE ERROR : #10053",
            "                ERROR : Aborted", ""};
}

Lines Retried(int status) {
    return {"   Http-error : #" + std::to_string(status), ""};
}

Lines Fatal(int code) {
    return {"   Request DONE ERROR : #" + std::to_string(code), "   FATAL ERROR !! no more retries"};
}

Lines Failed(int status) {
    return {"    Error while downloading : errorcode = #" + std::to_string(status)};
}

// A line ending in "*" matches every line that starts like it (for texts Qt words).
void ExpectLog(const Lines& actual, const Lines& expected) {
    ASSERT_EQ(actual.size(), expected.size()) << ::testing::PrintToString(actual);
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const std::string& want = expected[i];
        if (!want.empty() && want.back() == '*') {
            EXPECT_EQ(actual[i].substr(0, want.size() - 1), want.substr(0, want.size() - 1)) << "line " << i;
        } else {
            EXPECT_EQ(actual[i], want) << "line " << i;
        }
    }
}

enum class tServerKind { Fault, Blackhole, Refused, None };

struct tServerRow {
    const char* Name;
    tServerKind Kind;
    tFaultReply Reply;
    tHttpSettings Settings;
    int Expected;
    Lines Log;
    int Requests = -1;           // requests the server must have seen; -1 = not checked
    long long DocumentSize = -1; // -1 = the body on 200, else not checked
    bool ProgressFallsBack = false;
    const char* Address = nullptr; // the whole address when there is no server
    int BoundMs = 8000;
};

std::vector<tServerRow> ServerRows() {
    const std::string big = Pattern(60000);
    const std::string atCap = Pattern(tHttpAsync::kMaxDocument);
    const std::string overCap = Pattern(tHttpAsync::kMaxDocument + 1);
    std::vector<tServerRow> rows;

    tFaultReply silent;
    silent.Silent = true;
    rows.push_back({"silent: packet time-out, then a second attempt", tServerKind::Fault, silent,
                    Limits(2, 0, 3000, 300), kHttpTimedOut,
                    Join({TimedOutAttempt("PACKET", 300),
                          {"Atempt #2"},
                          TimedOutAttempt("PACKET", 300),
                          {"    operation TIMED out : errorcode = #10053"}}),
                    2});
    rows.push_back({"connection never completes: logon time-out",
                    tServerKind::Blackhole,
                    {},
                    Limits(2, 0, 300, 3000),
                    kHttpTimedOut,
                    Join({TimedOutAttempt("LOGON", 300),
                          {"Atempt #2"},
                          TimedOutAttempt("LOGON", 300),
                          {"    operation TIMED out : errorcode = #10053"}})});

    tFaultReply steady = Answer(200, "OK", {}, Pattern(12000));
    steady.ChunkBytes = 1000;
    steady.ChunkDelayMs = 40; // the whole body takes longer than one packet time-out
    rows.push_back({"trickles slowly but steadily: succeeds",
                    tServerKind::Fault,
                    steady,
                    Limits(1, 0, 3000, 400),
                    200,
                    {},
                    1});

    tFaultReply endless = Answer(200, "OK", {}, Pattern(40000));
    endless.ChunkBytes = 500;
    endless.ChunkDelayMs = 50;
    rows.push_back({"trickles too long: overall time-out", tServerKind::Fault, endless,
                    Limits(1, 500, 3000, 400), kHttpTimedOut,
                    Join({TimedOutAttempt("OVERALL", 500), {"    operation TIMED out : errorcode = #10053"}}),
                    1});

    rows.push_back({"refused port: fatal at once",
                    tServerKind::Refused,
                    {},
                    Limits(3, 0, 3000, 3000),
                    10061,
                    Join({Fatal(10061), Failed(10061)})});

    rows.push_back(
        {"302 retried MaxAttempts times, never followed", tServerKind::Fault,
         Answer(302, "Found", {"Location: /elsewhere"}, "moved"), Limits(3, 0, 3000, 3000), 302,
         Join({Retried(302), {"Atempt #2"}, Retried(302), {"Atempt #3"}, Retried(302), Failed(302)}), 3, 5});
    rows.push_back({"404 retried", tServerKind::Fault, Answer(404, "Not Found", {}, "no such page"),
                    Limits(2, 0, 3000, 3000), 404,
                    Join({Retried(404), {"Atempt #2"}, Retried(404), Failed(404)}), 2, 12});
    rows.push_back({"404 with StopOn404: at once", tServerKind::Fault, Answer(404, "Not Found"),
                    Limits(3, 0, 3000, 3000, true), 404, Failed(404), 1});
    rows.push_back({"401 at once", tServerKind::Fault,
                    Answer(401, "Unauthorized", {"WWW-Authenticate: Basic realm=q"}),
                    Limits(3, 0, 3000, 3000), 401, Failed(401), 1});
    rows.push_back({"403 at once", tServerKind::Fault, Answer(403, "Forbidden"), Limits(3, 0, 3000, 3000),
                    403, Failed(403), 1});
    rows.push_back({"301 at once", tServerKind::Fault, Answer(301, "Moved Permanently", {"Location: /new"}),
                    Limits(3, 0, 3000, 3000), 301, Failed(301), 1});
    rows.push_back({"500 retried, the last status returned", tServerKind::Fault,
                    Answer(500, "Internal Server Error"), Limits(2, 0, 3000, 3000), 500,
                    Join({Retried(500), {"Atempt #2"}, Retried(500), Failed(500)}), 2});

    tFaultReply unsized = Answer(200, "OK", {}, big);
    unsized.SendLength = false;
    // Small, spaced chunks: the first reads stay under the first guess even on a loaded machine.
    unsized.ChunkBytes = 2500;
    unsized.ChunkDelayMs = 30;
    rows.push_back({"over 20000 bytes without a length: progress falls back",
                    tServerKind::Fault,
                    unsized,
                    Limits(1, 0, 3000, 3000),
                    200,
                    {},
                    1,
                    -1,
                    true});

    tFaultReply cut = Answer(200, "OK", {}, Pattern(5000));
    cut.CutAfter = 2000;
    rows.push_back({"body cut short: no success", tServerKind::Fault, cut, Limits(2, 0, 3000, 3000), 10054,
                    Join({{"   Request DONE ERROR : #10054", "                ERROR : *"},
                          Retried(10054),
                          {"Atempt #2"},
                          {"   Request DONE ERROR : #10054", "                ERROR : *"},
                          Retried(10054),
                          Failed(10054)}),
                    2});

    rows.push_back({"document exactly at the cap",
                    tServerKind::Fault,
                    Answer(200, "OK", {}, atCap),
                    Limits(1, 0, 3000, 3000),
                    200,
                    {},
                    1});
    rows.push_back({"announced length over the cap", tServerKind::Fault, Answer(200, "OK", {}, overCap),
                    Limits(3, 0, 3000, 3000), kHttpTooLong, Join({Fatal(10040), Failed(10040)}), 1, 0});
    tFaultReply flood = Answer(200, "OK", {}, overCap);
    flood.SendLength = false;
    rows.push_back({"body over the cap without a length", tServerKind::Fault, flood, Limits(3, 0, 3000, 3000),
                    kHttpTooLong, Join({Fatal(10040), Failed(10040)}), 1,
                    static_cast<long long>(tHttpAsync::kMaxDocument)});

    rows.push_back({"no attempt asked for: one is made", tServerKind::Fault, Answer(302, "Found"),
                    Limits(0, 0, 3000, 3000), 302, Join({Retried(302), Failed(302)}), 1});
    rows.push_back({"407 from a server that is no proxy: at once", tServerKind::Fault,
                    Answer(407, "Proxy Authentication Required", {"Proxy-Authenticate: Basic realm=p"}),
                    Limits(3, 0, 3000, 3000), 407, Join({Fatal(407), Failed(407)}), 1});
    rows.push_back({"request cannot start",
                    tServerKind::None,
                    {},
                    Limits(3, 0, 3000, 3000),
                    kHttpNotStarted,
                    {"   Exception ERROR : # Reason : Unsupported scheme", "",
                     "    Error while downloading : errorcode = #12006"},
                    -1,
                    0,
                    false,
                    "ftp://127.0.0.1/quotes.csv"});
    return rows;
}

TEST(HttpAsync, ServerTable) {
    for (const tServerRow& row : ServerRows()) {
        SCOPED_TRACE(row.Name);
        std::unique_ptr<tLoopbackEndpoint> server;
        switch (row.Kind) {
        case tServerKind::Fault:
            server = std::make_unique<tFaultServer>(row.Reply);
            break;
        case tServerKind::Blackhole: {
            auto blackhole = std::make_unique<tBlackholeServer>();
            ASSERT_TRUE(blackhole->Hangs()) << "connects to a full accept queue complete here";
            server = std::move(blackhole);
            break;
        }
        case tServerKind::Refused:
            server = std::make_unique<tRefusedPort>();
            break;
        case tServerKind::None:
            break;
        }
        const std::string url = server ? server->Url(kPath) : row.Address;

        tHttpAsync session;
        Lines log;
        std::vector<double> progress;
        session.OnLog = [&log](const std::string& line) { log.push_back(line); };
        session.OnProgress = [&progress](double percent) { progress.push_back(percent); };
        std::string document = "stale";
        const tHangGuard guard(session.Client(), row.BoundMs);
        const int result = session.Fetch(url, row.Settings, document);

        EXPECT_FALSE(guard.Fired()) << "hung";
        EXPECT_EQ(result, row.Expected);
        ExpectLog(log, row.Log);
        EXPECT_EQ(document, session.Document());
        EXPECT_LE(document.size(), tHttpAsync::kMaxDocument);
        if (row.DocumentSize >= 0) {
            EXPECT_EQ(static_cast<long long>(document.size()), row.DocumentSize);
        } else if (row.Expected == 200) {
            EXPECT_TRUE(document == row.Reply.Body) << document.size() << " bytes";
        }
        if (server && row.Requests >= 0) {
            const auto requests = server->Requests();
            EXPECT_EQ(static_cast<int>(requests.size()), row.Requests);
            for (const auto& request : requests) {
                EXPECT_EQ(request.rfind(std::string("GET ") + kPath + " HTTP/1.1\r\n", 0), 0u) << request;
            }
        }

        ASSERT_FALSE(progress.empty());
        EXPECT_EQ(progress.front(), 0.0);
        for (const double percent : progress) {
            EXPECT_GE(percent, 0.0);
            EXPECT_LE(percent, 100.0);
        }
        if (row.Expected != kHttpNotStarted) {
            EXPECT_EQ(progress.back(), 100.0) << "every attempt ends at 100";
        }
        if (row.ProgressFallsBack) {
            bool fellBack = false;
            for (std::size_t i = 1; i + 1 < progress.size(); ++i) {
                fellBack = fellBack || progress[i] < progress[i - 1];
            }
            EXPECT_TRUE(fellBack) << ::testing::PrintToString(progress);
        }
    }
}

// A server that never stops sending: reading ends once the document passes the cap, and what was
// taken from the connection stays near the cap even when the program is busy elsewhere for a while
// (the first piece of the body stalls the event loop, as a long paint would), instead of all the
// connection delivered in the meantime piling up in memory.
TEST(HttpAsync, EndlessBodyStopsAtTheCap) {
    tFaultReply endless = Answer(200, "OK", {}, "head of an endless document\r\n");
    endless.SendLength = false;
    endless.Endless = true;
    const tFaultServer server(endless);
    tHttpAsync session;
    bool stalled = false;
    QTimer stall;
    stall.setInterval(1);
    QObject::connect(&stall, &QTimer::timeout, [&] {
        if (!stalled && session.Client().RcvdCount() > 0) {
            stalled = true;
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
        }
    });
    stall.start();
    std::string document;
    const tHangGuard guard(session.Client(), 60000);

    EXPECT_EQ(session.Fetch(server.Url(kPath), Limits(3, 0, 3000, 3000), document), kHttpTooLong);

    EXPECT_FALSE(guard.Fired()) << "hung";
    EXPECT_TRUE(stalled);
    EXPECT_EQ(document.size(), tHttpAsync::kMaxDocument);
    EXPECT_EQ(document.substr(0, 27), "head of an endless document");
    // A fatal error: one attempt, not three.
    EXPECT_EQ(server.Requests().size(), 1u);
    const auto received = static_cast<std::size_t>(session.Client().RcvdCount());
    EXPECT_GT(received, tHttpAsync::kMaxDocument);
    EXPECT_LE(received, tHttpAsync::kMaxDocument + (1u << 20));
    std::printf("bytes taken from the connection: %zu (cap %zu)\n", received, tHttpAsync::kMaxDocument);
}

// Whether lines holds wanted in this order, other lines between them allowed.
bool HasInOrder(const Lines& lines, const Lines& wanted) {
    auto it = lines.begin();
    for (const auto& line : wanted) {
        it = std::find(it, lines.end(), line);
        if (it == lines.end()) {
            return false;
        }
        ++it;
    }
    return true;
}

// The header lines named name (any case) of a request.
Lines HeaderLines(const std::string& request, const std::string& name) {
    Lines found;
    std::size_t start = 0;
    while (start < request.size()) {
        const std::size_t end = request.find("\r\n", start);
        const std::string line = request.substr(start, end - start);
        if (line.size() > name.size() && line[name.size()] == ':' &&
            QByteArray::fromStdString(line.substr(0, name.size())).toLower() ==
                QByteArray::fromStdString(name).toLower()) {
            found.push_back(line);
        }
        if (end == std::string::npos) {
            break;
        }
        start = end + 2;
    }
    return found;
}

TEST(HttpAsync, SendsAgentAndAcceptOnlyAsGiven) {
    struct tCase {
        const char* Agent;
        const char* Accept;
        Lines AgentLines; // empty: Qt's default is fine
        Lines AcceptLines;
    };
    const tCase cases[] = {
        {"", "", {}, {}},
        {"Velocrest/0.1 (X11)",
         "text/csv, */*",
         {"User-Agent: Velocrest/0.1 (X11)"},
         {"Accept: text/csv, */*"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Agent);
        tFaultServer server(Answer(200, "OK", {}, "a,b"));
        tHttpAsync session;
        tHttpSettings settings = Limits(1, 0, 3000, 3000);
        settings.Agent = c.Agent;
        settings.Accept = c.Accept;
        std::string document;
        ASSERT_EQ(session.Fetch(server.Url(kPath), settings, document), 200);
        ASSERT_EQ(server.Requests().size(), 1u);
        const std::string request = server.Requests().front();
        EXPECT_EQ(HeaderLines(request, "Accept"), c.AcceptLines) << request;
        if (!c.AgentLines.empty()) {
            EXPECT_EQ(HeaderLines(request, "User-Agent"), c.AgentLines) << request;
        }
    }
}

TEST(HttpAsync, KeepsTheLastCookieAndNeverSendsItBack) {
    tFaultServer server(
        Answer(200, "OK", {"Set-Cookie: B=first; path=/", "Set-Cookie: Q=s3cr3t; path=/d"}, "x"));
    tHttpAsync session;
    std::string document;
    ASSERT_EQ(session.Fetch(server.Url(kPath), Limits(1, 0, 3000, 3000), document), 200);
    EXPECT_EQ(session.Cookie(), "Q=s3cr3t; path=/d");
    ASSERT_EQ(session.Fetch(server.Url(kPath), Limits(1, 0, 3000, 3000), document), 200);
    const auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_THAT(HeaderLines(requests[1], "Cookie"), ::testing::IsEmpty()) << requests[1];
}

TEST(HttpAsync, TracesTheClientPhases) {
    struct tCase {
        const char* Name;
        tServerKind Kind;
        tFaultReply Reply;
        tHttpSettings Settings;
        Lines Trace; // in this order, other lines between
    };
    tFaultReply silent;
    silent.Silent = true;
    const tCase cases[] = {
        {"answer",
         tServerKind::Fault,
         Answer(302, "Found", {"Location: /moved/here", "Set-Cookie: id=7"}, "body"),
         Limits(1, 0, 3000, 3000),
         {"State CHANGE : httpDnsLookup", "Session CONNECTED", "State CHANGE : httpWaitingHeader",
          "Header DATA", "Location CHANGED : /moved/here", "Cookie : id=7", "State CHANGE : httpWaitingBody",
          "State CHANGE : httpBodyReceived", "Session CLOSED", "State CHANGE : httpReady",
          "Request DONE : OK"}},
        {"refused",
         tServerKind::Refused,
         {},
         Limits(1, 0, 3000, 3000),
         {"State CHANGE : httpDnsLookup", "Socket ERROR : Connection refused", "Session CLOSED",
          "State CHANGE : httpReady", "Request DONE error #10061 Connection refused"}},
        {"aborted on a deadline",
         tServerKind::Fault,
         silent,
         Limits(1, 0, 3000, 200),
         {"Session CONNECTED", "State CHANGE : httpAborting", "Session CLOSED", "State CHANGE : httpReady",
          "Request DONE error #10053 Aborted"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        std::unique_ptr<tLoopbackEndpoint> server;
        if (c.Kind == tServerKind::Refused) {
            server = std::make_unique<tRefusedPort>();
        } else {
            server = std::make_unique<tFaultServer>(c.Reply);
        }
        tHttpAsync session;
        Lines trace;
        session.TraceSink = [&trace](const std::string& line) { trace.push_back(line); };
        std::string document;
        const tHangGuard guard(session.Client(), 8000);
        session.Fetch(server->Url(kPath), c.Settings, document);
        EXPECT_TRUE(HasInOrder(trace, c.Trace)) << ::testing::PrintToString(trace);
    }
}

TEST(HttpAsync, GoesThroughTheProxyOnlyWhenOneIsSet) {
    struct tCase {
        const char* Name;
        bool ServerIsProxy; // else the setting is ProxyText and the server is asked directly
        const char* ProxyText;
        tFaultReply Reply;
        int Expected;
        Lines LogAfterProxyLine;
        const char* RequestLine;
        const char* ProxyAuthorization; // on the last request; "" = none
    };
    const tCase cases[] = {
        {"proxy used",
         true,
         " | anna | pw ",
         Answer(200, "OK", {}, "q"),
         200,
         {},
         "GET http://quotes.invalid/d/q.csv HTTP/1.1",
         ""},
        {"proxy wants other credentials", true, " | anna | pw ",
         Answer(407, "Proxy Authentication Required", {"Proxy-Authenticate: Basic realm=p"}), 407,
         Join({Fatal(407), Failed(407)}), "GET http://quotes.invalid/d/q.csv HTTP/1.1",
         "Proxy-Authorization: Basic YW5uYTpwdw=="},
        {"spaces only: no proxy",
         false,
         "   ",
         Answer(200, "OK", {}, "q"),
         200,
         {},
         "GET /d/q.csv HTTP/1.1",
         ""},
        {"blank address: no proxy",
         false,
         "  | anna | pw",
         Answer(200, "OK", {}, "q"),
         200,
         {},
         "GET /d/q.csv HTTP/1.1",
         ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        tFaultServer server(c.Reply);
        const std::string address = "127.0.0.1:" + std::to_string(server.Port());
        const std::string url = c.ServerIsProxy ? "http://quotes.invalid/d/q.csv" : server.Url("/d/q.csv");
        tHttpAsync session(c.ServerIsProxy ? " " + address + c.ProxyText : c.ProxyText);
        Lines log;
        session.OnLog = [&log](const std::string& line) { log.push_back(line); };
        std::string document;
        const tHangGuard guard(session.Client(), 8000);
        EXPECT_EQ(session.Fetch(url, Limits(3, 0, 3000, 3000), document), c.Expected);
        Lines expectedLog = c.LogAfterProxyLine;
        if (c.ServerIsProxy) {
            expectedLog.insert(expectedLog.begin(), "Using PROXY : " + address);
        } else {
            EXPECT_TRUE(session.Client().Proxy.empty());
            EXPECT_TRUE(session.Client().ProxyUsername.empty());
            EXPECT_TRUE(session.Client().ProxyPassword.empty());
        }
        ExpectLog(log, expectedLog);
        const auto requests = server.Requests();
        ASSERT_FALSE(requests.empty());
        for (const auto& request : requests) {
            EXPECT_EQ(request.rfind(std::string(c.RequestLine) + "\r\n", 0), 0u) << request;
        }
        const Lines authorization = HeaderLines(requests.back(), "Proxy-Authorization");
        EXPECT_EQ(authorization, *c.ProxyAuthorization ? Lines{c.ProxyAuthorization} : Lines{});
    }
}

TEST(HttpAsync, RefusesToBeReenteredWhileWaiting) {
    tFaultReply slow = Answer(200, "OK", {}, Pattern(3000));
    slow.ChunkBytes = 500;
    slow.ChunkDelayMs = 60;
    tFaultServer server(slow);
    tHttpAsync session;
    Lines log;
    session.OnLog = [&log](const std::string& line) { log.push_back(line); };
    int viaExecute = 0;
    int viaFetch = 0;
    std::string innerDocument = "untouched";
    QTimer::singleShot(100, [&] {
        viaExecute = session.Execute();
        viaFetch = session.Fetch("http://127.0.0.1:1/other", Limits(1, 0, 100, 100), innerDocument);
    });
    std::string document;
    const tHangGuard guard(session.Client(), 8000);
    EXPECT_EQ(session.Fetch(server.Url(kPath), Limits(1, 0, 3000, 3000), document), 200);
    EXPECT_EQ(viaExecute, kHttpBusy);
    EXPECT_EQ(viaFetch, kHttpBusy);
    EXPECT_EQ(innerDocument, "");
    EXPECT_EQ(document, slow.Body);
    EXPECT_EQ(session.URL, server.Url(kPath)) << "the refused call must not change the running download";
    ExpectLog(log, {tHttpAsync::kBusyLine, tHttpAsync::kBusyLine});
    EXPECT_EQ(server.Requests().size(), 1u);
}

TEST(HttpAsync, MayBeFreedWhileWaiting) {
    tFaultReply silent;
    silent.Silent = true;
    tFaultServer server(silent);
    auto session = std::make_unique<tHttpAsync>();
    QTimer::singleShot(100, [&session] { session.reset(); });
    std::string document = "stale";
    EXPECT_EQ(session->Fetch(server.Url(kPath), Limits(1, 0, 3000, 5000), document), kHttpAborted);
    EXPECT_EQ(session, nullptr);
    EXPECT_EQ(document, "");
}

TEST(HttpAsync, AbandonEndsTheDownloadAtOnceWithoutRetryAndTheSessionGoesOn) {
    tFaultReply silent;
    silent.Silent = true;
    tFaultReply trickling = Answer(200, "OK", {}, Pattern(4000));
    trickling.ChunkBytes = 100;
    trickling.ChunkDelayMs = 50;
    const struct {
        const char* Name;
        tServerKind Kind;
        tFaultReply Reply;
    } rows[] = {
        {"waiting for the answer", tServerKind::Fault, silent},
        {"in the middle of the body", tServerKind::Fault, trickling},
        {"still connecting", tServerKind::Blackhole, {}},
    };
    tFaultServer after(Answer(200, "OK", {}, "next"));
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Name);
        std::unique_ptr<tLoopbackEndpoint> server;
        if (row.Kind == tServerKind::Fault) {
            server = std::make_unique<tFaultServer>(row.Reply);
        } else {
            auto blackhole = std::make_unique<tBlackholeServer>();
            if (!blackhole->Hangs()) {
                continue; // this machine completes every connect; nothing to abandon there
            }
            server = std::move(blackhole);
        }
        tHttpAsync session;
        Lines log;
        session.OnLog = [&log](const std::string& line) { log.push_back(line); };
        // Given up while idle, a session is not spoilt for its next download.
        session.Abandon();
        bool underWay = false;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            const bool seen = row.Kind != tServerKind::Fault || !server->Requests().empty();
            const bool bodyStarted =
                row.Reply.Silent || row.Kind != tServerKind::Fault || session.Progress() > 20;
            if (seen && bodyStarted && session.Busy()) {
                underWay = true;
                poll.stop();
                session.Abandon();
            }
        });
        poll.start(row.Kind == tServerKind::Blackhole ? 200 : 5);
        const tHangGuard guard(session.Client(), 8000);
        std::string document;
        // Three attempts and long deadlines: only the abandon can end this soon.
        EXPECT_EQ(session.Fetch(server->Url(kPath), Limits(3, 0, 20000, 20000), document), kHttpAborted);
        EXPECT_TRUE(underWay);
        EXPECT_FALSE(guard.Fired());
        ExpectLog(log, {"   Request DONE ERROR : #10053", "                ERROR : Aborted",
                        "   Download ABANDONED"});
        if (row.Kind == tServerKind::Fault) {
            EXPECT_EQ(server->Requests().size(), 1u);
        }
        EXPECT_FALSE(session.Busy());
        EXPECT_EQ(session.Fetch(after.Url(kPath), Limits(1, 0, 3000, 3000), document), 200);
        EXPECT_EQ(document, "next");
    }
}

TEST(HttpAsync, EndsItsDownloadWhenEveryEventLoopIsToldToEnd) {
    tFaultReply silent;
    silent.Silent = true;
    tFaultServer server(silent);
    // On a thread of its own: ending every event loop of the test's main thread would end the
    // loops of all the tests after it too. QThread::exit does to that thread's loops what the
    // program's exit does to the main thread's.
    int result = 0;
    std::unique_ptr<QThread> thread(QThread::create([&] {
        tHttpAsync session;
        std::string document;
        result = session.Fetch(server.Url(kPath), Limits(3, 0, 20000, 20000), document);
    }));
    thread->start();
    QElapsedTimer guard;
    guard.start();
    while (server.Requests().empty() && guard.elapsed() < 8000) {
        QThread::msleep(10);
    }
    ASSERT_EQ(server.Requests().size(), 1u);
    thread->exit(0);
    // Three attempts with 20 s deadlines are far longer than this bound.
    const bool ended = thread->wait(8000);
    if (!ended) {
        // Spinning in its wait: nothing else ends it.
        thread->terminate();
        thread->wait();
    }
    ASSERT_TRUE(ended);
    EXPECT_EQ(result, kHttpAborted);
    EXPECT_EQ(server.Requests().size(), 1u);
}

} // namespace
} // namespace vc
