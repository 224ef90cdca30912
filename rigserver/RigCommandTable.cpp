#include "rigserver/RigCommandTable.h"

namespace qx::rig {
namespace {

constexpr CommandSpec cmd(char letter, std::string_view name, Op op, std::uint8_t args,
                          std::array<std::string_view, 5> labels = {})
{
    CommandSpec c;
    c.letter = letter;
    c.name = name;
    c.op = op;
    c.args = args;
    c.labels = labels;
    return c;
}

constexpr CommandSpec noVfo(CommandSpec c)
{
    c.noVfo = true;
    return c;
}

constexpr CommandSpec restOfLine(CommandSpec c)
{
    c.restOfLine = true;
    return c;
}

constexpr Op U = Op::Unsupported;

constexpr std::array kCommands{
    cmd('F', "set_freq", Op::SetFreq, 1),
    cmd('f', "get_freq", Op::GetFreq, 0, {"Frequency"}),
    cmd('M', "set_mode", Op::SetMode, 2),
    cmd('m', "get_mode", Op::GetMode, 0, {"Mode", "Passband"}),
    cmd('I', "set_split_freq", Op::SetSplitFreq, 1),
    cmd('i', "get_split_freq", Op::GetSplitFreq, 0, {"TX Frequency"}),
    cmd('X', "set_split_mode", Op::SetSplitMode, 2),
    cmd('x', "get_split_mode", Op::GetSplitMode, 0, {"TX Mode", "TX Passband"}),
    cmd('S', "set_split_vfo", Op::SetSplitVfo, 2),
    cmd('s', "get_split_vfo", Op::GetSplitVfo, 0, {"Split", "TX VFO"}),
    cmd('L', "set_level", Op::SetLevel, 2),
    cmd('l', "get_level", Op::GetLevel, 1),
    cmd('U', "set_func", Op::SetFunc, 2),
    cmd('u', "get_func", Op::GetFunc, 1),
    noVfo(cmd('V', "set_vfo", Op::SetVfo, 1)),
    noVfo(cmd('v', "get_vfo", Op::GetVfo, 0, {"VFO"})),
    cmd('T', "set_ptt", Op::SetPtt, 1),
    cmd('t', "get_ptt", Op::GetPtt, 0, {"PTT"}),
    cmd('J', "set_rit", Op::SetRit, 1),
    cmd('j', "get_rit", Op::GetRit, 0, {"RIT"}),
    noVfo(restOfLine(cmd('b', "send_morse", Op::SendMorse, 1))),
    cmd(0, "stop_morse", Op::StopMorse, 0),
    noVfo(cmd(0, "get_vfo_info", Op::GetVfoInfo, 1, {"Freq", "Mode", "Width", "Split", "SatMode"})),
    noVfo(cmd(0, "chk_vfo", Op::ChkVfo, 0, {"ChkVFO"})),
    noVfo(cmd(0, "set_vfo_opt", Op::SetVfoOpt, 1)),
    noVfo(cmd(0, "dump_state", Op::DumpState, 0)),
    noVfo(cmd('1', "dump_caps", Op::DumpCaps, 0)),
    noVfo(cmd(0, "get_powerstat", Op::GetPowerstat, 0, {"Power Status"})),
    noVfo(cmd(0, "set_powerstat", Op::SetPowerstat, 1)),
    noVfo(cmd(0, "set_lock_mode", Op::SetLockMode, 1)),
    noVfo(cmd(0, "get_lock_mode", Op::GetLockMode, 0, {"Locked"})),
    noVfo(cmd('_', "get_info", Op::GetInfo, 0, {"Info"})),

    // Known to clients, not to this radio.
    cmd('K', "set_split_freq_mode", U, 3),
    cmd('k', "get_split_freq_mode", U, 0),
    cmd('N', "set_ts", U, 1),
    cmd('n', "get_ts", U, 0),
    noVfo(cmd('P', "set_parm", U, 2)),
    noVfo(cmd('p', "get_parm", U, 1)),
    cmd('G', "vfo_op", Op::VfoOp, 1),
    cmd('g', "scan", U, 2),
    noVfo(cmd('A', "set_trn", U, 1)),
    noVfo(cmd('a', "get_trn", U, 0)),
    cmd('R', "set_rptr_shift", U, 1),
    cmd('r', "get_rptr_shift", U, 0),
    cmd('O', "set_rptr_offs", U, 1),
    cmd('o', "get_rptr_offs", U, 0),
    cmd('C', "set_ctcss_tone", Op::SetCtcssTone, 1),
    cmd('c', "get_ctcss_tone", Op::GetCtcssTone, 0, {"CTCSS Tone"}),
    cmd('D', "set_dcs_code", U, 1),
    cmd('d', "get_dcs_code", U, 0),
    cmd(0, "set_ctcss_sql", U, 1),
    cmd(0, "get_ctcss_sql", U, 0),
    cmd(0, "set_dcs_sql", U, 1),
    cmd(0, "get_dcs_sql", U, 0),
    cmd('E', "set_mem", Op::SetMem, 1),
    cmd('e', "get_mem", Op::GetMem, 0, {"Memory#"}),
    // The channel number, then the fields a channel of this radio holds.
    noVfo(cmd('H', "set_channel", Op::SetChannel, 8)),
    noVfo(cmd('h', "get_channel", Op::GetChannel, 2)),
    cmd('B', "set_bank", U, 1),
    cmd('Z', "set_xit", U, 1),
    cmd('z', "get_xit", U, 0),
    cmd('Y', "set_ant", U, 2),
    noVfo(cmd('y', "get_ant", U, 1)),
    cmd(0, "send_dtmf", U, 1),
    cmd(0, "recv_dtmf", U, 0),
    cmd('*', "reset", U, 1),
    noVfo(restOfLine(cmd('w', "send_cmd", U, 1))),
    noVfo(cmd('W', "send_cmd_rx", U, 2)),
    cmd(0, "wait_morse", U, 0),
    cmd(0, "send_voice_mem", U, 1),
    cmd(0, "get_dcd", U, 0),
    noVfo(cmd(0, "set_twiddle", U, 1)),
    noVfo(cmd(0, "get_twiddle", U, 0)),
    noVfo(cmd(0, "uplink", U, 1)),
    noVfo(cmd(0, "set_cache", U, 1)),
    noVfo(cmd(0, "get_cache", U, 0)),
    noVfo(cmd('2', "power2mW", U, 3)),
    noVfo(cmd('4', "mW2power", U, 3)),
    noVfo(cmd('3', "dump_conf", U, 0)),
    noVfo(cmd(0, "get_rig_info", Op::GetRigInfo, 0)),
    noVfo(cmd(0, "get_vfo_list", U, 0)),
    noVfo(cmd(0, "get_modes", U, 0)),
    noVfo(cmd(0, "get_clock", U, 0)),
    noVfo(cmd(0, "set_clock", U, 1)),
    noVfo(cmd(0, "halt", U, 0)),
    cmd(0, "pause", U, 1),
    noVfo(cmd(0, "password", U, 1)),
    noVfo(cmd(0, "get_mode_bandwidths", U, 1)),
    noVfo(cmd(0, "set_separator", U, 1)),
    noVfo(cmd(0, "get_separator", U, 0)),
    noVfo(cmd(0, "send_raw", U, 2)),
    noVfo(cmd(0, "client_version", U, 1)),
};

constexpr CommandSpec kQuit = noVfo(cmd('q', "quit", Op::Quit, 0));
constexpr CommandSpec kQuitUpper = noVfo(cmd('Q', "quit", Op::Quit, 0));

} // namespace

const CommandSpec* findByLetter(char letter)
{
    if (letter == 0)
        return nullptr;
    if (letter == 'q')
        return &kQuit;
    if (letter == 'Q')
        return &kQuitUpper;
    for (const CommandSpec& c : kCommands)
        if (c.letter == letter)
            return &c;
    return nullptr;
}

const CommandSpec* findByName(std::string_view name)
{
    for (const CommandSpec& c : kCommands)
        if (c.name == name)
            return &c;
    return nullptr;
}

} // namespace qx::rig
