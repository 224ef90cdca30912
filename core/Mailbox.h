// A worker's message queue: posting never blocks, taking waits.
#pragma once
#include "core/Message.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>

namespace qx {

class Mailbox {
public:
    // False once the mailbox is closed: the message is lost, as a post to an
    // ended thread is.
    bool post(const Message& m);
    // Waits for the next message; nothing when closed and empty.
    std::optional<Message> take();
    std::optional<Message> tryTake();
    // Waits at most until `deadline`; nothing when it passed first.
    std::optional<Message> takeUntil(std::chrono::steady_clock::time_point deadline);
    void close();
    std::size_t size() const;

private:
    mutable std::mutex mutex_;
    std::condition_variable ready_;
    std::deque<Message> queue_;
    bool closed_ = false;
};

} // namespace qx
