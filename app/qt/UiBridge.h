// Carries worker traffic onto the UI thread's Qt event loop: posted and
// sent window messages, and the main window's numbered timers.
//
// Every entry point is safe from any thread. Work from other threads goes
// into an inbox guarded by our own mutex and the UI thread is woken through
// an eventfd watched by a socket notifier, so the hand-off is plain
// mutex-and-syscall synchronisation that race checkers can follow. A send
// from a worker waits until the UI thread has handled the message, unless
// shutdown has begun: from then on sends no longer wait, so a worker can
// never hold up its own stop loop.
#pragma once
#include "app/WindowSink.h"

#include <QObject>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

class QSocketNotifier;
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
    // Also told of every message, after the handler (the web server and the
    // transmitter guard learn of state changes this way).
    void addMessageObserver(MessageHandler h) { observers_.push_back(std::move(h)); }

    void postToWindow(const Message& m) override;
    void sendToWindow(const Message& m) override;
    void startTimer(int timerId, int periodMs) override;
    void stopTimer(int timerId) override;

    // Runs `call` on the UI thread: at once when called there, otherwise in
    // turn with the messages and timers already on their way.
    void callOnUiThread(std::function<void()> call);
    bool onUiThread() const;

    void beginShutdown();
    // Handles everything waiting in the inbox now (UI thread).
    void drain();
    bool timerActive(int timerId) const;
    int timerPeriod(int timerId) const;

private:
    struct Waiter {
        bool done = false;
    };
    struct Item {
        enum class Kind { Post, Send, Start, Stop, Call } kind;
        Message message;
        int timerId = 0;
        int periodMs = 0;
        std::shared_ptr<Waiter> waiter;
        std::function<void()> call;
    };

    void enqueue(Item item);
    void handle(Item& item);
    void startOnUiThread(int timerId, int periodMs);
    void stopOnUiThread(int timerId);

    void deliver(const Message& m);

    MessageHandler onMessage_;
    std::vector<MessageHandler> observers_;
    TimerHandler onTimer_;
    std::map<int, QTimer*> timers_;
    std::atomic<bool> shuttingDown_{false};

    int wakeFd_ = -1;
    QSocketNotifier* notifier_ = nullptr;
    std::mutex mutex_;
    std::condition_variable handled_;
    std::deque<Item> inbox_;
};

} // namespace qx
