#include "rigserver/RigModes.h"

#include <array>

namespace qx::rig {
namespace {

constexpr int kSsbWidth = 2400;
constexpr int kCwWidth = 500;
constexpr int kRttyWidth = 500;
constexpr int kAmWidth = 6000;
constexpr int kFmWidth = 12000;

struct Settable {
    std::string_view name;
    int radioMode;
    int dataType;  // -1: not a data flavour
};

constexpr std::array kSettable{
    Settable{"LSB", 1, -1},    Settable{"USB", 2, -1},    Settable{"CW", 3, -1},
    Settable{"FM", 4, -1},     Settable{"AM", 5, -1},     Settable{"CWR", 7, -1},
    Settable{"RTTY", kRadioDataMode, kDataTypeRtty},
    Settable{"PKTLSB", kRadioDataMode, kDataTypeUserLower},
    Settable{"PKTUSB", kRadioDataMode, kDataTypeUserUpper},
};

ClientMode dataFlavour(int dataType)
{
    switch (dataType) {
    case kDataTypeUserLower: return {"PKTLSB", kSsbWidth};
    case kDataTypeUserUpper: return {"PKTUSB", kSsbWidth};
    default: return {"RTTY", kRttyWidth};
    }
}

} // namespace

std::optional<ClientMode> clientMode(int radioMode, int dataType)
{
    switch (radioMode) {
    case 1: return ClientMode{"LSB", kSsbWidth};
    case 2: return ClientMode{"USB", kSsbWidth};
    case 3: return ClientMode{"CW", kCwWidth};
    case 4:
    case 11: return ClientMode{"FM", kFmWidth};
    case 5: return ClientMode{"AM", kAmWidth};
    case 7: return ClientMode{"CWR", kCwWidth};
    case 10: return ClientMode{"PKTFM", kFmWidth};
    // The panel shows every data code with the sideband of "D TYPE"; so do we.
    case 6:
    case 8:
    case 9:
    case 12: return dataFlavour(dataType);
    default: return std::nullopt;
    }
}

std::optional<RadioModeChoice> radioModeFor(std::string_view clientName)
{
    for (const Settable& s : kSettable) {
        if (s.name != clientName)
            continue;
        RadioModeChoice c{s.radioMode, std::nullopt};
        if (s.dataType >= 0)
            c.dataType = s.dataType;
        return c;
    }
    return std::nullopt;
}

Mask settableModes()
{
    return mode::kLsb | mode::kUsb | mode::kCw | mode::kFm | mode::kAm | mode::kCwr | mode::kRtty | mode::kPktLsb |
           mode::kPktUsb;
}

std::string_view settableModeNames() { return "AM CW USB LSB RTTY FM CWR PKTLSB PKTUSB "; }

} // namespace qx::rig
