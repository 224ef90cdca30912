#include "rigserver/RigChannels.h"

#include "rigserver/RigCapabilities.h"
#include "rigserver/RigLevels.h"
#include "rigserver/RigModes.h"
#include "rigserver/RigReceiverSettings.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace qx::rig {
namespace {

constexpr int kMaxClarifierHz = 9999;
// The radio's repeater shift codes.
constexpr int kShiftPlus = 1;
constexpr int kShiftMinus = 2;
// Tone modes: encode only, and tone squelch.
constexpr int kToneEncode = 1;
constexpr int kToneSquelch = 2;

// A frequency as Hamlib prints one: its unit chosen by size, a fixed number
// of decimals per unit.
std::string frequencyText(long long hz)
{
    char buf[40];
    const long long magnitude = std::llabs(hz);
    if (magnitude >= 1000000)
        std::snprintf(buf, sizeof buf, "%.7f MHz", static_cast<double>(hz) / 1e6);
    else if (magnitude >= 1000)
        std::snprintf(buf, sizeof buf, "%.4f kHz", static_cast<double>(hz) / 1e3);
    else
        std::snprintf(buf, sizeof buf, "%.1f Hz", static_cast<double>(hz));
    return buf;
}

std::string signedFrequencyText(long long hz) { return (hz > 0 ? "+" : "") + frequencyText(hz); }

std::string toneText(int tenths)
{
    char buf[24];
    std::snprintf(buf, sizeof buf, "%d.%dHz", tenths / 10, tenths % 10);
    return buf;
}

std::optional<long> clarifierHz(const std::string& text)
{
    const auto v = parseInteger(text);
    if (!v || *v < -kMaxClarifierHz || *v > kMaxClarifierHz)
        return std::nullopt;
    return v;
}

// 0 for no tone; nothing for a tone the radio does not have.
std::optional<int> toneField(const std::string& text, bool& on)
{
    const auto tenths = parseInteger(text);
    if (!tenths)
        return std::nullopt;
    on = *tenths != 0;
    if (!on)
        return 0;
    return toneCode(*tenths);
}

} // namespace

std::string channelBlock(int number, const std::optional<MemoryChannel>& content, int dataType)
{
    const MemoryChannel c = content.value_or(MemoryChannel{});
    const auto mode = content ? clientMode(c.mode, dataType) : std::nullopt;
    const long long rit = c.rxClarifier ? c.offset : 0;
    const long long xit = c.txClarifier ? c.offset : 0;
    const int tone = c.toneMode == kToneEncode ? toneTenths(c.tone) : 0;
    const int squelch = c.toneMode == kToneSquelch ? toneTenths(c.tone) : 0;
    const char* shift = c.shift == kShiftPlus ? "+" : c.shift == kShiftMinus ? "-" : "None";

    std::string s;
    s += "Channel: " + std::to_string(number) + ", Name: ''\n";
    s += "VFO: MEM, Antenna: 0, Split: OFF\n";
    s += "Freq:   " + frequencyText(c.frequency) + "\tMode:   " + std::string(mode ? mode->name : "") +
         "\tWidth:   " + frequencyText(0) + "\n";
    s += "txFreq: " + frequencyText(0) + "\ttxMode: \ttxWidth: " + frequencyText(0) + "\n";
    s += std::string("Shift: ") + shift + ", Offset: " + frequencyText(0) + ", Step: " + frequencyText(0) +
         ", RIT: " + signedFrequencyText(rit) + ", XIT: " + signedFrequencyText(xit) + "\n";
    s += "CTCSS: " + toneText(tone) + ", CTCSSsql: " + toneText(squelch) + ", DCS: 0.0, DCSsql: 0.0\n";
    s += "Functions: \n";
    s += "Levels:\n";
    return s;
}

std::optional<MemoryChannel> channelFromFields(const std::vector<std::string>& f, int dataType)
{
    if (f.size() != static_cast<std::size_t>(kChannelFields))
        return std::nullopt;
    MemoryChannel c;
    const auto hz = parseNumber(f[0]);
    if (!hz || *hz < kLowestHz || *hz > kHighestHz)
        return std::nullopt;
    c.frequency = std::llround(*hz);

    const auto mode = radioModeFor(f[1]);
    if (!mode || (mode->dataType && *mode->dataType != dataType))
        return std::nullopt;
    c.mode = mode->radioMode;

    // As Hamlib reads a shift: "+" and "-", anything else none.
    c.shift = f[2] == "+" ? kShiftPlus : f[2] == "-" ? kShiftMinus : 0;

    const auto rit = clarifierHz(f[3]);
    const auto xit = clarifierHz(f[4]);
    if (!rit || !xit || (*rit != 0 && *xit != 0 && *rit != *xit))
        return std::nullopt;
    c.offset = static_cast<int>(*rit != 0 ? *rit : *xit);
    c.rxClarifier = *rit != 0 ? 1 : 0;
    c.txClarifier = *xit != 0 ? 1 : 0;

    bool toneOn = false;
    bool squelchOn = false;
    const auto tone = toneField(f[5], toneOn);
    const auto squelch = toneField(f[6], squelchOn);
    if (!tone || !squelch || (toneOn && squelchOn && *tone != *squelch))
        return std::nullopt;
    c.toneMode = squelchOn ? kToneSquelch : toneOn ? kToneEncode : 0;
    c.tone = squelchOn ? *squelch : *tone;
    if (!c.valid())
        return std::nullopt;
    return c;
}

} // namespace qx::rig
