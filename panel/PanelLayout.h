// Where everything sits on the 843 x 320 panel: the display elements, the
// keys with their captions and lamp messages, knobs and dials. Shared by
// the painter and the panel controller's hit-testing.
#pragma once
#include "panel/PanelModel.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace qx::panel {

inline constexpr int kPanelWidth = 843;
inline constexpr int kPanelHeight = 320;

struct PanelRect {
    int x = 0, y = 0, w = 0, h = 0;
    // Both edges count as inside.
    bool containsInclusive(int px, int py) const { return px >= x && px <= x + w && py >= y && py <= y + h; }
};

struct PanelPoint {
    int x = 0, y = 0;
};

// Frequency digits, 10 MHz first; the last one is the small 1 Hz digit.
inline constexpr std::array<PanelRect, 8> kFrequencyDigits{{
    {221, 96, 38, 52}, {259, 96, 38, 52}, {307, 96, 38, 52}, {345, 96, 38, 52},
    {383, 96, 38, 52}, {431, 96, 38, 52}, {469, 96, 38, 52}, {507, 118, 22, 30},
}};
inline constexpr PanelRect kMhzPoint{297, 138, 10, 10};
inline constexpr PanelRect kKhzPoint{421, 138, 10, 10};
inline constexpr PanelRect kClarSign{588, 118, 22, 30};
inline constexpr std::array<PanelRect, 3> kClarDigits{{{610, 118, 22, 30}, {654, 118, 22, 30}, {676, 118, 22, 30}}};
inline constexpr PanelRect kClarPoint{632, 138, 22, 10};

inline constexpr PanelRect kLcd{30, 8, 676, 146};
inline constexpr PanelRect kMeterBar{100, 26, 372, 12};
inline constexpr PanelRect kMeterScale{96, 12, 380, 12};
inline constexpr PanelRect kMeterLabel{40, 14, 50, 26};
inline constexpr PanelRect kVfoMemory{104, 50, 110, 20};
inline constexpr PanelRect kPassband{104, 98, 110, 40};
inline constexpr PanelRect kIfShiftBar{104, 142, 110, 7};
inline constexpr PanelRect kDnrBar{560, 14, 110, 8};
inline constexpr PanelRect kBgBar{560, 28, 110, 8};

// LCD segments with their captions.
struct SegmentSpot {
    Seg seg;
    PanelRect rect;
    std::string_view text;
};
inline constexpr std::array<SegmentSpot, kSegCount> kSegmentSpots{{
    {Seg::Transmit, {234, 47, 33, 11}, "TX"},
    {Seg::Clar, {596, 99, 28, 9}, "CLAR"},
    {Seg::Att, {509, 61, 27, 27}, "ATT"},
    {Seg::Ipo, {549, 61, 27, 27}, "IPO"},
    {Seg::AgcAuto, {665, 60, 27, 9}, "AUTO"},
    {Seg::AgcFast, {665, 70, 27, 9}, "FAST"},
    {Seg::AgcSlow, {665, 80, 27, 9}, "SLOW"},
    {Seg::Nb, {625, 61, 27, 27}, "NB"},
    {Seg::Keyer, {350, 77, 31, 11}, "KEYER"},
    {Seg::BreakIn, {390, 77, 30, 11}, "BK-IN"},
    {Seg::Vox, {391, 62, 27, 11}, "VOX"},
    {Seg::Fast, {430, 77, 27, 11}, "FAST"},
    {Seg::Busy, {234, 62, 33, 11}, "BUSY"},
    {Seg::Lock, {468, 77, 27, 11}, "LOCK"},
    {Seg::Tuner, {234, 77, 33, 11}, "TUNER"},
    {Seg::Tone1, {352, 47, 27, 11}, "ENC"},
    {Seg::Tone2, {391, 47, 27, 11}, "DEC"},
    {Seg::ShiftPlus, {368, 62, 11, 11}, "+"},
    {Seg::ShiftMinus, {352, 62, 11, 11}, "-"},
    {Seg::Dsp1, {51, 91, 37, 10}, "CONT"},
    {Seg::Dsp2, {51, 105, 37, 10}, "NOTCH"},
    {Seg::Dsp3, {51, 119, 37, 8}, "DNR"},
    {Seg::Dsp4, {51, 130, 37, 8}, "WIDTH"},
    {Seg::Rs, {430, 47, 27, 11}, "RS"},
    {Seg::Split, {638, 99, 29, 9}, "SPLIT"},
    {Seg::Ri1, {468, 47, 27, 11}, "PLAY"},
    {Seg::Ri2, {430, 62, 27, 11}, "REC"},
    {Seg::Lsb, {277, 47, 27, 11}, "LSB"},
    {Seg::Usb, {277, 62, 27, 11}, "USB"},
    {Seg::Cw, {277, 77, 27, 11}, "CW"},
    {Seg::Fm, {314, 62, 27, 11}, "FM"},
    {Seg::Am, {314, 47, 27, 11}, "AM"},
    {Seg::Data, {314, 77, 27, 11}, "DATA"},
    {Seg::IfShiftMarks, {104, 150, 110, 3}, ""},
    {Seg::Dnr, {500, 14, 50, 8}, "DNR"},
}};
// Segments drawn as an OFF/ON pair in their rectangle rather than one caption.
inline bool isOnOffPair(Seg s) { return s == Seg::Att || s == Seg::Ipo || s == Seg::Nb; }

// Knobs: the face rectangle and the pointer centre.
struct KnobSpot {
    PanelRect face;
    PanelPoint centre;
    PanelRect labelBar;
    std::string_view caption;
};
inline constexpr std::array<KnobSpot, kKnobCount> kKnobs{{
    {{40, 248, 56, 56}, {68, 275}, {37, 229, 61, 7}, "SHIFT"},
    {{764, 248, 56, 56}, {792, 275}, {772, 229, 41, 7}, "AF"},
    {{660, 248, 56, 56}, {688, 275}, {653, 229, 71, 7}, "RF/SQL"},
}};
inline constexpr std::array<int, kKnobLabelCount> kKnobOfLabel{0, 1, 2, 2};

inline constexpr PanelRect kMainDial{446, 168, 143, 143};
inline constexpr int kDimpleSize = 39;
inline constexpr PanelRect kSecondDial{144, 248, 56, 56};
inline constexpr int kSecondDotSize = 12;

// Keys: operation, rectangle (left, top, right, bottom inclusive as given),
// caption, and the lamp index (keyLampIndex of its lamp message).
struct KeySpot {
    int op;
    int left, top, right, bottom;
    std::string_view caption;
    std::uint32_t lamp;
    PanelRect rect() const { return {left, top, right - left, bottom - top}; }
};
extern const std::array<KeySpot, 32> kKeys;

} // namespace qx::panel
