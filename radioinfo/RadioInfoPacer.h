// When the radio's state goes out: at once when it changed, but at most
// ten times a second, so a spun dial sends its last frequency a tenth of a
// second later rather than a packet per step. Nothing goes out while
// nothing changes. Pure timing; the caller reads the state and sends.
#pragma once
#include "radioinfo/RadioInfoXml.h"

#include <chrono>
#include <optional>

namespace qx::radioinfo {

class RadioInfoPacer {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::milliseconds kMinInterval{100};

    // The state to send now, if any.
    std::optional<RadioInfo> take(const RadioInfo& now, Clock::time_point at);

private:
    std::optional<RadioInfo> sent_;
    std::optional<Clock::time_point> sentAt_;
};

} // namespace qx::radioinfo
