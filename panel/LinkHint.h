// What a newcomer needs to know to reach the radio, in one line: shown on
// the LINK key and with the first start's box, and wherever the program
// tells the operator how to connect.
#pragma once
#include <string_view>

namespace qx::panel {

inline constexpr std::string_view kLinkHint =
    "Press LINK to connect to the radio; choose its serial port with Setup > COM Select "
    "(or start with --device PATH or --port N).";

} // namespace qx::panel
