// The radio's set-up as the program knows it now: the menu table and the
// keyer texts come from the state already read at link-up (no line
// traffic); the memory channels from a read just made.
#pragma once
#include "backup/SetupFile.h"

#include <optional>
#include <string>
#include <vector>

namespace qx {

class MenuTable;
class RadioState;

// The four digits of the radio's "ID" answer.
std::string radioIdText(const RadioState& radio);

// A keyer text without the blanks the radio pads it with.
std::string keyerTextOf(const RadioState& radio, int memory);

SetupFile snapshotSetup(const MenuTable& menu, const RadioState& radio, std::optional<ChannelRange> range,
                        std::vector<SavedChannel> channels, std::string program, std::string savedAt);

// The program and its version, as its Version window shows them.
std::string programVersionText();

// Now, in UTC, as "2024-05-01T12:00:00Z".
std::string utcTimestamp();

} // namespace qx
