// The radio's own setup menu: one value per slot (and the beacon text), read
// with "EXnnn;" and set with "EXnnn" plus the slot's parameter characters.
// Slot kinds and widths come from the menu definition.
#pragma once
#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace qx::sim {

class MenuSettings {
public:
    static constexpr int kCatRateSlot = 10;
    static constexpr int kDialStepSlot = 29;
    static constexpr int kDataTypeSlot = 26;  // "D TYPE": the data mode's flavour
    static constexpr int kMyModeSlot = 66;    // "MY MODE": the groups the MODE keys visit

    MenuSettings();

    // The complete answer for a slot; nothing for a vacant slot, one outside
    // the menu, or the dimmer (which has its own command).
    std::optional<std::string> answer(int slot) const;
    // params: the characters between "EX" and ";" of a set command. The slot
    // that was set, or nothing when the text is malformed or out of range.
    std::optional<int> apply(std::string_view params);

    double value(int slot) const;
    std::string_view text(int slot) const;
    // Line speed in bit/s from the CAT rate item.
    int lineRate() const;

private:
    struct Slot {
        double value = 0;
        std::string text;
    };
    std::array<Slot, 68> slots_{};
};

} // namespace qx::sim
