// The timers whose ticks only hand a message to a worker. One row per timer;
// each runs on the thread of the worker it feeds.
#pragma once
#include "core/Message.h"
#include "core/MessageIds.h"

#include <array>
#include <cstdint>
#include <optional>

namespace qx {

struct TimerRoute {
    int timerId;
    ThreadId to;
    std::uint32_t message;
};

inline constexpr std::array kTimerRoutes{
    TimerRoute{4, ThreadId::AnlSend, UM_REQ_READ_ALL_STEP},
    TimerRoute{5, ThreadId::AnlSend, UM_REQ_MENU_READ_STEP},
    TimerRoute{8, ThreadId::AnlSend, UM_REQ_PS_AI_READ},
    TimerRoute{10, ThreadId::AnlSend, UM_REQ_IF_READ},
    TimerRoute{23, ThreadId::AnlSend, UM_REQ_PS_READ},
    TimerRoute{24, ThreadId::AnlSend, UM_REQ_PS_POLL},
    TimerRoute{25, ThreadId::AnlSend, UM_REQ_KM_READ_STEP},
    TimerRoute{31, ThreadId::AnlSend, UM_REQ_VC_READ},
    TimerRoute{42, ThreadId::AnlSend, UM_REQ_AI_RETRY},
};

inline constexpr int kIfPollTimer = 10;
inline constexpr int kPowerPollTimer = 8;
inline constexpr int kStatusPollMs = 1000;

inline std::optional<TimerRoute> timerRoute(int timerId)
{
    for (const auto& r : kTimerRoutes)
        if (r.timerId == timerId)
            return r;
    return std::nullopt;
}

} // namespace qx
