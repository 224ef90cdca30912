// What a channel file brought in: the channels it holds, and per row what
// could not come along, so that nothing the radio cannot hold is dropped
// without a word. A file refused whole carries only its reason.
#pragma once
#include "state/MemoryChannel.h"

#include <cstddef>
#include <string>
#include <vector>

namespace qx {

struct ChannelEntry {
    int channel = 0;
    MemoryChannel content;
    std::string label;
};

struct ImportNote {
    int line = 0;    // in the file, from 1; 0 for the file as a whole
    int channel = 0; // 0 when the row named none
    std::string text;
    bool rowRefused = false; // the row was left out; otherwise it came in without what the note names
};

struct ChannelImport {
    std::vector<ChannelEntry> channels; // in channel order
    std::vector<ImportNote> notes;
    std::string error; // the whole file refused: nothing of it is used

    bool refused() const { return !error.empty(); }
    bool anyRowRefused() const
    {
        for (const ImportNote& n : notes)
            if (n.rowRefused)
                return true;
        return false;
    }
};

// "line 7 (channel 12): DTCS cannot be held; row left out"
std::string noteText(const ImportNote& n);

// A channel list is a few tens of kilobytes; a file far beyond that is not one.
inline constexpr std::size_t kChannelFileLimit = 1024 * 1024;

} // namespace qx
