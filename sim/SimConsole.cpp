#include "sim/SimConsole.h"

#include "sim/Digits.h"
#include "sim/RadioModes.h"

#include <array>
#include <cstdio>
#include <sstream>

namespace qx::sim {
namespace {

std::string upper(std::string_view s)
{
    std::string out(s);
    for (char& c : out) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return out;
}

std::optional<long long> integer(std::string_view s)
{
    return parseSigned(s);
}

// A percentage 0-100 as a share 0-1.
std::optional<double> share(std::string_view s)
{
    const auto v = integer(s);
    if (!v || *v < 0 || *v > 100)
        return std::nullopt;
    return static_cast<double>(*v) / 100.0;
}

std::optional<std::chrono::milliseconds> millis(std::string_view s)
{
    const auto v = integer(s);
    if (!v || *v < 0 || *v > 3'600'000)
        return std::nullopt;
    return std::chrono::milliseconds(*v);
}

std::string_view powerName(RadioModel::Power p)
{
    switch (p) {
    case RadioModel::Power::Off:
        return "off";
    case RadioModel::Power::Booting:
        return "booting";
    case RadioModel::Power::On:
        break;
    }
    return "on";
}

} // namespace

int SimConsole::modeCode(std::string_view word)
{
    return modeByName(word).value_or(0);
}

std::string SimConsole::help()
{
    return "dial N | mode LSB|USB|CW|FM|AM|DATA|CW-R|1-12 | band up|down|0-11 | tx | rx | power on|off | status\n"
           "silent on|off | noise N | drop PCT | corrupt PCT | split MS | delay MS\n"
           "hangup [MS] | comeback | clear | help | quit";
}

std::string SimConsole::execute(std::string_view line)
{
    std::istringstream in{std::string(line)};
    std::string verb;
    std::string arg;
    in >> verb >> arg;
    verb = upper(verb);
    const std::string argUpper = upper(arg);

    if (verb.empty())
        return {};
    if (verb == "QUIT" || verb == "EXIT") {
        quit_ = true;
        return "bye";
    }
    if (verb == "HELP")
        return help();
    if (verb == "STATUS")
        return status();
    if (verb == "DIAL") {
        const auto steps = integer(arg);
        if (!steps || *steps == 0 || *steps < -100000 || *steps > 100000)
            return "dial needs a step count, e.g. dial 5 or dial -20";
        radio_.turnDial(static_cast<int>(*steps));
        return "ok";
    }
    if (verb == "MODE") {
        const int mode = modeCode(arg);
        if (mode == 0)
            return "unknown mode: " + arg;
        radio_.setMode(mode);
        return "ok";
    }
    if (verb == "BAND") {
        if (argUpper == "UP" || argUpper == "DOWN") {
            radio_.stepBand(argUpper == "UP");
            return "ok";
        }
        const auto band = integer(arg);
        if (!band || *band < 0 || *band > 11)
            return "band needs up, down or a band number 0-11";
        radio_.selectBand(static_cast<int>(*band));
        return "ok";
    }
    if (verb == "TX" || verb == "RX") {
        radio_.key(verb == "TX");
        return "ok";
    }
    if (verb == "POWER") {
        if (argUpper != "ON" && argUpper != "OFF")
            return "power on or power off";
        radio_.power(argUpper == "ON");
        return "ok";
    }
    return faultCommand(verb, arg);
}

std::string SimConsole::faultCommand(std::string_view verb, std::string_view arg)
{
    FaultSettings f = radio_.faults();
    if (verb == "SILENT") {
        const std::string a = upper(arg);
        if (a != "ON" && a != "OFF")
            return "silent on or silent off";
        f.silent = a == "ON";
    } else if (verb == "DROP" || verb == "CORRUPT") {
        const auto s = share(arg);
        if (!s)
            return std::string(verb == "DROP" ? "drop" : "corrupt") + " needs a percentage 0-100";
        (verb == "DROP" ? f.dropShare : f.corruptShare) = *s;
    } else if (verb == "SPLIT" || verb == "DELAY") {
        const auto ms = millis(arg);
        if (!ms)
            return std::string(verb == "SPLIT" ? "split" : "delay") + " needs milliseconds (0 turns it off)";
        (verb == "SPLIT" ? f.splitGap : f.delay) = *ms;
    } else if (verb == "CLEAR") {
        f = FaultSettings{};
    } else if (verb == "NOISE") {
        const auto n = integer(arg);
        if (!n || *n < 1 || *n > 4096)
            return "noise needs a byte count 1-4096";
        radio_.sendNoise(static_cast<std::size_t>(*n));
        return "ok";
    } else if (verb == "HANGUP") {
        const auto ms = arg.empty() ? std::optional(std::chrono::milliseconds(0)) : millis(arg);
        if (!ms)
            return "hangup [milliseconds until the line comes back]";
        radio_.hangUp(*ms);
        return "ok";
    } else if (verb == "COMEBACK") {
        radio_.comeBack();
        return "ok";
    } else {
        return "unknown command (try help)";
    }
    radio_.setFaults(f);
    return "ok";
}

std::string SimConsole::status() const
{
    const RadioModel m = radio_.model();
    const FaultSettings f = radio_.faults();
    const int dataType = static_cast<int>(m.menuValue(MenuSettings::kDataTypeSlot));
    const std::string modeA = modeText(m.mode(0), dataType);
    const std::string modeB = modeText(m.mode(1), dataType);
    char text[320];
    std::snprintf(text, sizeof text,
                  "power %s, AI %s, %s, VFO %c: A %lld Hz %s, B %lld Hz %s, clarifier %+d Hz, %d bit/s\n"
                  "faults: silent %s, drop %d%%, corrupt %d%%, split %lld ms, delay %lld ms",
                  powerName(m.powerState()).data(), m.autoInformation() ? "on" : "off",
                  m.transmitting() ? "TX" : "RX", m.activeVfo() == 0 ? 'A' : 'B', m.frequency(0),
                  modeA.c_str(), m.frequency(1), modeB.c_str(), m.clarifier(), m.lineRate(),
                  f.silent ? "on" : "off", static_cast<int>(f.dropShare * 100 + 0.5),
                  static_cast<int>(f.corruptShare * 100 + 0.5), static_cast<long long>(f.splitGap.count()),
                  static_cast<long long>(f.delay.count()));
    return text;
}

} // namespace qx::sim
