// A serial device on POSIX termios: one file descriptor, raw 8N2 with
// output CTS flow control at one of the link's speeds.
#pragma once
#include "serial/OpenFailure.h"
#include "serial/SerialDevice.h"

#include <array>
#include <memory>
#include <string>
#include <sys/stat.h>

namespace qx {

class SerialPort final : public SerialDevice {
public:
    // Null when the path cannot be opened, is no serial terminal (a file, a
    // console, some session's terminal), is held by another program, or the
    // speed is not one the link uses; `why` then tells the operator which,
    // naming the device. The device is held exclusively while open.
    static std::unique_ptr<SerialPort> open(const std::string& path, int baud, std::string* why = nullptr);
    ~SerialPort() override;
    SerialPort(const SerialPort&) = delete;
    SerialPort& operator=(const SerialPort&) = delete;

    std::size_t bytesWaiting() override;
    long read(std::span<std::uint8_t> into) override;
    long write(std::span<const std::uint8_t> bytes) override;
    bool setRts(bool raised) override;
    LineStatus clearErrors() override;
    int pollFd() const override { return fd_; }

    int fd() const { return fd_; }

private:
    explicit SerialPort(int fd);
    void noteFailure(int err);
    bool hungUpNow() const;
    std::uint32_t errorBitsSinceLast();

    int fd_;
    bool exclusive_ = false; // exclusive mode set by this descriptor
    bool hungUp_ = false;
    bool countersKnown_ = false;
    // The receive side asks for the error state at every wake-up: once a
    // device has shown it keeps no counters or has no modem lines, stop asking.
    bool noCounters_ = false;
    bool noModemLines_ = false;
    int rtsState_ = -1; // -1 unknown, else the last level set
    // overrun, buffer overrun, parity, frame, break as last seen
    std::array<int, 5> lastCounters_{};
};

// Why an open of `path` failed with the system's error `err`, with what the
// system tells about the device (st: its status, when known).
OpenFailure openFailureFor(int err, const std::string& path, const struct stat* st);

// The write time-out of the link: 500 ms plus 10 ms a byte.
int writeTimeoutMs(std::size_t bytes);

} // namespace qx
