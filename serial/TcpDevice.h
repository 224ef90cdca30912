// A serial device reached over TCP, as ser2net offers one: a raw byte
// stream, or telnet with the RFC 2217 COM-port options so that the far
// port's line is set as a local one would be (speed, 8N2, RTS/CTS).
//
// Opening looks the host up and connects within one time limit; it blocks
// its caller, so it runs on a worker thread, never the UI thread. A reset or
// closed connection is the hang-up (`lineDown`); there are no modem lines.
#pragma once
#include "serial/NetworkAddress.h"
#include "serial/SerialDevice.h"
#include "serial/TelnetCodec.h"

#include <atomic>
#include <chrono>
#include <memory>
#include <string>

namespace qx {

class TcpDevice final : public SerialDevice {
public:
    static constexpr std::chrono::milliseconds kConnectTimeout{5000};

    // Null when the host cannot be found or reached in time, refuses the
    // connection, or (telnet) never answers the option negotiation; the
    // reason goes to `why`. Setting `cancel` makes a pending open give up
    // within about 50 ms.
    static std::unique_ptr<TcpDevice> open(const NetworkAddress& address, int baud, std::string& why,
                                           const std::atomic<bool>* cancel = nullptr,
                                           std::chrono::milliseconds timeout = kConnectTimeout);
    ~TcpDevice() override;
    TcpDevice(const TcpDevice&) = delete;
    TcpDevice& operator=(const TcpDevice&) = delete;

    std::size_t bytesWaiting() override;
    long read(std::span<std::uint8_t> into) override;
    long write(std::span<const std::uint8_t> bytes) override;
    // No modem lines: TCP's own flow control holds the far side back.
    bool setRts(bool) override { return false; }
    LineStatus clearErrors() override;
    // The socket. Data the telnet negotiation took off it while opening is
    // counted by bytesWaiting() but wakes no poller: read once after opening.
    int pollFd() const override { return fd_; }

    bool telnet() const { return telnet_; }
    // Telnet only: whether the far side took the COM-port option, and the
    // speed it reports having set (0 until it did).
    bool lineSettable() const { return telnet_ && codec_.comPort() == TelnetCodec::ComPort::Accepted; }
    long confirmedBaud() const { return codec_.confirmedBaud(); }

private:
    TcpDevice(int fd, bool telnet);
    bool negotiate(int baud, std::chrono::steady_clock::time_point deadline, const std::atomic<bool>* cancel,
                   std::string& why);
    // Reads off the socket into pending_ (decoded); -1 when the connection is gone.
    long fill(std::size_t most);
    bool sendAll(const std::string& bytes, int timeoutMs, std::size_t& sent);
    void noteFailure(int err);

    int fd_;
    bool telnet_;
    bool hungUp_ = false;
    TelnetCodec codec_;
    std::string pending_; // data bytes decoded and not yet handed out
};

} // namespace qx
