// The rigctld command set as clients know it: every command's one-letter and
// long name, how many arguments follow it on the line, and the names its
// values carry in the extended response. Commands this radio cannot do are
// listed too, so that their arguments are skipped and they are answered
// "not available" rather than mistaken for unknown ones.
#pragma once
#include <array>
#include <cstdint>
#include <string_view>

namespace qx::rig {

enum class Op : std::uint8_t {
    SetFreq,
    GetFreq,
    SetMode,
    GetMode,
    SetVfo,
    GetVfo,
    SetSplitVfo,
    GetSplitVfo,
    SetSplitFreq,
    GetSplitFreq,
    SetSplitMode,
    GetSplitMode,
    SetPtt,
    GetPtt,
    SetRit,
    GetRit,
    SetLevel,
    GetLevel,
    SetFunc,
    GetFunc,
    SendMorse,
    StopMorse,
    GetVfoInfo,
    ChkVfo,
    SetVfoOpt,
    DumpState,
    DumpCaps,
    GetPowerstat,
    SetPowerstat,
    SetLockMode,
    GetLockMode,
    GetInfo,
    VfoOp,
    SetCtcssTone,
    GetCtcssTone,
    GetMem,
    SetMem,
    SetChannel,
    GetChannel,
    GetRigInfo,
    Quit,
    Unsupported,
};

struct CommandSpec {
    char letter = 0;          // 0 when the command has only a long name
    std::string_view name;    // the long name, without its backslash
    Op op = Op::Unsupported;
    std::uint8_t args = 0;    // arguments that follow on the line
    bool restOfLine = false;  // its one argument is the rest of the line, blanks and all
    bool noVfo = false;       // takes no VFO argument while the client works in VFO mode
    std::array<std::string_view, 5> labels{};  // names of the values in the extended response
};

// By letter (case matters: "F" sets, "f" reads); null when none.
const CommandSpec* findByLetter(char letter);
// By long name, exactly; null when none.
const CommandSpec* findByName(std::string_view name);

} // namespace qx::rig
