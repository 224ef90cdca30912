#include "web/LoginLimiter.h"

#include <algorithm>

namespace qx::web {

std::chrono::seconds LoginLimiter::waitFor(const std::string& peer) const
{
    const auto it = records_.find(peer);
    if (it == records_.end())
        return std::chrono::seconds{0};
    const auto left = it->second.notBefore - now_();
    if (left <= WebClock::duration::zero())
        return std::chrono::seconds{0};
    return std::chrono::ceil<std::chrono::seconds>(left);
}

void LoginLimiter::failed(const std::string& peer)
{
    if (records_.size() >= kMaxAddresses && !records_.contains(peer)) {
        // A flood from many addresses: forget those whose wait is over.
        const auto now = now_();
        std::erase_if(records_, [now](const auto& r) { return r.second.notBefore <= now; });
    }
    Record& r = records_[peer];
    ++r.failures;
    if (r.failures < kFreeAttempts)
        return;
    const int doublings = std::min(r.failures - kFreeAttempts, 16);
    const auto wait = std::min<std::chrono::seconds>(kFirstWait * (1 << doublings), kMaxWait);
    r.notBefore = now_() + wait;
}

void LoginLimiter::succeeded(const std::string& peer) { records_.erase(peer); }

} // namespace qx::web
