// Names of the messages that reach the main window. Their values overlap
// with requests that only the command builder reads, so the window side
// names them from its own lists first.
#pragma once
#include <cstdint>
#include <string_view>

namespace qx {

// Answer notifications, other notifications and window messages first, then
// any name the catalogue has; empty for an unknown id.
std::string_view windowMessageName(std::uint32_t id);

// Whether `name` is one of the answer notifications, other notifications or
// window messages: the names that reach the window.
bool isWindowMessageName(std::string_view name);

} // namespace qx
