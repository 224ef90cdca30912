// The auxiliary windows and dialogs the main window opens, one instance
// each: what each reports when it ends, and which notifications the main
// window forwards to it while it is open.
#pragma once
#include "core/MessageIds.h"

#include <array>
#include <cstdint>
#include <initializer_list>
#include <span>

namespace qx {

enum class AuxKind {
    VfoSet,
    ComSelect,
    BaudRate,
    CommandSend,
    MenuList,
    Playback,
    Cw,
    Repeater,
    Contour,
    Vcc,
    Notch,
    MicEq,
    Dnr,
    MemoryWrite,
    SetupSave,
    SetupCompare,
    MemoryChannels,
};

struct AuxWindowRow {
    AuxKind kind;
    std::uint32_t doneMessage;
    std::array<std::uint32_t, 5> forwarded; // 0 = unused
};

inline constexpr std::array kAuxWindows{
    AuxWindowRow{AuxKind::VfoSet, UM_VFOSET_DONE, {}},
    AuxWindowRow{AuxKind::ComSelect, UM_COMSELECT_DONE, {}},
    AuxWindowRow{AuxKind::BaudRate, UM_BAUDRATE_DONE, {}},
    AuxWindowRow{AuxKind::CommandSend, UM_CMDSEND_DONE, {}},
    AuxWindowRow{AuxKind::MenuList, UM_MENULIST_DONE, {}},
    AuxWindowRow{AuxKind::Playback, UM_PLAYBACK_DONE, {UM_ANS_RI}},
    AuxWindowRow{AuxKind::Cw, UM_CW_DONE, {UM_ANS_KM}},
    AuxWindowRow{AuxKind::Repeater, UM_REPEATER_DONE, {UM_ANS_CN, UM_ANS_CT, UM_ANS_OS}},
    AuxWindowRow{AuxKind::Contour, UM_CONTOUR_DONE, {UM_ANS_CO}},
    AuxWindowRow{AuxKind::Vcc, UM_VCC_DONE, {UM_ANS_VC}},
    AuxWindowRow{AuxKind::Notch, UM_NOTCH_DONE, {UM_ANS_BP}},
    AuxWindowRow{AuxKind::MicEq, UM_MICEQ_DONE, {}},
    AuxWindowRow{AuxKind::Dnr, UM_DNR_DONE, {UM_ANS_NR, UM_ANS_RL}},
    AuxWindowRow{AuxKind::MemoryWrite, UM_MEMWRITE_DONE, {UM_ANS_MR}},
    // The answers that confirm a channel read and each kind of restored setting.
    AuxWindowRow{AuxKind::SetupSave, UM_SETUPSAVE_DONE, {UM_ANS_MR, UM_ANS_REFUSED}},
    AuxWindowRow{AuxKind::SetupCompare, UM_SETUPCOMPARE_DONE,
                 {UM_ANS_MR, UM_ANS_REFUSED, UM_ANS_OTHER, UM_ANS_DA, UM_ANS_KM}},
    // Channel reads and their read-backs; the mode and channel a recall waits for.
    AuxWindowRow{AuxKind::MemoryChannels, UM_MEMCHANNELS_DONE, {UM_ANS_MR, UM_ANS_REFUSED, UM_ANS_IF, UM_ANS_MC}},
};

inline const AuxWindowRow& auxWindowRow(AuxKind kind)
{
    return kAuxWindows[static_cast<std::size_t>(kind)];
}

inline bool auxWindowTakes(AuxKind kind, std::uint32_t id)
{
    for (std::uint32_t f : auxWindowRow(kind).forwarded)
        if (f != 0 && f == id)
            return true;
    return false;
}

} // namespace qx
