// The CAT monitor's record of the traffic: bytes from the TrafficTap cut
// into one line per command or answer (at each ";"), the newest `limit`
// lines kept. Written text ends its line at the end of each write, so a raw
// command without ";" still shows on its own; read text waits for its ";"
// across reads, up to kMaxLineBytes (noise never ends a line otherwise).
//
// Safe from any thread: the tap adds from the send and receive threads
// while the window reads.
#pragma once
#include "serial/TrafficTap.h"

#include <chrono>
#include <cstdint>
#include <deque>
#include <mutex>
#include <span>
#include <string>
#include <vector>

namespace qx {

struct TrafficLine {
    std::uint64_t seq = 0; // 1 for the first line ever added
    std::chrono::system_clock::time_point time;
    TrafficDirection direction = TrafficDirection::Written;
    std::string text; // printable: other bytes as \xNN
};

class TrafficLog {
public:
    static constexpr std::size_t kDefaultLimit = 10000;
    static constexpr std::size_t kMaxLineBytes = 512;

    explicit TrafficLog(std::size_t limit = kDefaultLimit) : limit_(limit == 0 ? 1 : limit) {}

    void add(TrafficDirection direction, std::span<const std::uint8_t> bytes, std::chrono::system_clock::time_point t);
    // The lines added after line `seq` that are still kept; moves `seq` to the last one.
    std::vector<TrafficLine> since(std::uint64_t& seq) const;
    std::vector<TrafficLine> lines() const;
    std::size_t size() const;
    std::size_t limit() const { return limit_; }
    // Forgets every line and any answer half read.
    void clear();

private:
    void push(TrafficDirection direction, std::string_view raw, std::chrono::system_clock::time_point t);

    const std::size_t limit_;
    mutable std::mutex mutex_;
    std::deque<TrafficLine> lines_;
    std::uint64_t nextSeq_ = 1;
    std::string partialRead_;
};

} // namespace qx
