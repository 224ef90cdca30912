#include "serial/TrafficTap.h"

#include <algorithm>

namespace qx {

TrafficTap::Id TrafficTap::listen(Listener listener)
{
    std::lock_guard lock(mutex_);
    const Id id = next_++;
    entries_.emplace_back(id, std::move(listener));
    listeners_.store(static_cast<int>(entries_.size()), std::memory_order_release);
    return id;
}

void TrafficTap::stopListening(Id id)
{
    std::lock_guard lock(mutex_);
    std::erase_if(entries_, [id](const auto& e) { return e.first == id; });
    listeners_.store(static_cast<int>(entries_.size()), std::memory_order_release);
}

void TrafficTap::record(TrafficDirection direction, std::span<const std::uint8_t> bytes)
{
    if (bytes.empty() || !listening())
        return;
    std::lock_guard lock(mutex_);
    for (const auto& [id, listener] : entries_)
        listener(direction, bytes);
}

void TrafficTap::note(std::string_view text)
{
    record(TrafficDirection::Note, {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
}

} // namespace qx
