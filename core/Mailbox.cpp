#include "core/Mailbox.h"

#include <cstdint>
#include <sys/eventfd.h>
#include <unistd.h>

namespace qx {

Mailbox::~Mailbox()
{
    if (const int fd = wakeFd_.load(); fd >= 0)
        ::close(fd);
}

int Mailbox::wakeFd()
{
    std::lock_guard lock(mutex_);
    if (wakeFd_.load() < 0)
        wakeFd_.store(::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC));
    return wakeFd_.load();
}

void Mailbox::drainWake()
{
    const int fd = wakeFd_.load();
    if (fd < 0)
        return;
    std::uint64_t n = 0;
    [[maybe_unused]] const auto r = ::read(fd, &n, sizeof n);
}

// After the state change and outside the lock, so the woken thread does not
// run straight into it.
void Mailbox::signal()
{
    ready_.notify_one();
    if (const int fd = wakeFd_.load(); fd >= 0) {
        const std::uint64_t one = 1;
        [[maybe_unused]] const auto r = ::write(fd, &one, sizeof one);
    }
}

bool Mailbox::post(const Message& m)
{
    {
        std::lock_guard lock(mutex_);
        if (closed_)
            return false;
        queue_.push_back(m);
    }
    signal();
    return true;
}

void Mailbox::poke()
{
    {
        std::lock_guard lock(mutex_);
        poked_ = true;
    }
    signal();
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
    auto ready = [this] { return closed_ || poked_ || !queue_.empty(); };
    if (deadline == std::chrono::steady_clock::time_point::max())
        ready_.wait(lock, ready);
    else
        ready_.wait_until(lock, deadline, ready);
    poked_ = false;
    if (queue_.empty())
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
    signal();
}

std::size_t Mailbox::size() const
{
    std::lock_guard lock(mutex_);
    return queue_.size();
}

} // namespace qx
