// Brings a lost link back for the window, as the rig daemon does without
// one: once the link has been up, a link lost to the watchdog, an unplugged
// adapter, a hung-up pseudo-terminal or a stopped ser2net is asked for again
// at the rig server's pace (at once, after 5 s, then less and less often up
// to once a minute) until it is back. The operator's LINK press ends it:
// while linked it is the switch-off; while trying, it takes over (the
// panel's own attempts run, and their failure is final).
//
// Pure logic on the UI thread: the caller feeds the link status, the
// operator's LINK presses and a clock tick, and posts the attempts.
#pragma once
#include "cat/LinkState.h"
#include "rigserver/LinkKeeper.h"

#include <functional>
#include <string>

namespace qx {

class LinkKeepAlive {
public:
    using Clock = rig::LinkKeeper::Clock;

    // `linked`: the radio's auto-information is on. `attempt`: post one link-up.
    LinkKeepAlive(std::function<bool()> linked, std::function<void()> attempt);

    void linkStatus(const LinkStatus& s);
    // The operator pressed LINK (or the panel's own attempts after it ran).
    void operatorPressedLink();
    // About once a second.
    void tick(Clock::time_point now);

    bool armed() const { return armed_; }
    // Attempts since the link was lost; 0 while linked.
    int attempts() const { return attempts_; }
    // For the status line: empty unless trying.
    std::string note() const;

private:
    std::function<bool()> linked_;
    std::function<void()> attempt_;
    rig::LinkKeeper keeper_;
    bool pressPending_ = false; // pressed, and no report since of the link not up
    bool armed_ = false;
    int attempts_ = 0;
};

} // namespace qx
