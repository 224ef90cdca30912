// The one COM port of the process: its configured number and speed, whether
// it is open, and the device the send and receive threads share. Every use
// of the device goes through here under one lock, so no thread can use a
// device another thread has just closed; I/O on a closed link fails quietly.
#pragma once
#include "core/Outbox.h"
#include "serial/SerialDevice.h"

#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

namespace qx {

class ComLink {
public:
    // Port number to device path; nothing when no device stands behind it.
    using PathResolver = std::function<std::optional<std::string>(int portNumber)>;
    // The auto-information value that decides between "AI1;" and "AI0;".
    using AiValue = std::function<int()>;

    ComLink(DeviceOpener opener, PathResolver resolver, Outbox& outbox, AiValue aiValue);

    static constexpr int kDefaultPort = 1;
    static constexpr int kDefaultBaud = 4800;

    // 1..20 is stored and gives true; anything else stores 1 and gives false.
    bool setPortNumber(int n);
    // 4800, 9600, 19200 or 38400 is stored; anything else stores 4800.
    bool setBaudRate(int baud);
    void setReserved(int v) { reserved_ = v; }
    int portNumber() const { return port_; }
    int baudRate() const { return baud_; }
    int reserved() const { return reserved_; }

    // True only when this call opened the port. Failure to open, and a line
    // that is down right after opening, post UM_SHOW_ERROR row 0. Opening
    // does not hold the link: other threads see it closed meanwhile, and a
    // second open waits for the first and returns false.
    bool open();
    // True when the port was open and now is closed. An open still
    // connecting gives up its device when it completes.
    bool close();
    bool isOpen() const;
    // The device and the reason of the last failed open ("/dev/ttyUSB0: Permission
    // denied"); empty until an open fails.
    std::string lastOpenFailure() const;
    // Opens port-list row `index` on a separate device and closes it again:
    // true when it opened and the line is not down. The link is untouched.
    bool probe(int index);

    std::size_t bytesWaiting();
    long read(std::span<std::uint8_t> into);
    long write(std::span<const std::uint8_t> bytes);
    bool setRts(bool raised);
    // A closed link reports no errors and the line not down.
    LineStatus clearErrors();

private:
    std::unique_ptr<SerialDevice> openDevice(int portNumber, std::string& why);
    void reportOpenFailure(const std::string& why);

    DeviceOpener opener_;
    PathResolver resolver_;
    Outbox& outbox_;
    AiValue aiValue_;

    std::atomic<int> port_{kDefaultPort};
    std::atomic<int> baud_{kDefaultBaud};
    std::atomic<int> reserved_{0};

    mutable std::mutex mutex_;
    std::unique_ptr<SerialDevice> device_;
    std::string lastOpenFailure_;
    bool opening_ = false;
    unsigned closes_ = 0;
    std::condition_variable openDone_;
};

} // namespace qx
