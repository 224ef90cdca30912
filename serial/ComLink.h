// The one COM port of the process: its configured number and speed, whether
// it is open, and the device the send and receive threads share. Every use
// of the device goes through here under one lock, so no thread can use a
// device another thread has just closed; I/O on a closed link fails quietly.
#pragma once
#include "core/Outbox.h"
#include "serial/SerialDevice.h"

#include <atomic>
#include <chrono>
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
    // What to add when no device stands behind a port number (the devices
    // that are present); nothing when unset.
    using AbsentNote = std::function<std::string()>;
    enum class PortEvent { Opened, Closed, ClosedForSleep };
    // Told of every open and close, with the link's lock held: it must not
    // call back into the link.
    using EventListener = std::function<void(PortEvent)>;

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
    // second open waits for the first and returns false. Opening and closing
    // wake the receive thread (UM_RECV_START), so that it watches the device
    // that is there now.
    bool open();
    // True when the port was open and now is closed. An open still
    // connecting gives up its device when it completes.
    bool close();
    // Closes the port as the program ends, leaving the radio as it was
    // found: with `switchAiOff`, "AI0;" is written first and the port closes
    // once it has left (or after `drainLimit`, should the line hold it).
    bool closeForExit(bool switchAiOff, std::chrono::milliseconds drainLimit);
    // The same, told to the listener as a close for the system's sleep.
    bool closeForSleep();
    // Set before the workers start.
    void setEventListener(EventListener listener) { listener_ = std::move(listener); }
    bool isOpen() const;
    // The device and the reason of the last failed open ("/dev/ttyUSB0: Permission
    // denied"); empty until an open fails.
    std::string lastOpenFailure() const;
    // Opens port-list row `index` on a separate device and closes it again:
    // true when it opened and the line is not down, or when it is the device
    // the link holds open. The link is untouched. `why`: the reason of a failure.
    bool probe(int index, std::string* why = nullptr);

    void setAbsentNote(AbsentNote note) { absentNote_ = std::move(note); }

    std::size_t bytesWaiting();
    long read(std::span<std::uint8_t> into);
    long write(std::span<const std::uint8_t> bytes);
    bool setRts(bool raised);
    // A closed link reports no errors and the line not down.
    LineStatus clearErrors();
    // The open device's descriptor to wait on; -1 when closed or it has none.
    int pollFd() const;

private:
    std::unique_ptr<SerialDevice> openDevice(int portNumber, std::string& why, std::string* path = nullptr);
    void reportOpenFailure(const std::string& why);
    bool closeAs(PortEvent event);

    DeviceOpener opener_;
    PathResolver resolver_;
    Outbox& outbox_;
    AiValue aiValue_;
    AbsentNote absentNote_;
    EventListener listener_;

    std::atomic<int> port_{kDefaultPort};
    std::atomic<int> baud_{kDefaultBaud};
    std::atomic<int> reserved_{0};

    mutable std::mutex mutex_;
    std::unique_ptr<SerialDevice> device_;
    std::string devicePath_; // of device_
    std::string lastOpenFailure_;
    bool opening_ = false;
    unsigned closes_ = 0;
    std::condition_variable openDone_;
};

} // namespace qx
