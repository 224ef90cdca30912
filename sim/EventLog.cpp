#include "sim/EventLog.h"

#include "core/FileIo.h"

#include <cstdio>
#include <unistd.h>

namespace qx::sim {
namespace {

std::string_view label(Direction d)
{
    switch (d) {
    case Direction::Received:
        return "RX";
    case Direction::Sent:
        return "TX";
    case Direction::Note:
        break;
    }
    return "--";
}

} // namespace

EventLog::EventLog() : start_(std::chrono::steady_clock::now()) {}

EventLog::~EventLog()
{
    if (file_)
        std::fclose(file_);
}

bool EventLog::writeTo(const std::string& path)
{
    // Only a regular file: a FIFO without a reader would stop the radio.
    std::string why;
    const int fd = openRegularFileForWriting(path, WriteMode::Append, why);
    if (fd < 0)
        return false;
    std::FILE* f = ::fdopen(fd, "a");
    if (!f) {
        ::close(fd);
        return false;
    }
    std::lock_guard lock(mutex_);
    if (file_)
        std::fclose(file_);
    file_ = f;
    return true;
}

void EventLog::record(Direction direction, std::string text)
{
    const auto at = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start_);
    {
        std::lock_guard lock(mutex_);
        events_.push_back(LogEvent{at, direction, std::move(text)});
        if (file_) {
            const std::string line = format(events_.back()) + "\n";
            std::fputs(line.c_str(), file_);
            std::fflush(file_);
        }
    }
    changed_.notify_all();
}

EventLog::Events EventLog::events() const
{
    std::lock_guard lock(mutex_);
    return events_;
}

bool EventLog::waitFor(const Predicate& predicate, std::chrono::milliseconds timeout) const
{
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, timeout, [&] { return predicate(events_); });
}

bool EventLog::waitForText(Direction direction, std::string_view text, std::chrono::milliseconds timeout,
                           std::size_t from) const
{
    return waitFor(
        [&](const Events& events) {
            for (std::size_t i = from; i < events.size(); ++i) {
                if (events[i].direction == direction && events[i].text == text)
                    return true;
            }
            return false;
        },
        timeout);
}

std::size_t EventLog::size() const
{
    std::lock_guard lock(mutex_);
    return events_.size();
}

std::string EventLog::format(const LogEvent& event)
{
    char head[40];
    std::snprintf(head, sizeof head, "%8lld ms  %s  ", static_cast<long long>(event.at.count()),
                  label(event.direction).data());
    std::string line = head;
    for (char c : event.text) {
        const auto u = static_cast<unsigned char>(c);
        if (u >= 0x20 && u < 0x7F && c != '\\') {
            line += c;
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", u);
            line += escaped;
        }
    }
    return line;
}

} // namespace qx::sim
