// What a memory channel of this radio can hold, in the operator's words:
// the frequencies it tunes, its modes by name, the CTCSS tones in Hz. Every
// edit and every imported row is checked here, so the reason a value is
// refused reads the same in the grid, the import report and the console.
#pragma once
#include "state/MemoryChannel.h"

#include <optional>
#include <string>
#include <string_view>

namespace qx {

// The receiver's coverage, which is what a channel can hold.
inline constexpr long long kChannelLowestHz = 30000;
inline constexpr long long kChannelHighestHz = 60000000;
inline constexpr int kChannelFirstMode = 1;
inline constexpr int kChannelLastMode = 9;

// "LSB", "USB", ... for modes 1 to 9; empty for any other.
std::string_view channelModeName(int mode);
// By the radio's name, either case; nothing for a name it has no mode for.
std::optional<int> channelModeFromName(std::string_view name);

// "88.5" for tone number 8; empty outside 0 to 49.
std::string_view toneHzText(int tone);
// The tone number of a frequency in Hz written as text ("88.5", "88.50");
// nothing for a tone the radio does not have.
std::optional<int> toneFromHzText(std::string_view hz);

std::string_view toneModeName(int toneMode);  // "off", "tone squelch", "tone"
std::string_view shiftName(int shift);        // "simplex", "+", "-"

// "14.250000" (MHz, six decimals).
std::string megahertzText(long long hz);
// A frequency written in MHz ("14.25", "7.0740"), exact to the hertz;
// nothing for anything else.
std::optional<long long> hertzFromMegahertz(std::string_view text);

// Why the radio cannot hold the channel; nothing when it can.
std::optional<std::string> channelProblem(const MemoryChannel& c);

// What a new channel at a frequency holds before the operator says more.
MemoryChannel defaultChannel(long long hz);

} // namespace qx
