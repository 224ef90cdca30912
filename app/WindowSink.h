// The window half of the Outbox: what the engine hands to whoever hosts it
// on the UI thread (the main window, or the headless runner).
#pragma once
#include "core/Message.h"

namespace qx {

class WindowSink {
public:
    virtual ~WindowSink() = default;
    virtual void postToWindow(const Message& m) = 0;
    virtual void sendToWindow(const Message& m) = 0;
    virtual void startTimer(int timerId, int periodMs) = 0;
    virtual void stopTimer(int timerId) = 0;
};

} // namespace qx
