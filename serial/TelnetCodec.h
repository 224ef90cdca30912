// The telnet side of a serial port reached over RFC 2217 (ser2net's
// "telnet(rfc2217)" accepter): what we send to set the far port's line, how
// data bytes are escaped, and the decoding of what comes back into data
// bytes, answers to option requests and the far port's reports.
//
// We offer the COM-PORT option and nothing else: every other option the far
// side asks for or offers is declined (WONT, DONT), once per request, so the
// negotiation cannot loop.
#pragma once
#include <cstdint>
#include <span>
#include <string>

namespace qx {

namespace telnet {
inline constexpr std::uint8_t IAC = 255, DONT = 254, DO = 253, WONT = 252, WILL = 251, SB = 250, SE = 240;
inline constexpr std::uint8_t ComPortOption = 44;
// COM-PORT-OPTION commands, client to server; the server answers with +100.
inline constexpr std::uint8_t SetBaudRate = 1, SetDataSize = 2, SetParity = 3, SetStopSize = 4, SetControl = 5,
                              NotifyLineState = 6, SetLineStateMask = 10;
inline constexpr std::uint8_t ServerOffset = 100;
// Line-state bits that mean a receive error at the far port.
inline constexpr std::uint8_t LineBreak = 16, LineFraming = 8, LineParity = 4, LineOverrun = 2;
} // namespace telnet

class TelnetCodec {
public:
    enum class ComPort { Offered, Accepted, Refused };

    // Our offer of the COM-PORT option, sent right after connecting.
    static std::string offer();
    // The far port's line: the speed, 8 data bits, no parity, 2 stop bits,
    // RTS/CTS flow control, and reports of receive errors.
    static std::string lineSettings(int baud);
    // Data bytes for the wire: IAC doubled.
    static void escape(std::span<const std::uint8_t> data, std::string& out);

    // Takes bytes as they came off the socket (a command may be split over
    // calls): appends the data bytes to `data` and what we must send back to
    // `reply`.
    void decode(std::span<const std::uint8_t> in, std::string& data, std::string& reply);

    ComPort comPort() const { return comPort_; }
    // The speed the far side reports it set; 0 until it reported one.
    long confirmedBaud() const { return confirmedBaud_; }
    // Receive errors the far port reported since the last call, as CommError bits.
    std::uint32_t takeLineErrors();

private:
    enum class State { Data, Iac, Option, Sub, SubIac };
    void option(std::uint8_t verb, std::uint8_t opt, std::string& reply);
    void subnegotiation();

    static constexpr std::size_t kMaxSub = 64; // longer ones (a signature) are cut
    State state_ = State::Data;
    std::uint8_t verb_ = 0;
    std::string sub_;
    ComPort comPort_ = ComPort::Offered;
    long confirmedBaud_ = 0;
    std::uint32_t lineErrors_ = 0;
};

} // namespace qx
