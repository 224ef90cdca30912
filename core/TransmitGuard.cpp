#include "core/TransmitGuard.h"

namespace qx {

void TransmitGuard::setTimeout(std::chrono::seconds t)
{
    std::lock_guard lock(mutex_);
    timeout_ = t < std::chrono::seconds{0} ? std::chrono::seconds{0} : t;
}

std::chrono::seconds TransmitGuard::timeout() const
{
    std::lock_guard lock(mutex_);
    return timeout_;
}

void TransmitGuard::setReleased(Released r)
{
    std::lock_guard lock(mutex_);
    released_ = std::move(r);
}

void TransmitGuard::setArmed(Armed a)
{
    std::lock_guard lock(mutex_);
    armed_ = std::move(a);
}

void TransmitGuard::startClock(const std::string& who, std::unique_lock<std::mutex>& lock)
{
    holder_ = who;
    if (keyed_)
        return;
    keyed_ = true;
    seenOn_ = false;
    since_ = now_();
    const auto t = timeout_;
    Armed armed = armed_;
    lock.unlock();
    if (armed && t.count() > 0)
        armed(t);
    lock.lock();
}

void TransmitGuard::key(const std::string& who)
{
    std::unique_lock lock(mutex_);
    startClock(who, lock);
    lock.unlock();
    send_(true);
}

void TransmitGuard::unkey(const std::string&)
{
    {
        std::lock_guard lock(mutex_);
        keyed_ = false;
        holder_.clear();
    }
    send_(false);
}

void TransmitGuard::radioReports(bool transmitting)
{
    std::unique_lock lock(mutex_);
    if (transmitting) {
        if (!keyed_)
            startClock("the radio", lock);
        seenOn_ = true;
        return;
    }
    if (keyed_ && seenOn_) {
        keyed_ = false;
        holder_.clear();
    }
}

bool TransmitGuard::expireIfDue()
{
    std::unique_lock lock(mutex_);
    if (!keyed_ || timeout_.count() == 0)
        return false;
    const auto left = since_ + timeout_ - now_();
    if (left > Clock::duration::zero()) {
        Armed armed = armed_;
        lock.unlock();
        if (armed)
            armed(left);
        return false;
    }
    const std::string why = "Transmit time-out: the transmitter was keyed by " + holder_ + " for " +
                            std::to_string(timeout_.count()) + " s and has been released.";
    keyed_ = false;
    holder_.clear();
    Released released = released_;
    lock.unlock();
    send_(false);
    if (released)
        released(why);
    return true;
}

bool TransmitGuard::keyed() const
{
    std::lock_guard lock(mutex_);
    return keyed_;
}

std::string TransmitGuard::holder() const
{
    std::lock_guard lock(mutex_);
    return holder_;
}

} // namespace qx
