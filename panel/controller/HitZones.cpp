#include "panel/controller/HitZones.h"

#include "panel/PanelLayout.h"
#include "panel/controller/PanelOps.h"

#include <cmath>
#include <numbers>

namespace qx::panel {

namespace {

constexpr HitRect digitRect(int index)
{
    const PanelRect& r = kFrequencyDigits[static_cast<std::size_t>(index)];
    return {op::Digit10MHz - index, r.x, r.y, r.x + r.w, r.y + r.h};
}

// Zone by zone, in search order.
constexpr std::array kRects{
    // Zone 1: the LCD hot spots, then the frequency digits.
    HitRect{243, 509, 79, 530, 88}, HitRect{244, 509, 61, 530, 70}, HitRect{245, 549, 79, 570, 88},
    HitRect{246, 549, 61, 570, 70}, HitRect{247, 625, 79, 646, 88}, HitRect{248, 625, 61, 646, 70},
    HitRect{249, 665, 47, 692, 58}, HitRect{250, 665, 60, 692, 69}, HitRect{251, 665, 70, 692, 79},
    HitRect{252, 665, 80, 692, 89}, HitRect{253, 234, 77, 267, 88}, HitRect{254, 42, 62, 53, 69},
    HitRect{255, 42, 70, 57, 77},   HitRect{256, 42, 78, 58, 85},   HitRect{257, 277, 47, 304, 58},
    HitRect{258, 277, 62, 304, 73}, HitRect{259, 277, 77, 304, 88}, HitRect{260, 314, 47, 341, 58},
    HitRect{261, 314, 62, 341, 73}, HitRect{262, 314, 77, 341, 88}, HitRect{263, 350, 77, 381, 88},
    HitRect{264, 596, 99, 624, 106}, HitRect{265, 430, 77, 457, 88}, HitRect{266, 468, 77, 495, 88},
    HitRect{267, 391, 62, 418, 73}, HitRect{268, 390, 77, 420, 88}, HitRect{269, 638, 99, 667, 106},
    HitRect{271, 368, 62, 379, 73}, HitRect{272, 352, 62, 363, 73}, HitRect{273, 352, 47, 379, 58},
    HitRect{274, 391, 47, 418, 58}, HitRect{275, 234, 47, 267, 58}, HitRect{238, 51, 91, 88, 101},
    HitRect{239, 51, 105, 88, 115}, HitRect{240, 51, 119, 88, 126}, HitRect{241, 51, 130, 88, 137},
    digitRect(0), digitRect(1), digitRect(2), digitRect(3), digitRect(4), digitRect(5), digitRect(6),
    digitRect(7),
    // Zone 2: the right-hand key block.
    HitRect{219, 730, 32, 766, 47}, HitRect{41, 730, 47, 766, 62}, HitRect{220, 779, 32, 815, 47},
    HitRect{48, 779, 47, 815, 62},  HitRect{221, 730, 77, 766, 92}, HitRect{36, 730, 92, 766, 107},
    HitRect{5, 779, 77, 815, 92},   HitRect{35, 779, 92, 815, 107}, HitRect{222, 730, 122, 766, 137},
    HitRect{38, 730, 137, 766, 152}, HitRect{223, 779, 122, 815, 137}, HitRect{224, 779, 137, 815, 152},
    // Zone 3: the lower-left key row.
    HitRect{1, 36, 183, 64, 207}, HitRect{2, 91, 179, 123, 211}, HitRect{225, 151, 179, 193, 211},
    HitRect{226, 221, 179, 253, 211}, HitRect{16, 281, 179, 313, 211}, HitRect{15, 341, 179, 373, 211},
    // Zone 4: lower-left keys beside the knobs.
    HitRect{87, 221, 270, 253, 302}, HitRect{227, 277, 229, 317, 257}, HitRect{228, 337, 229, 377, 257},
    HitRect{11, 277, 272, 317, 300}, HitRect{231, 337, 272, 377, 300},
    // Zone 5: the keys around the main dial.
    HitRect{232, 399, 181, 447, 209}, HitRect{233, 588, 181, 636, 209}, HitRect{81, 399, 229, 431, 257},
    HitRect{47, 604, 229, 636, 257}, HitRect{44, 399, 272, 447, 300}, HitRect{45, 588, 272, 636, 300},
    // Zone 6: the lower-right keys.
    HitRect{6, 662, 179, 694, 211}, HitRect{51, 722, 179, 754, 211}, HitRect{88, 782, 179, 814, 211},
};

constexpr std::array kDiscs{
    HitDisc{op::SecondDial, 172, 276, 20}, HitDisc{op::IfShift, 68, 276, 20}, // zone 4
    HitDisc{op::MainDial, 517, 240, 50},                                      // zone 5
    HitDisc{op::AfGain, 792, 276, 20}, HitDisc{op::RfGain, 688, 276, 20},     // zone 6
};

} // namespace

const std::array<HitZone, 6> kHitZones{{
    {{0, 0, 0, 710, 158}, 0, 44, 0, 0},
    {{0, 710, 0, 843, 158}, 44, 12, 0, 0},
    {{0, 0, 158, 394, 221}, 56, 6, 0, 0},
    {{0, 0, 221, 394, 320}, 62, 5, 0, 2},
    {{0, 394, 158, 646, 320}, 67, 6, 2, 1},
    {{0, 646, 158, 843, 320}, 73, 3, 3, 2},
}};

static_assert(44 + 12 + 6 + 5 + 6 + 3 == kRects.size());

bool inDisc(const HitDisc& d, int x, int y)
{
    const int dx = x - d.cx, dy = y - d.cy;
    if (dx * dx + dy * dy > (d.radius + 1) * (d.radius + 1))
        return false;
    for (int r = 0; r <= d.radius; ++r) {
        for (int deg = 0; deg < 360; ++deg) {
            const double a = deg * std::numbers::pi / 180.0;
            const int px = static_cast<int>(d.cx + r * std::cos(a));
            const int py = static_cast<int>(d.cy + r * std::sin(a));
            if (px == x && py == y)
                return true;
        }
    }
    return false;
}

int hitTest(int x, int y, bool rfKnob)
{
    for (const HitZone& z : kHitZones) {
        if (!z.area.contains(x, y))
            continue;
        for (int i = z.firstRect; i < z.firstRect + z.rectCount; ++i)
            if (kRects[static_cast<std::size_t>(i)].contains(x, y))
                return kRects[static_cast<std::size_t>(i)].op;
        for (int i = z.firstDisc; i < z.firstDisc + z.discCount; ++i) {
            const HitDisc& d = kDiscs[static_cast<std::size_t>(i)];
            if (inDisc(d, x, y))
                return d.op == op::RfGain && !rfKnob ? op::Squelch : d.op;
        }
        return op::None;
    }
    return op::None;
}

const HitRect* rectOf(int o)
{
    for (const HitRect& r : kRects)
        if (r.op == o)
            return &r;
    return nullptr;
}

const HitDisc* discOf(int o)
{
    if (o == op::Squelch)
        o = op::RfGain;
    for (const HitDisc& d : kDiscs)
        if (d.op == o)
            return &d;
    return nullptr;
}

} // namespace qx::panel
