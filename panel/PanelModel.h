// What the panel shows, as element states: the display handlers write it
// from the radio state, the painter draws it, the panel controller and the
// tests read it. Groups follow the panel: the frequency and clarifier
// digits, LCD indicator segments, meter, bar graphs, knobs, dials, key lamps.
#pragma once
#include "panel/DisplayRules.h"

#include <array>
#include <cstdint>

namespace qx::panel {

// Single LCD indicator segments (state 0 off, 1 on; the tuner also 2 = blinking).
enum class Seg : int {
    Transmit, Clar, Att, Ipo, AgcAuto, AgcFast, AgcSlow, Nb, Keyer, BreakIn, Vox, Fast, Busy, Lock, Tuner,
    Tone1, Tone2, ShiftPlus, ShiftMinus, Dsp1, Dsp2, Dsp3, Dsp4, Rs, Split, Ri1, Ri2,
    Lsb, Usb, Cw, Fm, Am, Data, IfShiftMarks, Dnr,
    Count
};
inline constexpr int kSegCount = static_cast<int>(Seg::Count);

enum class Knob : int { IfShift = 0, AfGain = 1, RfSql = 2 };
inline constexpr int kKnobCount = 3;
// Label bars, by the knob index of UM_PANEL_8F: IF shift, AF gain, RF gain, squelch.
inline constexpr int kKnobLabelCount = 4;

inline constexpr int kDialAtRest = 360;

// Key lamp states: 0 released, 1 pressed, 2 released on, 3 pressed on.
inline constexpr int kKeyReleased = 0;
inline constexpr int kKeyPressed = 1;
inline constexpr int kKeyOnOffset = 2;

inline constexpr int kKeyCount = 26; // one per lamp message UM_KEY_78..UM_KEY_84, UM_KEY_9A..UM_KEY_A6
// The two keys whose lamps light: LINK (key 1) while the link is up, POWER
// (key 2) while the radio is on.
inline constexpr std::size_t kLinkKeyLamp = 0;
inline constexpr std::size_t kPowerKeyLamp = 1;

struct PanelModel {
    FrequencyDisplay frequency{{10, 10, 10, 10, 10, 10, 10, 10}, false};
    ClarifierDisplay clarifier{};
    std::array<std::uint8_t, kSegCount> segs{};
    int vfoMemory = 0;

    int meterLit = 0;     // segments lit by the reading
    int meterPeakSeg = 0; // extra segment of the held peak, 0 = none
    MeterLabel meterLabel = MeterLabel::Power;

    GraphColumns contour{};
    GraphColumns notch{};
    std::uint16_t ifShiftBars = 0;
    std::uint16_t dnrBars = 0;
    std::uint16_t bgBars = 0;

    std::array<int, kKnobCount> knobAngle{207, 207, 358};
    std::array<bool, kKnobLabelCount> knobLabelLit{};
    int mainDialAngle = 0;
    int secondDialAngle = kDialAtRest;
    bool bandGroup = false;

    std::array<std::uint8_t, kKeyCount> keys{};

    // The LCD's values are not the radio's now (no link, the link lost, or
    // the radio off): the painter dims the display as the radio's own goes dark.
    bool stale = true;

    bool seg(Seg s) const { return segs[static_cast<std::size_t>(s)] != 0; }
    int segState(Seg s) const { return segs[static_cast<std::size_t>(s)]; }
    void setSeg(Seg s, int state) { segs[static_cast<std::size_t>(s)] = static_cast<std::uint8_t>(state); }
};

} // namespace qx::panel
