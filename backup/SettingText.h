// How a setting reads to the operator: in the compare view, the headless
// output and the "setting" fields of a backup file.
#pragma once
#include "menu/MenuItem.h"
#include "state/MemoryChannel.h"

#include <optional>
#include <string>
#include <string_view>

namespace qx {

// As the menu list shows it, with every flag of "MY BAND" and "MY MODE"
// named and the whole beacon text.
std::string describeMenuValue(const MenuItem& item, double value, std::string_view text);

std::string describeKeyerText(std::string_view text);

// Every field, so that two channels that differ never read the same.
std::string describeChannel(const std::optional<MemoryChannel>& content);

} // namespace qx
