// A memory write that carries its own channel record instead of taking the
// radio's present settings: UM_REQ_MW_CHANNEL, posted to the command
// builder, with the record packed into the message's two words.
#pragma once
#include "core/Message.h"
#include "state/MemoryChannel.h"

#include <optional>
#include <utility>

namespace qx {

// Nothing for a channel outside 1 to 504 or a record the radio cannot hold.
std::optional<Message> memoryWriteRequest(int channel, const MemoryChannel& content);

// The channel and record of a UM_REQ_MW_CHANNEL; nothing for another
// message or one whose fields are out of range.
std::optional<std::pair<int, MemoryChannel>> memoryWriteFromRequest(const Message& m);

} // namespace qx
