#include "core/Clock.h"

#include <thread>

namespace qx {

void SystemClock::sleepFor(Ms d) { std::this_thread::sleep_for(d); }

} // namespace qx
