// How a menu entry's value is coded. The numbers are the radio menu's own and
// other windows look entries up by them, so they are plain ints, not an enum
// that could be renumbered.
#pragma once

namespace qx::MenuKind {

inline constexpr int Vacant = -1;
inline constexpr int Number = 0;        // value x multiplier
inline constexpr int List = 1;          // value texts, first code is min
inline constexpr int Hundredths = 2;    // "RPT SFT"
inline constexpr int Signed = 4;        // "+"/"-" then magnitude
inline constexpr int Tenths = 9;        // "CWWEIGT"
inline constexpr int BandFlags = 14;    // "MY BAND" bit string
inline constexpr int PeakHold = 15;
inline constexpr int NamedNumber = 16;  // value text 0, then numbers
inline constexpr int Pitch = 40;        // "CWPITCH"
inline constexpr int ModeFlags = 41;    // "MY MODE" bit string
inline constexpr int SqlRfGain = 42;
inline constexpr int DataType = 43;
inline constexpr int CwBfo = 44;
inline constexpr int MicEq = 45;
inline constexpr int BeaconText = 46;   // channel digit and text
inline constexpr int Dimmer = 47;       // written and read with the dimmer commands
inline constexpr int SelDial = 48;
inline constexpr int Clarifier = 49;
inline constexpr int Tone = 50;         // CTCSS tone code
inline constexpr int Level = 51;        // 0-255 shown as 0-100
inline constexpr int VolumeLink = 52;   // FIX 0-100, LNK -50..50

// Kinds whose value is an index into the value texts, counted from 0.
constexpr bool isPlainList(int kind)
{
    return kind == PeakHold || kind == SqlRfGain || kind == DataType || kind == CwBfo || kind == SelDial
        || kind == Clarifier;
}

} // namespace qx::MenuKind
