// The "EX" command texts of the setup menu: reading a slot, writing an entry's
// pending value, and storing the radio's answer back into the table.
#pragma once
#include "menu/MenuItem.h"
#include "menu/MenuTable.h"

#include <optional>
#include <string>
#include <string_view>

namespace qx {

inline constexpr std::size_t kBeaconTextMax = 40;

// Parameter characters after "EXnnn". The width-adjust value is 0 on every
// radio we know, which makes a few kinds one character narrower.
int exCommandWidth(int kind, int width, int widthAdjust = 0);
int exAnswerWidth(int kind, int width, int widthAdjust = 0);

// "EX" + slot as three digits + ";". Empty for a slot outside 1 to 999.
std::string exReadCommand(int slot);

// The parameter field for `value` (and, for the beacon text, `text`) coded as
// `kind` in `width` characters. Nothing for a value that cannot be coded in
// the field (negative where no sign is allowed, too many digits, a flag or a
// beacon channel the field has no place for).
std::optional<std::string> exParameter(int kind, int width, double value, std::string_view text = {});

// The whole set command for the entry's pending value and text. Empty for a
// vacant entry, for the dimmer (it has its own command), for a bad slot and
// for a value that does not fit the field.
std::string exSetCommand(int slot, const MenuItem& item, int widthAdjust = 0);

struct ExAnswerResult {
    bool changed = false; // the entry's value differs from before and was stored
    int slot = 0;         // 0 when the answer was not for a slot in use
    int kind = -1;
};

// Stores an "EX" answer ("EX" + slot + parameter, with or without the closing
// ";") into its slot. Answers for slots outside the table, vacant slots, or
// with a parameter that is short or not a number change nothing.
ExAnswerResult storeExAnswer(MenuTable& table, std::string_view answer, int widthAdjust = 0);

} // namespace qx
