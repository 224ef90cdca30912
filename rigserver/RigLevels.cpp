#include "rigserver/RigLevels.h"

#include "core/MessageIds.h"
#include "rigserver/RigReceiverSettings.h"
#include "state/RadioState.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace qx::rig {
namespace {

using R = RadioState::Int;

constexpr int kS9Raw = 121;
constexpr int kFullRaw = 255;
constexpr int kS0Db = -54;
constexpr int kTopDb = 60;
constexpr int kMinWatts = 5;
constexpr int kMaxWatts = 100;
constexpr int kMinKeySpeed = 4;
constexpr int kMaxKeySpeed = 60;

// One radio-state entry a client reads and sets by name, and its request.
struct Setting {
    std::string_view name;
    Mask bit;
    R entry;
    std::uint32_t request;
};

// 0-255 settings shown as 0.0-1.0.
constexpr std::array kGains{
    Setting{"AF", level::kAf, R::AG0, UM_REQ_AG_SET_0},
    Setting{"RF", level::kRf, R::RG0, UM_REQ_RG_SET_0},
    Setting{"SQL", level::kSql, R::SQ0, UM_REQ_SQ_SET_0},
    Setting{"MICGAIN", level::kMicGain, R::MG, UM_REQ_MG_SET},
};

// On/off switches.
constexpr std::array kSwitches{
    Setting{"NB", func::kNb, R::NB, UM_REQ_NB_SET},
    Setting{"COMP", func::kComp, R::PR, UM_REQ_PR_SET},
    Setting{"LOCK", func::kLock, R::LK, UM_REQ_LK_ONOFF},
    Setting{"RIT", func::kRit, R::RT, UM_REQ_RT_ONOFF},
};

template <std::size_t N>
const Setting* find(const std::array<Setting, N>& table, std::string_view name)
{
    for (const Setting& s : table)
        if (s.name == name)
            return &s;
    return nullptr;
}

std::string fixed6(double v)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%f", v);
    return buf;
}

std::optional<double> fraction(std::string_view text)
{
    const auto v = parseNumber(text);
    if (!v || *v < 0.0 || *v > 1.0)
        return std::nullopt;
    return v;
}

} // namespace

std::optional<double> parseNumber(std::string_view text)
{
    const std::string s(text);
    char* end = nullptr;
    errno = 0;
    const double v = std::strtod(s.c_str(), &end);
    if (end == s.c_str() || errno == ERANGE || !std::isfinite(v))
        return std::nullopt;
    return v;
}

std::optional<long> parseInteger(std::string_view text)
{
    const std::string s(text);
    char* end = nullptr;
    errno = 0;
    const long v = std::strtol(s.c_str(), &end, 10);
    if (end == s.c_str() || errno == ERANGE)
        return std::nullopt;
    return v;
}

int strengthDb(int raw)
{
    if (raw <= 0)
        return kS0Db;
    if (raw >= kFullRaw)
        return kTopDb;
    if (raw <= kS9Raw)
        return static_cast<int>(std::lround(kS0Db + static_cast<double>(raw) * -kS0Db / kS9Raw));
    return static_cast<int>(std::lround(static_cast<double>(raw - kS9Raw) * kTopDb / (kFullRaw - kS9Raw)));
}

std::optional<std::string> readLevel(std::string_view name, const RigStateView& radio)
{
    if (name == "STRENGTH")
        return std::to_string(strengthDb(radio.value(R::RM0)));
    if (name == "RAWSTR")
        return std::to_string(radio.value(R::RM0));
    if (name == "RFPOWER")
        return fixed6(radio.value(R::PC) / static_cast<double>(kMaxWatts));
    if (name == "KEYSPD")
        return std::to_string(radio.value(R::KS));
    if (const Setting* g = find(kGains, name))
        return fixed6(radio.value(g->entry) / static_cast<double>(kFullRaw));
    return std::nullopt;
}

Status writeLevel(std::string_view name, std::string_view value, RigWriter& writer, RigStateView& radio)
{
    auto send = [&](std::uint32_t request, R entry, long v) {
        writer.request(request, 0, v);
        radio.expect(entry, static_cast<int>(v));
        return kOk;
    };
    if (name == "RFPOWER") {
        const auto v = fraction(value);
        if (!v)
            return kInvalid;
        return send(UM_REQ_PC_SET, R::PC,
                    std::clamp(std::lround(*v * kMaxWatts), static_cast<long>(kMinWatts), static_cast<long>(kMaxWatts)));
    }
    if (name == "KEYSPD") {
        const auto v = parseNumber(value);
        if (!v || *v < kMinKeySpeed - 0.5 || *v >= kMaxKeySpeed + 0.5)
            return kInvalid;
        return send(UM_REQ_KS_SET, R::KS, std::lround(*v));
    }
    if (const Setting* g = find(kGains, name)) {
        const auto v = fraction(value);
        if (!v)
            return kInvalid;
        return send(g->request, g->entry, std::lround(*v * kFullRaw));
    }
    return kInvalid;
}

std::optional<bool> readFunction(std::string_view name, const RigStateView& radio)
{
    if (const Setting* s = find(kSwitches, name))
        return radio.value(s->entry) != 0;
    return std::nullopt;
}

Status writeFunction(std::string_view name, std::string_view status, RigWriter& writer, RigStateView& radio)
{
    const Setting* s = find(kSwitches, name);
    const auto on = parseInteger(status);
    if (!s || !on)
        return kInvalid;
    writer.request(s->request, 0, *on != 0 ? 1 : 0);
    radio.expect(s->entry, *on != 0 ? 1 : 0);
    return kOk;
}

Mask settableLevels()
{
    Mask m = level::kRfPower | level::kKeySpeed | level::kAgc | level::kPreamp | level::kAtt | level::kNr |
             level::kNotchF;
    for (const Setting& g : kGains)
        m |= g.bit;
    return m;
}

Mask readableLevels() { return settableLevels() | receiverLevels() | level::kStrength | level::kRawStrength; }

Mask functions()
{
    Mask m = receiverFunctions();
    for (const Setting& s : kSwitches)
        m |= s.bit;
    return m;
}

bool isHamlibLevelName(std::string_view name)
{
    constexpr std::string_view kNames[] = {
        "PREAMP",     "ATT",        "VOXDELAY", "AF",        "RF",          "SQL",          "IF",
        "APF",        "NR",         "PBT_IN",   "PBT_OUT",   "CWPITCH",     "RFPOWER",      "MICGAIN",
        "KEYSPD",     "NOTCHF",     "COMP",     "AGC",       "BKINDL",      "BAL",          "METER",
        "VOXGAIN",    "ANTIVOX",    "SLOPE_LOW", "SLOPE_HIGH", "BKIN_DLYMS", "RAWSTR",      "SQLSTAT",
        "SWR",        "ALC",        "STRENGTH", "RFPOWER_METER", "COMPMETER", "VD_METER",   "ID_METER",
        "NOTCHF_RAW", "MONITOR_GAIN", "NB",     "RFPOWER_METER_WATTS", "USB_AF", "AGC_TIME", "TEMP_METER",
    };
    return std::find(std::begin(kNames), std::end(kNames), name) != std::end(kNames);
}

bool isHamlibFunctionName(std::string_view name)
{
    constexpr std::string_view kNames[] = {
        "FAGC", "NB",   "COMP", "VOX",  "TONE", "TSQL", "SBKIN",   "FBKIN", "ANF",       "NR",
        "AIP",  "APF",  "MON",  "MN",   "RF",   "ARO",  "LOCK",    "MUTE",  "VSC",       "REV",
        "SQL",  "ABM",  "BC",   "MBC",  "RIT",  "AFC",  "SATMODE", "SCOPE", "RESUME",    "TBURST",
        "TUNER", "XIT", "NB2",  "CSQL", "AFLT", "ANL",  "BC2",     "DUAL_WATCH", "DIVERSITY", "DSQL",
        "SCEN", "SLICE", "TRANSCEIVE", "SPECTRUM", "SPECTRUM_HOLD", "SEND_MORSE", "SEND_VOICE_MEM",
        "OVF_STATUS", "SYNC",
    };
    return std::find(std::begin(kNames), std::end(kNames), name) != std::end(kNames);
}

std::string_view readableLevelNames()
{
    return "AF RF SQL RFPOWER MICGAIN KEYSPD RAWSTR STRENGTH AGC PREAMP ATT NR NOTCHF ALC SWR ";
}
std::string_view settableLevelNames() { return "AF RF SQL RFPOWER MICGAIN KEYSPD AGC PREAMP ATT NR NOTCHF "; }
std::string_view functionNames() { return "NB COMP LOCK RIT NR VOX ANF TONE TSQL MN "; }

} // namespace qx::rig
