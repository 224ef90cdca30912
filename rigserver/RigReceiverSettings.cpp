#include "rigserver/RigReceiverSettings.h"

#include "core/MessageIds.h"
#include "menu/ToneTable.h"
#include "rigserver/RigLevels.h"
#include "state/CommandState.h"
#include "state/RadioState.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

namespace qx::rig {
namespace {

using R = RadioState::Int;
using C = CommandState::Int;

constexpr int kFullRaw = 255;
constexpr int kMinNrLevel = 1;
constexpr int kMaxNrLevel = 11;
constexpr int kAttenuatorOn = 3;  // the panel's ATT ON
// The manual notch's frequency, in the radio's steps of 10 Hz.
constexpr int kNotchStepHz = 10;
constexpr int kNotchLowest = 1;
constexpr int kNotchHighest = 400;
// The transmit meter the radio's meter setting shows ("MS").
constexpr int kMeterAlc = 1;
constexpr int kMeterSwr = 3;
// The SWR scale read linearly from 1.0 at rest to 5.0 at full scale.
constexpr double kSwrAtFullScale = 5.0;

// The radio's AGC codes ("GT") and the request's index for each (the
// request maps 0-4 to codes 0, 4, 1, 2, 3).
int hamlibAgc(int code)
{
    switch (code) {
    case 0: return agc::kOff;
    case 1: return agc::kFast;
    case 2: return agc::kMedium;
    case 3: return agc::kSlow;
    default: return agc::kAuto;  // 4 to 6: automatic, fast to slow
    }
}

std::optional<int> agcRequestIndex(long hamlib)
{
    switch (hamlib) {
    case agc::kOff: return 0;
    case agc::kAuto: return 1;
    case agc::kFast: return 2;
    case agc::kMedium: return 3;
    case agc::kSlow: return 4;
    default: return std::nullopt;
    }
}

constexpr std::array<int, 5> kAgcCodeOfIndex{0, 4, 1, 2, 3};

std::string fixed6(double v)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%f", v);
    return buf;
}

// What the radio toggles from the value the program last asked for: the
// toggle is sent only when that differs from the wish.
Status toggleTo(bool on, std::uint32_t request, int selector, C commanded, R reported, RigWriter& writer,
                RigStateView& radio)
{
    if ((radio.command().get(commanded) != 0) != on)
        writer.request(request, selector, 0);
    radio.expect(reported, on ? 1 : 0);
    return kOk;
}

} // namespace

int toneTenths(int code)
{
    if (code < 0 || code >= kToneCount)
        return 0;
    int tenths = 0;
    for (char c : kToneTexts[static_cast<std::size_t>(code)])
        if (c >= '0' && c <= '9')
            tenths = tenths * 10 + (c - '0');
    return tenths;
}

std::optional<int> toneCode(long tenths)
{
    for (int code = 0; code < kToneCount; ++code)
        if (toneTenths(code) == tenths)
            return code;
    return std::nullopt;
}

std::optional<std::string> readReceiverLevel(std::string_view name, int vfo, const RigStateView& radio,
                                             Status* status)
{
    (void)vfo;
    if (name == "AGC")
        return std::to_string(hamlibAgc(radio.value(R::GT0)));
    if (name == "PREAMP")
        return std::to_string(radio.value(R::PA) != 0 ? kPreampDb : 0);
    if (name == "ATT")
        return std::to_string(radio.value(R::RA) != 0 ? kAttenuatorDb : 0);
    if (name == "NR")
        return fixed6(static_cast<double>(radio.value(R::RL) - kMinNrLevel) / (kMaxNrLevel - kMinNrLevel));
    if (name == "NOTCHF")
        return std::to_string(radio.value(R::BP_LEVEL) * kNotchStepHz);
    if (name == "ALC" || name == "SWR") {
        const bool swr = name == "SWR";
        if (radio.value(R::MS) != (swr ? kMeterSwr : kMeterAlc)) {
            *status = kNotAvailable;
            return std::string();
        }
        // Receiving, the transmit meter rests.
        const double raw = radio.transmitting() ? radio.value(R::RM1) / static_cast<double>(kFullRaw) : 0.0;
        return fixed6(swr ? 1.0 + raw * (kSwrAtFullScale - 1.0) : raw);
    }
    return std::nullopt;
}

std::optional<Status> writeReceiverLevel(std::string_view name, std::string_view value, int vfo, RigWriter& writer,
                                         RigStateView& radio)
{
    (void)vfo;
    if (name == "AGC") {
        const auto v = parseInteger(value);
        const auto index = v ? agcRequestIndex(*v) : std::nullopt;
        if (!index)
            return kInvalid;
        writer.request(UM_REQ_GT_SET, 0, *index);
        radio.expect(R::GT0, kAgcCodeOfIndex[static_cast<std::size_t>(*index)]);
        return kOk;
    }
    if (name == "PREAMP" || name == "ATT") {
        const auto db = parseInteger(value);
        if (!db || *db < 0)
            return kInvalid;
        const bool preamp = name == "PREAMP";
        const int v = *db == 0 ? 0 : preamp ? 1 : kAttenuatorOn;
        writer.request(preamp ? UM_REQ_PA_SET : UM_REQ_RA_SET, 0, v);
        radio.expect(preamp ? R::PA : R::RA, v);
        return kOk;
    }
    if (name == "NR") {
        const auto v = parseNumber(value);
        if (!v || *v < 0.0 || *v > 1.0)
            return kInvalid;
        const int level = kMinNrLevel + static_cast<int>(std::lround(*v * (kMaxNrLevel - kMinNrLevel)));
        writer.request(UM_REQ_RL_SET, 0, level);
        radio.expect(R::RL, level);
        return kOk;
    }
    if (name == "NOTCHF") {
        // Sets where the notch sits; "U MN" switches it.
        const auto hz = parseNumber(value);
        const long steps = hz ? std::lround(*hz / kNotchStepHz) : 0;
        if (steps < kNotchLowest || steps > kNotchHighest)
            return kInvalid;
        writer.request(UM_REQ_BP_SET_1, 0, steps);
        radio.expect(R::BP_LEVEL, static_cast<int>(steps));
        return kOk;
    }
    if (name == "ALC" || name == "SWR")
        return kInvalid;  // readings, not settings
    return std::nullopt;
}

std::optional<bool> readReceiverFunction(std::string_view name, int vfo, const RigStateView& radio)
{
    if (name == "NR")
        return radio.value(R::NR0) != 0;
    if (name == "VOX")
        return radio.value(R::VX) != 0;
    if (name == "MN")
        return radio.value(R::BP_SW) != 0;
    if (name == "ANF")
        return radio.value(vfo == 1 ? R::NA1 : R::NA0) != 0;
    if (name == "TONE")
        return radio.value(vfo == 1 ? R::CT1 : R::CT0) == 1;
    if (name == "TSQL")
        return radio.value(vfo == 1 ? R::CT1 : R::CT0) == 2;
    return std::nullopt;
}

std::optional<Status> writeReceiverFunction(std::string_view name, bool on, int vfo, RigWriter& writer,
                                            RigStateView& radio)
{
    if (name == "NR")
        return toggleTo(on, UM_REQ_NR_TOGGLE, 0, C::NR, R::NR0, writer, radio);
    if (name == "VOX")
        return toggleTo(on, UM_REQ_VX_TOGGLE, 0, C::VX, R::VX, writer, radio);
    if (name == "MN")
        return toggleTo(on, UM_REQ_BP_SET_0, 0, C::BP_SW, R::BP_SW, writer, radio);
    if (name == "ANF")
        return toggleTo(on, UM_REQ_NA_TOGGLE, vfo, vfo == 1 ? C::NA1 : C::NA0, vfo == 1 ? R::NA1 : R::NA0, writer,
                        radio);
    if (name == "TONE" || name == "TSQL") {
        // One tone mode at a time: switching one off leaves the other alone.
        const R entry = vfo == 1 ? R::CT1 : R::CT0;
        const int mode = name == "TONE" ? 1 : 2;
        if (!on && radio.value(entry) != mode)
            return kOk;
        const int next = on ? mode : 0;
        writer.request(next == 0 ? UM_REQ_CT_0 : next == 1 ? UM_REQ_CT_1 : UM_REQ_CT_2, vfo, 0);
        radio.expect(entry, next);
        return kOk;
    }
    return std::nullopt;
}

long ctcssTone(int vfo, const RigStateView& radio)
{
    return toneTenths(radio.value(vfo == 1 ? R::CN1 : R::CN0));
}

Status setCtcssTone(std::string_view tenths, int vfo, RigWriter& writer, RigStateView& radio)
{
    const auto want = parseInteger(tenths);
    const auto code = want ? toneCode(*want) : std::nullopt;
    if (!code)
        return kInvalid;
    writer.request(UM_REQ_CN_SET, vfo, *code);
    radio.expect(vfo == 1 ? R::CN1 : R::CN0, *code);
    return kOk;
}

Mask receiverLevels()
{
    return level::kAgc | level::kPreamp | level::kAtt | level::kNr | level::kNotchF | level::kAlc | level::kSwr;
}
Mask receiverFunctions() { return func::kNr | func::kVox | func::kAnf | func::kTone | func::kTsql | func::kMn; }
std::string_view receiverLevelNames() { return "AGC PREAMP ATT NR NOTCHF ALC SWR "; }
std::string_view receiverFunctionNames() { return "NR VOX ANF TONE TSQL MN "; }

} // namespace qx::rig
