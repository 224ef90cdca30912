// The radio's state in the "RadioInfo" form contest loggers send and log
// helpers listen for on UDP: frequencies in tens of Hz, the mode, split and
// transmit flags, the radio's name. One radio, always number 1.
#pragma once
#include <string>

namespace qx::radioinfo {

struct RadioInfo {
    bool connected = false;
    long rxHz = 0;
    long txHz = 0;
    std::string mode;  // "USB", "CW", ...
    bool split = false;
    bool transmitting = false;

    bool operator==(const RadioInfo&) const = default;
};

inline constexpr const char* kRadioName = "QX-720";

std::string radioInfoXml(const RadioInfo& info);

} // namespace qx::radioinfo
