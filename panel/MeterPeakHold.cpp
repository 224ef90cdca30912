#include "panel/MeterPeakHold.h"

namespace qx::panel {

MeterPeakHold::TimerAction MeterPeakHold::onReading(int value, bool enabled)
{
    TimerAction action = TimerAction::None;
    if (!enabled) {
        if (peak_)
            action = TimerAction::Stop;
        peak_.reset();
    } else if (peak_) {
        if (value >= *peak_) {
            peak_.reset();
            action = TimerAction::Stop;
        }
    } else if (value < previous_) {
        peak_ = previous_;
        action = TimerAction::Start;
    }
    previous_ = value;
    return action;
}

} // namespace qx::panel
