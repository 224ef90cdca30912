// What "clear and read the error state" of a serial device reports: the
// error bits gathered since the last call, the queue counts and the holds.
#pragma once
#include <cstddef>
#include <cstdint>

namespace qx {

// Error bits, one per condition, in the values the CAT engine has always
// compared against; several may be set at once.
namespace CommError {
inline constexpr std::uint32_t RxOverflow = 1;
inline constexpr std::uint32_t Overrun = 2;
inline constexpr std::uint32_t Parity = 4;
inline constexpr std::uint32_t Framing = 8;
inline constexpr std::uint32_t Break = 16;
inline constexpr std::uint32_t TxFull = 256;
inline constexpr std::uint32_t Io = 1024;
inline constexpr std::uint32_t Mode = 32768;
} // namespace CommError

struct LineStatus {
    std::uint32_t errors = 0;
    std::size_t inQueue = 0;  // bytes received and not yet read
    std::size_t outQueue = 0; // bytes written and not yet sent
    bool ctsHold = false;     // output waits for CTS
    bool dsrHold = false;
    bool xoffHold = false;
    bool xoffSent = false;
    bool eof = false;
    // The device hung up or vanished (unplugged adapter, closed pty master).
    bool lineDown = false;
};

} // namespace qx
