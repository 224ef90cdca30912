#include "serial/ComLink.h"

#include "core/MessageIds.h"
#include "serial/PortList.h"

#include <array>

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

std::unique_ptr<SerialDevice> ComLink::openDevice(int portNumber, std::string& why)
{
    const auto path = resolver_ ? resolver_(portNumber) : std::nullopt;
    if (!path || !opener_) {
        why = "COM" + std::to_string(portNumber) + ": no serial device stands behind this port number";
        return nullptr;
    }
    std::string reason;
    auto device = opener_(*path, baud_, reason);
    if (!device)
        why = *path + ": " + (reason.empty() ? "cannot be opened" : reason);
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
    auto device = openDevice(port, why);
    if (device && device->clearErrors().lineDown) {
        device.reset();
        why = "the line went down as the port opened";
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
        return true;
    }
    lock.unlock();
    device.reset();
    if (!why.empty() && !closedMeanwhile)
        reportOpenFailure(why);
    return false;
}

bool ComLink::close()
{
    std::lock_guard lock(mutex_);
    ++closes_;
    if (!device_)
        return false;
    device_.reset();
    return true;
}

bool ComLink::isOpen() const
{
    std::lock_guard lock(mutex_);
    return device_ != nullptr;
}

bool ComLink::probe(int index)
{
    const auto rows = portList();
    if (index < 0 || static_cast<std::size_t>(index) >= rows.size())
        return false;
    std::string why;
    auto device = openDevice(rows[static_cast<std::size_t>(index)].number, why);
    return device && !device->clearErrors().lineDown;
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

} // namespace qx
