// A saved set-up of the radio, in memory: every menu slot with its value,
// the CW keyer memories and the memory channels that hold something. What a
// backup file holds and what a comparison is made against.
#pragma once
#include "state/MemoryChannel.h"

#include <optional>
#include <string>
#include <vector>

namespace qx {

struct ChannelRange {
    int first = MemoryChannel::kFirst;
    int last = MemoryChannel::kLast;

    int count() const { return last - first + 1; }
    bool contains(int channel) const { return channel >= first && channel <= last; }
    bool valid() const { return MemoryChannel::validChannel(first) && MemoryChannel::validChannel(last) && first <= last; }
    friend bool operator==(const ChannelRange&, const ChannelRange&) = default;
};

struct SavedMenuEntry {
    int slot = 0;        // the radio's menu number, as "EX" carries it
    int number = 0;      // the number the menu list shows
    std::string name;
    double value = 0;    // as stored, in the units of the "EX" command
    std::optional<std::string> text; // the beacon text; none for every other entry
    std::string setting; // as the menu list shows it, for people reading the file
};

struct SavedKeyerMemory {
    int memory = 0;
    std::string text;    // without the blanks the radio pads it with
};

struct SavedChannel {
    int channel = 0;
    MemoryChannel content;
};

// The keyer memories the radio plays and the link-up reads.
inline constexpr int kSavedKeyerMemories = 3;

struct SetupFile {
    static constexpr int kFormatVersion = 1;

    std::string program;
    std::string radioId; // four digits, as in the radio's "ID" answer
    std::string savedAt; // UTC, ISO 8601
    std::vector<SavedMenuEntry> menu;
    std::vector<SavedKeyerMemory> keyer;
    // The channels that were read; none when the set-up was saved without them.
    std::optional<ChannelRange> channelRange;
    // The channels of the range that hold something, in channel order.
    std::vector<SavedChannel> channels;
};

} // namespace qx
