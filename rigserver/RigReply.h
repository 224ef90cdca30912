// One command's answer in the form Hamlib's server gives it. Plain: each
// value on its own line, a set answered "RPRT 0", any failure "RPRT -n".
// Extended (the command began with '+' or another mark): the command echoed
// as a header, each value as "Label: value", every record ended by the
// mark's separator, and always a closing "RPRT n".
#pragma once
#include "rigserver/HamlibCodes.h"
#include "rigserver/RigLineParser.h"

#include <string>
#include <string_view>

namespace qx::rig {

class Reply {
public:
    // Writes the extended header at once, as the server does before it acts.
    explicit Reply(const ParsedCommand& c);

    // One value; `label` is left out when empty.
    void value(std::string_view label, std::string_view text);
    void value(std::string_view label, long long number);
    // A block that carries its own line ends (a capability dump, a "?" list).
    void block(std::string_view text);
    // Closes the answer; gives the whole text.
    std::string finish(Status status);

private:
    const ParsedCommand& c_;
    std::string out_;
};

// Whether a command answers with values (and so, when plain and successful,
// with no "RPRT 0" of its own).
bool answersWithValues(Op op);

} // namespace qx::rig
