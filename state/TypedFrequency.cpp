#include "state/TypedFrequency.h"

#include <cstdio>

namespace qx {
namespace {

enum class Unit { Hz, KHz, MHz };

bool isBlank(char c) { return c == ' ' || c == '\t'; }

void trim(std::string_view& s)
{
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
}

char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool endsWithNoCase(std::string_view s, std::string_view tail)
{
    if (s.size() < tail.size())
        return false;
    for (std::size_t i = 0; i < tail.size(); ++i)
        if (lower(s[s.size() - tail.size() + i]) != tail[i])
            return false;
    return true;
}

// Takes a unit off the end; nothing when none is there.
std::optional<Unit> takeUnit(std::string_view& s)
{
    for (const auto& [tail, unit] : {std::pair{std::string_view("mhz"), Unit::MHz},
                                     std::pair{std::string_view("khz"), Unit::KHz},
                                     std::pair{std::string_view("hz"), Unit::Hz}}) {
        if (endsWithNoCase(s, tail)) {
            s.remove_suffix(tail.size());
            trim(s);
            return unit;
        }
    }
    return std::nullopt;
}

std::int64_t digitsValue(std::string_view digits)
{
    std::int64_t v = 0;
    for (char c : digits)
        v = v * 10 + (c - '0');
    return v;
}

TypedFrequency refused(std::string why) { return {std::nullopt, std::move(why)}; }

} // namespace

std::string describeHz(std::int64_t hz)
{
    char text[48];
    if (hz >= 1'000'000)
        std::snprintf(text, sizeof text, "%lld.%06lld MHz", static_cast<long long>(hz / 1'000'000),
                      static_cast<long long>(hz % 1'000'000));
    else if (hz >= 1'000)
        std::snprintf(text, sizeof text, "%lld.%03lld kHz", static_cast<long long>(hz / 1'000),
                      static_cast<long long>(hz % 1'000));
    else
        std::snprintf(text, sizeof text, "%lld Hz", static_cast<long long>(hz));
    return text;
}

TypedFrequency readTypedFrequency(std::string_view typed)
{
    trim(typed);
    if (typed.empty())
        return {};
    const std::optional<Unit> given = takeUnit(typed);
    std::string_view whole = typed;
    std::string_view fraction;
    bool point = false;
    for (std::size_t i = 0; i < typed.size(); ++i) {
        const char c = typed[i];
        if (c >= '0' && c <= '9')
            continue;
        if ((c == '.' || c == ',') && !point) {
            point = true;
            whole = typed.substr(0, i);
            fraction = typed.substr(i + 1);
            continue;
        }
        return refused("\"" + std::string(typed) +
                       "\" is not a frequency: type digits with at most one point or comma, and a unit if you like");
    }
    if (whole.empty() && fraction.empty())
        return refused("no digits typed");
    while (!fraction.empty() && fraction.back() == '0')
        fraction.remove_suffix(1);
    while (whole.size() > 1 && whole.front() == '0')
        whole.remove_prefix(1);
    if (whole.size() > 9)
        return refused("too many digits");

    const std::int64_t wholeValue = digitsValue(whole);
    const Unit unit = given ? *given : !point ? Unit::Hz : wholeValue < 100 ? Unit::MHz : Unit::KHz;
    const std::size_t places = unit == Unit::MHz ? 6 : unit == Unit::KHz ? 3 : 0;
    if (fraction.size() > places)
        return refused("finer than 1 Hz: the radio tunes in whole hertz");
    std::int64_t hz = wholeValue;
    for (std::size_t i = 0; i < places; ++i)
        hz = hz * 10 + (i < fraction.size() ? fraction[i] - '0' : 0);

    if (hz < kLowestTypedHz)
        return refused(describeHz(hz) + " is below the radio's lowest frequency, " + describeHz(kLowestTypedHz) +
                       (unit == Unit::Hz && !given ? " (digits alone are Hz; 7.074 is MHz)" : ""));
    if (hz > kHighestTypedHz)
        return refused(describeHz(hz) + " is above the radio's highest frequency, " + describeHz(kHighestTypedHz));
    return {hz, {}};
}

} // namespace qx
