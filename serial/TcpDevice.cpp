#include "serial/TcpDevice.h"

#include "serial/HostLookup.h"
#include "serial/SerialPort.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace qx {

namespace {

using SteadyClock = std::chrono::steady_clock;
constexpr int kSliceMs = 50;      // how often a wait looks at the cancel flag
constexpr int kReplyTimeoutMs = 500;

bool isHangUp(int err)
{
    return err == ECONNRESET || err == EPIPE || err == ENOTCONN || err == ETIMEDOUT || err == EHOSTUNREACH
        || err == ENETUNREACH || err == ENETDOWN || err == ECONNABORTED;
}

// Rounded up: 0 only once the deadline has passed.
int msLeft(SteadyClock::time_point deadline)
{
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - SteadyClock::now()).count();
    return left <= 0 ? 0 : static_cast<int>(std::min<long long>(left, 1'000'000));
}

// Waits for `events` on fd until the deadline, looking at `cancel` every
// slice: the revents, 0 on time-out, -1 when cancelled or poll failed.
int waitFor(int fd, short events, SteadyClock::time_point deadline, const std::atomic<bool>* cancel)
{
    for (;;) {
        if (cancel && cancel->load())
            return -1;
        const int left = msLeft(deadline);
        if (left == 0)
            return 0;
        pollfd p{fd, events, 0};
        const int r = ::poll(&p, 1, cancel ? std::min(left, kSliceMs) : left);
        if (r > 0)
            return p.revents;
        if (r < 0 && errno != EINTR)
            return -1;
    }
}

std::string timeText(std::chrono::milliseconds d)
{
    return d.count() % 1000 == 0 ? std::to_string(d.count() / 1000) + " s" : std::to_string(d.count()) + " ms";
}

void tune(int fd)
{
    // CAT commands are a few bytes each: send them now, not when Nagle's
    // algorithm would; and notice a far side that vanished without a word.
    int on = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    ::setsockopt(fd, SOL_SOCKET, SO_KEEPALIVE, &on, sizeof on);
    int idle = 15, interval = 5, count = 3;
    ::setsockopt(fd, IPPROTO_TCP, TCP_KEEPIDLE, &idle, sizeof idle);
    ::setsockopt(fd, IPPROTO_TCP, TCP_KEEPINTVL, &interval, sizeof interval);
    ::setsockopt(fd, IPPROTO_TCP, TCP_KEEPCNT, &count, sizeof count);
}

// One connection attempt: the socket, or -1 with the reason in `why`.
int connectTo(const SocketAddress& a, SteadyClock::time_point deadline, std::chrono::milliseconds timeout,
              const std::atomic<bool>* cancel, std::string& why)
{
    const int fd = ::socket(a.family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, IPPROTO_TCP);
    if (fd < 0) {
        why = std::strerror(errno);
        return -1;
    }
    auto fail = [fd, &why](std::string reason) {
        ::close(fd);
        why = std::move(reason);
        return -1;
    };
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&a.storage), a.length) != 0 && errno != EINPROGRESS)
        return fail(std::strerror(errno));
    const int r = waitFor(fd, POLLOUT, deadline, cancel);
    if (r < 0)
        return fail("cancelled");
    if (r == 0)
        return fail("no answer within " + timeText(timeout));
    int err = 0;
    socklen_t len = sizeof err;
    if (::getsockopt(fd, SOL_SOCKET, SO_ERROR, &err, &len) != 0)
        err = errno;
    if (err != 0)
        return fail(std::strerror(err));
    tune(fd);
    return fd;
}

} // namespace

std::unique_ptr<TcpDevice> TcpDevice::open(const NetworkAddress& address, int baud, std::string& why,
                                           const std::atomic<bool>* cancel, std::chrono::milliseconds timeout)
{
    const auto deadline = SteadyClock::now() + timeout;
    const auto addresses = lookUpHost(address.host, address.port, timeout, cancel, why);
    if (addresses.empty())
        return nullptr;
    int fd = -1;
    // A name may stand for several addresses (IPv6 and IPv4): the first that answers wins.
    for (const SocketAddress& a : addresses) {
        fd = connectTo(a, deadline, timeout, cancel, why);
        if (fd >= 0 || why == "cancelled" || msLeft(deadline) == 0)
            break;
    }
    if (fd < 0)
        return nullptr;
    const bool telnet = address.kind == NetworkAddress::Kind::Rfc2217;
    std::unique_ptr<TcpDevice> device(new TcpDevice(fd, telnet));
    if (telnet && !device->negotiate(baud, deadline, cancel, why))
        return nullptr;
    return device;
}

TcpDevice::TcpDevice(int fd, bool telnet) : fd_(fd), telnet_(telnet) {}

TcpDevice::~TcpDevice() { ::close(fd_); }

// Offer the COM-port option and wait until the far side takes or declines
// it; then set its line. Data that arrives meanwhile is kept for read().
bool TcpDevice::negotiate(int baud, SteadyClock::time_point deadline, const std::atomic<bool>* cancel,
                          std::string& why)
{
    std::size_t sent = 0;
    if (!sendAll(TelnetCodec::offer(), kReplyTimeoutMs, sent)) {
        why = "the connection closed as it opened";
        return false;
    }
    while (codec_.comPort() == TelnetCodec::ComPort::Offered) {
        const int r = waitFor(fd_, POLLIN, deadline, cancel);
        if (r < 0) {
            why = "cancelled";
            return false;
        }
        if (r == 0) {
            why = "no telnet answer to the COM-port option (a raw TCP port? name it tcp://)";
            return false;
        }
        if (fill(4096) < 0) {
            why = "the connection closed during the telnet negotiation";
            return false;
        }
    }
    // A far side that declines the option still carries the data; its speed
    // is then whatever it was set to there.
    if (lineSettable() && !sendAll(TelnetCodec::lineSettings(baud), kReplyTimeoutMs, sent)) {
        why = "the connection closed while the line was being set";
        return false;
    }
    return true;
}

void TcpDevice::noteFailure(int err)
{
    if (isHangUp(err))
        hungUp_ = true;
}

bool TcpDevice::sendAll(const std::string& bytes, int timeoutMs, std::size_t& sent)
{
    sent = 0;
    const auto deadline = SteadyClock::now() + std::chrono::milliseconds(timeoutMs);
    while (sent < bytes.size()) {
        const ssize_t n = ::send(fd_, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n > 0) {
            sent += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) {
            noteFailure(errno);
            return false;
        }
        const int r = waitFor(fd_, POLLOUT, deadline, nullptr);
        if (r <= 0)
            return false;
        if (r & (POLLERR | POLLHUP)) {
            hungUp_ = true;
            return false;
        }
    }
    return true;
}

long TcpDevice::fill(std::size_t most)
{
    std::array<std::uint8_t, 4096> raw;
    const ssize_t n = ::recv(fd_, raw.data(), std::min(most, raw.size()), MSG_DONTWAIT);
    if (n == 0) {
        hungUp_ = true; // the far side closed the connection
        return -1;
    }
    if (n < 0) {
        if (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)
            return 0;
        noteFailure(errno);
        if (!isHangUp(errno))
            return 0;
        return -1;
    }
    const auto got = std::span<const std::uint8_t>(raw.data(), static_cast<std::size_t>(n));
    if (!telnet_) {
        pending_.append(got.begin(), got.end());
        return n;
    }
    std::string reply;
    const std::size_t before = pending_.size();
    codec_.decode(got, pending_, reply);
    std::size_t sent = 0;
    if (!reply.empty())
        sendAll(reply, kReplyTimeoutMs, sent);
    return static_cast<long>(pending_.size() - before);
}

std::size_t TcpDevice::bytesWaiting()
{
    int n = 0;
    if (::ioctl(fd_, FIONREAD, &n) != 0)
        n = 0;
    return pending_.size() + static_cast<std::size_t>(std::max(n, 0));
}

long TcpDevice::read(std::span<std::uint8_t> into)
{
    if (into.empty())
        return 0;
    if (pending_.size() < into.size() && fill(into.size() - pending_.size()) < 0 && pending_.empty())
        return -1;
    const std::size_t n = std::min(into.size(), pending_.size());
    std::copy_n(pending_.begin(), n, into.begin());
    pending_.erase(0, n);
    return static_cast<long>(n);
}

long TcpDevice::write(std::span<const std::uint8_t> bytes)
{
    if (hungUp_)
        return -1;
    std::string wire;
    if (telnet_)
        TelnetCodec::escape(bytes, wire);
    else
        wire.assign(bytes.begin(), bytes.end());
    std::size_t sent = 0;
    if (sendAll(wire, writeTimeoutMs(bytes.size()), sent))
        return static_cast<long>(bytes.size());
    if (hungUp_ && sent == 0)
        return -1;
    if (telnet_ && sent > 0) {
        // Cut inside the stream: a half-sent escape would garble what
        // follows, so the connection is given up and opened afresh.
        hungUp_ = true;
    }
    return static_cast<long>(std::min(sent, bytes.size()));
}

LineStatus TcpDevice::clearErrors()
{
    LineStatus s;
    s.errors = codec_.takeLineErrors();
    s.inQueue = bytesWaiting();
    int out = 0;
    if (::ioctl(fd_, TIOCOUTQ, &out) == 0 && out > 0)
        s.outQueue = static_cast<std::size_t>(out);
    pollfd p{fd_, POLLIN | POLLRDHUP, 0};
    if (::poll(&p, 1, 0) > 0) {
        // After the far side's last bytes have been read, its close is the hang-up.
        if ((p.revents & (POLLHUP | POLLERR | POLLNVAL)) || ((p.revents & POLLRDHUP) && s.inQueue == 0))
            hungUp_ = true;
    }
    s.lineDown = hungUp_;
    return s;
}

} // namespace qx
