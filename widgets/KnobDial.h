// One knob's picture angle and the steps it has gathered from drags and
// wheel notches, not yet sent.
#pragma once
#include "widgets/KnobGeometry.h"

namespace qx {

struct KnobMotion {
    int degreesPerStep = 1;
    int wheelIncrement = 1;
    int wrapBelow = 359; // replaces a wheel result below 0
    int wrapAbove = 0;   // replaces a wheel result of 360 or more
};

class KnobDial {
public:
    explicit KnobDial(KnobMotion motion) : motion_(motion) {}

    int angle() const { return angle_; }
    bool atRest() const { return angle_ == kKnobAtRest; }

    // A press on the disc: the picture follows the pointer from here.
    void grab(int pointerAngle);
    // A later pointer reading while dragging; true when the picture moved.
    bool follow(int pointerAngle);
    // One wheel notch, up when `up`.
    void notch(bool up);
    // The whole steps gathered so far; they are handed over once.
    int takeSteps();
    // Back to rest with nothing gathered.
    void rest();

private:
    void feed(int degrees);

    KnobMotion motion_;
    int angle_ = kKnobAtRest;
    int lastPointer_ = 0;
    int degrees_ = 0;
    int steps_ = 0;
};

} // namespace qx
