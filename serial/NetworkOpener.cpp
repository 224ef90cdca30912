#include "serial/NetworkOpener.h"

#include "serial/NetworkAddress.h"
#include "serial/TcpDevice.h"

namespace qx {

NetworkOpener::NetworkOpener(const std::atomic<bool>& cancel, Ms connectTimeout, Ms holdOff)
    : cancel_(cancel), connectTimeout_(connectTimeout), holdOff_(holdOff)
{
}

std::unique_ptr<SerialDevice> NetworkOpener::open(const std::string& path, int baud, std::string& why)
{
    const auto address = parseNetworkAddress(path, false, &why);
    if (!address)
        return nullptr;
    {
        std::lock_guard lock(mutex_);
        if (path == silentPath_ && std::chrono::steady_clock::now() < silentUntil_) {
            why = silentWhy_ + " (tried again in a few seconds)";
            return nullptr;
        }
    }
    // Started before the device's own clock, so a connect that ran to its
    // time-out is seen as having taken at least that long.
    const auto started = std::chrono::steady_clock::now();
    auto device = TcpDevice::open(*address, baud, why, &cancel_, connectTimeout_);
    const auto now = std::chrono::steady_clock::now();
    std::lock_guard lock(mutex_);
    if (device || now - started < connectTimeout_ || cancel_.load()) {
        if (path == silentPath_)
            silentPath_.clear();
    } else {
        silentPath_ = path;
        silentUntil_ = now + holdOff_;
        silentWhy_ = why;
    }
    return device;
}

} // namespace qx
