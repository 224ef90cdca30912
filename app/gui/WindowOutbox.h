// The outbox the windows post through, and their raw send: everything goes
// on to the engine while the radio is linked. Without the link the radio's
// answers would not come back, so a window or a macro would change the radio
// while the panel kept showing the old values: then only the requests that
// bring the link up (LINK, POWER) go on, the rest are dropped and the
// status line says why. The LINK key's request is also noticed on its way,
// so that the program's own reconnecting knows the operator has taken the
// link in hand.
// The panel's TX key goes to the transmitter guard instead, as every other
// way of keying does, so that its time-out runs from the press.
#pragma once
#include "core/Outbox.h"
#include "core/TransmitGuard.h"

#include <cstdint>
#include <functional>
#include <string>
#include <utility>

namespace qx {

class WindowOutbox final : public Outbox {
public:
    struct Hooks {
        std::function<bool()> linked;                        // the radio is linked now
        std::function<bool(const std::string&)> sendRaw;     // the engine's raw send
        std::function<void()> linkPressed;                   // a LINK request passed
        std::function<void()> refused;                       // something was dropped for want of a link
    };

    WindowOutbox(Outbox& to, Hooks hooks) : to_(to), hooks_(std::move(hooks)) {}

    void postToThread(ThreadId t, const Message& m) override;
    // The guard the TX key asks, and what the radio last reported; without
    // a guard the key's toggle goes to the radio as it is.
    void setGuard(TransmitGuard* guard, std::function<bool()> radioTransmitting)
    {
        guard_ = guard;
        radioTransmitting_ = std::move(radioTransmitting);
    }

    void postToWindow(const Message& m) override { to_.postToWindow(m); }
    void sendToWindow(const Message& m) override { to_.sendToWindow(m); }
    void startTimer(int timerId, int periodMs) override { to_.startTimer(timerId, periodMs); }
    void stopTimer(int timerId) override { to_.stopTimer(timerId); }

    // A text for the line as typed or from a macro; false when it was
    // dropped for want of a link or did not fit.
    bool sendRaw(const std::string& text);

    // The requests that may go while the radio is not linked.
    static bool bringsLinkUp(std::uint32_t request);

private:
    bool linked() const { return !hooks_.linked || hooks_.linked(); }
    void refuse() const
    {
        if (hooks_.refused)
            hooks_.refused();
    }

    Outbox& to_;
    Hooks hooks_;
    TransmitGuard* guard_ = nullptr;
    std::function<bool()> radioTransmitting_;
};

} // namespace qx
