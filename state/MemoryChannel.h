// One memory channel as the radio keeps it: the fields that "MW" writes and
// "MR" reads back after the channel number.
#pragma once
#include <array>
#include <string_view>

namespace qx {

// A channel's mode code as the operator reads it; empty for a code the radio
// does not use (0, or out of range). Code 6 is the data mode whose flavour the
// "D TYPE" menu setting gives, as the panel's DATA key sets it.
inline std::string_view memoryChannelModeName(int mode)
{
    constexpr std::array<std::string_view, 10> kNames = {"",     "LSB",  "USB",    "CW",    "FM",
                                                         "AM",   "DATA", "CW-R",   "DATA-L", "RTTY-U"};
    return mode >= 1 && mode < static_cast<int>(kNames.size()) ? kNames[static_cast<std::size_t>(mode)]
                                                                : std::string_view{};
}

struct MemoryChannel {
    static constexpr int kFirst = 1;
    static constexpr int kLast = 504;

    long long frequency = 0; // Hz, eight digits on the wire
    int offset = 0;          // clarifier offset in Hz, -9999 to 9999
    int rxClarifier = 0;     // 0 or 1
    int txClarifier = 0;     // 0 or 1
    int mode = 0;            // one decimal digit on the wire
    int toneMode = 0;        // 0 to 2
    int tone = 0;            // CTCSS tone number, 0 to 49
    int shift = 0;           // repeater shift, 0 to 2

    friend bool operator==(const MemoryChannel&, const MemoryChannel&) = default;

    static constexpr bool validChannel(long long channel) { return channel >= kFirst && channel <= kLast; }
    // Every field within what the radio holds and the wire carries.
    constexpr bool valid() const
    {
        return frequency >= 0 && frequency <= 99999999 && offset >= -9999 && offset <= 9999 && rxClarifier >= 0 &&
               rxClarifier <= 1 && txClarifier >= 0 && txClarifier <= 1 && mode >= 0 && mode <= 9 && toneMode >= 0 &&
               toneMode <= 2 && tone >= 0 && tone <= 49 && shift >= 0 && shift <= 2;
    }
};

} // namespace qx
