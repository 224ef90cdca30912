// What differs between a saved set-up and the radio now: menu entries
// against the menu table, keyer memories against the radio state, memory
// channels against a read just made. Each difference carries what a restore
// writes, or why it is left to the operator.
#pragma once
#include "backup/SetupFile.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qx {

class MenuTable;
class RadioState;

struct SetupDifference {
    enum class Area { Menu, Keyer, Channel };

    Area area = Area::Menu;
    int index = 0;        // menu slot, keyer memory or channel number
    std::string key;      // "EX021", "KM1", "MR017"
    std::string name;     // "CWSPEED", "Keyer memory 1", "Channel 17"
    std::string saved;    // as the operator reads them
    std::string now;
    // What a restore writes.
    double value = 0;
    std::string text;     // the beacon or keyer text
    std::optional<MemoryChannel> channel;
    // Why a restore leaves it alone; empty when it can be restored.
    std::string handOnly;

    bool restorable() const { return handOnly.empty(); }
    // The key or the name, either case.
    bool answersTo(std::string_view name) const;
};

// The line speed: restoring it would cut the link mid-restore.
inline constexpr std::string_view kLineSpeedEntry = "CATRATE";

// `present` holds the channels read now over saved.channelRange (those that
// hold something); without it, channels are not compared.
std::vector<SetupDifference> compareSetup(const SetupFile& saved, const MenuTable& menu, const RadioState& radio,
                                          const std::vector<SavedChannel>* present);

} // namespace qx
