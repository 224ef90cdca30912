#include "sim/RadioModel.h"

#include "sim/BandPlan.h"
#include "sim/CodeLayout.h"
#include "sim/Digits.h"

#include <algorithm>

namespace qx::sim {
namespace {

constexpr std::string_view kRefused = "?;";
constexpr std::size_t kKeyerTextLength = 50;

// Two upper-case letters, printable parameters, one closing ";".
bool wellFormed(std::string_view text)
{
    if (text.size() < 3 || text.back() != ';')
        return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (i < 2 && (c < 'A' || c > 'Z'))
            return false;
        if (c < 0x20 || c > 0x7E || (c == ';' && i + 1 != text.size()))
            return false;
    }
    return true;
}

// The read form of a code: "EX" with a slot and nothing more, or a code
// with just its selector characters.
bool isRead(std::string_view command)
{
    const std::string_view code = command.substr(0, 2);
    const std::size_t params = command.size() - 3;
    if (code == "EX")
        return params == 3;
    const CodeLayout layout = layoutOf(code);
    return layout.answers() && static_cast<int>(params) == layout.keyLength;
}

} // namespace

RadioModel::RadioModel(RadioConfig config)
    : config_(std::move(config)), meters_(config_.seed), voice_(config_.voiceLength)
{
    if (config_.id.size() != 4 || !allDigits(config_.id))
        config_.id = "0241";
    if (config_.meterPeriod.count() <= 0)
        config_.meterPeriod = Ms{200};
    for (std::string& text : keyer_)
        text.assign(kKeyerTextLength, ' ');
    for (int m = 0; m <= Meters::kTransmitMeters; ++m)
        reported_[static_cast<std::size_t>(m)] = meters_.reading(m);
}

RadioModel::Texts RadioModel::handle(std::string_view command)
{
    if (wellFormed(command) && power_ == Power::On && !isRead(command)) {
        for (const std::string& prefix : refusedSets_)
            if (command.substr(0, prefix.size()) == prefix)
                return {std::string(kRefused)};
    }
    return respond(command);
}

std::optional<RadioModel::Texts> RadioModel::operate(std::string_view command)
{
    if (!wellFormed(command) || isRead(command) || power_ != Power::On)
        return std::nullopt;
    Texts out = respond(command);
    if (out.size() == 1 && out.front() == kRefused)
        return std::nullopt;
    return out;
}

void RadioModel::refuseSets(std::string prefix)
{
    refusedSets_.push_back(std::move(prefix));
}

RadioModel::Texts RadioModel::respond(std::string_view command)
{
    if (!wellFormed(command))
        return power_ == Power::On ? Texts{std::string(kRefused)} : Texts{};
    const std::string_view code = command.substr(0, 2);
    const std::string_view params = command.substr(2, command.size() - 3);
    if (power_ != Power::On)
        return handleWhileOff(code, params);
    if (code == "EX")
        return handleMenu(params);

    const CodeLayout layout = layoutOf(code);
    if (layout.answers() && static_cast<int>(params.size()) == layout.keyLength) {
        const auto answer = answerFor(command.substr(0, command.size() - 1));
        return {answer ? *answer : std::string(kRefused)};
    }
    // A keyer memory is written with as many characters as its text holds,
    // up to the full length of the row.
    const bool keyerText = code == "KM" && command.size() >= 5 && static_cast<int>(command.size()) <= layout.setLength;
    if (layout.setLength != static_cast<int>(command.size()) && !keyerText)
        return {std::string(kRefused)};
    if (code == "AI") {
        if (params != "0" && params != "1")
            return {std::string(kRefused)};
        if (params == "1" && config_.refuseAutoInformation)
            return {"AI0;"};
        autoInfo_ = params == "1";
        return {};
    }
    bool refused = false;
    Texts out = report([&] {
        SetResult r = applySet(code, params);
        refused = !r.ok;
        return r;
    });
    return refused ? Texts{std::string(kRefused)} : out;
}

RadioModel::Texts RadioModel::handleWhileOff(std::string_view code, std::string_view params)
{
    if (code != "PS")
        return {};
    if (params.empty())
        return {"PS0;"};
    if (params == "1" && power_ == Power::Off)
        power(true);
    return {};
}

RadioModel::Texts RadioModel::handleMenu(std::string_view params)
{
    if (params.size() == 3) {
        const auto slot = allDigits(params) ? parseSigned(params) : std::nullopt;
        const auto answer = slot ? menu_.answer(static_cast<int>(*slot)) : std::nullopt;
        return {answer ? *answer : std::string(kRefused)};
    }
    const auto slot = menu_.apply(params);
    if (!slot)
        return {std::string(kRefused)};
    if (!autoInfo_)
        return {};
    return {*menu_.answer(*slot)};
}

RadioModel::Texts RadioModel::report(const std::function<SetResult()>& change)
{
    const Snapshot before = snapshot();
    const SetResult result = change();
    if (!result.ok || !autoInfo_ || power_ != Power::On)
        return {};
    const Snapshot after = snapshot();
    Texts out;
    // The program reads the VFO frequency out of "IF" when "VS" arrives, so
    // the status goes first.
    if (before.status != after.status)
        out.push_back(infoAnswer("IF", activeVfo()));
    bool echoed = false;
    const auto& keys = settings_.keys();
    for (std::size_t i = 0; i < keys.size(); ++i) {
        if (before.answers[i] == after.answers[i])
            continue;
        out.push_back(after.answers[i]);
        echoed = echoed || keys[i] == result.echo;
    }
    if (before.band != after.band && !after.band.empty()) {
        out.push_back(after.band);
        echoed = echoed || result.echo == "BS";
    }
    if (!result.echo.empty() && !echoed) {
        if (auto a = answerFor(result.echo); a && std::find(out.begin(), out.end(), *a) == out.end())
            out.push_back(*a);
    }
    return out;
}

RadioModel::Snapshot RadioModel::snapshot() const
{
    Snapshot s;
    for (const std::string& key : settings_.keys())
        s.answers.push_back(answerFor(key).value_or(std::string{}));
    s.status = statusText();
    s.band = answerFor("BS").value_or(std::string{});
    return s;
}

std::string RadioModel::statusText() const
{
    return settings_.value("VS") + settings_.value("RT") + std::to_string(clarifier_) + (memoryMode_ ? "M" : "V")
        + settings_.value("MC");
}

RadioModel::Texts RadioModel::tick(Ms elapsed)
{
    if (elapsed.count() <= 0)
        return {};
    if (power_ == Power::Booting) {
        bootLeft_ -= elapsed;
        if (bootLeft_.count() <= 0)
            power_ = Power::On;
    }
    if (power_ != Power::On)
        return {};
    Texts out = report([&] {
        const bool ended = voice_.advance(elapsed);
        if (ended)
            syncVoice();
        return SetResult{ended, {}};
    });
    meterClock_ += elapsed;
    // A long pause is not replayed update by update.
    meterClock_ = std::min(meterClock_, config_.meterPeriod * 4);
    bool moved = false;
    while (meterClock_ >= config_.meterPeriod) {
        meterClock_ -= config_.meterPeriod;
        meters_.step(transmitting(), static_cast<int>(settings_.number("PC")));
        moved = true;
    }
    if (!moved || !autoInfo_)
        return out;
    for (int m = 0; m <= Meters::kTransmitMeters; ++m) {
        const int reading = meters_.reading(m);
        int& last = reported_[static_cast<std::size_t>(m)];
        const bool live = transmitting() ? m == Meters::meterForSelection(static_cast<int>(settings_.number("MS")))
                                         : m == Meters::kSMeter;
        if (reading != last && (live || last != 0)) {
            last = reading;
            out.push_back(*meterAnswer(m));
        }
    }
    return out;
}

RadioModel::Texts RadioModel::turnDial(int steps)
{
    if (power_ != Power::On)
        return {};
    return report([&] {
        stepFrequency(dialStep() * steps);
        return SetResult{true, activeVfo() == 0 ? "FA" : "FB"};
    });
}

RadioModel::Texts RadioModel::setMode(int mode)
{
    if (power_ != Power::On || mode < 1 || mode > 12)
        return {};
    return report([&] {
        storeMode(activeVfo(), mode);
        return SetResult{true, "MD0"};
    });
}

RadioModel::Texts RadioModel::stepBand(bool up)
{
    return selectBand(BandPlan::step(BandPlan::bandOf(frequency(activeVfo())), up));
}

RadioModel::Texts RadioModel::selectBand(int band)
{
    if (power_ != Power::On || !BandPlan::find(band))
        return {};
    return report([&] {
        changeBand(band);
        return SetResult{true, "BS"};
    });
}

RadioModel::Texts RadioModel::key(bool transmit)
{
    if (power_ != Power::On)
        return {};
    return report([&] { return SetResult{settings_.setNumber("TX", transmit ? 1 : 0), "TX"}; });
}

RadioModel::Texts RadioModel::power(bool on)
{
    if (!on) {
        switchOff();
        return {};
    }
    if (power_ == Power::Off) {
        power_ = config_.bootDelay.count() > 0 ? Power::Booting : Power::On;
        bootLeft_ = config_.bootDelay;
    }
    return {};
}

void RadioModel::switchOff()
{
    power_ = Power::Off;
    autoInfo_ = false;
    voice_.stopAll();
    syncVoice();
    settings_.setNumber("TX", 0);
}

void RadioModel::syncVoice()
{
    settings_.setNumber("LM0", voice_.memoryRecording());
    settings_.setNumber("LM1", voice_.recorderRecording() ? 1 : 0);
    settings_.setNumber("PB", voice_.playing());
    settings_.setNumber("RI3", voice_.recording() ? 1 : 0);
    settings_.setNumber("RI4", voice_.playing() != 0 ? 1 : 0);
    if (voice_.onTheAir() != voiceKeyed_) {
        voiceKeyed_ = voice_.onTheAir();
        settings_.setNumber("TX", voiceKeyed_ ? 1 : 0);
    }
}

bool RadioModel::transmitting() const
{
    return settings_.number("TX") != 0;
}

int RadioModel::activeVfo() const
{
    return settings_.number("VS") == 0 ? 0 : 1;
}

long long RadioModel::frequency(int vfo) const
{
    return settings_.number(vfo == 0 ? "FA" : "FB");
}

int RadioModel::mode(int vfo) const
{
    const std::string v = settings_.value(vfo == 0 ? "MD0" : "MD1");
    return v.empty() ? 0 : hexValue(v.front());
}

} // namespace qx::sim
