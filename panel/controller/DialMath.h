// Angles of the dials and the turning of pointer movement into steps: one
// step per 7 degrees, the remainder carried to the next movement.
#pragma once

namespace qx::panel {

inline constexpr int kDegreesPerStep = 7;

// The pointer's angle around (cx, cy), clockwise from straight up, 0..359.
int pointerAngle(int cx, int cy, int x, int y);

// The change from `from` to `to` the shorter way round, -179..180.
int angleChange(int from, int to);

// The dial picture after one wheel notch (+1 or -1) from `angle`; the
// picture at rest counts as 0.
int wheelAngle(int angle, int notch);

class DialSteps {
public:
    // Starts a drag at `angle`.
    void begin(int angle);
    // The pointer is now at `angle`: the steps it made are added up.
    void moveTo(int angle);
    // The steps added up since the last take, which clears them.
    int take();
    int carriedDegrees() const { return degrees_; }

private:
    int last_ = 0;
    int degrees_ = 0;
    int steps_ = 0;
};

} // namespace qx::panel
