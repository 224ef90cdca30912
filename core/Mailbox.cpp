#include "core/Mailbox.h"

namespace qx {

bool Mailbox::post(const Message& m)
{
    {
        std::lock_guard lock(mutex_);
        if (closed_)
            return false;
        queue_.push_back(m);
    }
    ready_.notify_one();
    return true;
}

std::optional<Message> Mailbox::take()
{
    std::unique_lock lock(mutex_);
    ready_.wait(lock, [this] { return closed_ || !queue_.empty(); });
    if (queue_.empty())
        return std::nullopt;
    Message m = queue_.front();
    queue_.pop_front();
    return m;
}

std::optional<Message> Mailbox::takeUntil(std::chrono::steady_clock::time_point deadline)
{
    std::unique_lock lock(mutex_);
    if (!ready_.wait_until(lock, deadline, [this] { return closed_ || !queue_.empty(); }) || queue_.empty())
        return std::nullopt;
    Message m = queue_.front();
    queue_.pop_front();
    return m;
}

std::optional<Message> Mailbox::tryTake()
{
    std::lock_guard lock(mutex_);
    if (queue_.empty())
        return std::nullopt;
    Message m = queue_.front();
    queue_.pop_front();
    return m;
}

void Mailbox::close()
{
    {
        std::lock_guard lock(mutex_);
        closed_ = true;
        queue_.clear();
    }
    ready_.notify_all();
}

std::size_t Mailbox::size() const
{
    std::lock_guard lock(mutex_);
    return queue_.size();
}

} // namespace qx
