#include "serial/ComLink.h"

#include "core/MessageIds.h"
#include "serial/PortList.h"

#include <array>
#include <thread>

namespace qx {

ComLink::ComLink(DeviceOpener opener, PathResolver resolver, Outbox& outbox, AiValue aiValue)
    : opener_(std::move(opener)), resolver_(std::move(resolver)), outbox_(outbox), aiValue_(std::move(aiValue))
{
}

bool ComLink::setPortNumber(int n)
{
    const bool ok = n >= 1 && n <= 20;
    port_ = ok ? n : kDefaultPort;
    return ok;
}

bool ComLink::setBaudRate(int baud)
{
    const bool ok = baud == 4800 || baud == 9600 || baud == 19200 || baud == 38400;
    baud_ = ok ? baud : kDefaultBaud;
    return ok;
}

std::unique_ptr<SerialDevice> ComLink::openDevice(int portNumber, std::string& why, std::string* openedPath)
{
    const auto path = resolver_ ? resolver_(portNumber) : std::nullopt;
    if (!path || !opener_) {
        why = "COM" + std::to_string(portNumber) + ": no serial device stands behind this port number.";
        if (absentNote_)
            why += "\n" + absentNote_();
        return nullptr;
    }
    std::string reason;
    auto device = opener_(*path, baud_, reason);
    if (!device) {
        // Openers that name the device themselves are taken at their word.
        if (reason.rfind(*path, 0) == 0)
            why = reason;
        else
            why = *path + ": " + (reason.empty() ? "cannot be opened" : reason);
    } else if (openedPath) {
        *openedPath = *path;
    }
    return device;
}

void ComLink::reportOpenFailure(const std::string& why)
{
    {
        std::lock_guard lock(mutex_);
        lastOpenFailure_ = why;
    }
    outbox_.postToWindow(Message{UM_SHOW_ERROR, 0, 0});
}

std::string ComLink::lastOpenFailure() const
{
    std::lock_guard lock(mutex_);
    return lastOpenFailure_;
}

bool ComLink::open()
{
    std::unique_lock lock(mutex_);
    if (device_)
        return false;
    if (opening_) {
        // Another thread is connecting: its result is this call's too.
        openDone_.wait(lock, [this] { return !opening_; });
        return false;
    }
    // A network device may take seconds to connect: the link stays usable
    // (closed) for everyone else meanwhile.
    opening_ = true;
    const unsigned closes = closes_;
    const int port = port_;
    lock.unlock();

    std::string why;
    std::string path;
    auto device = openDevice(port, why, &path);
    if (device && device->clearErrors().lineDown) {
        device.reset();
        why = path + ": the line went down as the port opened";
    }
    if (device) {
        static constexpr std::array<std::uint8_t, 4> on{'A', 'I', '1', ';'};
        static constexpr std::array<std::uint8_t, 4> off{'A', 'I', '0', ';'};
        const bool ai = aiValue_ && aiValue_() != 0;
        device->write(ai ? std::span<const std::uint8_t>(on) : std::span<const std::uint8_t>(off));
    }

    lock.lock();
    opening_ = false;
    openDone_.notify_all();
    // Closed while connecting (sleep, a port change, shutdown): that close wins.
    const bool closedMeanwhile = closes_ != closes;
    if (device && !closedMeanwhile) {
        device_ = std::move(device);
        devicePath_ = path;
        if (listener_)
            listener_(PortEvent::Opened);
        lock.unlock();
        outbox_.postToThread(ThreadId::SioRecv, Message{UM_RECV_START, 0, 0});
        return true;
    }
    lock.unlock();
    device.reset();
    if (!why.empty() && !closedMeanwhile)
        reportOpenFailure(why);
    return false;
}

bool ComLink::close() { return closeAs(PortEvent::Closed); }
bool ComLink::closeForSleep() { return closeAs(PortEvent::ClosedForSleep); }

bool ComLink::closeAs(PortEvent event)
{
    {
        std::lock_guard lock(mutex_);
        ++closes_;
        if (!device_)
            return false;
        device_.reset();
        if (listener_)
            listener_(event);
    }
    outbox_.postToThread(ThreadId::SioRecv, Message{UM_RECV_START, 0, 0});
    return true;
}

bool ComLink::closeForExit(bool switchAiOff, std::chrono::milliseconds drainLimit)
{
    std::lock_guard lock(mutex_);
    ++closes_;
    if (!device_)
        return false;
    if (switchAiOff) {
        static constexpr std::array<std::uint8_t, 4> off{'A', 'I', '0', ';'};
        if (device_->write(off) == static_cast<long>(off.size())) {
            constexpr std::chrono::milliseconds step{5};
            const auto until = std::chrono::steady_clock::now() + drainLimit;
            while (device_->clearErrors().outQueue > 0 && std::chrono::steady_clock::now() < until)
                std::this_thread::sleep_for(step);
        }
    }
    device_.reset();
    if (listener_)
        listener_(PortEvent::Closed);
    return true;
}

bool ComLink::isOpen() const
{
    std::lock_guard lock(mutex_);
    return device_ != nullptr;
}

bool ComLink::probe(int index, std::string* why)
{
    const auto rows = portList();
    if (index < 0 || static_cast<std::size_t>(index) >= rows.size())
        return false;
    const int number = rows[static_cast<std::size_t>(index)].number;
    if (const auto path = resolver_ ? resolver_(number) : std::nullopt) {
        // Held open by the link itself, it would only fail as busy.
        std::lock_guard lock(mutex_);
        if (device_ && *path == devicePath_)
            return true;
    }
    std::string reason;
    std::string path;
    auto device = openDevice(number, reason, &path);
    if (device && device->clearErrors().lineDown)
        reason = path + ": the line is down";
    else if (device)
        return true;
    if (why)
        *why = reason;
    return false;
}

std::size_t ComLink::bytesWaiting()
{
    std::lock_guard lock(mutex_);
    return device_ ? device_->bytesWaiting() : 0;
}

long ComLink::read(std::span<std::uint8_t> into)
{
    std::lock_guard lock(mutex_);
    return device_ ? device_->read(into) : -1;
}

long ComLink::write(std::span<const std::uint8_t> bytes)
{
    std::lock_guard lock(mutex_);
    return device_ ? device_->write(bytes) : -1;
}

bool ComLink::setRts(bool raised)
{
    std::lock_guard lock(mutex_);
    return device_ && device_->setRts(raised);
}

LineStatus ComLink::clearErrors()
{
    std::lock_guard lock(mutex_);
    return device_ ? device_->clearErrors() : LineStatus{};
}

int ComLink::pollFd() const
{
    std::lock_guard lock(mutex_);
    return device_ ? device_->pollFd() : -1;
}

} // namespace qx
