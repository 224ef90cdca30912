#include "rigserver/RigCapabilities.h"

#include "rigserver/HamlibCodes.h"
#include "rigserver/RigLevels.h"
#include "rigserver/RigModes.h"
#include "rigserver/RigReceiverSettings.h"

#include <cstdio>

namespace qx::rig {
namespace {

constexpr int kProtocolVersion = 1;
constexpr long kLowestTxHz = 1800000;
constexpr long kHighestTxHz = 54000000;
constexpr int kLowPowerMw = 5000;
constexpr int kHighPowerMw = 100000;
constexpr int kMaxIfShiftHz = 1260;
constexpr unsigned kFirstAntenna = 1;
// How long a client waits for an answer: the time rigctld gives a serial
// radio of this kind, so a client's patience is the same with either.
constexpr int kAnswerTimeoutMs = 1000;

std::string hex(Mask m)
{
    char buf[24];
    std::snprintf(buf, sizeof buf, "0x%llx", static_cast<unsigned long long>(m));
    return buf;
}

std::string range(long low, long high, int lowPower, int highPower)
{
    char buf[128];
    std::snprintf(buf, sizeof buf, "%ld.000000 %ld.000000 %s %d %d %s 0x%x\n", low, high,
                  hex(settableModes()).c_str(), lowPower, highPower, hex(vfo::kA | vfo::kB).c_str(), kFirstAntenna);
    return buf;
}

std::string pair(Mask modes, long value) { return hex(modes) + " " + std::to_string(value) + "\n"; }

} // namespace

std::string dumpState()
{
    const Mask all = settableModes();
    std::string s;
    s += std::to_string(kProtocolVersion) + "\n";
    s += std::to_string(kNetRigModel) + "\n";
    s += "0\n";  // ITU region, no longer read
    s += range(kLowestHz, kHighestHz, -1, -1);
    s += "0 0 0 0 0 0 0\n";
    s += range(kLowestTxHz, kHighestTxHz, kLowPowerMw, kHighPowerMw);
    s += "0 0 0 0 0 0 0\n";
    // Tuning steps: the main dial's 10 Hz, and 100 Hz.
    s += pair(all, 10) + pair(all, 100) + "0 0\n";
    // Filters: each mode's nominal passband.
    s += pair(mode::kUsb | mode::kLsb | mode::kPktUsb | mode::kPktLsb, 2400);
    s += pair(mode::kCw | mode::kCwr | mode::kRtty, 500);
    s += pair(mode::kAm, 6000) + pair(mode::kFm, 12000) + "0 0\n";
    s += std::to_string(kMaxRitHz) + "\n0\n" + std::to_string(kMaxIfShiftHz) + "\n0\n";
    s += std::to_string(kPreampDb) + " \n" + std::to_string(kAttenuatorDb) + " \n";
    s += hex(functions()) + "\n" + hex(functions()) + "\n";
    s += hex(readableLevels()) + "\n" + hex(settableLevels()) + "\n";
    s += "0x0\n0x0\n";  // parameters
    s += "vfo_ops=" + hex(vfoop::kCopy | vfoop::kExchange | vfoop::kFromVfo | vfoop::kToVfo | vfoop::kToggle) + "\n";
    s += "ptt_type=0x" + std::to_string(kPttByCommand) + "\n";
    s += "targetable_vfo=0x0\n";
    s += "has_set_vfo=1\nhas_get_vfo=1\nhas_set_freq=1\nhas_get_freq=1\n";
    s += "has_set_conf=0\nhas_get_conf=0\nhas_power2mW=0\nhas_mW2power=0\n";
    s += "timeout=" + std::to_string(kAnswerTimeoutMs) + "\n";
    s += "rig_model=" + std::to_string(kNetRigModel) + "\n";
    s += "rigctld_version=" + infoText() + "\n";
    s += "done\n";
    return s;
}

std::string dumpCaps()
{
    std::string s;
    s += "Caps dump for model: " + std::to_string(kNetRigModel) + "\n";
    s += "Model name:\tQX-720\n";
    s += "Mfg name:\tRCP-720\n";
    s += "Rig type:\tTransceiver\n";
    s += "PTT type:\tRig capable\n";
    s += "Port type:\tNetwork link\n";
    s += "Has targetable VFO: N\n";
    s += "Max RIT: -9.999kHz/+9.999kHz\n";
    s += "Mode list: " + std::string(settableModeNames()) + "\n";
    s += "VFO list: VFOA VFOB \n";
    s += "Get functions: " + std::string(functionNames()) + "\n";
    s += "Set functions: " + std::string(functionNames()) + "\n";
    s += "Get level: " + std::string(readableLevelNames()) + "\n";
    s += "Set level: " + std::string(settableLevelNames()) + "\n";
    s += "Can set Frequency:\tY\nCan get Frequency:\tY\n";
    s += "Can set Mode:\tY\nCan get Mode:\tY\n";
    s += "Can set VFO:\tY\nCan get VFO:\tY\n";
    s += "Can set PTT:\tY\nCan get PTT:\tY\n";
    s += "Can set Split VFO:\tY\nCan get Split VFO:\tY\n";
    s += "Can send Morse:\tY\n";
    return s;
}

std::string infoText() { return "RCP-720 rig server for the QX-720"; }

} // namespace qx::rig
