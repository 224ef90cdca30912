#include "radioinfo/RadioInfoSender.h"

#include "radioinfo/RadioInfoPacer.h"
#include "xmlrpc/FlrigModes.h"

#include <cerrno>
#include <cstring>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <pthread.h>
#include <sys/socket.h>
#include <unistd.h>

namespace qx::radioinfo {
namespace {

// Loggers know the sideband modes by their plain names; CW-R is CW to them,
// and the radio's DATA flavours are sent as the sideband they use.
std::string loggerMode(std::string_view ours)
{
    if (ours == "CW-R")
        return "CW";
    if (ours == "DATA-L")
        return "LSB";
    if (ours == "DATA-U")
        return "USB";
    if (ours == "DATA-FM")
        return "FM";
    return std::string(ours);
}

} // namespace

RadioInfo readRadioInfo(const rig::RigStateView& radio)
{
    RadioInfo info;
    info.connected = radio.linkStatus() == rig::kOk;
    const int rx = radio.activeVfo();
    info.rxHz = radio.frequency(rx);
    info.txHz = radio.frequency(radio.txVfo());
    const auto code = radio.radioMode(rx);
    const auto m = code ? xmlrpc::flrigMode(*code, radio.dataType()) : std::nullopt;
    info.mode = m ? loggerMode(m->name) : std::string();
    info.split = radio.split();
    info.transmitting = radio.transmitting();
    return info;
}

RadioInfoSender::~RadioInfoSender() { stop(); }

bool RadioInfoSender::start(const rig::ListenAddress& to)
{
    if (running())
        return true;
    sockaddr_storage sa{};
    socklen_t len = 0;
    const bool v6 = to.host.find(':') != std::string::npos;
    if (v6) {
        auto* a = reinterpret_cast<sockaddr_in6*>(&sa);
        a->sin6_family = AF_INET6;
        a->sin6_port = htons(static_cast<std::uint16_t>(to.port));
        ::inet_pton(AF_INET6, to.host.c_str(), &a->sin6_addr);
        len = sizeof *a;
    } else {
        auto* a = reinterpret_cast<sockaddr_in*>(&sa);
        a->sin_family = AF_INET;
        a->sin_port = htons(static_cast<std::uint16_t>(to.port));
        ::inet_pton(AF_INET, to.host.c_str(), &a->sin_addr);
        len = sizeof *a;
    }
    fd_ = ::socket(v6 ? AF_INET6 : AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    const int one = 1;
    // A broadcast address is allowed as the destination when given.
    if (fd_ >= 0)
        ::setsockopt(fd_, SOL_SOCKET, SO_BROADCAST, &one, sizeof one);
    // Not connected: a connected socket would fail the next send after a
    // datagram nobody listened for, and lose that one too.
    if (fd_ < 0) {
        error_ = "cannot send to " + rig::formatListenAddress(to) + ": " + std::strerror(errno);
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = -1;
        return false;
    }
    to_ = sa;
    toLength_ = len;
    error_.clear();
    stopping_ = false;
    thread_ = std::thread([this] { run(); });
    return true;
}

void RadioInfoSender::stop()
{
    if (!running())
        return;
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    thread_.join();
    ::close(fd_);
    fd_ = -1;
}

void RadioInfoSender::run()
{
    ::pthread_setname_np(::pthread_self(), "Radio_Info");
    RadioInfoPacer pacer;
    std::unique_lock lock(mutex_);
    while (!stopping_) {
        lock.unlock();
        if (const auto info = pacer.take(readRadioInfo(radio_), RadioInfoPacer::Clock::now())) {
            const std::string xml = radioInfoXml(*info);
            if (::sendto(fd_, xml.data(), xml.size(), MSG_NOSIGNAL | MSG_DONTWAIT, reinterpret_cast<const sockaddr*>(&to_),
                         toLength_) == static_cast<ssize_t>(xml.size()))
                ++sent_;
        }
        lock.lock();
        wake_.wait_for(lock, RadioInfoPacer::kMinInterval, [this] { return stopping_; });
    }
}

} // namespace qx::radioinfo
