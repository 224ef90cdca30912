// A piece of work that talks to the radio from the UI thread one step at a
// time: it posts requests, learns of answers from the notifications the
// host forwards, and gives up waiting at its deadline, when the host calls
// onTimeout(). Driven by tests directly, by the program through
// RadioTaskRunner.
#pragma once
#include "core/Clock.h"
#include "core/Message.h"

#include <optional>

namespace qx {

struct TaskProgress {
    int done = 0;
    int total = 0;
};

class RadioTask {
public:
    using TimePoint = std::chrono::steady_clock::time_point;

    virtual ~RadioTask() = default;
    virtual void start() = 0;
    virtual void onNotification(const Message& m) = 0;
    // The deadline has passed.
    virtual void onTimeout() = 0;
    // When onTimeout() is due; nothing while no answer is awaited.
    virtual std::optional<TimePoint> deadline() const = 0;
    virtual bool finished() const = 0;
    virtual TaskProgress progress() const = 0;
    // Asks nothing more; answers still on their way are ignored.
    virtual void cancel() = 0;
};

} // namespace qx
