#include "app/gui/LinkKeepAlive.h"

#include <utility>

namespace qx {

LinkKeepAlive::LinkKeepAlive(std::function<bool()> linked, std::function<void()> attempt)
    : linked_(std::move(linked)), attempt_(std::move(attempt))
{
}

void LinkKeepAlive::linkStatus(const LinkStatus& s)
{
    // A report made before the operator's LINK press can reach us after it
    // (it queues behind other messages on its way to this thread): only the
    // link coming up after the press, past a report of it down or being
    // brought up, arms us again.
    if (s.phase != LinkPhase::Linked) {
        pressPending_ = false;
        return;
    }
    if (pressPending_)
        return;
    armed_ = true;
    attempts_ = 0;
}

void LinkKeepAlive::operatorPressedLink()
{
    pressPending_ = true;
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
