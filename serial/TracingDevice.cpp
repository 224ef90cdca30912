#include "serial/TracingDevice.h"

namespace qx {

std::string escapeBytes(std::span<const std::uint8_t> bytes)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(bytes.size());
    for (std::uint8_t b : bytes) {
        if (b >= 0x20 && b < 0x7F && b != '\\') {
            out.push_back(static_cast<char>(b));
        } else {
            out += "\\x";
            out.push_back(kHex[b >> 4]);
            out.push_back(kHex[b & 0xF]);
        }
    }
    return out;
}

long TracingDevice::read(std::span<std::uint8_t> into)
{
    const long n = inner_->read(into);
    if (n > 0)
        tap_->record(TrafficDirection::Read, into.first(static_cast<std::size_t>(n)));
    return n;
}

long TracingDevice::write(std::span<const std::uint8_t> bytes)
{
    const long n = inner_->write(bytes);
    if (n > 0)
        tap_->record(TrafficDirection::Written, bytes.first(static_cast<std::size_t>(n)));
    return n;
}

DeviceOpener tracingOpener(DeviceOpener inner, std::shared_ptr<TrafficTap> tap)
{
    return [inner = std::move(inner), tap = std::move(tap)](const std::string& path, int baud,
                                                             std::string& why) -> std::unique_ptr<SerialDevice> {
        auto dev = inner(path, baud, why);
        if (!dev)
            return nullptr;
        return std::make_unique<TracingDevice>(std::move(dev), tap);
    };
}

} // namespace qx
