#include "xmlrpc/FlrigSession.h"

#include "core/MessageIds.h"
#include "menu/MenuKind.h"
#include "rigserver/RigCapabilities.h"
#include "rigserver/RigLevels.h"
#include "state/CommandState.h"
#include "xmlrpc/FlrigModes.h"
#include "xmlrpc/TransmitKey.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace qx::xmlrpc {
namespace {

using R = RadioState::Int;
using Result = FlrigSession::Result;

constexpr int kFullRaw = 255;
constexpr int kS9Raw = 121;
constexpr int kS9Dbm = -73;
constexpr int kMaxWatts = 100;
constexpr int kMinWatts = 5;
constexpr int kMinKeySpeed = 4;
constexpr int kMaxKeySpeed = 60;
// The meter selections whose reading the transmit meter carries.
constexpr int kPowerMeter = 2;
constexpr int kSwrMeter = 3;
// The notch's steps of 10 Hz, as the panel's NOTCH knob sets them.
constexpr int kNotchStepHz = 10;
constexpr int kNotchLowest = 1;
constexpr int kNotchHighest = 400;
// The keyer memory a client's Morse text goes through, and the request that
// plays it; the CW window keeps its texts in memories 1 to 3.
constexpr char kMorseMemory = '5';
constexpr std::size_t kMaxMorseLength = 40;
constexpr std::size_t kMaxCatLength = 40;

constexpr std::array<std::uint32_t, 8> kModeRequests{0,
                                                     UM_REQ_MD_MODE_1,
                                                     UM_REQ_MD_MODE_2,
                                                     UM_REQ_MD_MODE_3,
                                                     UM_REQ_MD_MODE_4,
                                                     UM_REQ_MD_MODE_5,
                                                     UM_REQ_MD_MODE_6,
                                                     UM_REQ_MD_MODE_7};

Result ok(Value v = Value(0)) { return {std::move(v), 0, {}}; }
Result fault(int code, std::string why) { return {Value(), code, std::move(why)}; }
Result badParams(std::string why) { return fault(kFaultParams, std::move(why)); }

std::optional<double> firstNumber(const Call& c)
{
    return c.params.empty() ? std::nullopt : c.params.front().number();
}

std::optional<std::string> firstText(const Call& c)
{
    if (c.params.empty() || c.params.front().isArray())
        return std::nullopt;
    return c.params.front().text();
}

int percentOf(int raw) { return static_cast<int>(std::lround(raw * 100.0 / kFullRaw)); }

// The S-meter on flrig's scale: 0 at S0, 50 at S9, 100 at full scale.
int smeterScale(int raw)
{
    raw = std::clamp(raw, 0, kFullRaw);
    if (raw <= kS9Raw)
        return static_cast<int>(std::lround(raw * 50.0 / kS9Raw));
    return static_cast<int>(std::lround(50.0 + (raw - kS9Raw) * 50.0 / (kFullRaw - kS9Raw)));
}

bool keyable(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == ' ' ||
           std::string_view(".,/?=+-@'():").find(c) != std::string_view::npos;
}

} // namespace

struct FlrigSession::Method {
    std::string_view name;
    bool needsRadio;  // false: answered whether or not the radio is linked
    Result (*run)(FlrigSession&, const Call&);
};

const std::vector<FlrigSession::Method>& FlrigSession::methods()
{
    using S = FlrigSession;
    using C = const Call&;
    static const std::vector<Method> table{
        {"system.listMethods", false, [](S& s, C) { return s.listMethods(); }},
        {"main.get_version", false, [](S&, C) { return ok(Value(kVersion)); }},
        {"rig.get_xcvr", false, [](S&, C) { return ok(Value(kTransceiver)); }},
        {"rig.get_modes", false,
         [](S&, C) {
             Value::Array names;
             for (std::string_view n : flrigModeNames())
                 names.emplace_back(std::string(n));
             return ok(Value(std::move(names)));
         }},
        {"rig.get_pwrmeter_scale", false, [](S&, C) { return ok(Value(1)); }},
        {"rig.get_vfo", true, [](S& s, C) { return s.getFrequency(s.radio_.activeVfo()); }},
        {"rig.get_vfoA", true, [](S& s, C) { return s.getFrequency(0); }},
        {"rig.get_vfoB", true, [](S& s, C) { return s.getFrequency(1); }},
        {"rig.set_vfo", true, [](S& s, C c) { return s.setFrequency(s.radio_.activeVfo(), c); }},
        {"main.set_frequency", true, [](S& s, C c) { return s.setFrequency(s.radio_.activeVfo(), c); }},
        {"rig.set_frequency", true, [](S& s, C c) { return s.setFrequency(s.radio_.activeVfo(), c); }},
        {"rig.set_vfoA", true, [](S& s, C c) { return s.setFrequency(0, c); }},
        {"rig.set_vfoB", true, [](S& s, C c) { return s.setFrequency(1, c); }},
        {"rig.set_vfoA_fast", true, [](S& s, C c) { return s.setFrequency(0, c); }},
        {"rig.set_vfoB_fast", true, [](S& s, C c) { return s.setFrequency(1, c); }},
        {"rig.set_verify_vfoA", true, [](S& s, C c) { return s.setFrequency(0, c); }},
        {"rig.set_verify_vfoB", true, [](S& s, C c) { return s.setFrequency(1, c); }},
        {"rig.get_mode", true, [](S& s, C) { return s.getMode(s.radio_.activeVfo()); }},
        {"rig.get_modeA", true, [](S& s, C) { return s.getMode(0); }},
        {"rig.get_modeB", true, [](S& s, C) { return s.getMode(1); }},
        {"rig.set_mode", true, [](S& s, C c) { return s.setMode(s.radio_.activeVfo(), c); }},
        {"rig.set_modeA", true, [](S& s, C c) { return s.setMode(0, c); }},
        {"rig.set_modeB", true, [](S& s, C c) { return s.setMode(1, c); }},
        {"rig.set_verify_mode", true, [](S& s, C c) { return s.setMode(s.radio_.activeVfo(), c); }},
        {"rig.set_verify_modeA", true, [](S& s, C c) { return s.setMode(0, c); }},
        {"rig.set_verify_modeB", true, [](S& s, C c) { return s.setMode(1, c); }},
        {"rig.get_bw", true, [](S& s, C) { return s.getBandwidth(s.radio_.activeVfo()); }},
        {"rig.get_bwA", true, [](S& s, C) { return s.getBandwidth(0); }},
        {"rig.get_bwB", true, [](S& s, C) { return s.getBandwidth(1); }},
        {"rig.get_bws", true,
         [](S& s, C) {
             const Result bw = s.getBandwidth(s.radio_.activeVfo());
             return ok(Value(Value::Array{Value(Value::Array{Value("Bandwidth"), bw.value})}));
         }},
        {"rig.get_AB", true, [](S& s, C) { return ok(Value(s.radio_.activeVfo() == 1 ? "B" : "A")); }},
        {"rig.set_AB", true, [](S& s, C c) { return s.setAB(c); }},
        {"rig.set_verify_AB", true, [](S& s, C c) { return s.setAB(c); }},
        {"rig.get_split", true, [](S& s, C) { return ok(Value(s.radio_.split() ? 1 : 0)); }},
        {"rig.set_split", true, [](S& s, C c) { return s.setSplit(c); }},
        {"rig.get_ptt", true, [](S& s, C) { return ok(Value(s.radio_.transmitting() ? 1 : 0)); }},
        {"rig.set_ptt", true, [](S& s, C c) { return s.setPtt(c); }},
        {"rig.set_ptt_fast", true, [](S& s, C c) { return s.setPtt(c); }},
        {"rig.set_verify_ptt", true, [](S& s, C c) { return s.setPtt(c); }},
        {"rig.get_smeter", true, [](S& s, C) { return ok(Value(smeterScale(s.radio_.value(R::RM0)))); }},
        {"rig.get_DBM", true, [](S& s, C) { return ok(Value(kS9Dbm + rig::strengthDb(s.radio_.value(R::RM0)))); }},
        {"rig.get_pwrmeter", true,
         [](S& s, C) {
             const bool live = s.radio_.transmitting() && s.radio_.value(R::MS) == kPowerMeter;
             return ok(Value(live ? static_cast<int>(std::lround(s.radio_.value(R::RM1) * double(kMaxWatts) / kFullRaw)) : 0));
         }},
        {"rig.get_SWR", true,
         [](S& s, C) {
             const bool live = s.radio_.transmitting() && s.radio_.value(R::MS) == kSwrMeter;
             return ok(Value(live ? percentOf(s.radio_.value(R::RM1)) : 0));
         }},
        {"rig.get_power", true, [](S& s, C) { return ok(Value(s.radio_.value(R::PC))); }},
        {"rig.set_power", true, [](S& s, C c) { return s.setLevel(c, R::PC, UM_REQ_PC_SET, kMinWatts, kMaxWatts, false); }},
        {"rig.get_volume", true, [](S& s, C) { return ok(Value(percentOf(s.radio_.value(R::AG0)))); }},
        {"rig.set_volume", true, [](S& s, C c) { return s.setLevel(c, R::AG0, UM_REQ_AG_SET_0, 0, 100, true); }},
        {"rig.get_rfgain", true, [](S& s, C) { return ok(Value(percentOf(s.radio_.value(R::RG0)))); }},
        {"rig.set_rfgain", true, [](S& s, C c) { return s.setLevel(c, R::RG0, UM_REQ_RG_SET_0, 0, 100, true); }},
        {"rig.get_micgain", true, [](S& s, C) { return ok(Value(percentOf(s.radio_.value(R::MG)))); }},
        {"rig.set_micgain", true, [](S& s, C c) { return s.setLevel(c, R::MG, UM_REQ_MG_SET, 0, 100, true); }},
        {"rig.get_notch", true, [](S& s, C) { return s.getNotch(); }},
        {"rig.set_notch", true, [](S& s, C c) { return s.setNotch(c); }},
        {"rig.get_agc", true, [](S& s, C) { return ok(Value(s.radio_.value(R::GT0))); }},
        {"rig.get_sideband", true,
         [](S& s, C) {
             const auto code = s.radio_.radioMode(s.radio_.activeVfo());
             const auto m = code ? flrigMode(*code, s.radio_.dataType()) : std::nullopt;
             return ok(Value(m && m->lowerSideband ? "L" : "U"));
         }},
        {"rig.cwio_text", true, [](S& s, C c) { return s.sendMorse(c); }},
        {"rig.cwio_send", true, [](S& s, C c) { return s.sendMorse(c); }},
        {"rig.cwio_get_wpm", true, [](S& s, C) { return ok(Value(s.radio_.value(R::KS))); }},
        {"rig.cwio_set_wpm", true,
         [](S& s, C c) { return s.setLevel(c, R::KS, UM_REQ_KS_SET, kMinKeySpeed, kMaxKeySpeed, false); }},
        {"rig.get_update", true, [](S& s, C) { return s.update(); }},
        {"rig.cat_string", true, [](S& s, C c) { return s.sendCat(c); }},
    };
    return table;
}

std::vector<std::string_view> FlrigSession::methodNames()
{
    std::vector<std::string_view> names;
    for (const Method& m : methods())
        names.push_back(m.name);
    return names;
}

std::string FlrigSession::answer(const Call& call)
{
    const auto& table = methods();
    const auto it = std::find_if(table.begin(), table.end(), [&](const Method& m) { return m.name == call.method; });
    if (it == table.end())
        return faultXml(kFaultUnknownMethod, "unknown method " + call.method);
    if (it->needsRadio) {
        switch (radio_.linkStatus()) {
        case rig::kOk: break;
        case rig::kNotPowered: return faultXml(kFaultServer, "the radio is switched off");
        default: return faultXml(kFaultServer, "the radio is not linked");
        }
    }
    const Result r = it->run(*this, call);
    if (r.fault == 0 && catWait_)
        return {};
    return r.fault != 0 ? faultXml(r.fault, r.why) : responseXml(r.value);
}

Result FlrigSession::listMethods() const
{
    Value::Array names;
    for (std::string_view n : methodNames())
        names.emplace_back(std::string(n));
    return ok(Value(std::move(names)));
}

Result FlrigSession::getFrequency(int vfo) const { return ok(Value(std::to_string(radio_.frequency(vfo)))); }

Result FlrigSession::setFrequency(int vfo, const Call& c)
{
    const auto hz = firstNumber(c);
    if (!hz || *hz < rig::kLowestHz || *hz > rig::kHighestHz)
        return badParams("a frequency from 30000 to 60000000 Hz");
    const auto rounded = static_cast<int>(std::lround(*hz));
    writer_.request(vfo == 1 ? UM_REQ_FB_SET : UM_REQ_FA_SET, 0, rounded);
    radio_.expect(vfo == 1 ? R::FB : R::FA, rounded);
    return ok();
}

Result FlrigSession::getMode(int vfo) const
{
    const auto code = radio_.radioMode(vfo);
    const auto m = code ? flrigMode(*code, radio_.dataType()) : std::nullopt;
    if (!m)
        return fault(kFaultServer, "the radio has not reported this VFO's mode yet");
    return ok(Value(std::string(m->name)));
}

Result FlrigSession::setMode(int vfo, const Call& c)
{
    const auto name = firstText(c);
    const auto choice = name ? radioModeForFlrig(*name) : std::nullopt;
    if (!choice)
        return badParams("a mode rig.get_modes lists");
    if (choice->dataType && *choice->dataType != radio_.dataType() &&
        !writer_.setMenuValue(MenuKind::DataType, *choice->dataType))
        return fault(kFaultServer, "the radio's data type setting is not known yet");
    const bool active = vfo == radio_.activeVfo();
    if (active)
        writer_.request(kModeRequests[static_cast<std::size_t>(choice->radioMode)], 0, 0);
    else
        writer_.request(UM_REQ_MD_SET, 1, choice->radioMode);
    radio_.expect(active ? R::MD0 : R::MD1, choice->radioMode);
    return ok();
}

Result FlrigSession::getBandwidth(int vfo) const
{
    const auto code = radio_.radioMode(vfo);
    const auto m = code ? flrigMode(*code, radio_.dataType()) : std::nullopt;
    return ok(Value(std::to_string(m ? m->passband : 0)));
}

Result FlrigSession::setAB(const Call& c)
{
    const auto name = firstText(c);
    if (!name || (*name != "A" && *name != "B"))
        return badParams("A or B");
    const int vfo = *name == "B" ? 1 : 0;
    // Clients select a VFO before nearly everything; the one in use costs
    // no command.
    if (vfo != radio_.activeVfo()) {
        writer_.request(vfo == 1 ? UM_REQ_VS_1 : UM_REQ_VS_0, 0, 0);
        radio_.expect(R::VS, vfo);
    }
    return ok();
}

Result FlrigSession::setSplit(const Call& c)
{
    const auto on = firstNumber(c);
    if (!on || (*on != 0 && *on != 1))
        return badParams("0 or 1");
    // Split transmits on the VFO that does not receive.
    const int rx = radio_.activeVfo();
    const int target = *on == 1 ? 1 - rx : rx;
    writer_.request(UM_REQ_QS_FT, 0, target);
    radio_.expect(R::FT, target);
    return ok();
}

Result FlrigSession::setPtt(const Call& c)
{
    const auto on = firstNumber(c);
    if (!on || (*on != 0 && *on != 1))
        return badParams("0 or 1");
    keyTransmitter(*on == 1);
    return ok();
}

void FlrigSession::keyTransmitter(bool on)
{
    requestTransmit(writer_, on);
    radio_.expect(R::TX, on ? 1 : 0);
    if (on)
        ptt_.keyed(client_);
    else
        ptt_.released();
}

Result FlrigSession::setLevel(const Call& c, R entry, std::uint32_t request, int lowest, int highest, bool percent)
{
    const auto v = firstNumber(c);
    if (!v || *v < lowest - 0.5 || *v >= highest + 0.5)
        return badParams("a value from " + std::to_string(lowest) + " to " + std::to_string(highest));
    const long n = percent ? std::lround(*v * kFullRaw / 100.0) : std::lround(*v);
    writer_.request(request, 0, n);
    radio_.expect(entry, static_cast<int>(n));
    return ok();
}

Result FlrigSession::getNotch() const
{
    return ok(Value(radio_.value(R::BP_SW) != 0 ? radio_.value(R::BP_LEVEL) * kNotchStepHz : 0));
}

Result FlrigSession::setNotch(const Call& c)
{
    const auto hz = firstNumber(c);
    if (!hz || *hz < 0 || *hz > kNotchHighest * kNotchStepHz + kNotchStepHz / 2)
        return badParams("0 (off) or a notch frequency up to 4000 Hz");
    const bool on = radio_.value(R::BP_SW) != 0;
    const long steps = std::clamp(std::lround(*hz / kNotchStepHz), static_cast<long>(kNotchLowest),
                                  static_cast<long>(kNotchHighest));
    if (*hz >= kNotchStepHz / 2.0) {
        writer_.request(UM_REQ_BP_SET_1, 0, steps);
        radio_.expect(R::BP_LEVEL, static_cast<int>(steps));
    }
    // The notch's switch request turns it over; it is asked for only when
    // the switch must change.
    const bool wantOn = *hz >= kNotchStepHz / 2.0;
    if (wantOn != on) {
        writer_.request(UM_REQ_BP_SET_0, 0, 0);
        radio_.expect(R::BP_SW, wantOn ? 1 : 0);
    }
    return ok();
}

Result FlrigSession::sendMorse(const Call& c)
{
    const auto text = firstText(c);
    if (!text || text->empty() || text->size() > kMaxMorseLength)
        return badParams("a text of 1 to 40 characters");
    std::string upper;
    for (char ch : *text) {
        const char u = (ch >= 'a' && ch <= 'z') ? static_cast<char>(ch - 'a' + 'A') : ch;
        // A ";" would end the keyer command early and the rest reach the
        // radio as a command of its own.
        if (!keyable(u))
            return badParams("letters, digits, spaces and .,/?=+-@'():");
        upper += u;
    }
    if (!writer_.sendText(std::string("KM") + kMorseMemory + upper + ";"))
        return fault(kFaultServer, "the keyer text could not be queued");
    writer_.request(UM_REQ_KY_A, 0, 0);
    return ok();
}

Result FlrigSession::sendCat(const Call& c)
{
    if (!cat_)
        return fault(kFaultServer, "raw commands are not available here");
    const auto text = firstText(c);
    if (!text || text->size() < 3 || text->size() > kMaxCatLength || text->back() != ';')
        return badParams("one command of the radio's, ending in ';'");
    for (std::size_t i = 0; i + 1 < text->size(); ++i) {
        const char ch = (*text)[i];
        const bool letter = ch >= 'A' && ch <= 'Z';
        if (i < 2 ? !letter : !(letter || (ch >= '0' && ch <= '9') || ch == '+' || ch == '-' || ch == ' ' || ch == '.'))
            return badParams("one command of the radio's, ending in ';'");
    }
    const std::string code = text->substr(0, 2);
    // Keying goes by rig.set_ptt, where a client that leaves releases it.
    if (code == "TX" || code == "KY")
        return badParams("the transmitter is keyed with rig.set_ptt");
    const long long mark = cat_->mark();
    if (!writer_.sendText(*text))
        return fault(kFaultServer, "the command could not be queued");
    catWait_ = CatWait{code, mark};
    return ok();
}

std::map<std::string, std::string> FlrigSession::changesSince() const
{
    auto mode = [this](int vfo) {
        const Result r = getMode(vfo);
        return r.fault ? std::string() : r.value.text();
    };
    return {
        {"vfoA", std::to_string(radio_.frequency(0))},
        {"vfoB", std::to_string(radio_.frequency(1))},
        {"modeA", mode(0)},
        {"modeB", mode(1)},
        {"AB", radio_.activeVfo() == 1 ? "B" : "A"},
        {"split", radio_.split() ? "1" : "0"},
        {"ptt", radio_.transmitting() ? "1" : "0"},
        {"power", std::to_string(radio_.value(R::PC))},
    };
}

Result FlrigSession::update()
{
    auto now = changesSince();
    std::string out;
    for (const auto& [key, value] : now) {
        const auto it = lastUpdate_.find(key);
        if (it != lastUpdate_.end() && it->second == value)
            continue;
        if (!out.empty())
            out += ' ';
        out += key + ":" + value;
    }
    lastUpdate_ = std::move(now);
    return ok(Value(out.empty() ? std::string("NIL") : out));
}

} // namespace qx::xmlrpc
