// The pure parts: hit-testing, dial angles and steps, knob steps, check marks.
#include "core/MessageIds.h"
#include "panel/controller/DialMath.h"
#include "panel/controller/HitZones.h"
#include "panel/controller/KnobSteps.h"
#include "panel/controller/PopupChoiceTable.h"
#include "panel/controller/WheelNotches.h"
#include "state/RadioState.h"

#include <gtest/gtest.h>

#include <limits>

namespace qx::panel {
namespace {

TEST(HitTest, EdgesAreInsideAndTheFirstRowWins)
{
    struct Case {
        int x, y;
        int op;
    };
    const Case cases[] = {
        {36, 183, 1},   {64, 207, 1},   {35, 183, 0},   {64, 208, 0},  // key 1, all corners inclusive
        {730, 47, 219}, {730, 48, 41},  {766, 62, 41},                 // 219 and 41 share y = 47
        {815, 152, 224}, {779, 137, 223},                              // 223 and 224 share y = 137
        {221, 96, 207}, {259, 96, 207}, {260, 96, 206}, {529, 148, 200}, // digits share their edges
        {509, 79, 243}, {530, 88, 243}, {509, 70, 244},                // ATT hot spots
        {51, 130, 241}, {88, 137, 241},                                // width hot spot
        {394, 181, 0}, {399, 181, 232}, {636, 209, 233},
        {782, 179, 88}, {814, 211, 88},
    };
    for (const Case& c : cases)
        EXPECT_EQ(hitTest(c.x, c.y, false), c.op) << c.x << "," << c.y;
}

TEST(HitTest, DiscsCoverTheirSampledCircles)
{
    struct Case {
        int x, y;
        bool rf;
        int op;
    };
    const Case cases[] = {
        {517, 240, false, 89}, {517, 190, false, 89}, {567, 240, false, 89}, {568, 240, false, 0},
        {517, 189, false, 0},  {517, 290, false, 89}, {467, 240, false, 89},
        {172, 276, false, 90}, {192, 276, false, 90}, {193, 276, false, 0},
        {68, 276, false, 111}, {68, 256, false, 111}, {68, 255, false, 0},
        {792, 276, false, 106}, {688, 276, false, 98}, {688, 276, true, 107}, {708, 276, true, 107},
    };
    for (const Case& c : cases)
        EXPECT_EQ(hitTest(c.x, c.y, c.rf), c.op) << c.x << "," << c.y;
}

TEST(DialMath, PointerAnglesRunClockwiseFromTop)
{
    EXPECT_EQ(pointerAngle(517, 240, 517, 190), 0);
    EXPECT_EQ(pointerAngle(517, 240, 567, 240), 90);
    EXPECT_EQ(pointerAngle(517, 240, 517, 290), 180);
    EXPECT_EQ(pointerAngle(517, 240, 467, 240), 270);
    EXPECT_EQ(pointerAngle(517, 240, 567, 190), 45);
}

TEST(DialMath, SevenDegreesMakeAStepAndTheRestIsCarried)
{
    struct Case {
        int from, to, steps, carried;
    };
    const Case cases[] = {
        {0, 6, 0, 6}, {0, 7, 1, 0}, {0, 13, 1, 6}, {7, 0, -1, 0}, {355, 3, 1, 1}, {3, 355, -1, -1},
        {0, 90, 12, 6}, {10, 190, 25, 5},
    };
    for (const Case& c : cases) {
        DialSteps d;
        d.begin(c.from);
        d.moveTo(c.to);
        EXPECT_EQ(d.take(), c.steps) << c.from << "->" << c.to;
        EXPECT_EQ(d.carriedDegrees(), c.carried) << c.from << "->" << c.to;
        EXPECT_EQ(d.take(), 0);
    }
}

TEST(WheelNotches, HugeDeltasDoNotOverflowTheRemainder)
{
    WheelNotches w;
    EXPECT_EQ(w.add(1, 119), 0);
    EXPECT_EQ(w.add(1, std::numeric_limits<int>::max()), (119LL + std::numeric_limits<int>::max()) / 120);
    w.reset();
    EXPECT_EQ(w.add(1, -119), 0);
    EXPECT_EQ(w.add(1, std::numeric_limits<int>::min()), (-119LL + std::numeric_limits<int>::min()) / 120);
}

TEST(DialMath, WheelNotchesWrapToSevenAnd352)
{
    EXPECT_EQ(wheelAngle(356, 1), 7);
    EXPECT_EQ(wheelAngle(3, -1), 352);
    EXPECT_EQ(wheelAngle(350, 1), 357);
    EXPECT_EQ(wheelAngle(360, 1), 7); // from rest
}

TEST(KnobSteps, ClampsAndStartsTheShiftFromForty)
{
    const KnobSpec& sql = *knobSpec(98);
    const KnobSpec& shift = *knobSpec(111);
    struct Case {
        const KnobSpec* k;
        int current;
        bool up;
        KnobStep kind;
        int want;
    };
    const Case cases[] = {
        {&sql, 255, true, KnobStep::Click, 255},   {&sql, 0, false, KnobStep::Wheel, 0},
        {&sql, 100, true, KnobStep::Wheel, 120},   {&sql, 100, false, KnobStep::Repeat, 90},
        {&shift, -1260, false, KnobStep::Click, -1260}, {&shift, 1250, true, KnobStep::Wheel, 1260},
        {&shift, 0, false, KnobStep::Click, -50},  {&shift, 0, true, KnobStep::Click, 50},
        {&shift, 0, true, KnobStep::Wheel, 90},    {&shift, 0, false, KnobStep::Repeat, -90},
        {&shift, 10, false, KnobStep::Click, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(steppedKnobValue(*c.k, c.current, c.up, c.kind), c.want) << c.k->op << " " << c.current;
    EXPECT_EQ(knobSpec(5), nullptr);
}

TEST(PopupChecks, FollowTheRadioState)
{
    using R = RadioState::Int;
    RadioState radio;
    struct Case {
        Popup popup;
        R entry;
        int value;
        std::uint32_t want;
    };
    const Case cases[] = {
        {Popup::Agc, R::GT0, 0, 1u << 0}, {Popup::Agc, R::GT0, 1, 1u << 2}, {Popup::Agc, R::GT0, 3, 1u << 3},
        {Popup::Agc, R::GT0, 4, 1u << 1}, {Popup::Agc, R::GT0, 6, 1u << 1}, {Popup::Agc, R::GT0, 2, 0},
        {Popup::Meter, R::MS, 3, 1u << 2}, {Popup::Meter, R::MS, 0, 0}, {Popup::Pms, R::SS, 1000, 1u << 2},
        {Popup::Band, R::BS, 2, 1u << 2}, {Popup::Band, R::BS, 3, 1u << 2}, {Popup::Band, R::BS, 11, 1u << 10},
        {Popup::Width, R::SH, 5, 0}, {Popup::Dsp, R::SF, 1, 0},
    };
    for (const Case& c : cases) {
        radio.set(c.entry, c.value);
        EXPECT_EQ(checkedChoices(c.popup, radio, 0, 14000000), c.want) << static_cast<int>(c.popup) << " " << c.value;
    }
}

TEST(PopupChecks, AttenuatorAndIpoPairs)
{
    using R = RadioState::Int;
    RadioState radio;
    struct Case {
        int ra, pa;
        std::uint32_t want;
    };
    const Case cases[] = {{0, 1, 1u << 0}, {3, 1, 1u << 1}, {0, 0, 1u << 2}, {3, 0, 1u << 3}, {2, 0, 0}};
    for (const Case& c : cases) {
        radio.set(R::RA, c.ra);
        radio.set(R::PA, c.pa);
        EXPECT_EQ(checkedChoices(Popup::AttIpo, radio, 0, 0), c.want) << c.ra << "/" << c.pa;
    }
}

TEST(PopupChecks, ModeMarksCwByMenuItem44)
{
    struct Case {
        int mode, menu44;
        long long hz;
        int want;
    };
    const Case cases[] = {
        {1, 0, 0, 0}, {2, 0, 0, 1}, {4, 0, 0, 5}, {11, 0, 0, 5}, {5, 0, 0, 4}, {10, 0, 0, -1}, {6, 0, 0, 6},
        {9, 0, 0, 6}, {3, 0, 0, 2}, {7, 0, 0, 3}, {3, 1, 0, 3}, {7, 1, 0, 2},
        {3, 2, 14000000, 2}, {3, 2, 7000000, 3}, {7, 2, 7000000, 2}, {3, 5, 0, -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(modeCheck(c.mode, c.menu44, c.hz), c.want) << c.mode << " " << c.menu44 << " " << c.hz;
}

} // namespace
} // namespace qx::panel
