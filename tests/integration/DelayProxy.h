// A TCP proxy on a loopback port that holds every chunk of bytes back a
// fixed time in each direction before passing it on, like a long network
// path. One connection at a time; a new one is accepted after the last
// closed. Runs on its own thread until destroyed.
#pragma once
#include <algorithm>
#include <arpa/inet.h>
#include <chrono>
#include <deque>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <string>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace qx::test {

class DelayProxy {
public:
    using Clock = std::chrono::steady_clock;

    DelayProxy(int targetPort, std::chrono::milliseconds delay) : target_(targetPort), delay_(delay)
    {
        listen_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in a = loopback(0);
        socklen_t len = sizeof a;
        if (listen_ < 0 || ::bind(listen_, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0
            || ::listen(listen_, 4) != 0 || ::getsockname(listen_, reinterpret_cast<sockaddr*>(&a), &len) != 0)
            return;
        port_ = ntohs(a.sin_port);
        if (::pipe2(wake_, O_CLOEXEC) != 0)
            return;
        thread_ = std::thread([this] { run(); });
    }

    ~DelayProxy()
    {
        if (thread_.joinable()) {
            const char c = 'q';
            (void)!::write(wake_[1], &c, 1);
            thread_.join();
        }
        for (int fd : {listen_, wake_[0], wake_[1]})
            if (fd >= 0)
                ::close(fd);
    }
    DelayProxy(const DelayProxy&) = delete;
    DelayProxy& operator=(const DelayProxy&) = delete;

    // 0 when the proxy could not be set up.
    int port() const { return thread_.joinable() ? port_ : 0; }

private:
    struct Chunk {
        Clock::time_point due;
        std::string bytes;
    };
    struct Leg {
        int from = -1, to = -1;
        std::deque<Chunk> held;
    };

    static sockaddr_in loopback(int port)
    {
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        a.sin_port = htons(static_cast<std::uint16_t>(port));
        return a;
    }

    int connectTarget() const
    {
        const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in a = loopback(target_);
        if (fd >= 0 && ::connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0) {
            int on = 1;
            ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
            return fd;
        }
        if (fd >= 0)
            ::close(fd);
        return -1;
    }

    void run()
    {
        Leg up, down; // client to target, target to client
        for (;;) {
            const bool linked = up.from >= 0;
            pollfd p[4] = {{wake_[0], POLLIN, 0}, {listen_, static_cast<short>(linked ? 0 : POLLIN), 0},
                           {up.from, POLLIN, 0}, {down.from, POLLIN, 0}};
            int timeout = -1;
            for (const Leg* leg : {&up, &down})
                if (!leg->held.empty()) {
                    const auto left = std::chrono::ceil<std::chrono::milliseconds>(leg->held.front().due - Clock::now());
                    const int ms = left.count() < 0 ? 0 : static_cast<int>(left.count());
                    timeout = timeout < 0 ? ms : std::min(timeout, ms);
                }
            ::poll(p, linked ? 4 : 2, timeout);
            if (p[0].revents)
                break;
            if (!linked && (p[1].revents & POLLIN)) {
                const int client = ::accept4(listen_, nullptr, nullptr, SOCK_CLOEXEC);
                const int server = client >= 0 ? connectTarget() : -1;
                if (server < 0) {
                    if (client >= 0)
                        ::close(client);
                    continue;
                }
                up = {client, server, {}};
                down = {server, client, {}};
                continue;
            }
            bool closed = false;
            for (auto [leg, i] : {std::pair{&up, 2}, std::pair{&down, 3}}) {
                if (linked && (p[i].revents & (POLLIN | POLLHUP | POLLERR))) {
                    char buf[4096];
                    const ssize_t n = ::read(leg->from, buf, sizeof buf);
                    if (n <= 0)
                        closed = true;
                    else
                        leg->held.push_back({Clock::now() + delay_, std::string(buf, static_cast<std::size_t>(n))});
                }
                while (!leg->held.empty() && leg->held.front().due <= Clock::now()) {
                    const std::string& b = leg->held.front().bytes;
                    if (::send(leg->to, b.data(), b.size(), MSG_NOSIGNAL) < 0)
                        closed = true;
                    leg->held.pop_front();
                }
            }
            if (closed) {
                ::close(up.from);
                ::close(down.from);
                up = {};
                down = {};
            }
        }
        if (up.from >= 0) {
            ::close(up.from);
            ::close(down.from);
        }
    }

    int target_;
    std::chrono::milliseconds delay_;
    int listen_ = -1;
    int port_ = 0;
    int wake_[2] = {-1, -1};
    std::thread thread_;
};

} // namespace qx::test
