// The panel's popup menus: each popup's choices with their exact labels and
// the requests they post, where it opens for each operation, and which
// choice carries the check mark for the radio's current setting.
#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace qx {
class RadioState;
}

namespace qx::panel {

enum class Popup { Agc, AttIpo, Tuner, Meter, Monitor, Split, Step, Pms, Mode, Band, Dsp, Width };

enum class ChoiceAction { Request, OpenContour, OpenNotch, OpenDnr, OpenMicEq, OpenVcc, WidthPopup };

struct PopupChoice {
    std::string_view label;
    std::uint32_t request = 0;
    std::int64_t value = 0;
    std::uint32_t request2 = 0; // sent right after the first; 0 = none
    std::int64_t value2 = 0;
    ChoiceAction action = ChoiceAction::Request;
};

// Where an operation's popup opens, relative to the window's top-left corner.
struct PopupPlace {
    int op;
    Popup popup;
    int x, y;
};

// The popup of `op`, or nothing for an operation without one.
std::optional<PopupPlace> popupOf(int op);
// Where the width popup opens when chosen from the DSP popup.
PopupPlace widthFromDsp();

// The choices; the step popup's depend on the mode.
std::span<const PopupChoice> popupChoices(Popup p, int mode);

// Bit i set: choice i shows the check mark. `menu44` is the CW/CW-R display
// setting; the operating VFO's frequency decides its automatic value.
std::uint32_t checkedChoices(Popup p, const RadioState& radio, int menu44, long long vfoHz);

// The check mark of the mode popup for a mode number, or -1 for none.
int modeCheck(int mode, int menu44, long long vfoHz);

} // namespace qx::panel
