#include "xmlrpc/XmlRpcServer.h"

#include "core/MessageIds.h"
#include "xmlrpc/FlrigSession.h"
#include "xmlrpc/HttpRequestReader.h"
#include "xmlrpc/TransmitKey.h"
#include "xmlrpc/XmlRpcCall.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <optional>
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

namespace qx::xmlrpc {
namespace {

constexpr int kWatchMs = 250;
constexpr int kCatPollMs = 10;
constexpr int kListenBacklog = 16;
constexpr std::size_t kReadChunk = 16 * 1024;

} // namespace

struct XmlRpcServer::Client {
    Client(int f, int id, rig::RigStateView& radio, rig::RigWriter& writer, rig::PttGuard& ptt,
           CatAnswerWatch* cat)
        : fd(f), session(id, radio, writer, ptt, cat)
    {
    }
    int fd;
    FlrigSession session;
    HttpRequestReader reader;
    std::string out;
    bool closeWhenSent = false;
    bool gone = false;
    // A raw command's answer awaited from the radio, and how the answer goes.
    std::optional<FlrigSession::CatWait> catWait;
    std::chrono::steady_clock::time_point catUntil{};
    bool catKeepAlive = true;
};

struct XmlRpcServer::State {
    std::vector<std::unique_ptr<Client>> clients;
    int nextClient = 1;
    std::chrono::steady_clock::time_point lastWatch{};
};

XmlRpcServer::XmlRpcServer(rig::RigStateView& radio, rig::RigWriter& writer, CatAnswerWatch* cat)
    : radio_(radio), writer_(writer), cat_(cat), state_(std::make_unique<State>())
{
}

XmlRpcServer::~XmlRpcServer() { stop(); }

bool XmlRpcServer::start(const rig::ListenAddress& address)
{
    if (running())
        return true;
    const std::string where = rig::formatListenAddress(address);
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
        error_ = "cannot listen on " + where + ": " + std::strerror(errno);
        return false;
    }
    const int one = 1;
    ::setsockopt(listenFd_, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    if (v6)
        ::setsockopt(listenFd_, IPPROTO_IPV6, IPV6_V6ONLY, &one, sizeof one);
    if (::bind(listenFd_, reinterpret_cast<sockaddr*>(&sa), len) != 0 || ::listen(listenFd_, kListenBacklog) != 0) {
        error_ = "cannot listen on " + where + ": " + std::strerror(errno);
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

void XmlRpcServer::stop()
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

void XmlRpcServer::run()
{
    ::pthread_setname_np(::pthread_self(), "XmlRpc_Server");
    std::vector<pollfd> fds;
    while (!stopping_) {
        fds.clear();
        fds.push_back({wakeFd_, POLLIN, 0});
        fds.push_back({listenFd_, POLLIN, 0});
        for (const auto& c : state_->clients) {
            short events = 0;
            if (c->out.size() < kMaxPendingOutput && !c->closeWhenSent)
                events |= POLLIN;
            if (!c->out.empty())
                events |= POLLOUT;
            fds.push_back({c->fd, events, 0});
        }
        // The radio's answer to a raw command is looked for often while awaited.
        const bool awaiting = std::any_of(state_->clients.begin(), state_->clients.end(),
                                          [](const auto& c) { return c->catWait.has_value(); });
        if (::poll(fds.data(), fds.size(), awaiting ? kCatPollMs : kWatchMs) < 0 && errno != EINTR)
            break;
        if (fds[1].revents & POLLIN)
            accept();
        for (std::size_t i = 2; i < fds.size(); ++i) {
            Client& c = *state_->clients[i - 2];
            if (fds[i].revents & (POLLIN | POLLHUP | POLLERR))
                readFrom(c);
            if (!c.gone && c.catWait)
                answerCat(c, std::chrono::steady_clock::now() >= c.catUntil);
            // Calls held back while a client's answers piled up go on as
            // soon as those are sent.
            if (!c.gone)
                answerCalls(c);
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

void XmlRpcServer::accept()
{
    for (;;) {
        const int fd = ::accept4(listenFd_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd < 0)
            return;
        if (state_->clients.size() >= kMaxClients) {
            ::close(fd);
            continue;
        }
        // Each call waits for its answer: no coalescing delay.
        const int one = 1;
        ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
        state_->clients.push_back(std::make_unique<Client>(fd, state_->nextClient++, radio_, writer_, ptt_, cat_));
        clientCount_ = state_->clients.size();
    }
}

void XmlRpcServer::readFrom(Client& c)
{
    std::array<char, kReadChunk> buf;
    const ssize_t n = ::recv(c.fd, buf.data(), buf.size(), 0);
    if (n == 0 || (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR)) {
        c.gone = true;
        return;
    }
    if (n > 0)
        c.reader.feed(std::string_view(buf.data(), static_cast<std::size_t>(n)));
}

void XmlRpcServer::answerCalls(Client& c)
{
    while (!c.catWait && !c.closeWhenSent && c.out.size() < kMaxPendingOutput) {
        auto request = c.reader.next();
        if (!request)
            break;
        if (request->method != "POST") {
            c.out += httpError(405, "XML-RPC calls are posted");
            c.closeWhenSent = true;
            break;
        }
        std::string why;
        const auto call = parseCall(request->body, &why);
        const std::string xml = call ? c.session.answer(*call) : faultXml(kFaultParse, why);
        if (auto wait = c.session.takeCatWait()) {
            c.catWait = std::move(wait);
            c.catUntil = std::chrono::steady_clock::now() + std::chrono::milliseconds(kCatAnswerMs);
            c.catKeepAlive = request->keepAlive;
            break;
        }
        c.out += httpResponse(xml, request->keepAlive);
        c.closeWhenSent = !request->keepAlive;
    }
    if (const auto& e = c.reader.error(); e && !c.closeWhenSent) {
        c.out += httpError(e->status, e->reason);
        c.closeWhenSent = true;
    }
}

bool XmlRpcServer::flush(Client& c)
{
    while (!c.out.empty()) {
        const ssize_t n = ::send(c.fd, c.out.data(), c.out.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n < 0)
            return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR;
        c.out.erase(0, static_cast<std::size_t>(n));
    }
    return true;
}

// The radio's answer once it came, or, once the wait is over, none: a
// command the radio does not answer (a set) is answered with an empty text.
bool XmlRpcServer::answerCat(Client& c, bool late)
{
    auto answer = cat_ ? cat_->answerSince(c.catWait->mark, c.catWait->code) : std::nullopt;
    if (!answer && !late)
        return false;
    c.out += httpResponse(responseXml(Value(answer.value_or(std::string()))), c.catKeepAlive);
    c.closeWhenSent = !c.catKeepAlive;
    c.catWait.reset();
    return true;
}

void XmlRpcServer::drop(Client& c)
{
    if (ptt_.clientGone(c.session.client()))
        requestTransmit(writer_, false);
    if (c.fd >= 0)
        ::close(c.fd);
    c.fd = -1;
}

void XmlRpcServer::watchLink()
{
    const auto now = std::chrono::steady_clock::now();
    if (now - state_->lastWatch < std::chrono::milliseconds(kWatchMs))
        return;
    state_->lastWatch = now;
    if (ptt_.watch(radio_.linked(), radio_.transmitting()))
        requestTransmit(writer_, false);
}

} // namespace qx::xmlrpc
