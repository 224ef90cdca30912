#include "panel/controller/WheelNotches.h"

namespace qx::panel {

int WheelNotches::add(int target, int delta)
{
    if (target != target_) {
        target_ = target;
        remainder_ = 0;
    }
    const long long sum = static_cast<long long>(remainder_) + delta;
    remainder_ = static_cast<int>(sum % kWheelNotch);
    return static_cast<int>(sum / kWheelNotch);
}

void WheelNotches::reset()
{
    target_ = 0;
    remainder_ = 0;
}

} // namespace qx::panel
