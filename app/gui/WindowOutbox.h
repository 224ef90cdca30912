// The outbox the windows post through: everything goes on to the engine,
// and the LINK key's request is noticed on its way, so that the program's
// own reconnecting knows the operator has taken the link in hand.
#pragma once
#include "core/MessageIds.h"
#include "core/Outbox.h"

#include <functional>
#include <utility>

namespace qx {

class WindowOutbox final : public Outbox {
public:
    WindowOutbox(Outbox& to, std::function<void()> linkPressed) : to_(to), linkPressed_(std::move(linkPressed)) {}

    void postToThread(ThreadId t, const Message& m) override
    {
        if (t == ThreadId::AnlSend && m.id == UM_REQ_AI_TOGGLE && linkPressed_)
            linkPressed_();
        to_.postToThread(t, m);
    }
    void postToWindow(const Message& m) override { to_.postToWindow(m); }
    void sendToWindow(const Message& m) override { to_.sendToWindow(m); }
    void startTimer(int timerId, int periodMs) override { to_.startTimer(timerId, periodMs); }
    void stopTimer(int timerId) override { to_.stopTimer(timerId); }

private:
    Outbox& to_;
    std::function<void()> linkPressed_;
};

} // namespace qx
