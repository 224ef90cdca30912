// The settings the command builder needs to form commands that depend on the
// transceiver's current state (toggles, the auto-information command at port
// open, the power state). Filled by the decoders from the radio state and,
// for the VFO-A copy, by the main window. Read by every thread.
#pragma once
#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

#include "state/CommandStateEntries.h"
#include "state/EntryRow.h"
#include "state/RangedTable.h"

namespace qx {

class CommandState {
public:
#define QX_ENTRY_ID(id, ...) id,
    enum class Int : int { QX_COMMAND_INT_ENTRIES(QX_ENTRY_ID) };
#undef QX_ENTRY_ID
#define QX_ENTRY_COUNT(...) +1
    static constexpr std::size_t kIntCount = 0 QX_COMMAND_INT_ENTRIES(QX_ENTRY_COUNT);
#undef QX_ENTRY_COUNT

    // Made with every entry at its default.
    CommandState();
    CommandState(const CommandState&) = delete;
    CommandState& operator=(const CommandState&) = delete;

    void initialise() { ints_.resetAll(); }

    int get(Int id) const { return ints_.get(id); }
    // A value outside the entry's range keeps the old one; still true.
    bool set(Int id, int value) { return ints_.set(id, value); }

    static const std::array<IntEntrySpec, kIntCount>& intEntries();
    // By console name ("AI", "bp_level"), ignoring case.
    static std::optional<Int> findEntryByName(std::string_view name);

private:
    RangedTable<Int, int, kIntCount> ints_;
};

// The one store of the running program.
CommandState& commandState();

} // namespace qx
