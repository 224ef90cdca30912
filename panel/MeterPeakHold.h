// The meter's peak hold: when a reading falls, the previous one is held as
// the peak until a reading reaches it again or the hold timer drops it.
#pragma once
#include <optional>

namespace qx::panel {

class MeterPeakHold {
public:
    enum class TimerAction { None, Start, Stop };

    // `enabled`: receiving with peak hold on in the radio's menu.
    TimerAction onReading(int value, bool enabled);
    // The hold timer fired, or the meter was reset.
    void drop() { peak_.reset(); }
    std::optional<int> peak() const { return peak_; }

private:
    int previous_ = 0;
    std::optional<int> peak_;
};

} // namespace qx::panel
