// The rules that turn radio-state values into the states of display
// elements: frequency digits, clarifier offset, knob pointers, meter bar,
// mode and VFO/memory segments, AGC and the LCD bar graphs. Pure functions
// with no drawing and no state, so every rule is testable on its own.
#pragma once
#include <array>
#include <cstdint>
#include <optional>

namespace qx::panel {

// Digit states: 0..9 digits, 10 blank, 11..20 highlighted digits, 21 highlighted blank.
inline constexpr int kBlankDigit = 10;
inline constexpr int kHighlight = 11;

struct FrequencyDisplay {
    std::array<int, 8> digits{}; // [0] 10 MHz .. [6] 10 Hz, [7] the small 1 Hz digit
    bool mhzPoint = true;
    friend bool operator==(const FrequencyDisplay&, const FrequencyDisplay&) = default;
};

// `selectedDigit` 0 = none, 1..8 counted from the 1 Hz digit.
FrequencyDisplay frequencyDisplay(long long hz, int selectedDigit);

enum class ClarSign { Plus, Minus, Blank };
struct ClarifierDisplay {
    ClarSign sign = ClarSign::Blank;
    std::array<int, 3> digits{}; // thousands, hundreds, tens
    friend bool operator==(const ClarifierDisplay&, const ClarifierDisplay&) = default;
};
ClarifierDisplay clarifierDisplay(int offsetHz);

// Pointer angles in degrees clockwise from straight up.
int gainPointerAngle(int value);
int ifShiftPointerAngle(int shift);

inline constexpr int kMeterSegments = 31;
inline constexpr std::array<int, kMeterSegments> kMeterThresholds{
    8, 16, 25, 33, 41, 49, 58, 66, 74, 82, 90, 99, 107, 115, 123, 132,
    140, 148, 156, 164, 173, 181, 189, 197, 206, 214, 222, 230, 238, 247, 255};
// How many segments a reading lights; also the 1-based segment at a peak (0 = none).
int meterSegmentsLit(int value);

// Meter label states.
enum class MeterLabel { Power = 0, PowerAlt = 1, Alc = 2, Swr = 3, Blank = 4 };
MeterLabel meterLabel(int meterSelection, int modelId);

struct ModeSegments {
    bool lsb = false, usb = false, cw = false, fm = false, am = false, data = false;
    friend bool operator==(const ModeSegments&, const ModeSegments&) = default;
};
// Nothing for mode 10, which leaves the segments as they are.
std::optional<ModeSegments> modeSegments(int mode, int dataSidebandItem);
bool isAmOrFm(int mode);

// VFO/memory indicator: 0 VFO A, 1 VFO B, 2..6 memory modes 1..5, 7 other.
int vfoMemoryState(int memoryMode, bool transmitting, bool vfoB, bool txVfoB);

struct AgcSegments {
    bool autoOn = false, fast = false, slow = false;
    friend bool operator==(const AgcSegments&, const AgcSegments&) = default;
};
AgcSegments agcSegments(int agcState);

// A pair of segments (first, second).
struct SegmentPair {
    bool first = false, second = false;
    friend bool operator==(const SegmentPair&, const SegmentPair&) = default;
};
SegmentPair toneDcsPair(int dq);
SegmentPair ctcssPair(int ct);
SegmentPair shiftPair(int os); // first = plus, second = minus

// Passband graph: 22 columns; upper part 0 normal, 1 cut, 2 raised; lower 0 lit, 1 cut.
inline constexpr int kGraphColumns = 22;
struct GraphColumns {
    std::array<std::uint8_t, kGraphColumns> upper{};
    std::array<std::uint8_t, kGraphColumns> lower{};
    friend bool operator==(const GraphColumns&, const GraphColumns&) = default;
};
GraphColumns contourGraph(int contourState, int contourFrequency);
GraphColumns notchGraph(bool notchOn, int mode, int notchFrequency);

// 11-segment bars: a bit per lit segment, segment 0 in bit 0.
inline constexpr int kBarSegments = 11;
struct IfShiftBars {
    bool marks = false;
    std::uint16_t bars = 0;
    friend bool operator==(const IfShiftBars&, const IfShiftBars&) = default;
};
IfShiftBars ifShiftBars(int mode, int shift);
std::uint16_t dnrBars(bool dnrOn, int level);
std::uint16_t bgBars(int bg);

} // namespace qx::panel
