// What the radio does with each set command it accepts.
#include "sim/RadioModel.h"

#include "sim/BandPlan.h"
#include "sim/CodeLayout.h"
#include "sim/Digits.h"
#include "sim/RadioModes.h"

#include <algorithm>
#include <array>

namespace qx::sim {
namespace {

constexpr std::array<long long, 5> kDialSteps = {1, 10, 20, 100, 200};
constexpr std::array<long long, 3> kStepFactors = {1, 10, 100};
constexpr int kClarifierLimit = 9999;

bool isAmOrFm(int mode)
{
    return mode == 4 || mode == 5 || mode == 11;
}

// Parameter characters a plain setting accepts: digits, except where a
// field carries its own sign.
bool valueCharsOk(std::string_view key, std::string_view value)
{
    if (value.empty())
        return false;
    std::string_view digits = value;
    if (key.substr(0, 2) == "IS") {
        if (value.front() != '+' && value.front() != '-')
            return false;
        digits.remove_prefix(1);
    } else if (key == "CO00" && value.front() == '-') {
        digits.remove_prefix(1);
    }
    return allDigits(digits);
}

std::optional<int> number(std::string_view s)
{
    if (!allDigits(s))
        return std::nullopt;
    return static_cast<int>(*parseSigned(s));
}

bool printable(std::string_view s)
{
    return std::all_of(s.begin(), s.end(), [](char c) { return c >= 0x20 && c <= 0x7E && c != ';'; });
}

} // namespace

RadioModel::SetResult RadioModel::applySet(std::string_view code, std::string_view params)
{
    const std::string key(code);
    if (code == "FA" || code == "FB") {
        const auto hz = number(params);
        if (!hz || !BandPlan::tunable(*hz))
            return {};
        setFrequency(code == "FA" ? 0 : 1, *hz);
        return {true, key};
    }
    if (code == "MD") {
        const int mode = params.size() == 2 ? hexValue(params[1]) : -1;
        if ((params.front() != '0' && params.front() != '1') || mode < 1 || mode > 12)
            return {};
        storeMode(params.front() == '0' ? activeVfo() : 1 - activeVfo(), mode);
        return {true, "MD" + std::string(1, params.front())};
    }
    if (code == "BS") {
        const auto band = number(params);
        if (!band || !BandPlan::find(*band))
            return {};
        changeBand(*band);
        return {true, key};
    }
    if (code == "PS") {
        if (params == "0")
            switchOff();
        return {params == "0" || params == "1", {}};
    }
    if (code == "VS" || code == "TX") {
        const auto v = number(params);
        if (!v || *v > (code == "TX" ? 2 : 1))
            return {};
        return {settings_.setNumber(key, *v), key};
    }
    if (code == "KM") {
        const auto memory = number(params.substr(0, 1));
        if (!memory || *memory < 1 || *memory > static_cast<int>(keyer_.size()) || !printable(params.substr(1)))
            return {};
        // A shorter text fills the memory's fifty characters with blanks.
        std::string text(params.substr(1));
        text.resize(50, ' ');
        keyer_[static_cast<std::size_t>(*memory - 1)] = text;
        return {true, key + std::string(1, params.front())};
    }
    if (code == "MC") {
        const auto channel = number(params);
        if (!channel || !MemoryChannels::inRange(*channel))
            return {};
        // In memory mode the radio goes only to a channel that holds
        // something, and tunes to it.
        if (memoryMode_ && !memories_.recall(static_cast<int>(*channel)))
            return {};
        if (!settings_.setNumber(key, *channel))
            return {};
        if (memoryMode_)
            recallMemory(0);
        return {true, key};
    }
    if (code == "IF" || code == "OI")
        return {};
    bool known = false;
    SetResult action = applyAction(code, params, known);
    return known ? action : applyGeneric(code, params);
}

RadioModel::SetResult RadioModel::applyGeneric(std::string_view code, std::string_view params)
{
    const CodeLayout layout = layoutOf(code);
    if (!layout.answers() || static_cast<int>(params.size()) <= layout.keyLength)
        return {};
    const auto keyLength = static_cast<std::size_t>(layout.keyLength);
    const std::string key = std::string(code) + std::string(params.substr(0, keyLength));
    const std::string_view value = params.substr(keyLength);
    if (!valueCharsOk(key, value) || !settings_.set(key, value))
        return {};
    return {true, key};
}

RadioModel::SetResult RadioModel::applyAction(std::string_view code, std::string_view params, bool& known)
{
    known = true;
    const std::string freqKey = activeVfo() == 0 ? "FA" : "FB";
    if (code == "EU" || code == "ED") {
        const auto selector = number(params.substr(0, 1));
        const auto count = number(params.substr(1));
        if (!selector || *selector > 2 || !count || *count < 1)
            return {};
        const long long hz = dialStep() * kStepFactors[static_cast<std::size_t>(*selector)] * *count;
        stepFrequency(code == "EU" ? hz : -hz);
        return {true, freqKey};
    }
    if (code == "BU" || code == "BD") {
        if (params != "0")
            return {};
        changeBand(BandPlan::step(BandPlan::bandOf(frequency(activeVfo())), code == "BU"));
        return {true, "BS"};
    }
    if (code == "AB" || code == "VV") {
        const int from = code == "AB" ? 0 : 1;
        setFrequency(1 - from, frequency(from));
        storeMode(1 - from, mode(from));
        return {true, from == 0 ? "FB" : "FA"};
    }
    if (code == "SV") {
        const long long a = frequency(0);
        const int modeA = mode(0);
        setFrequency(0, frequency(1));
        storeMode(0, mode(1));
        setFrequency(1, a);
        storeMode(1, modeA);
        return {true, {}};
    }
    if (code == "RU" || code == "RD") {
        const auto hz = number(params);
        if (!hz)
            return {};
        clarifier_ = std::clamp(clarifier_ + (code == "RU" ? *hz : -*hz), -kClarifierLimit, kClarifierLimit);
        return {true, {}};
    }
    if (code == "RC") {
        clarifier_ = 0;
        return {true, {}};
    }
    if (code == "MW")
        return applyMemoryWrite(params);
    if (code == "MA")
        return recallMemory(0);
    if (code == "AM") {
        memories_.store(static_cast<int>(settings_.number("MC")), memoryContent());
        return {true, {}};
    }
    if (code == "VM") {
        memoryMode_ = !memoryMode_;
        if (memoryMode_)
            recallMemory(0);
        return {true, {}};
    }
    if (code == "QI") {
        quickMemory_ = memoryContent();
        return {true, {}};
    }
    if (code == "QR") {
        if (!quickMemory_)
            return {};
        setFrequency(0, *number(std::string_view(*quickMemory_).substr(0, 8)));
        return {true, "FA"};
    }
    if (code == "CH") {
        const int channel = static_cast<int>(settings_.number("MC")) + (params == "0" ? 1 : -1);
        if (params != "0" && params != "1")
            return {};
        settings_.setNumber("MC", std::clamp(channel, MemoryChannels::kFirst, MemoryChannels::kLast));
        return {true, "MC"};
    }
    if (code == "LM") {
        if (!voice_.record(params))
            return {};
        syncVoice();
        return {true, "LM" + std::string(params.substr(0, 1))};
    }
    if (code == "PB") {
        const auto what = number(params);
        if (!what || !voice_.play(*what))
            return {};
        syncVoice();
        return {true, "PB"};
    }
    if (code == "QS" || code == "HM")
        return {true, {}};
    if (code == "MK" && (params == "7" || params == "8")) {
        const int vfo = activeVfo();
        const int myModes = static_cast<int>(menu_.value(MenuSettings::kMyModeSlot));
        storeMode(vfo, modeAfterKey(mode(vfo), params == "8", myModes));
        return {true, "MD0"};
    }
    if (code == "FK" || code == "MK")
        return {params.size() == 1 && isDigit(params.front()), {}};
    if (code == "KY")
        return {params.size() == 1 && (isDigit(params.front()) || params.front() == 'A'), {}};
    known = false;
    return {};
}

RadioModel::SetResult RadioModel::applyMemoryWrite(std::string_view params)
{
    // Channel, frequency, clarifier sign and offset, the clarifier flags, the
    // mode as a hex digit as in the status answer, then the tone settings.
    if (params.size() != 24)
        return {};
    const auto channel = number(params.substr(0, 3));
    const std::string_view content = params.substr(3);
    const char sign = content[8];
    const int storedMode = hexValue(content[15]);
    if (!channel || !MemoryChannels::inRange(*channel) || !allDigits(content.substr(0, 8))
        || (sign != '+' && sign != '-') || !allDigits(content.substr(9, 6)) || storedMode < 0 || storedMode > 12
        || !allDigits(content.substr(16)))
        return {};
    memories_.store(*channel, content);
    return {true, {}};
}

RadioModel::SetResult RadioModel::recallMemory(int vfo)
{
    const auto content = memories_.recall(static_cast<int>(settings_.number("MC")));
    if (!content)
        return {};
    const long long hz = *number(std::string_view(*content).substr(0, 8));
    if (BandPlan::tunable(hz))
        setFrequency(vfo, hz);
    const int storedMode = hexValue((*content)[15]);
    if (storedMode >= 1)
        storeMode(vfo, storedMode);
    return {true, vfo == 0 ? "FA" : "FB"};
}

void RadioModel::stepFrequency(long long hz)
{
    const int vfo = activeVfo();
    setFrequency(vfo, std::clamp(frequency(vfo) + hz, BandPlan::kLowest, BandPlan::kHighest));
}

void RadioModel::setFrequency(int vfo, long long hz)
{
    settings_.setNumber(vfo == 0 ? "FA" : "FB", hz);
}

void RadioModel::storeMode(int vfo, int mode)
{
    if (mode >= 1 && mode <= 12)
        settings_.set(vfo == 0 ? "MD0" : "MD1", std::string(1, "0123456789ABC"[mode]));
}

void RadioModel::changeBand(int band)
{
    const Band* b = BandPlan::find(band);
    if (!b)
        return;
    const int vfo = activeVfo();
    setFrequency(vfo, b->start);
    storeMode(vfo, b->mode);
}

long long RadioModel::dialStep() const
{
    const auto index = static_cast<std::size_t>(std::clamp(static_cast<int>(menu_.value(MenuSettings::kDialStepSlot)), 0, 4));
    const long long step = kDialSteps[index];
    return isAmOrFm(mode(activeVfo())) ? std::max(step, 100LL) : step;
}

} // namespace qx::sim
