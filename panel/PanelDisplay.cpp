#include "panel/PanelDisplay.h"

#include "core/MessageIds.h"
#include "core/Outbox.h"
#include "menu/MenuKind.h"
#include "menu/MenuTable.h"
#include "state/RadioState.h"

#include <cmath>

namespace qx::panel {

using R = RadioState::Int;

namespace {

// The answers drawn by the first full draw and the full repaint, in order.
constexpr std::uint32_t kFullDrawAnswers[] = {
    UM_ANS_AI, UM_ANS_FA, UM_ANS_FB, UM_ANS_VX, UM_ANS_RA, UM_ANS_GT, UM_ANS_NB, UM_ANS_PA, UM_ANS_KR,
    UM_ANS_BI, UM_ANS_AC, UM_ANS_LK, UM_ANS_FS, UM_ANS_RL, UM_ANS_RI, UM_ANS_RT, UM_ANS_IF, UM_ANS_BY,
    UM_ANS_SF, UM_ANS_SQ, UM_ANS_AG, UM_ANS_IS, UM_ANS_BP, UM_ANS_CO, UM_ANS_MS, UM_ANS_BG, UM_ANS_RM,
};

template <typename T>
unsigned assign(T& target, const T& value, unsigned region)
{
    if (target == value)
        return kNoRegion;
    target = value;
    return region;
}

} // namespace

int keyLampIndex(std::uint32_t id)
{
    if (id >= UM_KEY_78 && id <= UM_KEY_84)
        return static_cast<int>(id - UM_KEY_78);
    if (id >= UM_KEY_9A && id <= UM_KEY_A6)
        return static_cast<int>(id - UM_KEY_9A) + 13;
    return -1;
}

PanelDisplay::PanelDisplay(const RadioState& radio, const MenuTable& menu, Outbox& timers)
    : radio_(radio), menu_(menu), timers_(timers)
{
}

int PanelDisplay::menuSetting(int kind) const { return menu_.settingByKind(kind); }

bool PanelDisplay::vfoB() const { return radio_.get(R::VS) == 1; }
bool PanelDisplay::transmitting() const { return radio_.get(R::TX) != 0; }

int PanelDisplay::meterReading() const
{
    if (radio_.get(R::PS) == 0 || radio_.get(R::AI) == 0)
        return 0;
    return transmitting() ? radio_.get(R::RM1) : radio_.get(R::RM0);
}

unsigned PanelDisplay::handle(const Message& m)
{
    switch (m.id) {
    case UM_ANS_FA:
    case UM_ANS_FB:
        return drawFrequency();
    case UM_ANS_VS:
        return drawFrequency() | drawVfoMemory();
    case UM_ANS_RT:
        return setSeg(Seg::Clar, radio_.get(R::RT) != 0) | drawFrequency();
    case UM_ANS_IF:
        return drawClarifier() | drawVfoMemory();
    case UM_ANS_TX: {
        unsigned r = setSeg(Seg::Transmit, transmitting()) | drawFrequency() | drawClarifier() | drawVfoMemory();
        return r | dropPeak() | drawMeter(false);
    }
    case UM_ANS_RA:
        return setSeg(Seg::Att, radio_.get(R::RA) != 0);
    case UM_ANS_PA:
        return setSeg(Seg::Ipo, radio_.get(R::PA) == 0);
    case UM_ANS_GT:
        return drawAgc();
    case UM_ANS_NB:
        return setSeg(Seg::Nb, radio_.get(R::NB) != 0);
    case UM_ANS_KR:
        return setSeg(Seg::Keyer, radio_.get(R::KR) != 0);
    case UM_ANS_BI:
        return setSeg(Seg::BreakIn, radio_.get(R::BI) != 0);
    case UM_ANS_VX:
        return setSeg(Seg::Vox, radio_.get(R::VX) != 0);
    case UM_ANS_FS:
        return setSeg(Seg::Fast, radio_.get(R::FS) != 0);
    case UM_ANS_BY:
        return setSeg(Seg::Busy, radio_.get(R::BY0) != 0);
    case UM_ANS_LK:
        return drawLock();
    case UM_ANS_AC:
    case UM_ANS_RI:
        return drawBlinking();
    case UM_ANS_DQ: {
        const auto p = toneDcsPair(radio_.get(R::DQ));
        return setPair(Seg::Tone1, Seg::Tone2, p.first, p.second);
    }
    case UM_ANS_CT: {
        const auto p = ctcssPair(radio_.get(R::CT0));
        return setPair(Seg::Tone1, Seg::Tone2, p.first, p.second);
    }
    case UM_ANS_OS: {
        const auto p = shiftPair(radio_.get(R::OS0));
        return setPair(Seg::ShiftPlus, Seg::ShiftMinus, p.first, p.second);
    }
    case UM_ANS_SF: {
        const int sf = radio_.get(R::SF);
        return setSeg(Seg::Dsp1, sf == 1) | setSeg(Seg::Dsp2, sf == 2) | setSeg(Seg::Dsp3, sf == 3) |
               setSeg(Seg::Dsp4, sf == 4);
    }
    case UM_ANS_MD:
        return drawModes() | drawAgc() | drawIfShift() | drawNotch();
    case UM_ANS_SQ:
    case UM_ANS_RG:
        return drawKnob(Knob::RfSql);
    case UM_ANS_AG:
        return drawKnob(Knob::AfGain);
    case UM_ANS_IS:
        return drawIfShift() | drawKnob(Knob::IfShift);
    case UM_ANS_BP:
        return drawNotch();
    case UM_ANS_CO:
        return drawContour();
    case UM_ANS_NR:
    case UM_ANS_RL:
        return drawDnr();
    case UM_ANS_BG:
        return drawBg();
    case UM_ANS_MS:
    case UM_ANS_ID:
        return drawMeterLabel() | drawMeter(false);
    case UM_ANS_RM:
        return drawMeterLabel() | drawMeter(true);
    case UM_ANS_PS: {
        // A power answer is the radio heard.
        inReach_ = true;
        unsigned r = assign(model_.keys[kPowerKeyLamp], static_cast<std::uint8_t>(radio_.get(R::PS) ? kKeyOnOffset : 0),
                            kRegionKeys);
        if (radio_.get(R::PS) == 0)
            r |= dropPeak() | drawMeter(false);
        return r | drawLiveness();
    }
    case UM_ANS_AI: {
        unsigned r = assign(model_.keys[kLinkKeyLamp], static_cast<std::uint8_t>(radio_.get(R::AI) ? kKeyOnOffset : 0),
                            kRegionKeys);
        if (radio_.get(R::AI) == 0)
            r |= dropPeak() | drawMeter(false);
        return r | drawLiveness();
    }
    case UM_ANS_RS:
        return setSeg(Seg::Rs, radio_.get(R::RS) != 0);
    case UM_ANS_OTHER: {
        unsigned r = assign(model_.secondDialAngle, kDialAtRest, kRegionSecondDial);
        const int item48 = menuSetting(MenuKind::SelDial);
        if (item48 != 2 && item48 != 3)
            r |= assign(model_.bandGroup, false, kRegionSecondDial);
        return r;
    }
    case UM_PANEL_85:
        return assign(model_.mainDialAngle, static_cast<int>(m.wParam % 360), kRegionMainDial);
    case UM_PANEL_88:
        return assign(model_.secondDialAngle, m.wParam >= 360 ? kDialAtRest : static_cast<int>(m.wParam), kRegionSecondDial);
    case UM_PANEL_86:
        selectedDigit_ = m.wParam <= 8 ? static_cast<int>(m.wParam) : 0;
        return drawFrequency();
    case UM_PANEL_8F:
        if (m.lParam < 0 || m.lParam >= kKnobLabelCount)
            return kNoRegion;
        return assign(model_.knobLabelLit[static_cast<std::size_t>(m.lParam)], m.wParam != 0, kRegionKnobLabels);
    default:
        break;
    }
    if (const int key = keyLampIndex(m.id); key >= 0)
        return drawKeyLamp(key, m.wParam != 0);
    return kNoRegion;
}

unsigned PanelDisplay::drawFrequency()
{
    long long hz = vfoB() ? radio_.get(R::FB) : radio_.get(R::FA);
    if (!transmitting() && radio_.get(R::RT) != 0)
        hz += std::lround(radio_.get(RadioState::Real::IF_OFFSET));
    return assign(model_.frequency, frequencyDisplay(hz, selectedDigit_), kRegionFrequency);
}

unsigned PanelDisplay::drawClarifier()
{
    const int offset = static_cast<int>(std::lround(radio_.get(RadioState::Real::IF_OFFSET)));
    return assign(model_.clarifier, clarifierDisplay(offset), kRegionClarifier);
}

unsigned PanelDisplay::drawVfoMemory()
{
    const int state = vfoMemoryState(radio_.get(R::IF21), transmitting(), vfoB(), radio_.get(R::FT) == 1);
    return assign(model_.vfoMemory, state, kRegionVfoMemory);
}

unsigned PanelDisplay::drawModes()
{
    const auto s = modeSegments(radio_.get(R::MD0), menuSetting(MenuKind::DataType));
    if (!s)
        return kNoRegion;
    return setSeg(Seg::Lsb, s->lsb) | setSeg(Seg::Usb, s->usb) | setSeg(Seg::Cw, s->cw) | setSeg(Seg::Fm, s->fm) |
           setSeg(Seg::Am, s->am) | setSeg(Seg::Data, s->data);
}

unsigned PanelDisplay::drawAgc()
{
    const auto a = agcSegments(radio_.get(R::GT0));
    return setSeg(Seg::AgcAuto, a.autoOn) | setSeg(Seg::AgcFast, a.fast) | setSeg(Seg::AgcSlow, a.slow);
}

bool PanelDisplay::blinking() const
{
    const int ac = radio_.get(R::AC);
    return (ac != 0 && ac != 1) || radio_.get(R::PB) == 6 || radio_.get(R::RI0) == 1;
}

unsigned PanelDisplay::drawBlinking()
{
    const int ac = radio_.get(R::AC);
    const int tuner = ac == 0 ? 0 : ac == 1 ? 1 : (blink_ ? 1 : 0);
    // Each lamp follows its own flag, as the Playback window's do: a recording
    // radio reports only the recording flag, and PLAY stays dark then.
    const bool ri1 = radio_.get(R::PB) == 6 ? blink_ : radio_.get(kPlayingFlag) != 0;
    const bool ri2 = radio_.get(kRecordingFlag) != 0;
    // The radio reports no split parameter; split is a transmit VFO other than the receive VFO.
    const bool split = radio_.get(R::FT) != radio_.get(R::VS);
    return setSeg(Seg::Tuner, tuner) | setSeg(Seg::Ri1, ri1) | setSeg(Seg::Ri2, ri2) | setSeg(Seg::Split, split);
}

unsigned PanelDisplay::drawMeterLabel()
{
    return assign(model_.meterLabel, meterLabel(radio_.get(R::MS), radio_.get(R::ID)), kRegionMeter);
}

unsigned PanelDisplay::drawMeter(bool newReading)
{
    const int value = meterReading();
    if (newReading) {
        const bool enabled = !transmitting() && menuSetting(MenuKind::PeakHold) != 0;
        switch (peak_.onReading(value, enabled)) {
        case MeterPeakHold::TimerAction::Start: timers_.startTimer(kPeakHoldTimer, kPeakHoldMs); break;
        case MeterPeakHold::TimerAction::Stop: timers_.stopTimer(kPeakHoldTimer); break;
        case MeterPeakHold::TimerAction::None: break;
        }
    }
    const int peakSeg = peak_.peak() && !transmitting() ? meterSegmentsLit(*peak_.peak()) : 0;
    return assign(model_.meterLit, meterSegmentsLit(value), kRegionMeter) | assign(model_.meterPeakSeg, peakSeg, kRegionMeter);
}

unsigned PanelDisplay::dropPeak()
{
    if (peak_.peak())
        timers_.stopTimer(kPeakHoldTimer);
    peak_.drop();
    return assign(model_.meterPeakSeg, 0, kRegionMeter);
}

unsigned PanelDisplay::drawContour()
{
    return assign(model_.contour, contourGraph(radio_.get(R::CO0), radio_.get(R::CO1)), kRegionGraphs);
}

unsigned PanelDisplay::drawNotch()
{
    const auto g = notchGraph(radio_.get(R::BP_SW) != 0, radio_.get(R::MD0), radio_.get(R::BP_LEVEL));
    return assign(model_.notch, g, kRegionGraphs);
}

unsigned PanelDisplay::drawIfShift()
{
    const auto b = ifShiftBars(radio_.get(R::MD0), radio_.get(R::IS));
    return setSeg(Seg::IfShiftMarks, b.marks) | assign(model_.ifShiftBars, b.bars, kRegionGraphs);
}

unsigned PanelDisplay::drawDnr()
{
    const bool on = radio_.get(R::NR0) != 0;
    return setSeg(Seg::Dnr, on) | assign(model_.dnrBars, dnrBars(on, radio_.get(R::RL)), kRegionGraphs);
}

unsigned PanelDisplay::drawBg() { return assign(model_.bgBars, bgBars(radio_.get(R::BG)), kRegionGraphs); }

unsigned PanelDisplay::drawKnob(Knob k)
{
    int angle = 0;
    switch (k) {
    case Knob::IfShift: angle = ifShiftPointerAngle(radio_.get(R::IS)); break;
    case Knob::AfGain: angle = gainPointerAngle(radio_.get(R::AG0)); break;
    case Knob::RfSql:
        angle = gainPointerAngle(menuSetting(MenuKind::SqlRfGain) == 1 ? radio_.get(R::RG0) : radio_.get(R::SQ0));
        break;
    }
    return assign(model_.knobAngle[static_cast<std::size_t>(k)], angle, kRegionKnobs);
}

unsigned PanelDisplay::drawLock()
{
    const int lk = radio_.get(R::LK);
    return setSeg(Seg::Lock, (lk >= 1 && lk <= 3) || (lk == 0 && menuListLock_));
}

unsigned PanelDisplay::drawKeyLamp(int key, bool pressed)
{
    // Each of the two lit keys shows what its label names.
    bool on = false;
    const auto index = static_cast<std::size_t>(key);
    if (index == kLinkKeyLamp)
        on = radio_.get(R::AI) == 1;
    else if (index == kPowerKeyLamp)
        on = inReach_ && radio_.get(R::PS) == 1;
    const int state = (pressed ? kKeyPressed : kKeyReleased) + (on ? kKeyOnOffset : 0);
    return assign(model_.keys[index], static_cast<std::uint8_t>(state), kRegionKeys);
}

namespace {

bool outOfReach(LinkPhase p)
{
    return p == LinkPhase::LinkLost || p == LinkPhase::NoPort || p == LinkPhase::ClosedBySleep;
}

constexpr unsigned kLcdRegions =
    kRegionFrequency | kRegionClarifier | kRegionSegments | kRegionVfoMemory | kRegionMeter | kRegionGraphs;

} // namespace

unsigned PanelDisplay::setLinkPhase(LinkPhase phase)
{
    // Only the step out of reach counts: the first "no port" before the
    // port opens loses nothing the radio had said.
    if (outOfReach(phase) && !outOfReach(phase_))
        inReach_ = false;
    else if (phase == LinkPhase::Linked)
        inReach_ = true;
    phase_ = phase;
    unsigned r = drawLiveness();
    const bool pressed = (model_.keys[kPowerKeyLamp] & 1) != 0;
    return r | drawKeyLamp(static_cast<int>(kPowerKeyLamp), pressed);
}

unsigned PanelDisplay::drawLiveness()
{
    const bool live = inReach_ && radio_.get(R::AI) == 1 && radio_.get(R::PS) == 1;
    return assign(model_.stale, !live, kLcdRegions);
}

unsigned PanelDisplay::setSeg(Seg s, int state)
{
    return assign(model_.segs[static_cast<std::size_t>(s)], static_cast<std::uint8_t>(state), kRegionSegments);
}

unsigned PanelDisplay::setPair(Seg a, Seg b, bool first, bool second) { return setSeg(a, first) | setSeg(b, second); }

unsigned PanelDisplay::frequencyTick() { return drawFrequency(); }

unsigned PanelDisplay::blinkTick()
{
    blink_ = !blink_;
    return drawBlinking();
}

unsigned PanelDisplay::peakHoldExpired()
{
    peak_.drop();
    return assign(model_.meterPeakSeg, 0, kRegionMeter) | drawMeter(false);
}

unsigned PanelDisplay::setMenuListLock(bool locked)
{
    menuListLock_ = locked;
    return drawLock();
}

unsigned PanelDisplay::firstFullDraw()
{
    unsigned r = kNoRegion;
    for (std::uint32_t id : kFullDrawAnswers)
        r |= handle({id, 0, 0});
    r |= handle({UM_PANEL_85, 0, 0});
    r |= handle({UM_PANEL_88, kDialAtRest, 0});
    r |= handle({UM_KEY_78, 0, 0});
    r |= handle({UM_KEY_79, 0, 0});
    r |= handle({UM_ANS_MD, 0, 0});
    r |= handle({UM_ANS_VS, 0, 0});
    return r;
}

unsigned PanelDisplay::fullRepaint()
{
    unsigned r = kNoRegion;
    for (std::uint32_t id : kFullDrawAnswers)
        if (id != UM_ANS_RM) // a repaint is not a new reading
            r |= handle({id, 0, 0});
    r |= drawMeter(false) | drawBlinking() | drawClarifier();
    r |= handle({UM_PANEL_88, kDialAtRest, 0});
    r |= handle({UM_ANS_MD, 0, 0});
    r |= handle({UM_ANS_VS, 0, 0});
    return r;
}

} // namespace qx::panel
