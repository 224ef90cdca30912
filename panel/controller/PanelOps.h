// The panel's operation numbers that the controller treats specially, and
// the groups they fall into.
#pragma once

namespace qx::panel {

namespace op {
inline constexpr int None = 0;
inline constexpr int Link = 1;
inline constexpr int Vox = 5;
inline constexpr int Tuner = 6;
inline constexpr int Agc = 15;
inline constexpr int NoiseBlanker = 16;
inline constexpr int Split = 38;
inline constexpr int Monitor = 41;
inline constexpr int Menu = 51;
inline constexpr int VfoSetDigit0 = 52;
inline constexpr int VfoSetDigit9 = 61;
inline constexpr int VfoSetEnter = 63;
inline constexpr int BandGroup = 87;
inline constexpr int Meter = 88;
inline constexpr int MainDial = 89;
inline constexpr int SecondDial = 90;
inline constexpr int Squelch = 98;
inline constexpr int AfGain = 106;
inline constexpr int RfGain = 107;
inline constexpr int IfShift = 111;
inline constexpr int Digit1Hz = 200;
inline constexpr int Digit10MHz = 207;
inline constexpr int SetVfoA = 216;
inline constexpr int SetVfoB = 217;
inline constexpr int MemoryWrite = 220;
inline constexpr int Step = 222;
inline constexpr int Pms = 223;
inline constexpr int Dsp = 225;
inline constexpr int AttIpo = 226;
inline constexpr int ModeUp = 227;
inline constexpr int ModeDown = 228;
inline constexpr int ModePopupA = 229;
inline constexpr int ModePopupB = 230;
inline constexpr int Clar = 231;
inline constexpr int BandDown = 232;
inline constexpr int BandUp = 233;
inline constexpr int BandPopupA = 234;
inline constexpr int BandPopupB = 235;
inline constexpr int ClarClear = 237;
inline constexpr int LcdContour = 238;
inline constexpr int LcdNotch = 239;
inline constexpr int LcdDnr = 240;
inline constexpr int LcdWidth = 241;
inline constexpr int LcdTuner = 253;
inline constexpr int LcdVox = 267;
inline constexpr int LcdBreakIn = 268;
inline constexpr int LcdSplit = 269;
inline constexpr int LcdShiftPlus = 271;
inline constexpr int LcdShiftMinus = 272;
inline constexpr int LcdEncoder = 273;
inline constexpr int LcdDecoder = 274;
} // namespace op

constexpr bool isKnob(int o) { return o == op::Squelch || o == op::AfGain || o == op::RfGain || o == op::IfShift; }
constexpr bool isDigit(int o) { return o >= op::Digit1Hz && o <= op::Digit10MHz; }
constexpr bool isDial(int o) { return o == op::MainDial || o == op::SecondDial; }
// 1 = 1 Hz digit .. 8 = 10 MHz digit.
constexpr int digitOf(int o) { return o - op::Digit1Hz + 1; }

} // namespace qx::panel
