// A serial device whose line the test controls: bytes to deliver, the status
// to report, and a record of everything written. The line outlives the
// device object, so tests can look after the link has closed it.
#pragma once
#include "serial/SerialDevice.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace qx::test {

struct FakeLine {
    std::string incoming;      // delivered by read, oldest first
    std::string written;       // everything written, in order
    LineStatus status;         // reported by clearErrors (inQueue filled in)
    std::vector<bool> rtsCalls;
    int opens = 0;
    int liveDevices = 0;
    bool failWrites = false;
};

class FakeSerialDevice : public SerialDevice {
public:
    explicit FakeSerialDevice(std::shared_ptr<FakeLine> line) : line_(std::move(line)) { ++line_->liveDevices; }
    ~FakeSerialDevice() override { --line_->liveDevices; }

    std::size_t bytesWaiting() override { return line_->incoming.size(); }
    long read(std::span<std::uint8_t> into) override
    {
        const std::size_t n = std::min(into.size(), line_->incoming.size());
        std::copy_n(line_->incoming.begin(), n, into.begin());
        line_->incoming.erase(0, n);
        return static_cast<long>(n);
    }
    long write(std::span<const std::uint8_t> bytes) override
    {
        if (line_->failWrites)
            return -1;
        line_->written.append(bytes.begin(), bytes.end());
        return static_cast<long>(bytes.size());
    }
    bool setRts(bool raised) override
    {
        line_->rtsCalls.push_back(raised);
        return true;
    }
    LineStatus clearErrors() override
    {
        LineStatus s = line_->status;
        s.inQueue = line_->incoming.size();
        return s;
    }

private:
    std::shared_ptr<FakeLine> line_;
};

// An opener that hands out fake devices on one line and records the paths
// and speeds asked for; `refuse` makes it fail like a missing device.
struct FakeOpener {
    std::shared_ptr<FakeLine> line = std::make_shared<FakeLine>();
    std::shared_ptr<std::vector<std::pair<std::string, int>>> calls =
        std::make_shared<std::vector<std::pair<std::string, int>>>();
    std::shared_ptr<bool> refuse = std::make_shared<bool>(false);

    DeviceOpener opener() const
    {
        return [line = line, calls = calls, refuse = refuse](const std::string& path,
                                                             int baud) -> std::unique_ptr<SerialDevice> {
            calls->emplace_back(path, baud);
            if (*refuse)
                return nullptr;
            ++line->opens;
            return std::make_unique<FakeSerialDevice>(line);
        };
    }
};

} // namespace qx::test
