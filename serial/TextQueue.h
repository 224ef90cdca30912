// A fixed ring of 2048 texts of at most 511 bytes, carrying commands to the
// send thread and framed answers to the analyser. Several producers may put
// at once; one consumer takes. Put never blocks: a producer 2048 entries
// ahead drops the oldest unread entry. A waiting take can be interrupted so
// that its thread can always be stopped.
#pragma once
#include <array>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <span>
#include <string_view>

namespace qx {

class TextQueue {
public:
    static constexpr int kSlots = 2048;
    static constexpr int kSlotSize = 512;
    static constexpr int kMaxText = kSlotSize - 1;
    // take results other than a text length
    static constexpr int kNothing = -1;   // no entry arrived (timed out, interrupted or empty)
    static constexpr int kBadBuffer = -2; // destination null or shorter than kSlotSize

    TextQueue();
    TextQueue(const TextQueue&) = delete;
    TextQueue& operator=(const TextQueue&) = delete;

    // Empties every slot and lifts an earlier interrupt. Always true.
    bool reset();

    // Stores text and returns its length; a text longer than kMaxText is
    // refused and 0 returned.
    int put(std::string_view text);

    // The oldest entry into out, which must hold kSlotSize bytes: its length,
    // with the rest of the kSlotSize bytes zeroed. tryTake returns at once;
    // take waits until an entry arrives, timeout passes or interrupt() is
    // called. An entry already present is returned even after interrupt().
    int tryTake(std::span<char> out);
    int take(std::span<char> out, std::chrono::milliseconds timeout);
    int take(std::span<char> out);

    // Ends every current and later wait until the next reset().
    void interrupt();

    int pending() const;

private:
    using Slot = std::array<char, kSlotSize>;

    int takeLocked(std::span<char> out);

    mutable std::mutex mutex_;
    std::condition_variable arrived_;
    std::unique_ptr<Slot[]> slots_;
    std::unique_ptr<std::int16_t[]> lengths_;
    int read_ = 0;   // slot of the oldest unread entry
    int count_ = 0;  // unread entries
    bool interrupted_ = false;
};

} // namespace qx
