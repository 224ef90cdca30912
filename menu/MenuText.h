// What the menu list shows for an entry and what its setting dialog offers:
// the setting text of a list line, the choices, and the value to store for a
// choice. Pure functions of one entry, so the window stays a thin shell.
#pragma once
#include "menu/MenuItem.h"

#include <optional>
#include <string>
#include <vector>

namespace qx {

// Which part of a long setting the list line shows: the flag of "MY BAND" /
// "MY MODE" (-1 or out of range: the last one) and the first character of
// the beacon text.
struct ListLineView {
    int flag = -1;
    std::size_t textOffset = 0;
};

inline constexpr std::size_t kBeaconTextShown = 35;

// The setting column: starts with a blank, followed by the units where the
// entry has them (not after a named value such as "OFF"). Shows the pending
// value while a change is pending.
std::string settingText(const MenuItem& item, const ListLineView& view = {});

// "NNN " + name padded to 8 + " range" padded to 88 + setting.
std::string listLine(const MenuItem& item, const ListLineView& view = {});

struct MenuChoices {
    std::vector<std::string> texts;
    int selected = -1; // the choice matching the entry's current value; -1 for none
};

// What the setting dialog offers: numbers, value texts, tones (in the tone
// dialog's order) or the flags' check-box labels. Nothing for the beacon text.
MenuChoices menuChoices(const MenuItem& item);

// The value to store when choice `index` of menuChoices() is taken; empty for
// an index that is not offered.
std::optional<double> storedValueFromChoice(const MenuItem& item, int index);

// Weight of flag i of a flag entry ("MY BAND": 1024 >> i, "MY MODE": 32 >> i).
int flagWeight(int kind, int i);
bool flagIsSet(int kind, double value, int i);
// Sum of the weights of the ticked boxes.
double storedValueFromFlags(const MenuItem& item, const std::vector<bool>& ticked);

} // namespace qx
