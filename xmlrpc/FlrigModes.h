// The radio's modes under the names flrig clients see and set: the panel's
// own names (LSB, USB, CW, CW-R, AM, FM) and, for its DATA mode, the
// flavour its "D TYPE" setting gives (RTTY; DATA-L for USER-L, DATA-U for
// USER-U, the names Hamlib's FLRig backend and fldigi know for lower and
// upper sideband data). The mode codes, data flavours and nominal
// passbands are the rig server's (rigserver/RigModes); only the names
// differ.
#pragma once
#include "rigserver/RigModes.h"

#include <optional>
#include <string_view>
#include <vector>

namespace qx::xmlrpc {

// What rig.get_modes lists, in the panel's order.
const std::vector<std::string_view>& flrigModeNames();

struct FlrigMode {
    std::string_view name;
    int passband = 0;
    bool lowerSideband = false;
};

// Nothing for a mode code the radio does not report.
std::optional<FlrigMode> flrigMode(int radioMode, int dataType);
// Nothing for a name this radio cannot be set to.
std::optional<rig::RadioModeChoice> radioModeForFlrig(std::string_view name);

} // namespace qx::xmlrpc
