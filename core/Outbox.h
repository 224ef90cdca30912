// Everything a worker may ask of the rest of the program: post to a thread,
// post or send to the main window, start or stop one of the main window's
// timers. The real one marshals to the UI thread; tests record the calls.
#pragma once
#include "core/Message.h"

namespace qx {

class Outbox {
public:
    virtual ~Outbox() = default;
    // Never blocks; a message to a thread that has ended is lost.
    virtual void postToThread(ThreadId to, const Message& m) = 0;
    virtual void postToWindow(const Message& m) = 0;
    // Waits until the main window has handled the message.
    virtual void sendToWindow(const Message& m) = 0;
    // Timers are the main window's, keyed by their number; starting a running
    // timer restarts it with the new period.
    virtual void startTimer(int timerId, int periodMs) = 0;
    virtual void stopTimer(int timerId) = 0;
};

} // namespace qx
