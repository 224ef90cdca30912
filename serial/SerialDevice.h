// One open serial device. SerialPort is the real one; tests use fakes.
// Closing is destruction: a device object is open for its whole life.
#pragma once
#include "serial/LineStatus.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>

namespace qx {

class SerialDevice {
public:
    virtual ~SerialDevice() = default;
    // Bytes the driver holds for reading.
    virtual std::size_t bytesWaiting() = 0;
    // Reads what is there without waiting; the count read, or -1 on failure.
    virtual long read(std::span<std::uint8_t> into) = 0;
    // Writes, waiting at most the write time-out; the count written, or -1.
    virtual long write(std::span<const std::uint8_t> bytes) = 0;
    // Raise (true) or drop RTS; false when the device has no modem lines.
    virtual bool setRts(bool raised) = 0;
    virtual LineStatus clearErrors() = 0;
    // The descriptor that becomes readable when bytes arrive or the line
    // hangs up; -1 when the device has none.
    virtual int pollFd() const { return -1; }
};

// Opens the device at a path with the link's line settings at a speed in
// bit/s; null when it cannot be opened, with the reason for the operator in
// `why` (the system's words: "No such file or directory", ...).
using DeviceOpener =
    std::function<std::unique_ptr<SerialDevice>(const std::string& path, int baud, std::string& why)>;

} // namespace qx
