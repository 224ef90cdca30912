// A serial device whose line the test controls. The line outlives the
// devices opened on it, so tests can look after the link closed them.
#pragma once
#include "serial/SerialDevice.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace qx::test {

struct FakeLine {
    std::string incoming, written, lastPath;
    LineStatus status;
    std::vector<bool> rts;
    int opens = 0, live = 0, lastBaud = 0;
    int fd = -1; // what the devices give to wait on
    bool refuse = false, failWrites = false;
};

class FakeSerialDevice : public SerialDevice {
public:
    explicit FakeSerialDevice(std::shared_ptr<FakeLine> l) : l_(std::move(l)) { ++l_->live; }
    ~FakeSerialDevice() override { --l_->live; }
    std::size_t bytesWaiting() override { return l_->incoming.size(); }
    long read(std::span<std::uint8_t> into) override
    {
        const std::size_t n = std::min(into.size(), l_->incoming.size());
        std::copy_n(l_->incoming.begin(), n, into.begin());
        l_->incoming.erase(0, n);
        return static_cast<long>(n);
    }
    long write(std::span<const std::uint8_t> b) override
    {
        if (l_->failWrites)
            return -1;
        l_->written.append(b.begin(), b.end());
        return static_cast<long>(b.size());
    }
    bool setRts(bool raised) override { return l_->rts.push_back(raised), true; }
    LineStatus clearErrors() override { return l_->status; }
    int pollFd() const override { return l_->fd; }

private:
    std::shared_ptr<FakeLine> l_;
};

inline DeviceOpener fakeOpener(std::shared_ptr<FakeLine> line)
{
    return [line](const std::string& path, int baud, std::string& why) -> std::unique_ptr<SerialDevice> {
        line->lastPath = path;
        line->lastBaud = baud;
        if (line->refuse) {
            why = "Permission denied";
            return nullptr;
        }
        ++line->opens;
        return std::make_unique<FakeSerialDevice>(line);
    };
}

inline std::optional<std::string> fakePath(int n) { return "/dev/fakeCOM" + std::to_string(n); }

} // namespace qx::test
