#include "serial/TelnetCodec.h"

#include "serial/LineStatus.h"

namespace qx {

using namespace telnet;

namespace {

void command(std::string& out, std::uint8_t verb, std::uint8_t opt)
{
    out += static_cast<char>(IAC);
    out += static_cast<char>(verb);
    out += static_cast<char>(opt);
}

void comPortCommand(std::string& out, std::uint8_t cmd, std::span<const std::uint8_t> value)
{
    out += static_cast<char>(IAC);
    out += static_cast<char>(SB);
    out += static_cast<char>(ComPortOption);
    out += static_cast<char>(cmd);
    TelnetCodec::escape(value, out);
    out += static_cast<char>(IAC);
    out += static_cast<char>(SE);
}

void comPortByte(std::string& out, std::uint8_t cmd, std::uint8_t value)
{
    comPortCommand(out, cmd, std::span<const std::uint8_t>(&value, 1));
}

} // namespace

std::string TelnetCodec::offer()
{
    std::string out;
    command(out, WILL, ComPortOption);
    return out;
}

std::string TelnetCodec::lineSettings(int baud)
{
    const auto b = static_cast<std::uint32_t>(baud);
    const std::uint8_t speed[4]{static_cast<std::uint8_t>(b >> 24), static_cast<std::uint8_t>(b >> 16),
                                static_cast<std::uint8_t>(b >> 8), static_cast<std::uint8_t>(b)};
    std::string out;
    comPortCommand(out, SetBaudRate, speed);
    comPortByte(out, SetDataSize, 8);
    comPortByte(out, SetParity, 1);  // none
    comPortByte(out, SetStopSize, 2); // two stop bits
    comPortByte(out, SetControl, 3);  // hardware (RTS/CTS) flow control
    comPortByte(out, SetLineStateMask, LineBreak | LineFraming | LineParity | LineOverrun);
    return out;
}

void TelnetCodec::escape(std::span<const std::uint8_t> data, std::string& out)
{
    for (std::uint8_t c : data) {
        out += static_cast<char>(c);
        if (c == IAC)
            out += static_cast<char>(IAC);
    }
}

std::uint32_t TelnetCodec::takeLineErrors()
{
    const std::uint32_t e = lineErrors_;
    lineErrors_ = 0;
    return e;
}

void TelnetCodec::decode(std::span<const std::uint8_t> in, std::string& data, std::string& reply)
{
    for (std::uint8_t c : in) {
        switch (state_) {
        case State::Data:
            if (c == IAC)
                state_ = State::Iac;
            else
                data += static_cast<char>(c);
            break;
        case State::Iac:
            if (c == IAC) {
                data += static_cast<char>(IAC);
                state_ = State::Data;
            } else if (c == WILL || c == WONT || c == DO || c == DONT) {
                verb_ = c;
                state_ = State::Option;
            } else if (c == SB) {
                sub_.clear();
                state_ = State::Sub;
            } else {
                state_ = State::Data; // NOP, GA, data mark and the like carry nothing for us
            }
            break;
        case State::Option:
            option(verb_, c, reply);
            state_ = State::Data;
            break;
        case State::Sub:
            if (c == IAC)
                state_ = State::SubIac;
            else if (sub_.size() < kMaxSub)
                sub_ += static_cast<char>(c);
            break;
        case State::SubIac:
            if (c == SE) {
                subnegotiation();
                state_ = State::Data;
            } else {
                // IAC IAC is a 255 inside the block; anything else is a
                // malformed block, read on as if escaped.
                if (sub_.size() < kMaxSub)
                    sub_ += static_cast<char>(c);
                state_ = State::Sub;
            }
            break;
        }
    }
}

void TelnetCodec::option(std::uint8_t verb, std::uint8_t opt, std::string& reply)
{
    if (opt == ComPortOption) {
        if (verb == DO) {
            // An answer to our offer, or the far side asking first: either way it is on.
            if (comPort_ == ComPort::Refused)
                command(reply, WILL, ComPortOption);
            comPort_ = ComPort::Accepted;
        } else if (verb == DONT) {
            if (comPort_ == ComPort::Accepted)
                command(reply, WONT, ComPortOption);
            comPort_ = ComPort::Refused;
        } else if (verb == WILL) {
            command(reply, DONT, opt); // the server side of the option is not ours to take
        }
        return;
    }
    // We enable nothing else, so WONT and DONT need no answer.
    if (verb == WILL)
        command(reply, DONT, opt);
    else if (verb == DO)
        command(reply, WONT, opt);
}

void TelnetCodec::subnegotiation()
{
    if (sub_.size() < 2 || static_cast<std::uint8_t>(sub_[0]) != ComPortOption)
        return;
    const auto cmd = static_cast<std::uint8_t>(sub_[1]);
    const std::string_view value(sub_.data() + 2, sub_.size() - 2);
    if (cmd == ServerOffset + SetBaudRate && value.size() == 4) {
        std::uint32_t b = 0;
        for (char c : value)
            b = (b << 8) | static_cast<std::uint8_t>(c);
        confirmedBaud_ = static_cast<long>(b);
    } else if (cmd == ServerOffset + NotifyLineState && value.size() == 1) {
        const auto s = static_cast<std::uint8_t>(value[0]);
        if (s & LineBreak)
            lineErrors_ |= CommError::Break;
        if (s & LineFraming)
            lineErrors_ |= CommError::Framing;
        if (s & LineParity)
            lineErrors_ |= CommError::Parity;
        if (s & LineOverrun)
            lineErrors_ |= CommError::Overrun;
    }
}

} // namespace qx
