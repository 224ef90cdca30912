#include "app/gui/LinkKeepAlive.h"

#include <utility>

namespace qx {

LinkKeepAlive::LinkKeepAlive(std::function<bool()> linked, std::function<void()> attempt)
    : linked_(std::move(linked)), attempt_(std::move(attempt))
{
}

void LinkKeepAlive::linkStatus(const LinkStatus& s)
{
    if (s.phase == LinkPhase::Linked) {
        armed_ = true;
        attempts_ = 0;
    }
}

void LinkKeepAlive::operatorPressedLink()
{
    armed_ = false;
    attempts_ = 0;
}

void LinkKeepAlive::tick(Clock::time_point now)
{
    if (!armed_)
        return;
    const bool linked = linked_();
    if (linked)
        attempts_ = 0;
    if (keeper_.due(linked, now)) {
        ++attempts_;
        attempt_();
    }
}

std::string LinkKeepAlive::note() const
{
    if (!armed_ || attempts_ == 0)
        return {};
    return "reconnecting by itself, attempt " + std::to_string(attempts_) + " (LINK stops)";
}

} // namespace qx
