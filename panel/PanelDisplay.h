// The display handlers: each answer notification and panel message sets the
// element states it concerns from the radio state, and reports which parts
// of the panel changed so that only those are repainted. No drawing here.
//
// Runs on the UI thread. Timer 14 (the meter's peak hold) is started and
// stopped through the Outbox; the window calls the tick entry points.
#pragma once
#include "cat/LinkState.h"
#include "core/Message.h"
#include "panel/MeterPeakHold.h"
#include "panel/PanelModel.h"
#include "panel/PanelRegions.h"

#include <cstdint>

namespace qx {
class Outbox;
class RadioState;
class MenuTable;
} // namespace qx

namespace qx::panel {

inline constexpr int kPeakHoldTimer = 14;
inline constexpr int kPeakHoldMs = 1000;

class PanelDisplay {
public:
    PanelDisplay(const RadioState& radio, const MenuTable& menu, Outbox& timers);

    const PanelModel& model() const { return model_; }
    // For the panel controller: e.g. the band-group flag of the second dial.
    PanelModel& model() { return model_; }

    // One notification or panel message; the regions whose states changed.
    // Messages the display does not draw return kNoRegion.
    unsigned handle(const Message& m);

    unsigned frequencyTick();   // timers 6 and 7
    unsigned blinkTick();       // timer 36
    unsigned peakHoldExpired(); // timer 14
    unsigned firstFullDraw();   // timer 11
    unsigned fullRepaint();     // timer 13

    // The MENU LIST window holds the panel locked.
    unsigned setMenuListLock(bool locked);
    // The link's phase as the status line shows it: once the radio is out
    // of reach (link lost, port gone) the POWER lamp no longer claims it is
    // on, until the radio answers again.
    unsigned setLinkPhase(LinkPhase phase);

    int selectedDigit() const { return selectedDigit_; }
    bool blinkPhase() const { return blink_; }
    // Some segment follows the blink phase now: the tuner while tuning,
    // playback while it plays, the RI segment while the radio reports 1.
    bool blinking() const;
    std::optional<int> meterPeak() const { return peak_.peak(); }
    // The reading the meter bar shows now (0 while the radio is off or the link down).
    int meterReading() const;

private:
    // The setup-menu entry the display follows, found by its kind.
    int menuSetting(int kind) const;
    bool vfoB() const;
    bool transmitting() const;

    unsigned drawFrequency();
    unsigned drawClarifier();
    unsigned drawVfoMemory();
    unsigned drawModes();
    unsigned drawAgc();
    unsigned drawBlinking();
    unsigned drawMeter(bool newReading);
    unsigned drawMeterLabel();
    unsigned drawContour();
    unsigned drawNotch();
    unsigned drawIfShift();
    unsigned drawDnr();
    unsigned drawBg();
    unsigned drawKnob(Knob k);
    unsigned drawLock();
    unsigned drawKeyLamp(int keyIndex, bool pressed);
    unsigned setSeg(Seg s, int state);
    unsigned setPair(Seg a, Seg b, bool first, bool second);
    unsigned dropPeak();
    unsigned drawLiveness();

    const RadioState& radio_;
    const MenuTable& menu_;
    Outbox& timers_;
    PanelModel model_;
    MeterPeakHold peak_;
    int selectedDigit_ = 0;
    bool blink_ = false;
    bool menuListLock_ = false;
    // The radio has been heard since the link was last lost.
    bool inReach_ = true;
    LinkPhase phase_ = LinkPhase::NoPort;
};

// The lamp index of a key-lamp message (UM_KEY_78..UM_KEY_A6), or -1.
int keyLampIndex(std::uint32_t messageId);

} // namespace qx::panel
