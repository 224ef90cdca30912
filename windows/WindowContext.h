// What every window of the program is given: the way to the command
// builder and the main window (an Outbox: requests are posted to
// ThreadId::AnlSend, window-ended notices are sent to the main window), the
// state stores it reads, and the raw send used by dialogs that queue text
// themselves. Tests build one from fakes.
#pragma once
#include "core/LinkFlags.h"
#include "core/Outbox.h"

#include <filesystem>
#include <functional>
#include <string>

namespace qx {

class CommandState;
class MacroKeys;
class MenuTable;
class PortSettings;
class RadioState;
class TrafficTap;

struct WindowContext {
    Outbox& outbox;
    RadioState& radio;
    CommandState& command;
    MenuTable& menu;
    LinkFlags& flags;
    // Puts a text on the send queue and has it written; false when it does not fit.
    std::function<bool(const std::string&)> sendRaw;
    // The main window's function-key macros; windows offer their keys to it.
    MacroKeys* macros = nullptr;
    // The COM port settings, for COM Select and Baud rate.
    PortSettings* ports = nullptr;
    // What the system said behind an operator message row (the device and
    // why it did not open, ...); shown below the message. Empty when unset.
    std::function<std::string(long row)> errorDetail = nullptr;
    // Every byte through the port, for the CAT monitor.
    TrafficTap* traffic = nullptr;
    // The folder that holds CommoFiles (the channel labels live there);
    // empty: labels last only as long as the window.
    std::filesystem::path settingsDir{};
};

} // namespace qx
