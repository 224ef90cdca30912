// The far end of a network serial device for tests: a listening socket on
// a loopback port, the connections it accepts, and reads that wait (with a
// time-out) for what the device sent. `stalled` makes a listener whose queue
// is full, so a further connect gets no answer.
#pragma once
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <string>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>

namespace qx::test {

class LoopbackServer {
public:
    explicit LoopbackServer(bool stalled = false)
    {
        listen_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t len = sizeof a;
        if (::bind(listen_, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 || ::listen(listen_, 0) != 0
            || ::getsockname(listen_, reinterpret_cast<sockaddr*>(&a), &len) != 0)
            return;
        port_ = ntohs(a.sin_port);
        if (stalled) {
            // The queue takes one connection nobody accepts; later ones hang.
            const int filler = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
            ::connect(filler, reinterpret_cast<sockaddr*>(&a), sizeof a);
            fds_.push_back(filler);
        }
    }
    ~LoopbackServer()
    {
        for (int fd : fds_)
            ::close(fd);
        ::close(listen_);
    }
    LoopbackServer(const LoopbackServer&) = delete;
    LoopbackServer& operator=(const LoopbackServer&) = delete;

    int port() const { return port_; }
    std::string address(const char* scheme = "tcp") const
    {
        return std::string(scheme) + "://127.0.0.1:" + std::to_string(port_);
    }

    // The next connection, or -1 when none came within the time.
    int accept(int timeoutMs = 5000)
    {
        pollfd p{listen_, POLLIN, 0};
        if (::poll(&p, 1, timeoutMs) <= 0)
            return -1;
        const int fd = ::accept4(listen_, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd >= 0)
            fds_.push_back(fd);
        return fd;
    }

    // Reads until `n` bytes came, the peer closed, or nothing came for the time.
    static std::string read(int fd, std::size_t n, int timeoutMs = 5000)
    {
        std::string out;
        while (out.size() < n) {
            pollfd p{fd, POLLIN, 0};
            if (::poll(&p, 1, timeoutMs) <= 0)
                break;
            char buf[256];
            const ssize_t got = ::read(fd, buf, std::min(sizeof buf, n - out.size()));
            if (got <= 0)
                break;
            out.append(buf, static_cast<std::size_t>(got));
        }
        return out;
    }

    static bool write(int fd, const std::string& bytes)
    {
        return ::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(bytes.size());
    }

private:
    int listen_ = -1;
    int port_ = 0;
    std::vector<int> fds_;
};

} // namespace qx::test
