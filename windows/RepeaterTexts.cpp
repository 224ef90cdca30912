#include "windows/RepeaterTexts.h"

#include "menu/ToneTable.h"

namespace qx {
namespace {

constexpr const char* kUnknown = "?????";

std::string pick(int value, const char* const (&texts)[4])
{
    return value >= 0 && value <= 3 ? texts[value] : kUnknown;
}

} // namespace

std::string ctcssModeText(int toneMode)
{
    static const char* const texts[4] = {"OFF", "Tone Squelch", "Tone Encoder", ""};
    return pick(toneMode, texts);
}

std::string toneFrequencyText(int toneNumber)
{
    if (toneNumber < 0 || toneNumber >= kToneCount)
        return kUnknown;
    return std::string(kToneTexts[static_cast<std::size_t>(toneNumber)]) + " Hz";
}

std::string shiftDirectionText(int shift)
{
    static const char* const texts[4] = {"Simplex", "Plus Shift", "Minus Shift", ""};
    return pick(shift, texts);
}

bool toneModeSettable(int modeCode)
{
    return modeCode == 4 || modeCode == 10 || modeCode == 11;
}

} // namespace qx
