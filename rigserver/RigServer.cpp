#include "rigserver/RigServer.h"

#include "core/MessageIds.h"
#include "rigserver/LinkKeeper.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <vector>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <pthread.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

namespace qx::rig {
namespace {

constexpr int kWatchMs = 250;
// How often a client waiting for a memory channel's answer is looked at.
constexpr int kChannelReadMs = 5;
// Room for every client to connect at once, and the one told it is too many.
constexpr int kListenBacklog = 2 * RigServer::kMaxClients;
constexpr std::size_t kReadChunk = 4096;

std::string systemError(int e) { return std::strerror(e); }

} // namespace

struct RigServer::Client {
    Client(int f, int id, RigStateView& radio, RigWriter& writer, RigShared& shared)
        : fd(f), session(id, radio, writer, shared)
    {
    }
    int fd;
    RigSession session;
    std::string in;
    std::string out;
    bool closeWhenSent = false;
    bool gone = false;
};

struct RigServer::State {
    std::vector<std::unique_ptr<Client>> clients;
    int nextClient = 1;
    LinkKeeper keeper;
    std::chrono::steady_clock::time_point lastWatch{};
};

RigServer::RigServer(RigStateView& radio, RigWriter& writer)
    : radio_(radio), writer_(writer), state_(std::make_unique<State>())
{
}

RigServer::~RigServer() { stop(); }

bool RigServer::start(const ListenAddress& address)
{
    if (running())
        return true;
    const std::string where = formatListenAddress(address);
    sockaddr_storage sa{};
    socklen_t len = 0;
    const bool v6 = address.host.find(':') != std::string::npos;
    if (v6) {
        auto* a = reinterpret_cast<sockaddr_in6*>(&sa);
        a->sin6_family = AF_INET6;
        a->sin6_port = htons(static_cast<std::uint16_t>(address.port));
        ::inet_pton(AF_INET6, address.host.c_str(), &a->sin6_addr);
        len = sizeof *a;
    } else {
        auto* a = reinterpret_cast<sockaddr_in*>(&sa);
        a->sin_family = AF_INET;
        a->sin_port = htons(static_cast<std::uint16_t>(address.port));
        ::inet_pton(AF_INET, address.host.c_str(), &a->sin_addr);
        len = sizeof *a;
    }
    listenFd_ = ::socket(v6 ? AF_INET6 : AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (listenFd_ < 0) {
        error_ = "cannot listen on " + where + ": " + systemError(errno);
        return false;
    }
    const int one = 1;
    ::setsockopt(listenFd_, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    if (v6)
        ::setsockopt(listenFd_, IPPROTO_IPV6, IPV6_V6ONLY, &one, sizeof one);
    if (::bind(listenFd_, reinterpret_cast<sockaddr*>(&sa), len) != 0 || ::listen(listenFd_, kListenBacklog) != 0) {
        error_ = "cannot listen on " + where + ": " + systemError(errno);
        ::close(listenFd_);
        listenFd_ = -1;
        return false;
    }
    sockaddr_storage bound{};
    socklen_t boundLen = sizeof bound;
    ::getsockname(listenFd_, reinterpret_cast<sockaddr*>(&bound), &boundLen);
    port_ = ntohs(v6 ? reinterpret_cast<sockaddr_in6*>(&bound)->sin6_port
                     : reinterpret_cast<sockaddr_in*>(&bound)->sin_port);
    wakeFd_ = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    stopping_ = false;
    error_.clear();
    thread_ = std::thread([this] { run(); });
    return true;
}

void RigServer::stop()
{
    if (!running())
        return;
    stopping_ = true;
    const std::uint64_t one = 1;
    [[maybe_unused]] const auto n = ::write(wakeFd_, &one, sizeof one);
    thread_.join();
    for (auto& c : state_->clients)
        drop(*c);
    state_->clients.clear();
    clientCount_ = 0;
    ::close(listenFd_);
    ::close(wakeFd_);
    listenFd_ = wakeFd_ = -1;
}

void RigServer::run()
{
    ::pthread_setname_np(::pthread_self(), "Rig_Server");
    std::vector<pollfd> fds;
    while (!stopping_) {
        fds.clear();
        fds.push_back({wakeFd_, POLLIN, 0});
        fds.push_back({listenFd_, POLLIN, 0});
        for (const auto& c : state_->clients) {
            short events = 0;
            // A client waiting for a channel's answer is not read meanwhile:
            // what it sends waits in the socket, not in our memory.
            if (c->out.size() < kMaxPendingOutput && !c->closeWhenSent && !c->session.waiting())
                events |= POLLIN;
            if (!c->out.empty())
                events |= POLLOUT;
            fds.push_back({c->fd, events, 0});
        }
        // Lines held back while a client's answers piled up go on as soon as
        // those are sent.
        const bool held = std::any_of(state_->clients.begin(), state_->clients.end(), [](const auto& c) {
            return c->out.empty() && !c->closeWhenSent && !c->session.waiting() &&
                   c->in.find('\n') != std::string::npos;
        });
        const bool reading = std::any_of(state_->clients.begin(), state_->clients.end(),
                                         [](const auto& c) { return c->session.waiting(); });
        if (::poll(fds.data(), fds.size(), held ? 0 : reading ? kChannelReadMs : kWatchMs) < 0 && errno != EINTR)
            break;
        if (fds[1].revents & POLLIN)
            accept();
        for (std::size_t i = 2; i < fds.size(); ++i) {
            Client& c = *state_->clients[i - 2];
            if (fds[i].revents & (POLLIN | POLLHUP | POLLERR))
                readFrom(c);
            if (!c.gone)
                answerLines(c);
            if (!c.gone && !c.out.empty() && !flush(c))
                c.gone = true;
            if (!c.gone && c.closeWhenSent && c.out.empty())
                c.gone = true;
        }
        auto& clients = state_->clients;
        for (auto& c : clients)
            if (c->gone)
                drop(*c);
        clients.erase(std::remove_if(clients.begin(), clients.end(), [](const auto& c) { return c->gone; }),
                      clients.end());
        clientCount_ = clients.size();
        watchLink();
    }
}

void RigServer::accept()
{
    for (;;) {
        const int fd = ::accept4(listenFd_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd < 0)
            return;
        if (state_->clients.size() >= kMaxClients) {
            refuse(fd);
            continue;
        }
        // Answers are short and a client waits for each: no coalescing delay.
        const int one = 1;
        ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
        // A client whose computer vanished (a half-open connection) is
        // noticed within about 40 s, and a transmitter it keyed is released.
        const int idle = 10, interval = 10, probes = 3;
        ::setsockopt(fd, SOL_SOCKET, SO_KEEPALIVE, &one, sizeof one);
        ::setsockopt(fd, IPPROTO_TCP, TCP_KEEPIDLE, &idle, sizeof idle);
        ::setsockopt(fd, IPPROTO_TCP, TCP_KEEPINTVL, &interval, sizeof interval);
        ::setsockopt(fd, IPPROTO_TCP, TCP_KEEPCNT, &probes, sizeof probes);
        state_->clients.push_back(
            std::make_unique<Client>(fd, state_->nextClient++, radio_, writer_, shared_));
        clientCount_ = state_->clients.size();
    }
}

// One client too many is told so, in a line Hamlib's clients read as an
// error ("RPRT -14", busy), and closed. A fresh socket's buffer always takes
// the line; what the client already sent is read first so that the close
// does not reset the connection under the line.
void RigServer::refuse(int fd)
{
    const std::string text = "RPRT " + std::to_string(kBusy) + " too many clients: the rig server serves " + std::to_string(kMaxClients) +
                             " at once; try again later\n";
    [[maybe_unused]] const ssize_t sent = ::send(fd, text.data(), text.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
    ::shutdown(fd, SHUT_WR);
    std::array<char, kReadChunk> buf;
    while (::recv(fd, buf.data(), buf.size(), MSG_DONTWAIT) > 0) {
    }
    ::close(fd);
}

void RigServer::readFrom(Client& c)
{
    std::array<char, kReadChunk> buf;
    const ssize_t n = ::recv(c.fd, buf.data(), buf.size(), 0);
    if (n == 0 || (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR)) {
        c.gone = true;
        return;
    }
    if (n > 0)
        c.in.append(buf.data(), static_cast<std::size_t>(n));
}

void RigServer::answerLines(Client& c)
{
    if (c.session.waiting()) {
        c.out += c.session.resume();
        c.closeWhenSent = c.session.closing();
    }
    std::size_t from = 0;
    while (!c.closeWhenSent && !c.session.waiting() && c.out.size() < kMaxPendingOutput) {
        const std::size_t nl = c.in.find('\n', from);
        if (nl == std::string::npos)
            break;
        c.out += c.session.answer(std::string_view(c.in).substr(from, nl - from));
        from = nl + 1;
        c.closeWhenSent = c.session.closing();
    }
    c.in.erase(0, from);
    // A line that never ends is refused once, and the client cut off.
    if (c.in.size() > kMaxLineLength && c.in.find('\n') == std::string::npos) {
        c.out += "RPRT " + std::to_string(kInvalid) + "\n";
        c.in.clear();
        c.closeWhenSent = true;
    }
}

bool RigServer::flush(Client& c)
{
    while (!c.out.empty()) {
        const ssize_t n = ::send(c.fd, c.out.data(), c.out.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n < 0)
            return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR;
        c.out.erase(0, static_cast<std::size_t>(n));
    }
    return true;
}

void RigServer::drop(Client& c)
{
    if (shared_.ptt.clientGone(c.session.client()))
        release();
    if (c.fd >= 0)
        ::close(c.fd);
    c.fd = -1;
}

// The keying client's "T 1" no longer stands: "t" answers what the radio
// reports from here on, its release included.
void RigServer::release()
{
    writer_.request(UM_REQ_TX_ONOFF, 0, 0);
    radio_.forget(RadioState::Int::TX);
}

void RigServer::watchLink()
{
    const auto now = std::chrono::steady_clock::now();
    if (now - state_->lastWatch < std::chrono::milliseconds(kWatchMs))
        return;
    state_->lastWatch = now;
    if (shared_.ptt.watch(radio_.linked(), radio_.transmitting()))
        release();
    if (keepLinked_ && state_->keeper.due(radio_.linked(), now))
        writer_.request(UM_REQ_AI_TOGGLE, 0, 0);
}

} // namespace qx::rig
