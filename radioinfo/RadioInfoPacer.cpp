#include "radioinfo/RadioInfoPacer.h"

namespace qx::radioinfo {

std::optional<RadioInfo> RadioInfoPacer::take(const RadioInfo& now, Clock::time_point at)
{
    if (sent_ && *sent_ == now)
        return std::nullopt;
    if (sentAt_ && at - *sentAt_ < kMinInterval)
        return std::nullopt;
    sent_ = now;
    sentAt_ = at;
    return now;
}

} // namespace qx::radioinfo
