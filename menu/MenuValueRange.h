// Which stored values an entry can hold: what the radio's menu offers for it,
// in the units the "EX" command carries. Used to refuse values that came
// from outside (a file) before anything is sent.
#pragma once
#include "menu/MenuItem.h"

#include <optional>
#include <string_view>

namespace qx {

struct MenuValueSpan {
    double lowest = 0;
    double highest = 0;
};

// The lowest and highest stored value; nothing for a vacant entry or one
// that offers no choice. Kinds that show low values by a name of their own
// ("OFF", "FULL", the lowest pitch) reach down to 0.
std::optional<MenuValueSpan> menuValueSpan(const MenuItem& item);

// A whole number within the span; for "MY BAND" and "MY MODE" only the bits
// of their flags; for the beacon text the channel.
bool menuValueAllowed(const MenuItem& item, double value);

// Texts the radio's display shows and its answers carry back: 0x20 to 0x5F
// and "{", never ";" (so no lower case).
bool displayTextOk(std::string_view text);

} // namespace qx
