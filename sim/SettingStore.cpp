#include "sim/SettingStore.h"

#include "cat/CatCommand.h"
#include "sim/CodeLayout.h"
#include "sim/Digits.h"

#include <array>

namespace qx::sim {
namespace {

struct Default {
    std::string_view key;
    long long value;
};

// Power-up values. Widths come from the CAT tables, not from here.
constexpr std::array kDefaults = {
    Default{"FA", 14250000}, Default{"FB", 7050000}, Default{"VS", 0},   Default{"MD0", 2},
    Default{"MD1", 1},       Default{"RT", 0},       Default{"BP00", 0}, Default{"BP01", 200},
    Default{"CO00", 0},      Default{"CO01", 14},    Default{"MS", 2},   Default{"NR0", 0},
    Default{"NR1", 0},       Default{"FT", 0},       Default{"LK", 0},   Default{"FS", 0},
    Default{"NA0", 0},       Default{"NA1", 0},      Default{"NB0", 0},  Default{"NB1", 0},
    Default{"GT0", 4},       Default{"GT1", 4},      Default{"RA0", 0},  Default{"PA0", 1},
    Default{"KR", 0},        Default{"TS", 0},       Default{"AC", 0},   Default{"VX", 0},
    Default{"BI", 0},        Default{"PR", 0},       Default{"ML0", 0},  Default{"ML1", 1},
    Default{"CS", 0},        Default{"KP", 10},      Default{"KS", 12},  Default{"SD", 200},
    Default{"MG", 50},       Default{"PL", 50},      Default{"VG", 50},  Default{"VD", 500},
    Default{"SQ0", 0},       Default{"SQ1", 0},      Default{"AG0", 100}, Default{"AG1", 100},
    Default{"RG0", 255},     Default{"RG1", 255},    Default{"IS0", 0},  Default{"SH0", 10},
    Default{"RL0", 1},       Default{"SC", 0},       Default{"TX", 0},   Default{"CN0", 8},
    Default{"CN1", 8},       Default{"CT0", 0},      Default{"CT1", 0},  Default{"MC", 1},
    Default{"OS0", 0},       Default{"OS1", 0},      Default{"PB", 0},   Default{"PC", 100},
    Default{"RS", 0},        Default{"RI0", 0},      Default{"RI1", 0},  Default{"RI2", 0},
    Default{"RI3", 0},       Default{"RI4", 0},      Default{"RI5", 0},  Default{"RI9", 0},
    Default{"BG0", 2},       Default{"LM0", 0},      Default{"LM1", 0},  Default{"DS", 0},
    Default{"DQ", 0},        Default{"VR", 0},       Default{"AX", 10},  Default{"DA", 400},
    Default{"SS0", 0},       Default{"ST", 0},       Default{"SF", 0},
};

int widthOf(std::string_view key)
{
    return key.size() >= 2 ? layoutOf(key.substr(0, 2)).valueWidth : 0;
}

} // namespace

std::string formatSetting(std::string_view key, long long value)
{
    const int width = widthOf(key);
    if (width <= 0)
        return {};
    const bool plusSign = key.substr(0, 2) == "IS";
    const bool minusOnly = key == "CO00";
    std::string field;
    if (plusSign || (minusOnly && value < 0)) {
        const char sign = value < 0 ? '-' : '+';
        field = std::string(1, sign) + rightAlignedField(width - 1, value < 0 ? -value : value);
    } else {
        field = rightAlignedField(width, value);
    }
    // rightAlignedField leaves zeros for a value too wide or negative: refuse it instead.
    return parseSigned(field) == value ? field : std::string{};
}

SettingStore::SettingStore()
{
    for (const Default& d : kDefaults) {
        values_.emplace(std::string(d.key), formatSetting(d.key, d.value));
        order_.emplace_back(d.key);
    }
}

bool SettingStore::has(std::string_view key) const
{
    return values_.find(key) != values_.end();
}

std::string SettingStore::value(std::string_view key) const
{
    const auto it = values_.find(key);
    return it == values_.end() ? std::string{} : it->second;
}

bool SettingStore::set(std::string_view key, std::string_view value)
{
    const auto it = values_.find(key);
    if (it == values_.end() || value.size() != it->second.size())
        return false;
    it->second.assign(value);
    return true;
}

long long SettingStore::number(std::string_view key) const
{
    return parseSigned(value(key)).value_or(0);
}

bool SettingStore::setNumber(std::string_view key, long long value)
{
    const std::string field = formatSetting(key, value);
    return !field.empty() && set(key, field);
}

} // namespace qx::sim
