#include "rigserver/LinkKeeper.h"

#include <algorithm>

namespace qx::rig {

bool LinkKeeper::due(bool linked, Clock::time_point now)
{
    if (linked) {
        next_.reset();
        wait_ = kFirstRetry;
        return false;
    }
    if (next_ && now < *next_)
        return false;
    if (next_)
        wait_ = std::min<Clock::duration>(wait_ * 2, kLongestRetry);
    next_ = now + wait_;
    return true;
}

} // namespace qx::rig
