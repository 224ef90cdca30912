// Carries the engine's link reports to the UI thread in the order they were
// made: a report made on the UI thread itself is applied at once (after any
// still on their way), so what the window says next to it, such as a
// message box, comes after it; one made on a worker goes through the
// UiBridge, in turn with the messages already on their way.
#pragma once
#include "cat/LinkState.h"

#include <deque>
#include <functional>
#include <memory>
#include <mutex>

namespace qx {

class UiBridge;

class LinkStatusRelay {
public:
    using Apply = std::function<void(const LinkStatus&)>;
    LinkStatusRelay(UiBridge& bridge, Apply apply);
    LinkStatusRelay(const LinkStatusRelay&) = delete;
    LinkStatusRelay& operator=(const LinkStatusRelay&) = delete;

    // From any thread.
    void report(const LinkStatus& s);

private:
    void drain();

    UiBridge& bridge_;
    Apply apply_;
    std::mutex mutex_;
    std::deque<LinkStatus> pending_;
    bool scheduled_ = false;
    // A drain still on its way when the relay goes finds it gone.
    std::shared_ptr<LinkStatusRelay*> self_;
};

} // namespace qx
