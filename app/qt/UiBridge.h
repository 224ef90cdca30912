// Carries worker traffic onto the UI thread's Qt event loop: posted and
// sent window messages, and the main window's numbered timers.
//
// Every entry point is safe from any thread. A send from a worker waits
// until the UI thread has handled the message, unless shutdown has begun:
// from then on sends no longer wait, so a worker can never hold up its own
// stop loop.
#pragma once
#include "app/WindowSink.h"

#include <QObject>

#include <atomic>
#include <functional>
#include <map>

class QTimer;

namespace qx {

class UiBridge : public QObject, public WindowSink {
    Q_OBJECT
public:
    using MessageHandler = std::function<void(const Message&)>;
    using TimerHandler = std::function<void(int timerId)>;

    explicit UiBridge(QObject* parent = nullptr);
    ~UiBridge() override;

    // Both run on the UI thread.
    void setMessageHandler(MessageHandler h) { onMessage_ = std::move(h); }
    void setTimerHandler(TimerHandler h) { onTimer_ = std::move(h); }

    void postToWindow(const Message& m) override;
    void sendToWindow(const Message& m) override;
    void startTimer(int timerId, int periodMs) override;
    void stopTimer(int timerId) override;

    void beginShutdown();
    bool timerActive(int timerId) const;
    int timerPeriod(int timerId) const;

protected:
    bool event(QEvent* e) override;

private:
    void startOnUiThread(int timerId, int periodMs);
    void stopOnUiThread(int timerId);
    bool onUiThread() const;

    MessageHandler onMessage_;
    TimerHandler onTimer_;
    std::map<int, QTimer*> timers_;
    std::atomic<bool> shuttingDown_{false};
};

} // namespace qx
