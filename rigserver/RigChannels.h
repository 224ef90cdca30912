// Memory channels in the rigctld protocol's words: "h" answers with the
// channel block Hamlib's server prints, "H" takes the fields this radio's
// channels hold, in the order Hamlib's server reads them for such a radio:
// frequency, mode, repeater shift, RIT, XIT, CTCSS tone, CTCSS squelch tone.
#pragma once
#include "state/MemoryChannel.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qx::rig {

// How many fields follow the channel number in "H".
inline constexpr int kChannelFields = 7;

// The block for channel `number`; an empty channel (`content` empty) reads
// as Hamlib shows one, at 0 Hz and in no mode.
std::string channelBlock(int number, const std::optional<MemoryChannel>& content, int dataType);

// The record "H" asks for; nothing when a field is malformed, out of the
// radio's range, or asks for what a channel cannot hold (RIT and XIT at
// different offsets, a tone and a squelch tone that differ, a data flavour
// other than the radio's present one).
std::optional<MemoryChannel> channelFromFields(const std::vector<std::string>& fields, int dataType);

} // namespace qx::rig
