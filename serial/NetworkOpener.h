// Opens network devices for the link. A host that did not answer within
// the connect time-out is not tried again for a short while: every command
// the send thread handles tries to reopen a closed port, and each of those
// would otherwise hold the thread for the whole time-out while commands pile
// up behind it. A refused connection fails at once and is always retried.
#pragma once
#include "serial/SerialDevice.h"

#include <atomic>
#include <chrono>
#include <mutex>
#include <string>

namespace qx {

class NetworkOpener {
public:
    using Ms = std::chrono::milliseconds;

    // cancel: set at shutdown, makes a pending connect give up.
    explicit NetworkOpener(const std::atomic<bool>& cancel, Ms connectTimeout = Ms(5000), Ms holdOff = Ms(5000));

    // For a path naming a network device (tcp://, rfc2217://); any thread.
    std::unique_ptr<SerialDevice> open(const std::string& path, int baud, std::string& why);

private:
    const std::atomic<bool>& cancel_;
    Ms connectTimeout_;
    Ms holdOff_;
    std::mutex mutex_;
    std::string silentPath_; // the device that last timed out, and until when it rests
    std::chrono::steady_clock::time_point silentUntil_{};
    std::string silentWhy_;
};

} // namespace qx
