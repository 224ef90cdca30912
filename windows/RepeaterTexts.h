// The texts of the Repeater window's three displays, by the value the radio
// reported; "?????" for a value it should never send.
#pragma once
#include <string>

namespace qx {

std::string ctcssModeText(int toneMode);
std::string toneFrequencyText(int toneNumber);
std::string shiftDirectionText(int shift);

// Modes in which the tone mode can be set (FM and its narrow forms).
bool toneModeSettable(int modeCode);

} // namespace qx
