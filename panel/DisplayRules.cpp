#include "panel/DisplayRules.h"

#include <algorithm>
#include <cstdlib>

namespace qx::panel {

FrequencyDisplay frequencyDisplay(long long hz, int selectedDigit)
{
    // Eight places hold at most 99 999 999; anything wider would not fit the field.
    hz = std::clamp(hz, 0LL, 99'999'999LL);
    if (selectedDigit < 0 || selectedDigit > 8)
        selectedDigit = 0;

    std::array<char, 8> text{};
    text.fill(' ');
    long long rest = hz;
    for (int i = 7; i >= 0; --i) {
        text[static_cast<std::size_t>(i)] = static_cast<char>('0' + rest % 10);
        rest /= 10;
        if (rest == 0)
            break;
    }

    FrequencyDisplay d;
    const int highlighted = 8 - selectedDigit; // 8 = no position
    for (int i = 0; i < 8; ++i) {
        const char c = text[static_cast<std::size_t>(i)];
        int state = c == ' ' ? (selectedDigit == 0 ? kBlankDigit : 0) : c - '0';
        if (i == highlighted)
            state += kHighlight;
        d.digits[static_cast<std::size_t>(i)] = state;
    }
    d.mhzPoint = !(selectedDigit == 0 && text[1] == ' ');
    return d;
}

ClarifierDisplay clarifierDisplay(int offsetHz)
{
    ClarifierDisplay d;
    d.sign = offsetHz > 0 ? ClarSign::Plus : offsetHz < 0 ? ClarSign::Minus : ClarSign::Blank;
    const int a = std::min(std::abs(offsetHz), 9999);
    d.digits = {a / 1000 % 10, a / 100 % 10, a / 10 % 10};
    return d;
}

namespace {

int wrapAngle(int b) { return b > 360 ? b - 360 : b; }

} // namespace

int gainPointerAngle(int value)
{
    value = std::clamp(value, 0, 255);
    return wrapAngle(value * 119 / 100 + 207);
}

int ifShiftPointerAngle(int shift)
{
    shift = std::clamp(shift, -1260, 1260);
    return wrapAngle((shift * 12 + 15120) / 100 + 207);
}

int meterSegmentsLit(int value)
{
    const auto it = std::upper_bound(kMeterThresholds.begin(), kMeterThresholds.end(), value);
    return static_cast<int>(it - kMeterThresholds.begin());
}

MeterLabel meterLabel(int meterSelection, int modelId)
{
    switch (meterSelection) {
    case 1: return MeterLabel::Alc;
    case 2: return modelId == 243 ? MeterLabel::PowerAlt : MeterLabel::Power;
    case 3: return MeterLabel::Swr;
    default: return MeterLabel::Blank;
    }
}

bool isAmOrFm(int mode) { return mode == 4 || mode == 5 || mode == 11; }

std::optional<ModeSegments> modeSegments(int mode, int dataSidebandItem)
{
    ModeSegments s;
    switch (mode) {
    case 1: s.lsb = true; break;
    case 2: s.usb = true; break;
    case 3: s.cw = s.usb = true; break;
    case 7: s.cw = s.lsb = true; break;
    case 4:
    case 11: s.fm = true; break;
    case 5: s.am = true; break;
    case 10: return std::nullopt;
    default:
        s.data = true;
        if (dataSidebandItem == 2)
            s.usb = true;
        else
            s.lsb = true;
        break;
    }
    return s;
}

int vfoMemoryState(int memoryMode, bool transmitting, bool vfoB, bool txVfoB)
{
    if (memoryMode == 0)
        return (transmitting ? txVfoB : vfoB) ? 1 : 0;
    if (memoryMode >= 1 && memoryMode <= 5)
        return memoryMode + 1;
    return 7;
}

AgcSegments agcSegments(int agcState)
{
    switch (agcState) {
    case 0: return {};
    case 1: return {false, true, false};
    case 2:
    case 3: return {false, false, true};
    case 6: return {true, false, true};
    default: return {true, true, false};
    }
}

SegmentPair toneDcsPair(int dq)
{
    switch (dq) {
    case 1: return {true, true};
    case 2: return {true, false};
    case 3: return {false, true};
    default: return {};
    }
}

SegmentPair ctcssPair(int ct)
{
    switch (ct) {
    case 1: return {true, true};
    case 2: return {true, false};
    default: return {};
    }
}

SegmentPair shiftPair(int os) { return {os == 1, os == 2}; }

namespace {

// One row of a graph table: the first row whose bound is not below the
// value is the one shown.
struct GraphRow {
    int bound;
    GraphColumns columns;
};

// Contour: a dip (negative) or a peak (positive) around one column,
// two columns wide for level 2; the column moves with the frequency.
constexpr GraphRow contourRow(int level, int row)
{
    GraphRow r{(row + 1) * 32 / 5, {}};
    if (row == 4)
        r.bound = 32;
    const int centre = 3 + row * 4;
    const int width = level == 2 || level == -2 ? 1 : 0;
    for (int c = centre - width; c <= centre + width; ++c) {
        if (level < 0) {
            r.columns.upper[static_cast<std::size_t>(c)] = 1;
            if (level == -2 && c == centre)
                r.columns.lower[static_cast<std::size_t>(c)] = 1;
        } else {
            r.columns.upper[static_cast<std::size_t>(c)] = 2;
        }
    }
    return r;
}

constexpr std::array<GraphRow, 5> contourTable(int level)
{
    std::array<GraphRow, 5> t{};
    for (int row = 0; row < 5; ++row)
        t[static_cast<std::size_t>(row)] = contourRow(level, row);
    return t;
}

constexpr std::array<std::array<GraphRow, 5>, 4> kContourTables{
    contourTable(-2), contourTable(-1), contourTable(1), contourTable(2)};

// Notch: one column cut through both parts, 20 rows across 1..400.
constexpr std::array<GraphRow, 20> notchTable()
{
    std::array<GraphRow, 20> t{};
    for (int row = 0; row < 20; ++row) {
        auto& r = t[static_cast<std::size_t>(row)];
        r.bound = (row + 1) * 20;
        r.columns.upper[static_cast<std::size_t>(row + 1)] = 1;
        r.columns.lower[static_cast<std::size_t>(row + 1)] = 1;
    }
    return t;
}
constexpr auto kNotchTable = notchTable();

template <std::size_t N>
const GraphRow* findRow(const std::array<GraphRow, N>& t, int value)
{
    for (const auto& r : t)
        if (r.bound >= value)
            return &r;
    return nullptr;
}

struct BarRow {
    int bound;
    std::uint16_t bars;
};

constexpr std::uint16_t barsUpTo(int n) { return static_cast<std::uint16_t>((1u << n) - 1u); }

// IF shift: the centre segment and a marker that walks out to the shift.
constexpr std::array<BarRow, 11> kIfShiftTable{{
    {-1050, 0b00000111111}, {-840, 0b00000111110}, {-630, 0b00000111100}, {-420, 0b00000111000},
    {-210, 0b00000110000}, {0, 0b00000100000}, {210, 0b00001100000}, {420, 0b00011100000},
    {630, 0b00111100000}, {840, 0b01111100000}, {1270, 0b11111100000},
}};

constexpr std::array<BarRow, 11> dnrTable()
{
    std::array<BarRow, 11> t{};
    for (int i = 0; i < 11; ++i)
        t[static_cast<std::size_t>(i)] = {i + 1, barsUpTo(i + 1)};
    return t;
}
constexpr auto kDnrTable = dnrTable();

constexpr std::array<BarRow, 6> kBgTable{{
    {0, barsUpTo(1)}, {1, barsUpTo(3)}, {2, barsUpTo(5)}, {3, barsUpTo(7)}, {4, barsUpTo(9)}, {5, barsUpTo(11)},
}};

template <std::size_t N>
std::uint16_t findBars(const std::array<BarRow, N>& t, int value)
{
    for (const auto& r : t)
        if (r.bound >= value)
            return r.bars;
    return 0;
}

} // namespace

GraphColumns contourGraph(int contourState, int contourFrequency)
{
    int table = -1;
    switch (contourState) {
    case -2: table = 0; break;
    case -1: table = 1; break;
    case 1: table = 2; break;
    case 2: table = 3; break;
    default: return {};
    }
    const auto* row = findRow(kContourTables[static_cast<std::size_t>(table)], contourFrequency);
    return row ? row->columns : GraphColumns{};
}

GraphColumns notchGraph(bool notchOn, int mode, int notchFrequency)
{
    if (!notchOn || isAmOrFm(mode))
        return {};
    const auto* row = findRow(kNotchTable, notchFrequency);
    return row ? row->columns : GraphColumns{};
}

IfShiftBars ifShiftBars(int mode, int shift)
{
    if (isAmOrFm(mode))
        return {};
    return {true, findBars(kIfShiftTable, shift)};
}

std::uint16_t dnrBars(bool dnrOn, int level) { return dnrOn ? findBars(kDnrTable, level) : 0; }

std::uint16_t bgBars(int bg) { return findBars(kBgTable, bg); }

} // namespace qx::panel
