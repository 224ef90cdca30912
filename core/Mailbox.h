// A worker's message queue: posting never blocks, taking waits.
#pragma once
#include "core/Message.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>

namespace qx {

class Mailbox {
public:
    Mailbox() = default;
    ~Mailbox();
    Mailbox(const Mailbox&) = delete;
    Mailbox& operator=(const Mailbox&) = delete;

    // False once the mailbox is closed: the message is lost, as a post to an
    // ended thread is.
    bool post(const Message& m);
    // Waits for the next message; nothing when closed and empty.
    std::optional<Message> take();
    std::optional<Message> tryTake();
    // Waits at most until `deadline`; nothing when it passed first, or when
    // poke() was called meanwhile.
    std::optional<Message> takeUntil(std::chrono::steady_clock::time_point deadline);
    // Ends the current (or the next) wait without a message: the waiter has
    // something else to look at, such as a timer that was just set.
    void poke();
    void close();
    std::size_t size() const;

    // For a thread that waits in poll() rather than here: a descriptor that
    // becomes readable with every post and poke. Call before other threads
    // post; -1 when the system cannot make one.
    int wakeFd();
    // Empties the descriptor; done before looking for mail, so a post that
    // comes after the look still wakes the next poll.
    void drainWake();

private:
    void signal();

    mutable std::mutex mutex_;
    std::condition_variable ready_;
    std::deque<Message> queue_;
    bool closed_ = false;
    bool poked_ = false;
    std::atomic<int> wakeFd_{-1};
};

} // namespace qx
