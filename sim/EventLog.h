// Everything that crossed the line, with a millisecond time stamp and its
// direction: commands the radio received, answers it sent, and notes on what
// the simulator did (faults, hang-ups). Kept in memory for tests, which wait
// on it instead of sleeping, and written to a file when one is given.
// Thread-safe.
#pragma once
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace qx::sim {

enum class Direction { Received, Sent, Note };

struct LogEvent {
    std::chrono::milliseconds at;  // since the log was created
    Direction direction;
    std::string text;
};

class EventLog {
public:
    using Events = std::vector<LogEvent>;
    using Predicate = std::function<bool(const Events&)>;

    EventLog();
    ~EventLog();
    EventLog(const EventLog&) = delete;
    EventLog& operator=(const EventLog&) = delete;

    // Appends to the file from now on; false when it cannot be opened.
    bool writeTo(const std::string& path);
    void record(Direction direction, std::string text);

    Events events() const;
    // True as soon as the predicate holds, false after the time-out.
    bool waitFor(const Predicate& predicate, std::chrono::milliseconds timeout) const;
    // Waits for an event of that direction and text recorded at or after index `from`.
    bool waitForText(Direction direction, std::string_view text, std::chrono::milliseconds timeout,
                     std::size_t from = 0) const;
    std::size_t size() const;

    // One line of the file: "    1234 ms  RX  FA;". Bytes outside printable
    // ASCII are written as \xNN.
    static std::string format(const LogEvent& event);

private:
    const std::chrono::steady_clock::time_point start_;
    mutable std::mutex mutex_;
    mutable std::condition_variable changed_;
    Events events_;
    std::FILE* file_ = nullptr;
};

} // namespace qx::sim
