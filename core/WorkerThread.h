// The shell every worker runs in: one std::thread, one mailbox, messages
// handled one at a time in posting order. A quit message ends it.
//
// Lifecycle: the UI thread creates and starts the shell, anyone posts to it,
// and the UI thread stops it with the stop loop (quit re-posted every 100 ms,
// given up after 52 tries). A worker may also end itself by posting quit to
// its own mailbox. The handler object must outlive the shell.
//
// Between messages the thread sleeps. It wakes for mail, for one of its own
// timers (a tick that would otherwise come from the UI thread as a message,
// waking two threads instead of one), and, when it watches input, for the
// descriptor its handler names: a receive side waits on its port this way
// instead of looking every few milliseconds.
#pragma once
#include "core/Mailbox.h"
#include "core/Message.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace qx {

// What a worker that watches input waits on besides its mail and timers.
struct InputWait {
    int fd = -1; // becomes readable when there is input, or hangs up; -1: none
    // Look at the input at this time at the latest, ready or not.
    std::optional<std::chrono::steady_clock::time_point> until;
};

class MessageHandler {
public:
    virtual ~MessageHandler() = default;
    virtual void handle(const Message& m) = 0;
    // Runs on the worker's thread when the quit message ends it.
    virtual void onQuit() {}
    // A tick of one of the thread's own timers.
    virtual void onTimer(int /*timerId*/) {}
    // For a thread that watches input: asked before every wait.
    virtual InputWait inputWait() { return {}; }
    // The descriptor is ready (`revents` as poll reports it), or `until`
    // passed (0).
    virtual void onInput(short /*revents*/) {}
};

class WorkerThread {
public:
    static constexpr int kStopTries = 52;
    static constexpr std::chrono::milliseconds kStopStep{100};

    WorkerThread(std::string name, MessageHandler& handler);
    ~WorkerThread();
    WorkerThread(const WorkerThread&) = delete;
    WorkerThread& operator=(const WorkerThread&) = delete;

    // Before start(): let the handler's inputWait() and onInput() take part.
    void watchInput();
    void start();
    // Never blocks; false when the thread has ended (the message is lost).
    bool post(const Message& m);
    // The stop loop. True when the thread ended; false when it was abandoned.
    bool stop();
    bool finished() const { return finished_.load(std::memory_order_acquire); }
    const std::string& name() const { return name_; }

    // The thread's own timers, from any thread, before or after start: a
    // tick every `period` until stopped; starting a running timer restarts
    // it. A due tick goes before waiting mail; ticks missed while the
    // handler was busy are dropped, not made up in a burst.
    void startTimer(int timerId, std::chrono::milliseconds period);
    void stopTimer(int timerId);
    void stopTimers();
    bool timerActive(int timerId) const;

private:
    using TimePoint = std::chrono::steady_clock::time_point;
    struct Timer {
        int id;
        std::chrono::milliseconds period;
        TimePoint next;
    };
    struct Event {
        enum class Kind { Mail, Tick, Input } kind;
        Message message{};
        int timerId = 0;
        short revents = 0;
    };

    void run();
    Event next();
    std::optional<int> dueTimer(TimePoint now, TimePoint& nextDeadline);
    bool waitFinished(std::chrono::milliseconds d);

    std::string name_;
    MessageHandler& handler_;
    Mailbox mailbox_;
    bool watchesInput_ = false;
    mutable std::mutex timerMutex_;
    std::vector<Timer> timers_;
    std::thread thread_;
    std::atomic<bool> finished_{false};
    std::mutex finishMutex_;
    std::condition_variable finishedCv_;
};

} // namespace qx
