// The radio's operating modes as the program uses them: the codes of the
// "MD" and status answers, the names the panel's mode popup gives codes 1 to
// 7 (6 is the one data mode, its flavour the "D TYPE" menu setting), and
// the MODE keys ("MK8;" up, "MK7;" down) that step through the mode groups
// in the radio's order LSB, USB, CW, AM, FM, DATA, passing over the groups
// that the "MY MODE" menu setting leaves off. Codes 8 to 12, which the
// radio may report but no command of the program sets, have no name.
#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace qx::sim {

inline constexpr int kDataMode = 6;

// "LSB" ... "CW-R" for 1 to 7; empty otherwise.
std::string_view modeName(int code);
// A name of modeName (any case) or a code 1 to 12 in digits; nothing else.
std::optional<int> modeByName(std::string_view word);
// The mode for status lines: its name, "DATA (USER-U)" with the data
// flavour, "mode 11" for a code without a name.
std::string modeText(int code, int dataType);

// The mode a MODE key press leads to from `mode`. myModeFlags is the "MY
// MODE" value (LSB 32, USB 16, CW 8, AM 4, FM 2, DATA 1); the current mode
// is kept when no other group is on.
int modeAfterKey(int mode, bool up, int myModeFlags);

} // namespace qx::sim
