// One entry of the radio's setup menu: what it is, how it is coded, its last
// known value and an operator change waiting to be written.
#pragma once
#include "menu/FixedText.h"

#include <array>
#include <string_view>

namespace qx {

struct MenuItem {
    static constexpr int kMaxValueTexts = 60;

    int number = 0;                 // "NO" shown in the list; 0 in vacant slots
    FixedText<8> name;
    FixedText<88> rangeText;
    double value = 0;               // always whole; meaning depends on kind
    FixedText<41> text;             // beacon text only
    int width = 0;                  // parameter characters after "EXnnn"
    bool hasUnits = false;
    FixedText<11> units;
    int kind = 0;
    double max = 0;
    double min = 0;                 // for lists, the code of the first value text
    double step = 0;
    int decimals = 0;
    int multiplier = 0;             // 0 means 1
    int valueCount = 0;
    std::array<FixedText<41>, kMaxValueTexts> valueTexts{};
    bool changed = false;
    double newValue = 0;
    FixedText<41> newText;

    // Empty for an index outside the texts in use.
    std::string_view valueText(int i) const
    {
        return i >= 0 && i < valueCount && i < kMaxValueTexts ? valueTexts[static_cast<std::size_t>(i)].view()
                                                               : std::string_view{};
    }

    int effectiveMultiplier() const { return multiplier == 0 ? 1 : multiplier; }
};

} // namespace qx
