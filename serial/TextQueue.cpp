#include "serial/TextQueue.h"

#include <algorithm>
#include <cstddef>

namespace qx {

TextQueue::TextQueue()
    : slots_(std::make_unique<Slot[]>(kSlots))
    , lengths_(std::make_unique<std::int16_t[]>(kSlots))
{
}

bool TextQueue::reset()
{
    std::lock_guard lock(mutex_);
    std::fill_n(slots_.get(), kSlots, Slot{});
    std::fill_n(lengths_.get(), kSlots, std::int16_t{0});
    read_ = 0;
    count_ = 0;
    interrupted_ = false;
    return true;
}

int TextQueue::put(std::string_view text)
{
    if (text.size() > static_cast<std::size_t>(kMaxText))
        return 0;
    {
        std::lock_guard lock(mutex_);
        const int write = (read_ + count_) % kSlots;
        if (count_ == kSlots)
            read_ = (read_ + 1) % kSlots; // the oldest entry gives way
        else
            ++count_;
        Slot& slot = slots_[static_cast<std::size_t>(write)];
        slot.fill('\0');
        std::copy(text.begin(), text.end(), slot.begin());
        lengths_[static_cast<std::size_t>(write)] = static_cast<std::int16_t>(text.size());
    }
    arrived_.notify_one();
    return static_cast<int>(text.size());
}

int TextQueue::tryTake(std::span<char> out)
{
    if (out.data() == nullptr || out.size() < static_cast<std::size_t>(kSlotSize))
        return kBadBuffer;
    std::lock_guard lock(mutex_);
    return takeLocked(out);
}

int TextQueue::take(std::span<char> out, std::chrono::milliseconds timeout)
{
    if (out.data() == nullptr || out.size() < static_cast<std::size_t>(kSlotSize))
        return kBadBuffer;
    std::unique_lock lock(mutex_);
    arrived_.wait_for(lock, timeout, [this] { return count_ > 0 || interrupted_; });
    return takeLocked(out);
}

int TextQueue::take(std::span<char> out)
{
    if (out.data() == nullptr || out.size() < static_cast<std::size_t>(kSlotSize))
        return kBadBuffer;
    std::unique_lock lock(mutex_);
    arrived_.wait(lock, [this] { return count_ > 0 || interrupted_; });
    return takeLocked(out);
}

void TextQueue::interrupt()
{
    {
        std::lock_guard lock(mutex_);
        interrupted_ = true;
    }
    arrived_.notify_all();
}

int TextQueue::pending() const
{
    std::lock_guard lock(mutex_);
    return count_;
}

int TextQueue::takeLocked(std::span<char> out)
{
    if (count_ == 0)
        return kNothing;
    const auto index = static_cast<std::size_t>(read_);
    const int length = lengths_[index];
    Slot& slot = slots_[index];
    std::copy_n(slot.begin(), length, out.begin());
    std::fill(out.begin() + length, out.begin() + kSlotSize, '\0');
    slot.fill('\0');
    lengths_[index] = 0;
    read_ = (read_ + 1) % kSlots;
    --count_;
    return length;
}

} // namespace qx
