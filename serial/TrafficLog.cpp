#include "serial/TrafficLog.h"

#include "serial/TracingDevice.h"

#include <algorithm>

namespace qx {

namespace {

std::span<const std::uint8_t> asBytes(std::string_view s)
{
    return {reinterpret_cast<const std::uint8_t*>(s.data()), s.size()};
}

} // namespace

void TrafficLog::push(TrafficDirection direction, std::string_view raw, std::chrono::system_clock::time_point t)
{
    lines_.push_back({nextSeq_++, t, direction, escapeBytes(asBytes(raw))});
    while (lines_.size() > limit_)
        lines_.pop_front();
}

void TrafficLog::add(TrafficDirection direction, std::span<const std::uint8_t> bytes,
                     std::chrono::system_clock::time_point t)
{
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    std::lock_guard lock(mutex_);
    if (direction == TrafficDirection::Note) {
        push(direction, text, t);
        return;
    }
    if (direction == TrafficDirection::Written) {
        std::size_t from = 0;
        while (from < text.size()) {
            const std::size_t end = text.find(';', from);
            const std::size_t stop = end == std::string_view::npos ? text.size() : end + 1;
            push(direction, text.substr(from, stop - from), t);
            from = stop;
        }
        return;
    }
    for (char c : text) {
        partialRead_.push_back(c);
        if (c == ';' || partialRead_.size() >= kMaxLineBytes) {
            push(direction, partialRead_, t);
            partialRead_.clear();
        }
    }
}

std::vector<TrafficLine> TrafficLog::since(std::uint64_t& seq) const
{
    std::lock_guard lock(mutex_);
    std::vector<TrafficLine> out;
    auto it = std::partition_point(lines_.begin(), lines_.end(), [seq](const TrafficLine& l) { return l.seq <= seq; });
    out.assign(it, lines_.end());
    if (!out.empty())
        seq = out.back().seq;
    return out;
}

std::vector<TrafficLine> TrafficLog::lines() const
{
    std::lock_guard lock(mutex_);
    return {lines_.begin(), lines_.end()};
}

std::size_t TrafficLog::size() const
{
    std::lock_guard lock(mutex_);
    return lines_.size();
}

void TrafficLog::clear()
{
    std::lock_guard lock(mutex_);
    lines_.clear();
    partialRead_.clear();
}

} // namespace qx
