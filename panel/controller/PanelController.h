// Turns presses, releases and wheel turns on the panel picture into
// operations: keeps the one active operation (a held key, a selected knob
// or digit, a dragged dial), runs the popups, knobs, dials and digit
// tuning, and posts one request per action to the command builder. Also
// runs the MENU key sequence and the connection attempts after key 1.
//
// Everything runs on the UI thread. Timers are the main window's, started
// through the Outbox; their ticks come back through onTimer.
#pragma once
#include "core/Message.h"
#include "panel/controller/ConnectionAttempts.h"
#include "panel/controller/DialMath.h"
#include "panel/controller/KnobSteps.h"
#include "panel/controller/PanelWorld.h"
#include "panel/controller/WheelNotches.h"

#include <cstdint>

namespace qx {
class MenuTable;
class Outbox;
class RadioState;
struct LinkFlags;
} // namespace qx

namespace qx::panel {

inline constexpr int kKeyTimer = 1;
inline constexpr int kKnobRepeatTimer = 2;
inline constexpr int kDialSendTimer = 18;
inline constexpr int kSecondDialRestTimer = 19;
inline constexpr int kDelayedPopupTimer = 38;
inline constexpr int kReadBackTimer = 41;

// Said in the status line when a control is used while the link is down.
inline constexpr const char* kNotLinkedNote = "Not linked: press LINK first. Nothing was sent to the radio.";

class CPanelController {
public:
    CPanelController(Outbox& outbox, RadioState& radio, const MenuTable& menu, LinkFlags& flags, PanelWorld& world);

    void leftPress(int x, int y);
    void leftRelease(int x, int y);
    void rightPress(int x, int y);
    void rightRelease(int x, int y);
    // `delta` in eighths of a degree; 120 is one notch away from the operator.
    // Smaller deltas add up to notches per target.
    void wheel(int x, int y, int delta);
    // Enter: the VFO SET dialog.
    void enter();
    // Before any menu command.
    void menuCommand();
    // True when the tick was one of the controller's timers.
    bool onTimer(int timerId);
    // Link-up (UM_PANEL_REFRESH) and the refused auto-information message end a connection attempt.
    void onMessage(const Message& m);

    int activeOperation() const { return active_; }
    bool connecting() const { return connection_.connecting(); }
    int mainDialAngle() const { return mainAngle_; }

private:
    void press(int op, bool left);
    // A key pressed while VFO SET is open: drawn held and released as
    // usual, but sends nothing.
    void holdLampOnly(int op, bool left);
    void releaseActive();
    void deselect();
    void send(int op);
    void sendDial(int op, int steps);
    void sendKnob(int op, KnobStep kind, bool up);
    void armReadBack(int op);
    void post(std::uint32_t request, std::int64_t value);
    void lamp(int op, bool pressed);
    void runPopup(int op);
    void runPopupAt(const PopupPlace& place);
    void applyChoice(const PopupChoice& c);
    void menuKey();
    void lockRadio();
    void dragTick();
    void endDrag();
    void knobRepeatTick();
    void readBack();
    bool blocked(int op) const;
    bool linkUp() const;
    bool vfoBOperates() const;
    long long vfoHz() const;
    // The setup-menu entry the panel follows, found by its kind.
    int menuSetting(int kind) const;

    Outbox& outbox_;
    RadioState& radio_;
    const MenuTable& menu_;
    LinkFlags& flags_;
    PanelWorld& world_;

    int active_ = 0;
    bool vfoB_ = false;
    bool activeByRight_ = false;
    // Knob: the button that armed the repeat (0 none, 1 left, 2 right).
    int knobButton_ = 0;
    bool knobRepeatRan_ = false;
    bool swallowRelease_ = false;
    DialSteps dial_;
    int mainAngle_ = 0;
    int secondAngle_ = 360;
    int readBackOp_ = 0;
    WheelNotches wheelNotches_;
    ConnectionAttempts connection_;
};

} // namespace qx::panel
