// The timers a knob window runs, and the way it starts and stops them, so
// that the knob logic can be driven by hand in tests.
#pragma once

namespace qx {

enum class KnobTimer {
    Drag,      // 30 ms while a knob is dragged
    Send,      // 100 ms while a knob is dragged
    WheelRest, // 200 ms once after a wheel notch
    Repeat,    // 1000 ms, then 100 ms, while a label click is held
    Button,    // 100 ms while the on/off button is held
    ReadBack,  // 200 ms once after a change
};

inline constexpr int kKnobTimerCount = 6;

class KnobTimers {
public:
    virtual ~KnobTimers() = default;
    virtual void start(KnobTimer t, int periodMs) = 0;
    virtual void stop(KnobTimer t) = 0;
};

} // namespace qx
