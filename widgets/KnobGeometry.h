// Where things are on a knob: the angle of the pointer around its centre,
// whether a point is on its disc, and where the dot sits for an angle.
// Angles are whole degrees clockwise from straight up; 360 means "at rest".
#pragma once

namespace qx {

struct KnobPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const KnobPoint&, const KnobPoint&) = default;
};

// Inclusive on all four sides.
struct KnobRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool contains(KnobPoint p) const { return p.x >= left && p.x <= right && p.y >= top && p.y <= bottom; }
};

inline constexpr int kKnobAtRest = 360;
inline constexpr int kKnobHitRadius = 20;

// 0..359, dy growing downward.
int pointerAngle(KnobPoint centre, KnobPoint p);

// The disc is the set of points on the circles of radius 0..20 sampled at
// whole degrees, truncated toward zero; its rim is a little ragged.
bool onKnobDisc(KnobPoint centre, KnobPoint p);

// The change from `from` to `to` the shorter way round, -179..180.
int angleChange(int from, int to);

// Top-left of the 12 x 12 dot for a face whose top-left is `face`.
KnobPoint dotPosition(KnobPoint face, int angle);

} // namespace qx
