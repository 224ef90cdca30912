// What the panel controller does to the world besides posting requests and
// running timers (those go through the Outbox): drawing element states,
// asking the operator, opening windows. The main window provides the real
// one; tests record.
#pragma once
#include "core/Message.h"
#include "panel/controller/PopupChoiceTable.h"
#include "windows/AuxWindowKind.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace qx::panel {

struct PopupRequest {
    Popup popup;
    int x, y; // relative to the window's top-left corner
    std::span<const PopupChoice> choices;
    std::uint32_t checked; // bit i: choice i has the check mark
};

struct PointerState {
    int x = 0, y = 0;
    bool left = false, right = false;
};

class PanelWorld {
public:
    virtual ~PanelWorld() = default;

    // A panel message (UM_PANEL_*, UM_KEY_*) for the display to draw.
    virtual void panelMessage(const Message& m) = 0;
    // Shows the popup and waits; the chosen index, or nothing when dismissed.
    virtual std::optional<int> choose(const PopupRequest& popup) = 0;

    virtual bool openAux(AuxKind kind) = 0;
    virtual bool auxOpen(AuxKind kind) const = 0;
    // The VFO SET dialog takes its entry as if OK was pressed.
    virtual void confirmVfoSet() = 0;

    // Where the pointer is and which buttons are down, in panel coordinates.
    virtual PointerState pointer() const = 0;

    // Queues a raw text for the radio (and has it written).
    virtual void queueRaw(const std::string& text) = 0;
    // Blocks the panel for a short while, as between lock requests.
    virtual void pause(int ms) = 0;

    // The panel-lock flag held while the MENU LIST window is open.
    virtual void setRadioLocked(bool locked) = 0;
    // Runs the wait box until the menu read ends or its time runs out.
    virtual void runWaitBox() = 0;
    virtual void showConnecting(bool shown) = 0;
    virtual void showMessage(std::string_view text) = 0;
    // A short note for the status line, with no box to dismiss.
    virtual void note(std::string_view) {}
    // The port is open and neither holds for carrier detect nor sends at once.
    virtual bool portReady() const = 0;

    virtual bool bandGroup() const = 0;
    virtual void setBandGroup(bool on) = 0;
};

} // namespace qx::panel
