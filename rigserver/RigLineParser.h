// Cuts one client line into rigctld commands: one-letter ("f") and long
// ("\get_freq") names, several commands on one line ("f m", or "fm"), the
// extended-response mark in front of a command ("+f", ";f", "|f"), and the
// arguments, which must stand on the same line as their command.
#pragma once
#include "rigserver/HamlibCodes.h"
#include "rigserver/RigCommandTable.h"

#include <string>
#include <string_view>
#include <vector>

namespace qx::rig {

struct ParsedCommand {
    const CommandSpec* entry = nullptr;  // null: not a command of the protocol
    std::string vfo;                    // the VFO named before the arguments, if any
    std::vector<std::string> args;
    bool extended = false;
    char separator = '\n';              // between the records of an extended answer
    Status status = kOk;                // kInvalid when an argument is missing or the line is not text
};

// The longest line a client may send; more without a newline is refused.
inline constexpr std::size_t kMaxLineLength = 4096;

// An unknown command ends the line (what follows cannot be told from its
// arguments); a line holding control or non-ASCII bytes is one invalid entry.
// A '#' starts a comment. A first argument "?" asks for the choices and
// takes no further arguments. A VFO name right after a command that can take
// one is its VFO (Hamlib's VFO mode), whether or not the client said so.
std::vector<ParsedCommand> parseLine(std::string_view line);

} // namespace qx::rig
