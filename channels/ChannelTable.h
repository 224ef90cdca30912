// The 504 memory channels as the operator edits them: what the radio was
// last seen to hold, what the operator wants there, and a label the radio
// cannot keep. An edit is checked against the radio's limits before it is
// taken; a group of edits (a paste, an import, a clear) is one step to undo.
#pragma once
#include "state/MemoryChannel.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace qx {

struct ChannelRow {
    // What the radio holds, once read (empty: the channel is empty).
    std::optional<MemoryChannel> onRadio;
    bool read = false;
    // What the operator wants there.
    std::optional<MemoryChannel> content;
    std::string label;

    // To be written: differs from what the radio holds, or was set before
    // the channel was ever read.
    bool edited() const { return content != onRadio; }
};

struct ChannelChange {
    int channel = 0;
    std::optional<MemoryChannel> content;
    std::string label;
};

struct RefusedChange {
    int channel = 0;
    std::string reason;
};

class ChannelTable {
public:
    static constexpr std::size_t kLabelMax = 64;
    static constexpr std::size_t kUndoDepth = 200;

    // The changes within the limits are taken as one step; the others are
    // returned with their reasons.
    std::vector<RefusedChange> apply(const std::vector<ChannelChange>& changes);
    bool undo();
    bool redo();
    bool canUndo() const { return !undo_.empty(); }
    bool canRedo() const { return !redo_.empty(); }

    // The radio was read (or confirmed a write): what it holds. A channel
    // the operator has not touched follows it.
    void takeReading(int channel, const std::optional<MemoryChannel>& onRadio);
    // Labels from the label file; not a step to undo.
    void setLabels(const std::vector<std::pair<int, std::string>>& labels);

    const ChannelRow& row(int channel) const;
    // Channels to write, in order.
    std::vector<int> edited() const;
    // Of those, the ones whose present contents a write would replace
    // (occupied on the radio, or never read).
    std::vector<int> overwrites() const;
    std::vector<std::pair<int, std::string>> labels() const;

    // A label as kept: printable, without the separators of the files it
    // travels in cut down, at most kLabelMax characters.
    static std::string cleanLabel(std::string_view text);

private:
    struct Step {
        std::vector<ChannelChange> before;
        std::vector<ChannelChange> after;
    };
    void put(const ChannelChange& c);
    ChannelRow& at(int channel);

    std::array<ChannelRow, MemoryChannel::kLast> rows_{};
    std::vector<Step> undo_;
    std::vector<Step> redo_;
};

} // namespace qx
