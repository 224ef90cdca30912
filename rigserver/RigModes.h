// The radio's operating modes in Hamlib's words, both ways. The radio has
// one data mode whose flavour is its "D TYPE" menu setting (RTTY, USER-L,
// USER-U); clients see RTTY, PKTLSB or PKTUSB, and choosing one of those
// selects the data mode and that setting. The passband is the mode's
// nominal width: the radio's width control is not driven from here.
#pragma once
#include "rigserver/HamlibCodes.h"

#include <optional>
#include <string_view>

namespace qx::rig {

// Values of the "D TYPE" menu setting.
inline constexpr int kDataTypeRtty = 0;
inline constexpr int kDataTypeUserLower = 1;
inline constexpr int kDataTypeUserUpper = 2;

// The radio's mode code of its data mode, as the panel's DATA key sets it.
inline constexpr int kRadioDataMode = 6;

struct ClientMode {
    std::string_view name;
    int passband = 0;
};

// Nothing for a mode code the radio does not report (0, above 12).
std::optional<ClientMode> clientMode(int radioMode, int dataType);

struct RadioModeChoice {
    int radioMode = 0;
    std::optional<int> dataType;  // set for the data flavours
};

// Nothing for a name this radio cannot be set to.
std::optional<RadioModeChoice> radioModeFor(std::string_view clientName);

// Every mode a client may set, as Hamlib's mode bits, and the same as the
// space-separated names a "?" query lists.
Mask settableModes();
std::string_view settableModeNames();

} // namespace qx::rig
