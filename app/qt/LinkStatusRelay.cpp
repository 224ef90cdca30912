#include "app/qt/LinkStatusRelay.h"

#include "app/qt/UiBridge.h"

namespace qx {

LinkStatusRelay::LinkStatusRelay(UiBridge& bridge, Apply apply)
    : bridge_(bridge), apply_(std::move(apply)), self_(std::make_shared<LinkStatusRelay*>(this))
{
}

void LinkStatusRelay::report(const LinkStatus& s)
{
    {
        std::lock_guard lock(mutex_);
        pending_.push_back(s);
        if (!bridge_.onUiThread()) {
            if (scheduled_)
                return;
            scheduled_ = true;
            bridge_.callOnUiThread([alive = std::weak_ptr<LinkStatusRelay*>(self_)] {
                if (auto relay = alive.lock())
                    (*relay)->drain();
            });
            return;
        }
    }
    drain();
}

void LinkStatusRelay::drain()
{
    std::deque<LinkStatus> now;
    {
        std::lock_guard lock(mutex_);
        now.swap(pending_);
        scheduled_ = false;
    }
    for (const LinkStatus& s : now)
        apply_(s);
}

} // namespace qx
