#include "panel/controller/PanelController.h"

#include "core/ErrorMessages.h"
#include "core/LinkFlags.h"
#include "core/MessageIds.h"
#include "core/Outbox.h"
#include "core/PostRequest.h"
#include "core/RequestTable.h"
#include "menu/MenuKind.h"
#include "menu/MenuTable.h"
#include "panel/controller/HitZones.h"
#include "panel/controller/KnobSteps.h"
#include "panel/controller/OperationTable.h"
#include "panel/controller/PanelOps.h"
#include "state/RadioState.h"

namespace qx::panel {

namespace {

using R = RadioState::Int;

constexpr int kKeyCheckMs = 100;
constexpr int kDragMs = 30;
constexpr int kMainDialSendMs = 30;
constexpr int kSecondDialSendMs = 60;
constexpr int kRepeatFirstMs = 1000;
constexpr int kRepeatMs = 100;
constexpr int kSecondRestMs = 200;
constexpr int kDelayedPopupMs = 1000;
constexpr int kReadBackMs = 200;
constexpr int kLockPauseMs = 100;
constexpr int kPowerPauseMs = 100;
constexpr int kMenuReadPauseMs = 100;
constexpr int kVccPollMs = 100;
constexpr int kVccTimer = 31;
constexpr int kLockValue = 2;
constexpr int kLockRepeats = 3;

bool isCw(int mode) { return mode == 3 || mode == 7; }
bool isFm(int mode) { return mode == 4 || mode == 10 || mode == 11; }

bool isDspWindowOp(int o) { return o == op::Dsp || (o >= op::LcdContour && o <= op::LcdWidth); }

} // namespace

CPanelController::CPanelController(Outbox& outbox, RadioState& radio, const MenuTable& menu, LinkFlags& flags,
                                   PanelWorld& world)
    : outbox_(outbox), radio_(radio), menu_(menu), flags_(flags), world_(world), connection_(outbox, radio, world)
{
}

int CPanelController::menuSetting(int kind) const { return menu_.settingByKind(kind); }

bool CPanelController::linkUp() const { return radio_.get(R::AI) == 1; }
bool CPanelController::vfoBOperates() const { return radio_.get(R::VS) == 1; }
long long CPanelController::vfoHz() const { return vfoB_ ? radio_.get(R::FB) : radio_.get(R::FA); }

void CPanelController::post(std::uint32_t request, std::int64_t value)
{
    // Without the link the radio's answers would not come back: the panel
    // would show one thing while the radio did another. Only the keys that
    // bring the link up (LINK, POWER) act then.
    if (!linkUp() && request != UM_REQ_AI_TOGGLE && request != UM_REQ_POWER_TOGGLE) {
        world_.note(kNotLinkedNote);
        return;
    }
    const int row = requestRowOf(request);
    if (row > 0)
        PostRequest(outbox_, row, 0, 0, 0, value);
    else
        outbox_.postToThread(ThreadId::AnlSend, {request, 0, value});
}

void CPanelController::lamp(int o, bool pressed)
{
    if (const PanelOperation* row = findOperation(o); row && row->lamp != 0)
        world_.panelMessage({row->lamp, pressed ? 1u : 0u, 0});
}

bool CPanelController::blocked(int o) const
{
    if (connection_.connecting())
        return true;
    const bool dspWindow = world_.auxOpen(AuxKind::Notch) || world_.auxOpen(AuxKind::MicEq) ||
                           world_.auxOpen(AuxKind::Dnr) || world_.auxOpen(AuxKind::Contour);
    for (const auto& row : kAuxWindows) {
        // VFO SET takes the panel's digits instead; see press().
        if (row.kind == AuxKind::VfoSet || !world_.auxOpen(row.kind))
            continue;
        if (row.kind == AuxKind::MenuList && active_ != op::None)
            continue;
        if ((row.kind == AuxKind::Cw || row.kind == AuxKind::Playback) && isDspWindowOp(o) && !dspWindow)
            continue;
        return true;
    }
    return false;
}

// --- presses and releases -------------------------------------------------

void CPanelController::leftPress(int x, int y)
{
    vfoB_ = vfoBOperates();
    const int o = hitTest(x, y, menuSetting(MenuKind::SqlRfGain) == 1);
    // A click on the selected knob lets it go, as a click on a selected
    // digit does; it steps only from elsewhere on the panel.
    if (isKnob(active_) && o == active_) {
        deselect();
        return;
    }
    if (isKnob(active_) && o == op::None) {
        knobButton_ = 1;
        knobRepeatRan_ = false;
        outbox_.startTimer(kKnobRepeatTimer, kRepeatFirstMs);
        return;
    }
    if (o == op::None)
        return;
    press(o, true);
}

void CPanelController::rightPress(int x, int y)
{
    vfoB_ = vfoBOperates();
    const int o = hitTest(x, y, menuSetting(MenuKind::SqlRfGain) == 1);
    switch (o) {
    case op::ModeUp:
    case op::ModeDown:
    case op::Clar:
    case op::BandDown:
    case op::BandUp: {
        const int target = o == op::ModeUp     ? op::ModePopupA
                           : o == op::ModeDown ? op::ModePopupB
                           : o == op::Clar     ? op::ClarClear
                           : o == op::BandDown ? op::BandPopupA
                                               : op::BandPopupB;
        press(target, false);
        return;
    }
    case op::MemoryWrite:
        // The right button on MW opens the whole channel table.
        if (!blocked(o) && active_ == op::None)
            world_.openAux(AuxKind::MemoryChannels);
        return;
    default:
        break;
    }
    if (isKnob(active_)) {
        knobButton_ = 2;
        knobRepeatRan_ = false;
        outbox_.startTimer(kKnobRepeatTimer, kRepeatFirstMs);
    }
}

void CPanelController::press(int o, bool left)
{
    if (blocked(o))
        return;
    if (world_.auxOpen(AuxKind::VfoSet)) {
        if (o == op::VfoSetEnter && active_ == op::None)
            world_.confirmVfoSet();
        else
            holdLampOnly(o, left);
        return;
    }
    if ((isKnob(active_) || isDigit(active_)) && o != active_)
        deselect();
    if (o == op::Menu && active_ == op::None) {
        menuKey();
        return;
    }
    if (o == op::MemoryWrite && active_ == op::None) {
        lamp(o, true);
        world_.openAux(AuxKind::MemoryWrite);
        lamp(o, false);
        return;
    }
    if (o == op::VfoSetEnter && active_ == op::None) {
        world_.openAux(AuxKind::VfoSet);
        return;
    }
    if (o == active_) {
        if (isDigit(o)) {
            deselect();
            return;
        }
        releaseActive();
        return;
    }
    if (active_ != op::None) {
        // Another operation takes over: a held key, a dial or a pending popup ends.
        if (isDial(active_))
            endDrag();
        else
            releaseActive();
    }

    if (isKnob(o)) {
        active_ = o;
        world_.panelMessage({UM_PANEL_8F, 1, knobSpec(o)->labelIndex});
        knobButton_ = 1;
        knobRepeatRan_ = false;
        swallowRelease_ = true;
        outbox_.startTimer(kKnobRepeatTimer, kRepeatFirstMs);
        return;
    }
    if (isDigit(o)) {
        active_ = o;
        world_.panelMessage({UM_PANEL_86, static_cast<std::uint64_t>(digitOf(o)), 0});
        return;
    }
    if (isDial(o)) {
        const HitDisc* d = discOf(o);
        const PointerState p = world_.pointer();
        active_ = o;
        dial_.begin(pointerAngle(d->cx, d->cy, p.x, p.y));
        outbox_.startTimer(kKeyTimer, kDragMs);
        outbox_.startTimer(kDialSendTimer, o == op::MainDial ? kMainDialSendMs : kSecondDialSendMs);
        return;
    }
    if (o == op::Step || o == op::BandPopupA || o == op::BandPopupB) {
        post(o == op::Step ? UM_REQ_ST_READ : UM_REQ_BS_READ, 0);
        active_ = o;
        lamp(o, true);
        outbox_.startTimer(kDelayedPopupTimer, kDelayedPopupMs);
        return;
    }
    if (o >= op::LcdContour && o <= op::LcdDnr) {
        world_.openAux(o == op::LcdContour ? AuxKind::Contour : o == op::LcdNotch ? AuxKind::Notch : AuxKind::Dnr);
        return;
    }
    if (popupOf(o)) {
        runPopup(o);
        return;
    }
    if (o == op::BandGroup) {
        const int item48 = menuSetting(MenuKind::SelDial);
        world_.setBandGroup((item48 == 2 || item48 == 3) && !world_.bandGroup());
    }
    active_ = o;
    activeByRight_ = !left;
    lamp(o, true);
    send(o);
    outbox_.startTimer(kKeyTimer, kKeyCheckMs);
    if (o == op::Link)
        connection_.keyPressed();
}

void CPanelController::holdLampOnly(int o, bool left)
{
    const bool same = o == active_;
    if (isDial(active_))
        endDrag();
    else if (isKnob(active_) || isDigit(active_))
        deselect();
    else
        releaseActive();
    const PanelOperation* row = findOperation(o);
    if (same || !row || row->lamp == 0)
        return;
    active_ = o;
    activeByRight_ = !left;
    lamp(o, true);
    outbox_.startTimer(kKeyTimer, kKeyCheckMs);
}

void CPanelController::releaseActive()
{
    if (active_ == op::None)
        return;
    lamp(active_, false);
    outbox_.stopTimer(kKeyTimer);
    if (active_ == op::Step || active_ == op::BandPopupA || active_ == op::BandPopupB)
        outbox_.stopTimer(kDelayedPopupTimer);
    active_ = op::None;
    activeByRight_ = false;
}

void CPanelController::deselect()
{
    if (isKnob(active_)) {
        world_.panelMessage({UM_PANEL_8F, 0, knobSpec(active_)->labelIndex});
        outbox_.stopTimer(kKnobRepeatTimer);
        knobButton_ = 0;
        swallowRelease_ = false;
    } else if (isDigit(active_)) {
        world_.panelMessage({UM_PANEL_86, 0, 0});
    } else {
        return;
    }
    active_ = op::None;
}

void CPanelController::leftRelease(int, int)
{
    if (isKnob(active_)) {
        if (knobButton_ == 1 && !swallowRelease_ && !knobRepeatRan_)
            sendKnob(active_, KnobStep::Click, false);
        if (knobButton_ == 1) {
            outbox_.stopTimer(kKnobRepeatTimer);
            knobButton_ = 0;
        }
        swallowRelease_ = false;
        return;
    }
    if (isDial(active_)) {
        endDrag();
        return;
    }
    if (isDigit(active_) || active_ == op::Step || active_ == op::BandPopupA || active_ == op::BandPopupB)
        return;
    if (active_ != op::None && !activeByRight_)
        releaseActive();
}

void CPanelController::rightRelease(int, int)
{
    if (isKnob(active_)) {
        if (knobButton_ == 2 && !knobRepeatRan_)
            sendKnob(active_, KnobStep::Click, true);
        if (knobButton_ == 2) {
            outbox_.stopTimer(kKnobRepeatTimer);
            knobButton_ = 0;
        }
        return;
    }
    if (active_ == op::BandGroup || active_ == op::ClarClear)
        releaseActive();
}

void CPanelController::enter()
{
    deselect();
    if (world_.auxOpen(AuxKind::VfoSet)) {
        world_.confirmVfoSet();
        return;
    }
    if (blocked(op::VfoSetEnter))
        return;
    if (active_ != op::None)
        releaseActive();
    world_.openAux(AuxKind::VfoSet);
}

void CPanelController::menuCommand()
{
    deselect();
    if (isDial(active_))
        endDrag();
    else
        releaseActive();
}

// --- sending ---------------------------------------------------------------

void CPanelController::send(int o)
{
    const PanelOperation* row = findOperation(o);
    if (!row || row->request == 0)
        return;
    std::uint32_t request = row->request;
    std::int64_t value = row->value;
    const int mode = radio_.get(R::MD0);
    switch (o) {
    case op::Link:
        if (radio_.get(R::AI) == 0) {
            radio_.set(R::CO0, 0);
            if (radio_.get(R::PS) == 0) {
                post(UM_REQ_POWER_TOGGLE, 0);
                world_.pause(kPowerPauseMs);
            }
        }
        break;
    case op::Vox:
        if (mode == 6)
            return;
        if (isCw(mode))
            request = UM_REQ_BI_TOGGLE;
        break;
    case op::NoiseBlanker:
        value = radio_.get(R::NB) == 0 ? 1 : 0;
        break;
    case op::ClarClear:
        if (radio_.get(R::RT) == 0)
            return;
        break;
    case op::LcdVox:
        if (isCw(mode) || mode == 6)
            return;
        break;
    case op::LcdBreakIn:
        if (!isCw(mode))
            return;
        break;
    case op::LcdShiftPlus:
    case op::LcdShiftMinus:
        if (radio_.get(R::OS0) == (o == op::LcdShiftPlus ? 1 : 2))
            request = UM_REQ_OS_0;
        break;
    case op::LcdEncoder:
    case op::LcdDecoder:
        if (!isFm(mode))
            return;
        if (radio_.get(R::CT0) == (o == op::LcdEncoder ? 2 : 1))
            request = UM_REQ_CT_0;
        break;
    default:
        break;
    }
    post(request, value);
}

void CPanelController::sendDial(int o, int steps)
{
    if (steps == 0)
        return;
    if (o == op::SecondDial && world_.bandGroup()) {
        const long long group = menuSetting(MenuKind::SelDial) == 3 ? 1000000 : 100000;
        const long long hz = vfoHz() + (steps > 0 ? group : -group);
        post(vfoB_ ? UM_REQ_FB_SET : UM_REQ_FA_SET, hz);
        return;
    }
    if (radio_.get(R::RT) != 0 && radio_.get(R::SF) == 0 && menuSetting(MenuKind::Clarifier) == (o == op::MainDial ? 0 : 1)) {
        post(UM_REQ_RU_RD, static_cast<std::int64_t>(steps) * 10);
        return;
    }
    post(o == op::MainDial ? UM_REQ_EU_0 : UM_REQ_EU_1, steps);
}

void CPanelController::sendKnob(int o, KnobStep kind, bool up)
{
    const KnobSpec* k = knobSpec(o);
    const int value = steppedKnobValue(*k, radio_.get(k->entry), up, kind);
    post(findOperation(o)->request, value);
    armReadBack(o);
}

void CPanelController::armReadBack(int o)
{
    if (readBackOp_ != op::None || !linkUp())
        return;
    readBackOp_ = o;
    outbox_.startTimer(kReadBackTimer, kReadBackMs);
}

void CPanelController::readBack()
{
    outbox_.stopTimer(kReadBackTimer);
    const int o = readBackOp_;
    readBackOp_ = op::None;
    if (const KnobSpec* k = knobSpec(o))
        world_.queueRaw(std::string(k->readBack));
    else if (isDigit(o))
        world_.queueRaw(vfoBOperates() ? "FB;" : "FA;");
}

// --- popups ------------------------------------------------------------------

void CPanelController::runPopup(int o)
{
    lamp(o, true);
    runPopupAt(*popupOf(o));
    lamp(o, false);
}

void CPanelController::runPopupAt(const PopupPlace& place)
{
    const int mode = radio_.get(R::MD0);
    const auto choices = popupChoices(place.popup, mode);
    const PopupRequest req{place.popup, place.x, place.y, choices,
                           checkedChoices(place.popup, radio_, menuSetting(MenuKind::CwBfo), vfoHz())};
    const auto chosen = world_.choose(req);
    if (!chosen || *chosen < 0 || static_cast<std::size_t>(*chosen) >= choices.size())
        return;
    PopupChoice c = choices[static_cast<std::size_t>(*chosen)];
    if (place.popup == Popup::Split && vfoB_ && (c.value == 0 || c.value == 1))
        c.value = 1 - c.value;
    applyChoice(c);
}

void CPanelController::applyChoice(const PopupChoice& c)
{
    switch (c.action) {
    case ChoiceAction::Request:
        post(c.request, c.value);
        if (c.request2 != 0)
            post(c.request2, c.value2);
        return;
    case ChoiceAction::OpenContour: world_.openAux(AuxKind::Contour); return;
    case ChoiceAction::OpenNotch: world_.openAux(AuxKind::Notch); return;
    case ChoiceAction::OpenDnr: world_.openAux(AuxKind::Dnr); return;
    case ChoiceAction::OpenMicEq: world_.openAux(AuxKind::MicEq); return;
    case ChoiceAction::WidthPopup: runPopupAt(widthFromDsp()); return;
    case ChoiceAction::OpenVcc:
        if (world_.openAux(AuxKind::Vcc)) {
            post(UM_REQ_VC_READ, 0);
            outbox_.startTimer(kVccTimer, kVccPollMs);
        }
        return;
    }
}

// --- the MENU key ------------------------------------------------------------

void CPanelController::lockRadio()
{
    world_.setRadioLocked(true);
    for (int i = 0; i < kLockRepeats; ++i) {
        if (i > 0)
            world_.pause(kLockPauseMs);
        post(UM_REQ_LK_SET, kLockValue);
    }
}

void CPanelController::menuKey()
{
    lockRadio();
    lamp(op::Menu, true);
    if (linkUp() && !flags_.waitBoxBusy.load()) {
        post(UM_REQ_MENU_READ_START, 0);
        world_.pause(kMenuReadPauseMs);
    }
    world_.runWaitBox();
    lockRadio();
    world_.openAux(AuxKind::MenuList);
    lamp(op::Menu, false);
}

// --- wheel -------------------------------------------------------------------

void CPanelController::wheel(int x, int y, int delta)
{
    // The knob under the pointer takes the wheel, selected or not; elsewhere
    // a selected digit or knob takes it, and with nothing selected a dial.
    const int under = hitTest(x, y, menuSetting(MenuKind::SqlRfGain) == 1);
    int target = op::None;
    const bool selectable = active_ == op::None || isDigit(active_) || isKnob(active_);
    if (isKnob(under) && selectable && (under == active_ || !blocked(under))) {
        target = under;
    } else if (isDigit(active_) || isKnob(active_)) {
        target = active_;
    } else if (active_ == op::None && !blocked(op::MainDial) && isDial(under)) {
        target = under;
    }
    if (isKnob(target) && target == active_ && knobRepeatRan_ && knobButton_ != 0)
        return;
    if (target == op::None) {
        wheelNotches_.reset();
        return;
    }
    const int notches = wheelNotches_.add(target, delta);
    if (notches == 0)
        return;
    const int dir = notches > 0 ? 1 : -1;
    const int count = notches * dir;
    vfoB_ = vfoBOperates();
    if (isDigit(target)) {
        long long step = 1;
        for (int i = 1; i < digitOf(target); ++i)
            step *= 10;
        const long long hz = vfoHz() + dir * count * step;
        post(vfoB_ ? UM_REQ_FB_SET : UM_REQ_FA_SET, hz);
        armReadBack(target);
        return;
    }
    if (isKnob(target)) {
        const KnobSpec* k = knobSpec(target);
        int value = radio_.get(k->entry);
        for (int i = 0; i < count; ++i)
            value = steppedKnobValue(*k, value, dir > 0, KnobStep::Wheel);
        post(findOperation(target)->request, value);
        armReadBack(target);
        return;
    }
    if (target == op::MainDial) {
        for (int i = 0; i < count; ++i)
            mainAngle_ = wheelAngle(mainAngle_, dir);
        world_.panelMessage({UM_PANEL_85, static_cast<std::uint64_t>(mainAngle_), 0});
        sendDial(op::MainDial, dir * count);
        return;
    }
    for (int i = 0; i < count; ++i)
        secondAngle_ = wheelAngle(secondAngle_, dir);
    world_.panelMessage({UM_PANEL_88, static_cast<std::uint64_t>(secondAngle_), 0});
    sendDial(op::SecondDial, dir * count);
    outbox_.startTimer(kSecondDialRestTimer, kSecondRestMs);
}

// --- timers ------------------------------------------------------------------

bool CPanelController::onTimer(int id)
{
    switch (id) {
    case kKeyTimer:
        if (isDial(active_)) {
            dragTick();
        } else if (active_ != op::None) {
            const PointerState p = world_.pointer();
            const HitRect* r = rectOf(active_ == op::ClarClear ? op::Clar : active_);
            const bool down = active_ == op::ClarClear || activeByRight_ ? p.right : p.left;
            if (!down || (r && !r->contains(p.x, p.y)))
                releaseActive();
        } else {
            outbox_.stopTimer(kKeyTimer);
        }
        return true;
    case kKnobRepeatTimer:
        knobRepeatTick();
        return true;
    case kDialSendTimer:
        if (isDial(active_))
            sendDial(active_, dial_.take());
        else
            outbox_.stopTimer(kDialSendTimer);
        return true;
    case kSecondDialRestTimer:
        outbox_.stopTimer(kSecondDialRestTimer);
        secondAngle_ = 360;
        world_.panelMessage({UM_PANEL_88, 360, 0});
        return true;
    case kConnectCheckTimer:
        connection_.checkTick();
        return true;
    case kConnectAttemptTimer:
        connection_.attemptTick();
        return true;
    case kDelayedPopupTimer: {
        outbox_.stopTimer(kDelayedPopupTimer);
        const int o = active_;
        if (o != op::Step && o != op::BandPopupA && o != op::BandPopupB)
            return true;
        active_ = op::None;
        runPopupAt(*popupOf(o));
        lamp(o, false);
        return true;
    }
    case kReadBackTimer:
        readBack();
        return true;
    default:
        return false;
    }
}

void CPanelController::dragTick()
{
    const PointerState p = world_.pointer();
    const HitDisc* d = discOf(active_);
    const int angle = pointerAngle(d->cx, d->cy, p.x, p.y);
    dial_.moveTo(angle);
    if (active_ == op::MainDial) {
        mainAngle_ = angle;
        world_.panelMessage({UM_PANEL_85, static_cast<std::uint64_t>(angle), 0});
    } else {
        world_.panelMessage({UM_PANEL_88, static_cast<std::uint64_t>(angle), 0});
    }
    if (!p.left)
        endDrag();
}

void CPanelController::endDrag()
{
    const int o = active_;
    if (o == op::SecondDial)
        world_.panelMessage({UM_PANEL_88, 360, 0});
    outbox_.stopTimer(kDialSendTimer);
    outbox_.stopTimer(kKeyTimer);
    active_ = op::None;
    // Steps gathered since the last send tick are still the operator's turn.
    sendDial(o, dial_.take());
}

void CPanelController::knobRepeatTick()
{
    const PointerState p = world_.pointer();
    const bool down = knobButton_ == 1 ? p.left : knobButton_ == 2 ? p.right : false;
    if (!isKnob(active_) || !down) {
        outbox_.stopTimer(kKnobRepeatTimer);
        return;
    }
    outbox_.startTimer(kKnobRepeatTimer, kRepeatMs);
    knobRepeatRan_ = true;
    swallowRelease_ = false;
    sendKnob(active_, KnobStep::Repeat, knobButton_ == 2);
}

void CPanelController::onMessage(const Message& m)
{
    // Link-up ends the attempts; so does the radio refusing auto-information,
    // whose message says more than the attempts' own failure would.
    if (m.id == UM_PANEL_REFRESH || (m.id == UM_SHOW_ERROR && m.lParam == kAiRefusedRow))
        connection_.finish();
}

} // namespace qx::panel
