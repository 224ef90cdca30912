// Turns wheel deltas into whole notches. Fine-grained wheels and touchpads
// report a notch in several small deltas: what is left over is kept for the
// next turn of the same target and forgotten when the target changes.
#pragma once

namespace qx::panel {

// One notch of a classic wheel, in eighths of a degree.
inline constexpr int kWheelNotch = 120;

class WheelNotches {
public:
    // Adds `delta` for `target`; the whole notches now complete, signed
    // (positive away from the operator).
    int add(int target, int delta);
    // Forgets the part-notch, as when the wheel is over nothing.
    void reset();

private:
    int target_ = 0;
    int remainder_ = 0;
};

} // namespace qx::panel
