// The levels ("l"/"L") and switches ("u"/"U") a client can read and set, in
// Hamlib's units: gains and power from 0.0 to 1.0, signal strength in dB
// relative to S9, keyer speed in words per minute.
#pragma once
#include "rigserver/HamlibCodes.h"
#include "rigserver/RigStateView.h"
#include "rigserver/RigWriter.h"

#include <optional>
#include <string>
#include <string_view>

namespace qx::rig {

// The answer text of a readable level; nothing for a name that is not one.
std::optional<std::string> readLevel(std::string_view name, const RigStateView& radio);
// Checks the value and posts its request, which reads back at once; kInvalid
// for a name that cannot be set or a value out of range.
Status writeLevel(std::string_view name, std::string_view value, RigWriter& writer, RigStateView& radio);

std::optional<bool> readFunction(std::string_view name, const RigStateView& radio);
Status writeFunction(std::string_view name, std::string_view status, RigWriter& writer, RigStateView& radio);

Mask readableLevels();
Mask settableLevels();
Mask functions();
// The names a "?" query lists, space-separated.
std::string_view readableLevelNames();
std::string_view settableLevelNames();
std::string_view functionNames();

// Whether Hamlib knows the name: such a level or function this radio lacks
// is "not available" (RPRT -11), a name nobody knows is a bad argument.
bool isHamlibLevelName(std::string_view name);
bool isHamlibFunctionName(std::string_view name);

// dB relative to S9 for a raw meter reading 0-255: S0 at 0, S9 at 121, S9+60 at 255.
int strengthDb(int raw);

// A number as Hamlib's server reads one: leading blanks, then a decimal
// (float forms allowed); nothing when the text does not start with one.
std::optional<double> parseNumber(std::string_view text);
std::optional<long> parseInteger(std::string_view text);

} // namespace qx::rig
