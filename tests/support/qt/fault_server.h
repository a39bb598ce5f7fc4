// Small HTTP servers on 127.0.0.1 that misbehave on purpose, for the download tests: one that
// answers with any status, headers and body (at once, trickling, without a length, cut short,
// without end),
// one that accepts and never answers, one whose connections never complete, and a refusing port.
// Each runs on its own threads with plain sockets, so it keeps its pace whatever the client's
// event loop does.
#pragma once

#include <cstddef>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace vc::test {

class tLoopbackEndpoint {
public:
    virtual ~tLoopbackEndpoint() = default;
    virtual int Port() const = 0;
    // "http://127.0.0.1:<port>" + path.
    std::string Url(std::string_view path = "/") const;
    // Request line and headers of every request received so far, as sent.
    virtual std::vector<std::string> Requests() const { return {}; }
};

struct tFaultReply {
    bool Silent = false; // read the request, never answer
    int Status = 200;
    std::string Reason = "OK";
    std::vector<std::string> Headers; // extra header lines without the line end
    std::string Body;
    bool SendLength = true;                   // Content-Length; else the body ends with the connection
    std::size_t ChunkBytes = 0;               // 0 = the whole body in one go
    int ChunkDelayMs = 0;                     // pause before each chunk after the first
    std::size_t CutAfter = std::string::npos; // close after this many body bytes
    bool Endless = false;                     // after Body, filler bytes without end, until the client closes
};

// Answers every request with the same reply, then closes the connection.
class tFaultServer final : public tLoopbackEndpoint {
public:
    explicit tFaultServer(tFaultReply reply);
    ~tFaultServer() override;
    tFaultServer(const tFaultServer&) = delete;
    tFaultServer& operator=(const tFaultServer&) = delete;

    int Port() const override { return port_; }
    std::vector<std::string> Requests() const override;

private:
    void AcceptLoop();
    void Serve(int fd);

    tFaultReply reply_;
    int listenFd_ = -1;
    int wake_[2] = {-1, -1};
    int port_ = 0;
    mutable std::mutex mutex_;
    std::vector<std::string> requests_;
    std::vector<std::thread> workers_;
    std::thread acceptor_;
};

// A port whose connections never complete: it listens with an accept queue of one, filled at once
// by a connection nobody accepts, and Linux drops further SYNs while the queue is full.
class tBlackholeServer final : public tLoopbackEndpoint {
public:
    tBlackholeServer();
    ~tBlackholeServer() override;
    tBlackholeServer(const tBlackholeServer&) = delete;
    tBlackholeServer& operator=(const tBlackholeServer&) = delete;

    int Port() const override { return port_; }
    // Whether a probe connect really hung for a while when the server was set up.
    bool Hangs() const { return hangs_; }

private:
    int listenFd_ = -1;
    int fillerFd_ = -1;
    int port_ = 0;
    bool hangs_ = false;
};

// A port nothing listens on: the socket is bound (so nobody else takes the port) but not listening,
// so connects are refused.
class tRefusedPort final : public tLoopbackEndpoint {
public:
    tRefusedPort();
    ~tRefusedPort() override;
    tRefusedPort(const tRefusedPort&) = delete;
    tRefusedPort& operator=(const tRefusedPort&) = delete;

    int Port() const override { return port_; }

private:
    int fd_ = -1;
    int port_ = 0;
};

} // namespace vc::test
