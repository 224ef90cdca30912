// Wraps a serial device and reports every byte that crosses it to the
// link's TrafficTap (the --trace file and the CAT monitor listen there).
#pragma once
#include "serial/SerialDevice.h"
#include "serial/TrafficTap.h"

#include <memory>
#include <span>
#include <string>
#include <string_view>

namespace qx {

class TracingDevice : public SerialDevice {
public:
    TracingDevice(std::unique_ptr<SerialDevice> inner, std::shared_ptr<TrafficTap> tap)
        : inner_(std::move(inner)), tap_(std::move(tap))
    {
    }
    std::size_t bytesWaiting() override { return inner_->bytesWaiting(); }
    long read(std::span<std::uint8_t> into) override;
    long write(std::span<const std::uint8_t> bytes) override;
    bool setRts(bool raised) override { return inner_->setRts(raised); }
    LineStatus clearErrors() override { return inner_->clearErrors(); }
    int pollFd() const override { return inner_->pollFd(); }

private:
    std::unique_ptr<SerialDevice> inner_;
    std::shared_ptr<TrafficTap> tap_;
};

// An opener whose devices all report to `tap`.
DeviceOpener tracingOpener(DeviceOpener inner, std::shared_ptr<TrafficTap> tap);

// Printable form of bytes for a trace or a log.
std::string escapeBytes(std::span<const std::uint8_t> bytes);

} // namespace qx
