#include "rigserver/RigSession.h"

#include "core/MessageIds.h"
#include "menu/MenuKind.h"
#include "rigserver/RigCapabilities.h"
#include "rigserver/RigChannels.h"
#include "rigserver/RigLevels.h"
#include "rigserver/RigModes.h"
#include "rigserver/RigReceiverSettings.h"
#include "state/CommandState.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>

namespace qx::rig {
namespace {

// The keyer memory a client's Morse text goes through, and the request that
// plays it; the CW window keeps its texts in memories 1 to 3.
constexpr char kMorseMemory = '5';
constexpr std::uint32_t kPlayMorseMemory = UM_REQ_KY_A;
constexpr std::size_t kMaxMorseLength = 40;
// A channel the radio does not answer for within this is empty: it answers
// a filled one at once, as the memory write dialog counts on too.
constexpr std::chrono::milliseconds kChannelWait{500};

constexpr std::array<std::uint32_t, 8> kModeRequests{0,
                                                     UM_REQ_MD_MODE_1,
                                                     UM_REQ_MD_MODE_2,
                                                     UM_REQ_MD_MODE_3,
                                                     UM_REQ_MD_MODE_4,
                                                     UM_REQ_MD_MODE_5,
                                                     UM_REQ_MD_MODE_6,
                                                     UM_REQ_MD_MODE_7};

std::string_view vfoName(int vfo) { return vfo == 1 ? "VFOB" : "VFOA"; }

bool keyable(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == ' ' ||
           std::string_view(".,/?=+-@'():").find(c) != std::string_view::npos;
}

// The channel number a client names: 1 to 504, as the radio numbers them.
std::optional<int> channelNumber(std::string_view text)
{
    const auto n = parseInteger(text);
    if (!n || !MemoryChannel::validChannel(*n))
        return std::nullopt;
    return static_cast<int>(*n);
}

// The VFO and memory operations this radio has a key for, and their requests.
struct VfoOperation {
    std::string_view name;
    std::uint32_t request;
};
constexpr std::array<VfoOperation, 4> kVfoOperations{{
    {"CPY", UM_REQ_AB},       // A=B
    {"XCHG", UM_REQ_SV},      // A/B swap
    {"FROM_VFO", UM_REQ_AM},  // VFO A to the present memory channel
    {"TO_VFO", UM_REQ_MA},    // the present memory channel to VFO A
}};

// Hamlib's names of the VFO operations.
bool isVfoOperationName(std::string_view name)
{
    constexpr std::array<std::string_view, 13> kNames{"CPY",       "XCHG", "FROM_VFO", "TO_VFO", "MCL",
                                                      "UP",        "DOWN", "BAND_UP",  "BAND_DOWN",
                                                      "LEFT",      "RIGHT", "TUNE",    "TOGGLE"};
    return std::find(kNames.begin(), kNames.end(), name) != kNames.end();
}

// The check Hamlib's clients verify the rig-info block with (CRC-32, as zlib).
std::uint32_t crc32(std::string_view text)
{
    std::uint32_t crc = 0xFFFFFFFFu;
    for (unsigned char c : text) {
        crc ^= c;
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

} // namespace

static_assert(kChannelFields + 1 == 8, "\"H\" takes the channel number and the channel's fields");

std::string RigSession::answer(std::string_view line)
{
    for (ParsedCommand& c : parseLine(line))
        queued_.push_back(std::move(c));
    return runQueued();
}

std::string RigSession::runQueued()
{
    std::string out;
    while (!queued_.empty() && !read_ && !closing_) {
        const ParsedCommand c = std::move(queued_.front());
        queued_.pop_front();
        out += run(c);
    }
    if (closing_)
        queued_.clear();
    return out;
}

std::string RigSession::resume()
{
    if (!read_)
        return {};
    const auto reading = radio_.channel(read_->channel);
    const bool answered = reading.answers != read_->answersBefore;
    const bool linked = radio_.linkStatus() == kOk;
    if (!answered && linked && radio_.now() < read_->until)
        return {};
    std::string out;
    {
        Reply r(read_->command);
        if (!answered && !linked) {
            out = r.finish(radio_.linkStatus());
        } else {
            r.block(channelBlock(read_->channel, answered ? reading.content : std::nullopt, radio_.dataType()));
            out = r.finish(kOk);
        }
    }
    read_.reset();
    return out + runQueued();
}

std::string RigSession::run(const ParsedCommand& c)
{
    if (c.entry && c.entry->op == Op::Quit && c.status == kOk) {
        closing_ = true;
        return "RPRT 0\n";
    }
    if (c.entry && c.entry->op == Op::GetChannel && c.status == kOk) {
        const Status s = startChannelRead(c);
        if (s == kOk)
            return {};
        Reply r(c);
        return r.finish(s);
    }
    Reply r(c);
    if (c.status != kOk)
        return r.finish(c.status);
    return r.finish(execute(c, r));
}

Status RigSession::execute(const ParsedCommand& c, Reply& r)
{
    const Op op = c.entry->op;
    const auto label = [&c](int i) { return c.entry->labels[static_cast<std::size_t>(i)]; };
    if (!c.args.empty() && c.args.front() == "?")
        return query(op, r);
    switch (op) {
    case Op::ChkVfo: r.value(label(0), vfoMode_ ? 1 : 0); return kOk;
    case Op::SetVfoOpt: {
        const auto on = parseInteger(c.args[0]);
        if (!on)
            return kInvalid;
        vfoMode_ = *on != 0;
        return kOk;
    }
    case Op::DumpState: r.block(dumpState()); return kOk;
    case Op::DumpCaps: r.block(dumpCaps()); return kOk;
    case Op::GetInfo: r.value(label(0), infoText()); return kOk;
    case Op::GetPowerstat: r.value(label(0), radio_.poweredOn() ? 1 : 0); return kOk;
    case Op::SetPowerstat: return setPower(c.args[0]);
    case Op::SetLockMode: {
        const auto on = parseInteger(c.args[0]);
        if (!on)
            return kInvalid;
        shared_.modeLocked = *on != 0;
        return kOk;
    }
    case Op::GetLockMode: r.value(label(0), shared_.modeLocked ? 1 : 0); return kOk;
    case Op::Unsupported: return kNotAvailable;
    default: break;
    }
    if (const Status s = radio_.linkStatus(); s != kOk)
        return s;
    int vfo = selectedVfo();
    if (!c.vfo.empty()) {
        const auto v = parseVfo(c.vfo);
        if (!v)
            return kInvalid;
        vfo = *v;
    }
    return vfoCommand(c, r, vfo);
}

Status RigSession::query(Op op, Reply& r)
{
    switch (op) {
    case Op::SetMode:
    case Op::SetSplitMode: r.block(std::string(settableModeNames()) + "\n"); return kOk;
    case Op::SetLevel: r.block(std::string(settableLevelNames()) + "\n"); return kOk;
    case Op::GetLevel: r.block(std::string(readableLevelNames()) + "\n"); return kOk;
    case Op::SetFunc:
    case Op::GetFunc: r.block(std::string(functionNames()) + "\n"); return kOk;
    case Op::SetVfo:
    case Op::GetVfoInfo: r.block("VFOA VFOB currVFO \n"); return kOk;
    case Op::VfoOp: r.block("CPY XCHG FROM_VFO TO_VFO TOGGLE \n"); return kOk;
    default: return kInvalid;
    }
}

Status RigSession::vfoCommand(const ParsedCommand& c, Reply& r, int vfo)
{
    const auto label = [&c](int i) { return c.entry->labels[static_cast<std::size_t>(i)]; };
    const auto arg = [&c](std::size_t i) { return std::string_view(c.args[i]); };
    switch (c.entry->op) {
    case Op::SetFreq: return setFrequency(vfo, arg(0));
    case Op::GetFreq: r.value(label(0), radio_.frequency(vfo)); return kOk;
    case Op::SetMode: return setMode(vfo, arg(0), arg(1));
    case Op::GetMode: reportMode(r, vfo, label(0), label(1)); return kOk;
    case Op::SetVfo: {
        if (arg(0) == "MEM") {
            enterMemoryMode();
            return kOk;
        }
        const auto v = parseVfo(arg(0));
        if (!v)
            return kInvalid;
        // The radio addresses each VFO directly (FA/FB, MD with a
        // selector): a client's selection costs nothing on the line and
        // moves nobody else's VFO. Naming the operating VFO means following
        // it, so a client whose connect probe ends on VFO A keeps reading
        // the radio's VFO when the operator presses A/B.
        if (*v == radio_.activeVfo())
            selected_.reset();
        else
            selected_ = *v;
        return kOk;
    }
    case Op::GetVfo: r.value(label(0), vfoName(selectedVfo())); return kOk;
    case Op::VfoOp: return vfoOperation(arg(0));
    case Op::SetSplitVfo: return setSplit(arg(0), arg(1));
    case Op::GetSplitVfo:
        r.value(label(0), radio_.split() ? 1 : 0);
        r.value(label(1), vfoName(radio_.txVfo()));
        return kOk;
    case Op::SetSplitFreq: return setFrequency(splitVfo(), arg(0));
    case Op::GetSplitFreq: r.value(label(0), radio_.frequency(splitVfo())); return kOk;
    case Op::SetSplitMode: return setMode(splitVfo(), arg(0), arg(1));
    case Op::GetSplitMode: reportMode(r, splitVfo(), label(0), label(1)); return kOk;
    case Op::SetPtt: return setPtt(arg(0));
    case Op::GetPtt: r.value(label(0), radio_.transmitting() ? 1 : 0); return kOk;
    case Op::SetRit: return setRit(arg(0));
    case Op::GetRit: r.value(label(0), radio_.ritOffset()); return kOk;
    case Op::SetLevel:
        if (const auto s = writeReceiverLevel(arg(0), arg(1), vfo, writer_, radio_))
            return *s;
        if (!readLevel(arg(0), radio_) && isHamlibLevelName(arg(0)))
            return kNotAvailable;
        return writeLevel(arg(0), arg(1), writer_, radio_);
    case Op::GetLevel: {
        Status status = kOk;
        auto text = readReceiverLevel(arg(0), vfo, radio_, &status);
        if (!text)
            text = readLevel(arg(0), radio_);
        if (!text)
            return isHamlibLevelName(arg(0)) ? kNotAvailable : kInvalid;
        if (status != kOk)
            return status;
        r.value({}, *text);
        return kOk;
    }
    case Op::SetFunc: {
        const auto on = parseInteger(arg(1));
        if (on)
            if (const auto s = writeReceiverFunction(arg(0), *on != 0, vfo, writer_, radio_))
                return *s;
        if (!readFunction(arg(0), radio_) && isHamlibFunctionName(arg(0)))
            return kNotAvailable;
        return writeFunction(arg(0), arg(1), writer_, radio_);
    }
    case Op::GetFunc: {
        auto on = readReceiverFunction(arg(0), vfo, radio_);
        if (!on)
            on = readFunction(arg(0), radio_);
        if (!on)
            return isHamlibFunctionName(arg(0)) ? kNotAvailable : kInvalid;
        r.value({}, *on ? 1 : 0);
        return kOk;
    }
    case Op::SetCtcssTone: return setCtcssTone(arg(0), vfo, writer_, radio_);
    case Op::GetCtcssTone: r.value(label(0), ctcssTone(vfo, radio_)); return kOk;
    case Op::GetMem: r.value(label(0), radio_.value(RadioState::Int::MC)); return kOk;
    case Op::SetMem: {
        // Selects the channel; on a VFO the radio stays there ("V MEM"
        // goes to the channels), as Hamlib's set_mem leaves it.
        const auto channel = channelNumber(arg(0));
        if (!channel)
            return kInvalid;
        writer_.request(UM_REQ_MC_SELECT, 0, *channel);
        radio_.expect(RadioState::Int::MC, *channel);
        return kOk;
    }
    case Op::SetChannel: return setChannel(c);
    case Op::GetRigInfo: r.block(rigInfo()); return kOk;
    case Op::SendMorse: return sendMorse(arg(0));
    case Op::StopMorse: writer_.request(UM_REQ_KY_0, 0, 0); return kOk;
    case Op::GetVfoInfo: {
        const auto v = parseVfo(arg(0));
        if (!v)
            return kInvalid;
        r.value(label(0), radio_.frequency(*v));
        reportMode(r, *v, label(1), label(2));
        r.value(label(3), radio_.split() ? 1 : 0);
        r.value(label(4), 0);
        return kOk;
    }
    default: return kNotAvailable;
    }
}

// Both VFOs, split and who we are, in the block Hamlib 4.5 clients parse.
std::string RigSession::rigInfo() const
{
    std::string text;
    const int rx = radio_.activeVfo();
    const int tx = radio_.txVfo();
    for (int v : {0, 1}) {
        const auto code = radio_.radioMode(v);
        const auto m = code ? clientMode(*code, radio_.dataType()) : std::nullopt;
        char line[160];
        std::snprintf(line, sizeof line, "VFO=%s Freq=%d Mode=%s Width=%d RX=%d TX=%d\n",
                      std::string(vfoName(v)).c_str(), radio_.frequency(v), m ? std::string(m->name).c_str() : "None",
                      m ? m->passband : 0, v == rx ? 1 : 0, v == tx ? 1 : 0);
        text += line;
    }
    text += "Split=" + std::to_string(radio_.split() ? 1 : 0) + " SatMode=0\n";
    text += "Rig=QX-720\nApp=" + infoText() + "\nVersion=1\nModel=" + std::to_string(kNetRigModel) + "\n";
    char crc[32];
    std::snprintf(crc, sizeof crc, "CRC=0x%08x\n", static_cast<unsigned>(crc32(text)));
    return text + crc;
}

Status RigSession::setFrequency(int vfo, std::string_view text)
{
    const auto hz = parseNumber(text);
    if (!hz || *hz < kLowestHz || *hz > kHighestHz)
        return kInvalid;
    const auto rounded = static_cast<int>(std::lround(*hz));
    writer_.request(vfo == 1 ? UM_REQ_FB_SET : UM_REQ_FA_SET, 0, rounded);
    radio_.expect(vfo == 1 ? RadioState::Int::FB : RadioState::Int::FA, rounded);
    return kOk;
}

Status RigSession::setMode(int vfo, std::string_view name, std::string_view passband)
{
    const auto choice = radioModeFor(name);
    if (!choice || !parseInteger(passband))
        return kInvalid;
    if (shared_.modeLocked)
        return kOk;
    if (choice->dataType && *choice->dataType != radio_.dataType() &&
        !writer_.setMenuValue(MenuKind::DataType, *choice->dataType))
        return kNotAvailable;
    const bool active = vfo == radio_.activeVfo();
    if (active)
        writer_.request(kModeRequests[static_cast<std::size_t>(choice->radioMode)], 0, 0);
    else
        writer_.request(UM_REQ_MD_SET, 1, choice->radioMode);
    radio_.expect(active ? RadioState::Int::MD0 : RadioState::Int::MD1, choice->radioMode);
    return kOk;
}

void RigSession::reportMode(Reply& r, int vfo, std::string_view modeLabel, std::string_view widthLabel)
{
    const auto code = radio_.radioMode(vfo);
    const auto m = code ? clientMode(*code, radio_.dataType()) : std::nullopt;
    r.value(modeLabel, m ? m->name : "None");
    r.value(widthLabel, m ? m->passband : 0);
}

Status RigSession::setSplit(std::string_view on, std::string_view txVfo)
{
    const auto split = parseInteger(on);
    const auto tx = parseVfo(txVfo);
    if (!split || (*split != 0 && *split != 1) || !tx)
        return kInvalid;
    const int rx = radio_.activeVfo();
    // Split transmits on the VFO that does not receive, whichever was named.
    const int target = *split == 0 ? rx : (*tx == rx ? 1 - rx : *tx);
    writer_.request(UM_REQ_QS_FT, 0, target);
    radio_.expect(RadioState::Int::FT, target);
    return kOk;
}

Status RigSession::setPtt(std::string_view value)
{
    const auto ptt = parseInteger(value);
    if (!ptt || *ptt < 0 || *ptt > 3)
        return kInvalid;
    writer_.request(UM_REQ_TX_ONOFF, 0, *ptt == 0 ? 0 : 1);
    radio_.expect(RadioState::Int::TX, *ptt == 0 ? 0 : 1);
    if (*ptt == 0)
        shared_.ptt.released();
    else
        shared_.ptt.keyed(client_);
    return kOk;
}

Status RigSession::setRit(std::string_view value)
{
    const auto hz = parseInteger(value);
    if (!hz || *hz < -kMaxRitHz || *hz > kMaxRitHz)
        return kInvalid;
    // The radio only moves the clarifier: clear it, then move it there.
    writer_.request(UM_REQ_RC, 0, 0);
    if (*hz != 0)
        writer_.request(UM_REQ_RU_RD, 0, *hz);
    radio_.expectRitOffset(static_cast<int>(*hz));
    return kOk;
}

Status RigSession::sendMorse(std::string_view text)
{
    if (text.empty() || text.size() > kMaxMorseLength)
        return kInvalid;
    std::string upper;
    for (char ch : text) {
        const char c = (ch >= 'a' && ch <= 'z') ? static_cast<char>(ch - 'a' + 'A') : ch;
        // A ";" would end the keyer command early and the rest reach the
        // radio as a command of its own.
        if (!keyable(c))
            return kInvalid;
        upper += c;
    }
    if (!writer_.sendText(std::string("KM") + kMorseMemory + upper + ";"))
        return kIoError;
    writer_.request(kPlayMorseMemory, 0, 0);
    return kOk;
}

Status RigSession::setPower(std::string_view value)
{
    const auto want = parseInteger(value);
    if (!want || *want < 0 || *want > 2)
        return kInvalid;
    const bool on = *want == 1;
    const bool isOn = radio_.command().get(CommandState::Int::PS) != 0;
    if (on != isOn)
        writer_.request(UM_REQ_POWER_TOGGLE, 0, 0);
    return kOk;
}

// "G TOGGLE", the A/B key: the one command that moves the radio's operating
// VFO. The client that pressed it follows the operating VFO from then on.
Status RigSession::vfoOperation(std::string_view name)
{
    for (const VfoOperation& op : kVfoOperations)
        if (op.name == name) {
            writer_.request(op.request, 0, 0);
            return kOk;
        }
    if (name != "TOGGLE")
        return isVfoOperationName(name) ? kNotAvailable : kInvalid;
    const int next = 1 - radio_.activeVfo();
    writer_.request(next == 1 ? UM_REQ_VS_1 : UM_REQ_VS_0, 0, 0);
    radio_.expect(RadioState::Int::VS, next);
    selected_.reset();
    return kOk;
}

// "h": asks the radio for the channel (its content may have changed at the
// radio since the program last read it); the answer waits in resume().
// With read-only 0 the radio goes to the channel too, as Hamlib's does.
Status RigSession::startChannelRead(const ParsedCommand& c)
{
    if (const Status s = radio_.linkStatus(); s != kOk)
        return s;
    const auto channel = channelNumber(c.args[0]);
    const auto readOnly = parseInteger(c.args[1]);
    if (!channel || !readOnly)
        return kInvalid;
    read_ = ChannelRead{c, *channel, radio_.channel(*channel).answers, radio_.now() + kChannelWait};
    writer_.request(UM_REQ_MR_READ, 0, *channel);
    if (*readOnly == 0)
        recallChannel(*channel);
    return kOk;
}

// "H": writes the record, then reads it back so that the program's copy of
// the channel follows.
Status RigSession::setChannel(const ParsedCommand& c)
{
    const auto channel = channelNumber(c.args[0]);
    if (!channel)
        return kInvalid;
    const auto content = channelFromFields({c.args.begin() + 1, c.args.end()}, radio_.dataType());
    if (!content || !writer_.writeChannel(*channel, *content))
        return kInvalid;
    writer_.request(UM_REQ_MR_READ, 0, *channel);
    return kOk;
}

// The radio's V/M key toggles: it is pressed only while on a VFO, as the
// channels window recalls a channel.
void RigSession::enterMemoryMode()
{
    if (radio_.memoryMode())
        return;
    writer_.request(UM_REQ_VM, 0, 0);
    radio_.expect(RadioState::Int::IF21, 1);
}

void RigSession::recallChannel(int channel)
{
    enterMemoryMode();
    writer_.request(UM_REQ_MC_SELECT, 0, channel);
    radio_.expect(RadioState::Int::MC, channel);
}

int RigSession::selectedVfo() const { return selected_.value_or(radio_.activeVfo()); }

std::optional<int> RigSession::parseVfo(std::string_view token) const
{
    if (token == "VFOA" || token == "Main" || token == "MainA")
        return 0;
    if (token == "VFOB" || token == "Sub" || token == "MainB")
        return 1;
    if (token == "currVFO" || token == "VFO")
        return selectedVfo();
    if (token == "RX")
        return radio_.activeVfo();
    if (token == "TX")
        return radio_.txVfo();
    return std::nullopt;
}

// The transmit VFO, as Hamlib's own client means it: it selects that VFO
// before asking, and with split off it is the receive VFO.
int RigSession::splitVfo() const { return radio_.txVfo(); }

} // namespace qx::rig
