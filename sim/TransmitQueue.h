// Bytes waiting to leave on the line, paced like a real serial line: one
// character at a time, each taking the character time of the line speed, none
// before the moment its piece was queued for. Time is passed in, so pacing is
// tested without a clock.
#pragma once
#include <chrono>
#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace qx::sim {

// 8 data bits, no parity, 2 stop bits and the start bit.
inline constexpr int kBitsPerCharacter = 11;

constexpr std::chrono::nanoseconds characterTime(int bitsPerSecond)
{
    return bitsPerSecond > 0 ? std::chrono::nanoseconds(1'000'000'000LL * kBitsPerCharacter / bitsPerSecond)
                             : std::chrono::nanoseconds(0);
}

class TransmitQueue {
public:
    using TimePoint = std::chrono::steady_clock::time_point;

    struct Due {
        std::string bytes;                 // to write now
        std::vector<std::string> finished; // labels of pieces whose last byte is among them
    };

    // label: what the log shows when the piece is out; empty for none.
    void push(std::string bytes, TimePoint notBefore, std::string label = {});
    Due take(TimePoint now, std::chrono::nanoseconds perCharacter);
    // When the next byte may go; nothing when the queue is empty.
    std::optional<TimePoint> nextDue() const;
    bool empty() const { return pieces_.empty(); }
    void clear();

private:
    struct Piece {
        std::string bytes;
        TimePoint notBefore;
        std::string label;
        std::size_t sent = 0;
    };
    std::deque<Piece> pieces_;
    TimePoint lineFree_{};
};

} // namespace qx::sim
