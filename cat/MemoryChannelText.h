// The memory-channel layout that "MW" writes and "MR" answers with: channel
// (3 digits), frequency (8), clarifier sign and offset (1 + 4), receive and
// transmit clarifier (1 + 1), mode (1), "0", tone mode (1), tone (2), shift (1).
#pragma once
#include "state/MemoryChannel.h"

#include <optional>
#include <string>
#include <string_view>

namespace qx {

// The record in an "MR" answer (with or without its ";"); nothing when a
// field is missing or not a number.
std::optional<MemoryChannel> memoryChannelFromAnswer(std::string_view answer);

// "MW" + channel + the record + ";". Empty when the channel or a field does
// not fit: a value cut to its field would store a channel nobody asked for.
std::string memoryWriteText(long long channel, const MemoryChannel& content);

} // namespace qx
