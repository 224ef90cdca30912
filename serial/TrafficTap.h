// The bytes that cross the port, offered to whoever listens: the --trace
// file and the CAT monitor. Every device the link opens reports through
// one tap; while nobody listens a read or a write costs one atomic load.
//
// Listeners run on the thread that moved the bytes (send or receive), in
// the order the bytes crossed, one listener at a time; they must be quick
// and must not call back into the tap.
#pragma once
#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

namespace qx {

// Note: a line of the program's own between the bytes (a refused value).
enum class TrafficDirection : char { Written = 'W', Read = 'R', Note = '-' };

class TrafficTap {
public:
    using Listener = std::function<void(TrafficDirection, std::span<const std::uint8_t>)>;
    using Id = int;

    Id listen(Listener listener);
    // Once this returns the listener is not running and is never called again.
    void stopListening(Id id);
    bool listening() const { return listeners_.load(std::memory_order_acquire) > 0; }

    void record(TrafficDirection direction, std::span<const std::uint8_t> bytes);
    void note(std::string_view text);

private:
    std::atomic<int> listeners_{0};
    std::mutex mutex_;
    std::vector<std::pair<Id, Listener>> entries_;
    Id next_ = 1;
};

} // namespace qx
