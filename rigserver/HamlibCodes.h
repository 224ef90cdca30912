// The numbers of Hamlib's rigctld protocol that clients hold us to: the
// error codes of "RPRT n" answers and the bit masks of modes, VFOs, levels
// and functions that the capability dump announces. Their values are
// Hamlib's own (rig.h); a wrong bit makes a client refuse a command before
// it reaches us.
#pragma once
#include <cstdint>

namespace qx::rig {

enum Status : int {
    kOk = 0,
    kInvalid = -1,        // bad or missing argument, unknown token
    kNotImplemented = -4, // a command the protocol does not know
    kIoError = -6,        // the radio is not linked
    kNotAvailable = -11,  // a protocol command this radio does not have
    kBusy = -14,          // the server serves as many clients as it can
    kNotPowered = -20,    // the radio is switched off
};

using Mask = std::uint64_t;

namespace mode {
inline constexpr Mask kAm = 1u << 0;
inline constexpr Mask kCw = 1u << 1;
inline constexpr Mask kUsb = 1u << 2;
inline constexpr Mask kLsb = 1u << 3;
inline constexpr Mask kRtty = 1u << 4;
inline constexpr Mask kFm = 1u << 5;
inline constexpr Mask kCwr = 1u << 7;
inline constexpr Mask kPktLsb = 1u << 10;
inline constexpr Mask kPktUsb = 1u << 11;
inline constexpr Mask kPktFm = 1u << 12;
} // namespace mode

namespace vfo {
inline constexpr Mask kA = 1u << 0;
inline constexpr Mask kB = 1u << 1;
} // namespace vfo

namespace level {
inline constexpr Mask kPreamp = 1u << 0;
inline constexpr Mask kAtt = 1u << 1;
inline constexpr Mask kAf = 1u << 3;
inline constexpr Mask kRf = 1u << 4;
inline constexpr Mask kSql = 1u << 5;
inline constexpr Mask kRfPower = 1u << 12;
inline constexpr Mask kMicGain = 1u << 13;
inline constexpr Mask kKeySpeed = 1u << 14;
inline constexpr Mask kNotchF = 1u << 15;
inline constexpr Mask kNr = 1u << 8;
inline constexpr Mask kAgc = 1u << 17;
inline constexpr Mask kRawStrength = 1u << 26;
inline constexpr Mask kSwr = 1u << 28;
inline constexpr Mask kAlc = 1u << 29;
inline constexpr Mask kStrength = 1u << 30;
} // namespace level

namespace func {
inline constexpr Mask kNb = 1u << 1;
inline constexpr Mask kComp = 1u << 2;
inline constexpr Mask kVox = 1u << 3;
inline constexpr Mask kTone = 1u << 4;
inline constexpr Mask kTsql = 1u << 5;
inline constexpr Mask kAnf = 1u << 8;
inline constexpr Mask kNr = 1u << 9;
inline constexpr Mask kMn = 1u << 13;
inline constexpr Mask kLock = 1u << 16;
inline constexpr Mask kRit = 1u << 24;
} // namespace func

namespace vfoop {
inline constexpr Mask kCopy = 1u << 0;
inline constexpr Mask kExchange = 1u << 1;
inline constexpr Mask kFromVfo = 1u << 2;
inline constexpr Mask kToVfo = 1u << 3;
inline constexpr Mask kToggle = 1u << 12;
} // namespace vfoop

// Hamlib's AGC settings (the values of the AGC level).
namespace agc {
inline constexpr int kOff = 0;
inline constexpr int kFast = 2;
inline constexpr int kSlow = 3;
inline constexpr int kMedium = 5;
inline constexpr int kAuto = 6;
} // namespace agc

// How the transmitter is keyed: by a command to the radio.
inline constexpr int kPttByCommand = 1;

} // namespace qx::rig
