// The knob behaviour of a knob window: turns presses, releases, wheel
// notches and timer ticks into knob pictures, label selection and stepped
// values sent through each knob's binding, with a read-back after a change.
// Plain logic: the window feeds it events and ticks and paints what it says.
#pragma once
#include "widgets/KnobBinding.h"
#include "widgets/KnobDial.h"
#include "widgets/KnobGeometry.h"
#include "widgets/KnobTimers.h"

#include <string>
#include <vector>

namespace qx {

struct PointerState {
    KnobPoint pos;
    bool left = false;
    bool right = false;
};

// What the window provides to the knob logic.
class KnobPanelHost {
public:
    virtual ~KnobPanelHost() = default;
    virtual PointerState pointer() const = 0;
    // The radio reports changes on its own, so a read-back is worth asking.
    virtual bool autoInformation() const = 0;
    virtual void pressOnOff() = 0;
    virtual void readBack(const std::string& text) = 0;
    virtual void redraw() = 0;
};

struct KnobSetup {
    KnobPoint centre;
    KnobPoint face; // top-left of the 56 x 56 face
    KnobMotion motion;
    KnobRect label;
    KnobBinding* binding = nullptr;
};

class KnobPanel {
public:
    KnobPanel(KnobPanelHost& host, KnobTimers& timers, KnobRect onOff);

    // Returns the knob's index.
    int addKnob(const KnobSetup& setup);

    void leftPress(KnobPoint p);
    void rightPress(KnobPoint p);
    void release(bool left);
    void wheel(KnobPoint p, int delta);
    void tick(KnobTimer t);
    // An answer for this window came in: the read-back is no longer needed.
    void answerArrived();
    // The window went away: drop any drag, hold or selection without sending.
    void letGo();

    int knobCount() const { return static_cast<int>(knobs_.size()); }
    const KnobSetup& knob(int i) const { return knobs_[static_cast<std::size_t>(i)].setup; }
    // The dot's angle, or kKnobAtRest when only the face is drawn.
    int dotAngle(int knob) const;
    int selectedLabel() const { return active_ == Active::Label ? activeIndex_ : -1; }
    int draggedKnob() const { return active_ == Active::Knob ? activeIndex_ : -1; }
    bool buttonHeld() const { return active_ == Active::Button; }
    bool repeatRunning() const { return repeatRunning_; }
    bool readBackPending() const { return pendingReadBack_ >= 0; }

private:
    enum class Active { None, Knob, Button, Label };
    struct Knob {
        KnobSetup setup;
        KnobDial dial;
    };

    Knob& at(int i) { return knobs_[static_cast<std::size_t>(i)]; }
    void selectLabel(int i);
    void deselectLabel();
    void armRepeat(bool left);
    void endDrag();
    void releaseButton();
    void sendSteps(int i);
    void stepLabel(int direction);
    void armReadBack(int i);
    void repeatTick();

    KnobPanelHost& host_;
    KnobTimers& timers_;
    KnobRect onOff_;
    std::vector<Knob> knobs_;
    Active active_ = Active::None;
    int activeIndex_ = -1;
    bool repeatArmed_ = false;
    bool repeatLeft_ = true;
    bool repeatRunning_ = false;
    bool selectingPress_ = false;
    int pendingReadBack_ = -1;
};

} // namespace qx
