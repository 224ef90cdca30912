// What the server tells a client about the radio when it opens: the
// "\dump_state" block that Hamlib's network client reads line by line
// (positional lines, then "key=value" lines up to "done"), and a short
// human-readable "\dump_caps".
#pragma once
#include <string>

namespace qx::rig {

inline constexpr long kLowestHz = 30000;
inline constexpr long kHighestHz = 60000000;
inline constexpr int kMaxRitHz = 9999;
// Hamlib's own number for a radio reached through a rigctld server.
inline constexpr int kNetRigModel = 2;

std::string dumpState();
std::string dumpCaps();
std::string infoText();

} // namespace qx::rig
