#include "channels/ChannelLimits.h"

#include "menu/ToneTable.h"

#include <array>
#include <cctype>

namespace qx {
namespace {

// What earlier versions called code 6; files that say so are still read.
constexpr std::string_view kOldDataModeName = "RTTY-L";
constexpr int kDataMode = 6;

bool sameText(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

std::string_view trimmed(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

// "123.4500" as units and a fraction scaled to `decimals` places; nothing for
// a text with more non-zero places than that, signs or other characters.
std::optional<long long> scaledDecimal(std::string_view text, int decimals)
{
    text = trimmed(text);
    const std::size_t dot = text.find('.');
    const std::string_view whole = text.substr(0, dot);
    std::string_view fraction = dot == std::string_view::npos ? std::string_view{} : text.substr(dot + 1);
    if (whole.empty() && fraction.empty())
        return std::nullopt;
    if (whole.size() > 9)
        return std::nullopt;
    long long value = 0;
    for (char ch : whole) {
        if (ch < '0' || ch > '9')
            return std::nullopt;
        value = value * 10 + (ch - '0');
    }
    for (int i = 0; i < decimals; ++i) {
        int digit = 0;
        if (static_cast<std::size_t>(i) < fraction.size()) {
            const char ch = fraction[static_cast<std::size_t>(i)];
            if (ch < '0' || ch > '9')
                return std::nullopt;
            digit = ch - '0';
        }
        value = value * 10 + digit;
    }
    for (std::size_t i = static_cast<std::size_t>(decimals); i < fraction.size(); ++i)
        if (fraction[i] != '0')
            return std::nullopt;
    return value;
}

} // namespace

std::string_view channelModeName(int mode)
{
    return mode >= kChannelFirstMode && mode <= kChannelLastMode ? memoryChannelModeName(mode) : std::string_view{};
}

std::optional<int> channelModeFromName(std::string_view name)
{
    name = trimmed(name);
    for (int m = kChannelFirstMode; m <= kChannelLastMode; ++m)
        if (sameText(name, memoryChannelModeName(m)))
            return m;
    if (sameText(name, kOldDataModeName))
        return kDataMode;
    return std::nullopt;
}

std::string_view toneHzText(int tone)
{
    return tone >= 0 && tone < kToneCount ? kToneTexts[static_cast<std::size_t>(tone)] : std::string_view{};
}

std::optional<int> toneFromHzText(std::string_view hz)
{
    const auto tenths = scaledDecimal(hz, 1);
    if (!tenths)
        return std::nullopt;
    for (int t = 0; t < kToneCount; ++t)
        if (scaledDecimal(kToneTexts[static_cast<std::size_t>(t)], 1) == tenths)
            return t;
    return std::nullopt;
}

std::string_view toneModeName(int toneMode)
{
    switch (toneMode) {
    case 0: return "off";
    case 1: return "tone squelch";
    case 2: return "tone";
    default: return "";
    }
}

std::string_view shiftName(int shift)
{
    switch (shift) {
    case 0: return "simplex";
    case 1: return "+";
    case 2: return "-";
    default: return "";
    }
}

std::string megahertzText(long long hz)
{
    if (hz < 0)
        return "-" + megahertzText(-hz);
    std::string fraction = std::to_string(hz % 1000000);
    fraction.insert(0, 6 - fraction.size(), '0');
    return std::to_string(hz / 1000000) + "." + fraction;
}

std::optional<long long> hertzFromMegahertz(std::string_view text)
{
    return scaledDecimal(text, 6);
}

std::optional<std::string> channelProblem(const MemoryChannel& c)
{
    if (c.frequency < kChannelLowestHz || c.frequency > kChannelHighestHz)
        return "frequency " + megahertzText(c.frequency) + " MHz is outside what the radio tunes (" +
               megahertzText(kChannelLowestHz) + " to " + megahertzText(kChannelHighestHz) + " MHz)";
    if (channelModeName(c.mode).empty())
        return "mode " + std::to_string(c.mode) + " is not one the radio has";
    if (c.offset < -9999 || c.offset > 9999)
        return "clarifier offset " + std::to_string(c.offset) + " Hz is beyond +/-9999 Hz";
    if (c.rxClarifier < 0 || c.rxClarifier > 1 || c.txClarifier < 0 || c.txClarifier > 1)
        return std::string("the clarifier flags are on (1) or off (0)");
    if (toneModeName(c.toneMode).empty())
        return "tone mode " + std::to_string(c.toneMode) + " is not one the radio has";
    if (toneHzText(c.tone).empty())
        return "tone number " + std::to_string(c.tone) + " is not one of the radio's 50 tones";
    if (shiftName(c.shift).empty())
        return "repeater shift " + std::to_string(c.shift) + " is not simplex, + or -";
    return std::nullopt;
}

MemoryChannel defaultChannel(long long hz)
{
    MemoryChannel c;
    c.frequency = hz;
    c.mode = hz < 10000000 ? 1 : 2;
    c.tone = 8; // 88.5 Hz, the radio's own default
    return c;
}

} // namespace qx
