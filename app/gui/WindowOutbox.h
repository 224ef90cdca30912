// The outbox the windows post through: everything goes on to the engine,
// and the LINK key's request is noticed on its way, so that the program's
// own reconnecting knows the operator has taken the link in hand. The
// panel's TX key goes to the transmitter guard instead, as every other way
// of keying does, so that its time-out runs from the press.
#pragma once
#include "core/MessageIds.h"
#include "core/Outbox.h"
#include "core/TransmitGuard.h"

#include <functional>
#include <utility>

namespace qx {

class WindowOutbox final : public Outbox {
public:
    WindowOutbox(Outbox& to, std::function<void()> linkPressed) : to_(to), linkPressed_(std::move(linkPressed)) {}

    // The guard the TX key asks, and what the radio last reported; without
    // a guard the key's toggle goes to the radio as it is.
    void setGuard(TransmitGuard* guard, std::function<bool()> radioTransmitting)
    {
        guard_ = guard;
        radioTransmitting_ = std::move(radioTransmitting);
    }

    void postToThread(ThreadId t, const Message& m) override
    {
        if (t == ThreadId::AnlSend && m.id == UM_REQ_AI_TOGGLE && linkPressed_)
            linkPressed_();
        if (t == ThreadId::AnlSend && m.id == UM_REQ_TX_TOGGLE && guard_) {
            // The key turns over what the operator sees: a transmitter
            // keyed by anyone (the radio's own PTT included) is unkeyed.
            if (guard_->keyed() || (radioTransmitting_ && radioTransmitting_()))
                guard_->unkey("the panel");
            else
                guard_->key("the panel");
            return;
        }
        to_.postToThread(t, m);
    }
    void postToWindow(const Message& m) override { to_.postToWindow(m); }
    void sendToWindow(const Message& m) override { to_.sendToWindow(m); }
    void startTimer(int timerId, int periodMs) override { to_.startTimer(timerId, periodMs); }
    void stopTimer(int timerId) override { to_.stopTimer(timerId); }

private:
    Outbox& to_;
    std::function<void()> linkPressed_;
    TransmitGuard* guard_ = nullptr;
    std::function<bool()> radioTransmitting_;
};

} // namespace qx
