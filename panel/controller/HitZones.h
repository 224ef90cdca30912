// Where a press on the panel lands: six zones, each with its rectangles
// (inclusive on all sides, first hit in table order wins) and, in the lower
// zones, the dials and knobs tested as discs.
#pragma once

#include <array>

namespace qx::panel {

struct HitRect {
    int op;
    int left, top, right, bottom;
    constexpr bool contains(int x, int y) const { return x >= left && x <= right && y >= top && y <= bottom; }
};

struct HitDisc {
    int op; // for the RF-gain/squelch knob: the RF-gain op, see hitTest
    int cx, cy, radius;
};

struct HitZone {
    HitRect area;
    int firstRect, rectCount;
    int firstDisc, discCount;
};

extern const std::array<HitZone, 6> kHitZones;

// True when (x, y) is one of the points of the circles of radius 0..radius
// sampled at whole degrees, coordinates truncated toward zero.
bool inDisc(const HitDisc& d, int x, int y);

// The operation at panel point (x, y), 0 for none. The RF-gain/squelch knob
// is the RF-gain knob when `rfKnob` is set, the squelch knob otherwise.
int hitTest(int x, int y, bool rfKnob);

// The rectangle of a key or hot spot; nullptr for operations without one.
const HitRect* rectOf(int op);
// The disc of a dial or knob op; nullptr for others.
const HitDisc* discOf(int op);

} // namespace qx::panel
