// Keeps the link to the radio up when no operator is there to press the
// LINK key (the program running as a rig daemon): while the link is down it
// asks for it again, first at once, then after 5 s, doubling up to a minute
// so that a radio that is off or answers with another model id is not
// pestered. Pure timing; the caller posts the request.
#pragma once
#include <chrono>
#include <optional>

namespace qx::rig {

class LinkKeeper {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::seconds kFirstRetry{5};
    static constexpr std::chrono::seconds kLongestRetry{60};

    // True when the link-up request is to be posted now.
    bool due(bool linked, Clock::time_point now);

private:
    std::optional<Clock::time_point> next_;
    Clock::duration wait_ = kFirstRetry;
};

} // namespace qx::rig
