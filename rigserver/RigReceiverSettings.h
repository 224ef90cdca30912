// The receiver and transmitter settings beyond the basic gains: AGC,
// preamplifier and attenuator, noise-reduction level, the transmit meter's
// ALC and SWR readings; the switches that the radio toggles (NR, VOX, the
// automatic notch) or sets by tone mode (TONE, TSQL); and the CTCSS tone. All
// in Hamlib's units, read from the radio state and set through the program's
// requests. Settings with a VFO digit in their command use the client's VFO.
#pragma once
#include "rigserver/HamlibCodes.h"
#include "rigserver/RigStateView.h"
#include "rigserver/RigWriter.h"

#include <optional>
#include <string>
#include <string_view>

namespace qx::rig {

// The answer text; nothing for a name this file does not hold. kNotAvailable
// in `status` when the name is held but the radio cannot give it now (a
// transmit meter the radio's meter setting does not show).
std::optional<std::string> readReceiverLevel(std::string_view name, int vfo, const RigStateView& radio,
                                             Status* status);
// Nothing for a name this file does not hold; else the request's status.
std::optional<Status> writeReceiverLevel(std::string_view name, std::string_view value, int vfo, RigWriter& writer,
                                         RigStateView& radio);

std::optional<bool> readReceiverFunction(std::string_view name, int vfo, const RigStateView& radio);
std::optional<Status> writeReceiverFunction(std::string_view name, bool on, int vfo, RigWriter& writer,
                                            RigStateView& radio);

// The CTCSS tone in tenths of a hertz (885 for 88.5 Hz); a tone the radio
// does not have is kInvalid.
long ctcssTone(int vfo, const RigStateView& radio);
Status setCtcssTone(std::string_view tenths, int vfo, RigWriter& writer, RigStateView& radio);
// A tone code in tenths of a hertz (0 for a code the radio does not have),
// and back (nothing for a tone it does not have).
int toneTenths(int code);
std::optional<int> toneCode(long tenths);

// Preamplifier and attenuator steps in dB, as dump_state announces them.
inline constexpr int kPreampDb = 10;
inline constexpr int kAttenuatorDb = 12;

Mask receiverLevels();
Mask receiverFunctions();
std::string_view receiverLevelNames();
std::string_view receiverFunctionNames();

} // namespace qx::rig
