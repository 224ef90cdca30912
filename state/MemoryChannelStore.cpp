#include "state/MemoryChannelStore.h"

namespace qx {

bool MemoryChannelStore::store(int channel, const MemoryChannel& content)
{
    if (!MemoryChannel::validChannel(channel))
        return false;
    std::lock_guard lock(mutex_);
    Reading& r = slots_[static_cast<std::size_t>(channel)];
    r.content = content;
    ++r.answers;
    return true;
}

MemoryChannelStore::Reading MemoryChannelStore::get(int channel) const
{
    if (!MemoryChannel::validChannel(channel))
        return {};
    std::lock_guard lock(mutex_);
    return slots_[static_cast<std::size_t>(channel)];
}

void MemoryChannelStore::clear()
{
    // The counts go on rising, so a reader waiting across a reset is not fooled.
    std::lock_guard lock(mutex_);
    for (Reading& r : slots_)
        r.content.reset();
}

} // namespace qx
