// The memory channels as the radio last reported them in "MR" answers, one
// record per channel, each with a count of the answers that reached it. A
// reader that asked for a channel tells its answer from an older one by the
// count, however many other answers arrived before it looked.
#pragma once
#include "state/MemoryChannel.h"

#include <array>
#include <cstdint>
#include <mutex>
#include <optional>

namespace qx {

class MemoryChannelStore {
public:
    struct Reading {
        std::optional<MemoryChannel> content; // empty when no answer has filled it
        std::uint32_t answers = 0;            // answers stored for this channel so far
    };

    // False, storing nothing, for a channel outside 1 to 504.
    bool store(int channel, const MemoryChannel& content);
    // An empty reading for a channel outside 1 to 504.
    Reading get(int channel) const;
    void clear();

private:
    mutable std::mutex mutex_;
    std::array<Reading, MemoryChannel::kLast + 1> slots_{};
};

} // namespace qx
