#include "sim/MemoryChannels.h"

namespace qx::sim {

bool MemoryChannels::store(int channel, std::string_view content)
{
    if (!inRange(channel))
        return false;
    slots_[static_cast<std::size_t>(channel)] = std::string(content);
    return true;
}

std::optional<std::string> MemoryChannels::recall(int channel) const
{
    if (!inRange(channel))
        return std::nullopt;
    return slots_[static_cast<std::size_t>(channel)];
}

void MemoryChannels::clear(int channel)
{
    if (inRange(channel))
        slots_[static_cast<std::size_t>(channel)].reset();
}

} // namespace qx::sim
