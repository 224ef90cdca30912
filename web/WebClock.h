// The time the remote station's rules are judged by; tests give their own.
#pragma once
#include <chrono>
#include <functional>

namespace qx::web {

using WebClock = std::chrono::steady_clock;
using Now = std::function<WebClock::time_point()>;

} // namespace qx::web
