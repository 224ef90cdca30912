#include "sim/RadioModes.h"

#include "sim/Digits.h"

#include <array>

namespace qx::sim {
namespace {

constexpr std::array<std::string_view, 8> kNames = {"", "LSB", "USB", "CW", "FM", "AM", "DATA", "CW-R"};
constexpr std::array<std::string_view, 3> kDataTypes = {"RTTY", "USER-L", "USER-U"};

// The groups in the order the MODE keys step through them, each with the
// code it is entered with; CW-R belongs to CW, the FM and data codes the
// radio reports to FM and DATA.
constexpr int kGroups = 6;
constexpr std::array<int, kGroups> kEntryCode = {1, 2, 3, 5, 4, kDataMode};

int groupOf(int mode)
{
    switch (mode) {
    case 1: return 0;
    case 2: return 1;
    case 3:
    case 7: return 2;
    case 5: return 3;
    case 4:
    case 11: return 4;
    default: return 5;
    }
}

char upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

} // namespace

std::string_view modeName(int code)
{
    return code >= 1 && code < static_cast<int>(kNames.size()) ? kNames[static_cast<std::size_t>(code)]
                                                                : std::string_view();
}

std::optional<int> modeByName(std::string_view word)
{
    std::string name(word);
    for (char& c : name)
        c = upper(c);
    for (std::size_t i = 1; i < kNames.size(); ++i) {
        if (kNames[i] == name)
            return static_cast<int>(i);
    }
    if (!allDigits(word) || word.size() > 2)
        return std::nullopt;
    const int v = static_cast<int>(*parseSigned(word));
    return v >= 1 && v <= 12 ? std::optional(v) : std::nullopt;
}

std::string modeText(int code, int dataType)
{
    const std::string_view name = modeName(code);
    if (name.empty())
        return "mode " + std::to_string(code);
    if (code == kDataMode && dataType >= 0 && dataType < static_cast<int>(kDataTypes.size()))
        return std::string(name) + " (" + std::string(kDataTypes[static_cast<std::size_t>(dataType)]) + ")";
    return std::string(name);
}

int modeAfterKey(int mode, bool up, int myModeFlags)
{
    const int from = groupOf(mode);
    for (int step = 1; step < kGroups; ++step) {
        const int g = (from + (up ? step : kGroups - step)) % kGroups;
        if ((myModeFlags & (32 >> g)) != 0)
            return kEntryCode[static_cast<std::size_t>(g)];
    }
    return mode;
}

} // namespace qx::sim
