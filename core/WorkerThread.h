// The shell every worker runs in: one std::thread, one mailbox, messages
// handled one at a time in posting order. A quit message ends it.
//
// Lifecycle: the UI thread creates and starts the shell, anyone posts to it,
// and the UI thread stops it with the stop loop (quit re-posted every 100 ms,
// given up after 52 tries). A worker may also end itself by posting quit to
// its own mailbox. The handler object must outlive the shell.
//
// A shell may also pace itself: with a tick set before start, it hands its
// handler the tick message every period while it waits for mail, so a
// steady poll wakes only the thread that does the work.
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

namespace qx {

class MessageHandler {
public:
    virtual ~MessageHandler() = default;
    virtual void handle(const Message& m) = 0;
    // Runs on the worker's thread when the quit message ends it.
    virtual void onQuit() {}
};

class WorkerThread {
public:
    static constexpr int kStopTries = 52;
    static constexpr std::chrono::milliseconds kStopStep{100};

    WorkerThread(std::string name, MessageHandler& handler);
    ~WorkerThread();
    WorkerThread(const WorkerThread&) = delete;
    WorkerThread& operator=(const WorkerThread&) = delete;

    // Before start(): handle `tick` every `period` (missed ticks are dropped,
    // not made up in a burst).
    void setTick(const Message& tick, std::chrono::milliseconds period);
    void start();
    // Never blocks; false when the thread has ended (the message is lost).
    bool post(const Message& m);
    // The stop loop. True when the thread ended; false when it was abandoned.
    bool stop();
    bool finished() const { return finished_.load(std::memory_order_acquire); }
    const std::string& name() const { return name_; }

private:
    void run();
    std::optional<Message> next();
    bool waitFinished(std::chrono::milliseconds d);

    std::string name_;
    MessageHandler& handler_;
    Mailbox mailbox_;
    std::optional<Message> tick_;
    std::chrono::milliseconds tickPeriod_{0};
    std::chrono::steady_clock::time_point nextTick_;
    std::thread thread_;
    std::atomic<bool> finished_{false};
    std::mutex finishMutex_;
    std::condition_variable finishedCv_;
};

} // namespace qx
