#include "panel/DisplayRules.h"

#include <gtest/gtest.h>

namespace qx::panel {
namespace {

using Digits = std::array<int, 8>;
constexpr int B = kBlankDigit;
constexpr int H = kHighlight;

struct FrequencyCase {
    long long hz;
    int selected;
    Digits digits;
    bool mhzPoint;
};

TEST(FrequencyDisplay, DigitsBlanksHighlightAndMhzPoint)
{
    const FrequencyCase cases[] = {
        {7'050'000, 0, {B, 7, 0, 5, 0, 0, 0, 0}, true},
        {950'000, 0, {B, B, 9, 5, 0, 0, 0, 0}, false},
        {7'050'000, 8, {0 + H, 7, 0, 5, 0, 0, 0, 0}, true},
        {950'000, 8, {0 + H, 0, 9, 5, 0, 0, 0, 0}, true},
        {14'250'000, 4, {1, 4, 2, 5, 0 + H, 0, 0, 0}, true},
        {14'250'123, 1, {1, 4, 2, 5, 0, 1, 2, 3 + H}, true},
        {60'000'000, 0, {6, 0, 0, 0, 0, 0, 0, 0}, true},
        {30'000, 0, {B, B, B, 3, 0, 0, 0, 0}, false},
        // Wider than eight places: the field saturates instead of overflowing.
        {123'456'789, 0, {9, 9, 9, 9, 9, 9, 9, 9}, true},
        {-5, 0, {B, B, B, B, B, B, B, 0}, false},
    };
    for (const auto& c : cases) {
        const auto d = frequencyDisplay(c.hz, c.selected);
        EXPECT_EQ(d.digits, c.digits) << c.hz << " digit " << c.selected;
        EXPECT_EQ(d.mhzPoint, c.mhzPoint) << c.hz << " digit " << c.selected;
    }
}

TEST(FrequencyDisplay, HighlightedBlankWhenNoDigitWouldShow)
{
    // A selected digit shows leading zeros, so the highlighted blank never appears; an out-of-range
    // selection counts as none.
    EXPECT_EQ(frequencyDisplay(7'050'000, 9).digits[0], B);
    EXPECT_EQ(frequencyDisplay(7'050'000, -1).digits[0], B);
}

TEST(ClarifierDisplay, SignAndThreeDigits)
{
    struct Case {
        int offset;
        ClarSign sign;
        std::array<int, 3> digits;
    } const cases[] = {
        {-120, ClarSign::Minus, {0, 1, 2}},
        {0, ClarSign::Blank, {0, 0, 0}},
        {9999, ClarSign::Plus, {9, 9, 9}},
        {5, ClarSign::Plus, {0, 0, 0}},
        {-1234, ClarSign::Minus, {1, 2, 3}},
        {20000, ClarSign::Plus, {9, 9, 9}},
    };
    for (const auto& c : cases) {
        const auto d = clarifierDisplay(c.offset);
        EXPECT_EQ(d.sign, c.sign) << c.offset;
        EXPECT_EQ(d.digits, c.digits) << c.offset;
    }
}

TEST(KnobPointer, GainAndIfShiftAngles)
{
    const std::pair<int, int> gain[] = {{0, 207}, {255, 150}, {129, 360}, {130, 1}, {-20, 207}, {300, 150}};
    for (auto [value, angle] : gain)
        EXPECT_EQ(gainPointerAngle(value), angle) << value;
    const std::pair<int, int> shift[] = {{0, 358}, {-1260, 207}, {1260, 149}, {-1270, 207}, {1270, 149}, {50, 4}};
    for (auto [value, angle] : shift)
        EXPECT_EQ(ifShiftPointerAngle(value), angle) << value;
}

TEST(Meter, SegmentsAtThresholds)
{
    const std::pair<int, int> cases[] = {{0, 0}, {7, 0}, {8, 1}, {15, 1}, {16, 2}, {254, 30}, {255, 31}, {999, 31}};
    for (auto [value, lit] : cases)
        EXPECT_EQ(meterSegmentsLit(value), lit) << value;
}

TEST(Meter, LabelBySelectionAndModel)
{
    EXPECT_EQ(meterLabel(1, 241), MeterLabel::Alc);
    EXPECT_EQ(meterLabel(2, 241), MeterLabel::Power);
    EXPECT_EQ(meterLabel(2, 243), MeterLabel::PowerAlt);
    EXPECT_EQ(meterLabel(3, 243), MeterLabel::Swr);
    EXPECT_EQ(meterLabel(0, 241), MeterLabel::Blank);
    EXPECT_EQ(meterLabel(5, 241), MeterLabel::Blank);
}

TEST(ModeSegments, EveryModeValue)
{
    using M = ModeSegments;
    const M lsb{true, false, false, false, false, false};
    const M usb{false, true, false, false, false, false};
    const M cw{false, true, true, false, false, false};
    const M cwr{true, false, true, false, false, false};
    const M fm{false, false, false, true, false, false};
    const M am{false, false, false, false, true, false};
    const M dataLsb{true, false, false, false, false, true};
    const M dataUsb{false, true, false, false, false, true};
    const std::pair<int, M> cases[] = {{0, dataLsb}, {1, lsb}, {2, usb}, {3, cw}, {4, fm}, {5, am}, {6, dataLsb},
                                       {7, cwr}, {8, dataLsb}, {9, dataLsb}, {11, fm}, {12, dataLsb}};
    for (const auto& [mode, expected] : cases)
        EXPECT_EQ(modeSegments(mode, 0), expected) << mode;
    EXPECT_FALSE(modeSegments(10, 0).has_value());
    EXPECT_EQ(modeSegments(6, 2), dataUsb);
    EXPECT_EQ(modeSegments(6, 1), dataLsb);
    EXPECT_EQ(modeSegments(2, 2), usb) << "the data sideband item only concerns data modes";
}

TEST(VfoMemoryIndicator, VfoInUseAndMemoryModes)
{
    EXPECT_EQ(vfoMemoryState(0, false, false, true), 0);
    EXPECT_EQ(vfoMemoryState(0, false, true, false), 1);
    EXPECT_EQ(vfoMemoryState(0, true, false, true), 1) << "transmitting shows the transmit VFO";
    EXPECT_EQ(vfoMemoryState(0, true, true, false), 0);
    for (int mem = 1; mem <= 5; ++mem)
        EXPECT_EQ(vfoMemoryState(mem, false, false, false), mem + 1);
    EXPECT_EQ(vfoMemoryState(6, false, false, false), 7);
    EXPECT_EQ(vfoMemoryState(-1, false, false, false), 7);
}

TEST(Segments, AgcTonesAndShift)
{
    EXPECT_EQ(agcSegments(0), (AgcSegments{false, false, false}));
    EXPECT_EQ(agcSegments(1), (AgcSegments{false, true, false}));
    EXPECT_EQ(agcSegments(3), (AgcSegments{false, false, true}));
    EXPECT_EQ(agcSegments(5), (AgcSegments{true, true, false}));
    EXPECT_EQ(agcSegments(6), (AgcSegments{true, false, true}));
    EXPECT_EQ(agcSegments(9), (AgcSegments{true, true, false}));
    EXPECT_EQ(toneDcsPair(3), (SegmentPair{false, true}));
    EXPECT_EQ(ctcssPair(2), (SegmentPair{true, false}));
    EXPECT_EQ(ctcssPair(3), (SegmentPair{false, false}));
    EXPECT_EQ(shiftPair(2), (SegmentPair{false, true}));
}

TEST(Graphs, RowsChosenByFirstBoundNotBelowValue)
{
    EXPECT_EQ(contourGraph(0, 14), GraphColumns{}) << "contour off draws every column in state 0";
    const auto low = contourGraph(-1, 1), high = contourGraph(-1, 32);
    EXPECT_NE(low, high);
    EXPECT_EQ(contourGraph(-1, 6), low);
    EXPECT_EQ(contourGraph(-1, 99), GraphColumns{}) << "past the last row nothing is shown";
    EXPECT_NE(contourGraph(2, 14), contourGraph(-2, 14));

    EXPECT_EQ(notchGraph(false, 2, 200), GraphColumns{});
    for (int mode : {4, 5, 11})
        EXPECT_EQ(notchGraph(true, mode, 200), GraphColumns{}) << mode;
    EXPECT_NE(notchGraph(true, 2, 200), GraphColumns{});

    EXPECT_EQ(ifShiftBars(5, 500), IfShiftBars{});
    EXPECT_EQ(ifShiftBars(2, 0), (IfShiftBars{true, 1u << 5}));
    EXPECT_EQ(ifShiftBars(2, -1260).bars, 0b111111);
    EXPECT_EQ(dnrBars(false, 11), 0);
    EXPECT_EQ(dnrBars(true, 1), 0b1);
    EXPECT_EQ(dnrBars(true, 11), 0b11111111111);
    EXPECT_EQ(bgBars(0), 0b1);
    EXPECT_EQ(bgBars(5), 0b11111111111);
}

} // namespace
} // namespace qx::panel
