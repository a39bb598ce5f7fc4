#include "support/qt/fault_server.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <stdexcept>

namespace vc::test {

namespace {

sockaddr_in Loopback(int port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

sockaddr* AsAddress(sockaddr_in& address) {
    return reinterpret_cast<sockaddr*>(&address);
}

int BoundSocket() {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        throw std::runtime_error("socket");
    }
    sockaddr_in address = Loopback(0);
    if (::bind(fd, AsAddress(address), sizeof address) != 0) {
        ::close(fd);
        throw std::runtime_error("bind");
    }
    return fd;
}

int PortOf(int fd) {
    sockaddr_in address{};
    socklen_t length = sizeof address;
    ::getsockname(fd, AsAddress(address), &length);
    return ntohs(address.sin_port);
}

// Waits until fd has the events or the wake pipe fires; false on wake, error or time-out.
bool WaitFor(int fd, short events, int wakeFd, int timeoutMs) {
    pollfd fds[2] = {{fd, events, 0}, {wakeFd, POLLIN, 0}};
    for (;;) {
        const int n = ::poll(fds, 2, timeoutMs);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0 || (fds[1].revents & POLLIN) != 0) {
            return false;
        }
        return (fds[0].revents & (events | POLLHUP | POLLERR)) != 0;
    }
}

bool SendAll(int fd, std::string_view data, int wakeFd) {
    while (!data.empty()) {
        if (!WaitFor(fd, POLLOUT, wakeFd, -1)) {
            return false;
        }
        const ssize_t sent = ::send(fd, data.data(), data.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
        if (sent < 0) {
            if (errno == EAGAIN || errno == EINTR) {
                continue;
            }
            return false;
        }
        data.remove_prefix(static_cast<std::size_t>(sent));
    }
    return true;
}

} // namespace

std::string tLoopbackEndpoint::Url(std::string_view path) const {
    return "http://127.0.0.1:" + std::to_string(Port()) + std::string(path);
}

tFaultServer::tFaultServer(tFaultReply reply) : reply_(std::move(reply)) {
    if (::pipe2(wake_, O_CLOEXEC) != 0) {
        throw std::runtime_error("pipe");
    }
    listenFd_ = BoundSocket();
    ::listen(listenFd_, 16);
    port_ = PortOf(listenFd_);
    acceptor_ = std::thread([this] { AcceptLoop(); });
}

tFaultServer::~tFaultServer() {
    // The wake pipe is never read, so it stays readable and stops every thread.
    (void)!::write(wake_[1], "x", 1);
    acceptor_.join();
    for (auto& worker : workers_) {
        worker.join();
    }
    ::close(listenFd_);
    ::close(wake_[0]);
    ::close(wake_[1]);
}

std::vector<std::string> tFaultServer::Requests() const {
    std::lock_guard lock(mutex_);
    return requests_;
}

void tFaultServer::AcceptLoop() {
    while (WaitFor(listenFd_, POLLIN, wake_[0], -1)) {
        const int fd = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0) {
            continue;
        }
        workers_.emplace_back([this, fd] { Serve(fd); });
    }
}

void tFaultServer::Serve(int fd) {
    std::string head;
    char buffer[4096];
    while (head.find("\r\n\r\n") == std::string::npos) {
        if (!WaitFor(fd, POLLIN, wake_[0], -1)) {
            ::close(fd);
            return;
        }
        const ssize_t got = ::recv(fd, buffer, sizeof buffer, 0);
        if (got <= 0) {
            ::close(fd);
            return;
        }
        head.append(buffer, static_cast<std::size_t>(got));
    }
    {
        std::lock_guard lock(mutex_);
        requests_.push_back(head.substr(0, head.find("\r\n\r\n") + 2));
    }

    if (!reply_.Silent) {
        std::string answer = "HTTP/1.1 " + std::to_string(reply_.Status) + " " + reply_.Reason + "\r\n";
        for (const auto& header : reply_.Headers) {
            answer += header + "\r\n";
        }
        if (reply_.SendLength) {
            answer += "Content-Length: " + std::to_string(reply_.Body.size()) + "\r\n";
        }
        answer += "Connection: close\r\n\r\n";
        bool going = SendAll(fd, answer, wake_[0]);
        std::string_view body = reply_.Body;
        body = body.substr(0, reply_.CutAfter);
        const std::size_t chunk =
            reply_.ChunkBytes > 0 ? reply_.ChunkBytes : std::max<std::size_t>(body.size(), 1);
        for (bool first = true; going && !body.empty(); first = false) {
            if (!first && reply_.ChunkDelayMs > 0) {
                pollfd wake{wake_[0], POLLIN, 0};
                if (::poll(&wake, 1, reply_.ChunkDelayMs) != 0) {
                    going = false;
                    break;
                }
            }
            const std::string_view part = body.substr(0, chunk);
            going = SendAll(fd, part, wake_[0]);
            body.remove_prefix(part.size());
        }
        if (reply_.Endless) {
            // Stops when the client goes away (the send fails) or the server is stopped.
            const std::string filler(64 * 1024, 'e');
            while (going) {
                going = SendAll(fd, filler, wake_[0]);
            }
        }
        ::shutdown(fd, SHUT_WR);
    }
    // Until the client closes (a silent server holds the connection open until then): closing
    // first could reset the connection before the client has read everything.
    while (WaitFor(fd, POLLIN, wake_[0], reply_.Silent ? -1 : 5000)) {
        if (::recv(fd, buffer, sizeof buffer, 0) <= 0) {
            break;
        }
    }
    ::close(fd);
}

tBlackholeServer::tBlackholeServer() {
    listenFd_ = BoundSocket();
    ::listen(listenFd_, 0);
    port_ = PortOf(listenFd_);
    fillerFd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address = Loopback(port_);
    ::connect(fillerFd_, AsAddress(address), sizeof address);

    const int probe = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    const int started = ::connect(probe, AsAddress(address), sizeof address);
    if (started != 0 && errno == EINPROGRESS) {
        pollfd fds{probe, POLLOUT, 0};
        hangs_ = ::poll(&fds, 1, 200) == 0;
    }
    ::close(probe);
}

tBlackholeServer::~tBlackholeServer() {
    ::close(fillerFd_);
    ::close(listenFd_);
}

tRefusedPort::tRefusedPort() : fd_(BoundSocket()), port_(PortOf(fd_)) {}

tRefusedPort::~tRefusedPort() {
    ::close(fd_);
}

} // namespace vc::test
