#include "cat/LinkState.h"

#include <cstdio>

namespace qx {

std::string linkPhaseText(const LinkStatus& s)
{
    switch (s.phase) {
    case LinkPhase::NoPort: return "no port";
    case LinkPhase::PortOpen: return "port open";
    case LinkPhase::Connecting:
        if (s.attempt <= 0)
            return "connecting";
        if (s.attempt > kLinkAttempts)
            return "connecting (attempt " + std::to_string(s.attempt) + ")";
        return "connecting (attempt " + std::to_string(s.attempt) + " of " + std::to_string(kLinkAttempts) + ")";
    case LinkPhase::Linked: {
        char id[16];
        std::snprintf(id, sizeof id, "%04d", s.radioId);
        return std::string("linked (radio ID ") + id + ", auto-information on)";
    }
    case LinkPhase::RadioOff: return "radio off";
    case LinkPhase::LinkLost: return "link lost (watchdog)";
    case LinkPhase::ClosedBySleep: return "port closed (sleep)";
    }
    return {};
}

std::string linkStatusText(const LinkStatus& s)
{
    std::string out = linkPhaseText(s);
    if (!s.port.empty())
        out += " on " + s.port;
    if (s.baud > 0)
        out += " at " + std::to_string(s.baud) + " bit/s";
    return out;
}

void LinkStateMachine::setListener(Listener listener)
{
    std::lock_guard lock(mutex_);
    listener_ = std::move(listener);
}

void LinkStateMachine::setPortInfo(PortInfo info)
{
    std::lock_guard lock(mutex_);
    portInfo_ = std::move(info);
}

LinkStatus LinkStateMachine::status() const
{
    std::lock_guard lock(mutex_);
    return status_;
}

bool LinkStateMachine::portIsOpen() const
{
    return status_.phase != LinkPhase::NoPort && status_.phase != LinkPhase::ClosedBySleep;
}

void LinkStateMachine::enter(LinkPhase phase)
{
    status_.phase = phase;
    if (phase != LinkPhase::Connecting)
        status_.attempt = 0;
    status_.radioId = phase == LinkPhase::Linked ? knownId_ : 0;
}

void LinkStateMachine::leaveConnecting() { enter(beforeConnecting_); }

void LinkStateMachine::refreshPort()
{
    if (!portInfo_)
        return;
    auto [port, baud] = portInfo_();
    status_.port = std::move(port);
    status_.baud = baud;
}

void LinkStateMachine::report()
{
    if (everReported_ && status_ == reported_)
        return;
    everReported_ = true;
    reported_ = status_;
    if (listener_)
        listener_(status_);
}

void LinkStateMachine::portChanged()
{
    std::lock_guard lock(mutex_);
    refreshPort();
    report();
}

void LinkStateMachine::portOpened()
{
    std::lock_guard lock(mutex_);
    refreshPort();
    // An attempt may have opened the port itself; it goes on.
    if (!portIsOpen())
        enter(LinkPhase::PortOpen);
    report();
}

void LinkStateMachine::portClosed(bool bySleep)
{
    std::lock_guard lock(mutex_);
    aiOn_ = false;
    enter(bySleep ? LinkPhase::ClosedBySleep : LinkPhase::NoPort);
    report();
}

void LinkStateMachine::openFailed()
{
    std::lock_guard lock(mutex_);
    refreshPort();
    aiOn_ = false;
    enter(LinkPhase::NoPort);
    report();
}

void LinkStateMachine::attempt(std::int64_t nowMs)
{
    std::lock_guard lock(mutex_);
    if (status_.phase == LinkPhase::Linked)
        return;
    if (status_.phase != LinkPhase::Connecting) {
        // A closed port is opened by the attempt itself.
        beforeConnecting_ = portIsOpen() ? status_.phase : LinkPhase::PortOpen;
        enter(LinkPhase::Connecting);
    }
    ++status_.attempt;
    lastAttemptMs_ = nowMs;
    report();
}

void LinkStateMachine::attemptsEnded()
{
    std::lock_guard lock(mutex_);
    if (status_.phase == LinkPhase::Connecting && !aiOn_)
        leaveConnecting();
    report();
}

void LinkStateMachine::autoInformation(bool on)
{
    std::lock_guard lock(mutex_);
    aiOn_ = on;
    if (on && status_.phase != LinkPhase::Linked) {
        // The same radio is still there (the port was reopened, or it was
        // switched on again): linked at once; otherwise its "ID" decides.
        if (knownId_ != 0) {
            enter(LinkPhase::Linked);
        } else if (status_.phase != LinkPhase::Connecting) {
            beforeConnecting_ = portIsOpen() ? status_.phase : LinkPhase::PortOpen;
            enter(LinkPhase::Connecting);
        }
    } else if (!on && status_.phase == LinkPhase::Linked) {
        enter(LinkPhase::PortOpen);
    }
    report();
}

void LinkStateMachine::radioIdentified(int id)
{
    std::lock_guard lock(mutex_);
    knownId_ = id;
    // An identity answer that was on its way when the operator switched the
    // link off names the radio, but does not bring the link back.
    if (aiOn_)
        enter(LinkPhase::Linked);
    report();
}

void LinkStateMachine::identificationFailed()
{
    std::lock_guard lock(mutex_);
    knownId_ = 0;
    aiOn_ = false;
    if (status_.phase == LinkPhase::Connecting)
        leaveConnecting();
    else if (status_.phase == LinkPhase::Linked)
        enter(LinkPhase::PortOpen);
    report();
}

void LinkStateMachine::power(bool on)
{
    std::lock_guard lock(mutex_);
    if (!on && portIsOpen())
        enter(LinkPhase::RadioOff);
    else if (on && status_.phase == LinkPhase::RadioOff)
        enter(LinkPhase::PortOpen);
    report();
}

void LinkStateMachine::watchdog()
{
    std::lock_guard lock(mutex_);
    if (status_.phase == LinkPhase::Linked || status_.phase == LinkPhase::RadioOff) {
        aiOn_ = false;
        enter(LinkPhase::LinkLost);
    }
    report();
}

void LinkStateMachine::tick(std::int64_t nowMs)
{
    std::lock_guard lock(mutex_);
    if (status_.phase == LinkPhase::Connecting && !aiOn_ && nowMs - lastAttemptMs_ >= kAttemptTimeoutMs)
        leaveConnecting();
    report();
}

} // namespace qx
