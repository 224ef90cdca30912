// What the backup needs of the running program: the way to the command
// builder, the raw send the CW window writes keyer memories with, the state
// the answers fill, and a clock for its time-outs.
#pragma once
#include "core/Clock.h"
#include "core/LinkFlags.h"
#include "core/Outbox.h"

#include <functional>
#include <optional>
#include <string>

namespace qx {

class MenuTable;
class RadioState;

struct RadioAccess {
    Outbox& outbox;
    RadioState& radio;
    MenuTable& menu;
    LinkFlags& flags;
    std::function<bool(const std::string&)> sendRaw;
    Clock& clock;
};

// Why the radio's set-up cannot be taken or compared now: the link is not up,
// the model is not known or the settings are still being read. Nothing when
// it can.
std::optional<std::string> radioNotReady(const RadioState& radio, const LinkFlags& flags);

} // namespace qx
