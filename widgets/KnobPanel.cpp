#include "widgets/KnobPanel.h"

namespace qx {

KnobPanel::KnobPanel(KnobPanelHost& host, KnobTimers& timers, KnobRect onOff)
    : host_(host), timers_(timers), onOff_(onOff)
{
}

int KnobPanel::addKnob(const KnobSetup& setup)
{
    knobs_.push_back({setup, KnobDial(setup.motion)});
    return knobCount() - 1;
}

int KnobPanel::dotAngle(int knob) const
{
    const Knob& k = knobs_[static_cast<std::size_t>(knob)];
    if (selectedLabel() == knob)
        return k.setup.binding->dotAngle(k.setup.binding->current());
    return k.dial.angle();
}

void KnobPanel::leftPress(KnobPoint p)
{
    if (active_ == Active::Knob || active_ == Active::Button)
        return;
    for (int i = 0; i < knobCount(); ++i) {
        if (!onKnobDisc(knob(i).centre, p))
            continue;
        deselectLabel();
        active_ = Active::Knob;
        activeIndex_ = i;
        at(i).dial.grab(pointerAngle(knob(i).centre, p));
        timers_.start(KnobTimer::Drag, 30);
        timers_.start(KnobTimer::Send, 100);
        host_.redraw();
        return;
    }
    if (onOff_.contains(p)) {
        deselectLabel();
        active_ = Active::Button;
        host_.pressOnOff();
        timers_.start(KnobTimer::Button, 100);
        host_.redraw();
        return;
    }
    for (int i = 0; i < knobCount(); ++i) {
        if (!knob(i).label.contains(p))
            continue;
        if (selectedLabel() != i) {
            selectLabel(i);
            selectingPress_ = true;
        }
        armRepeat(true);
        return;
    }
    if (selectedLabel() >= 0)
        armRepeat(true);
}

void KnobPanel::rightPress(KnobPoint)
{
    if (selectedLabel() >= 0)
        armRepeat(false);
}

void KnobPanel::release(bool left)
{
    if (active_ == Active::Knob) {
        if (left)
            endDrag();
        return;
    }
    if (active_ == Active::Button) {
        if (left)
            releaseButton();
        return;
    }
    if (active_ != Active::Label || !repeatArmed_ || repeatLeft_ != left)
        return;
    timers_.stop(KnobTimer::Repeat);
    const bool quiet = repeatRunning_ || selectingPress_;
    repeatArmed_ = false;
    repeatRunning_ = false;
    selectingPress_ = false;
    if (!quiet)
        stepLabel(left ? -1 : 1);
}

void KnobPanel::wheel(KnobPoint p, int delta)
{
    // A sideways scroll reports no vertical movement: it is not a notch.
    if (delta == 0 || active_ == Active::Knob || active_ == Active::Button)
        return;
    for (int i = 0; i < knobCount(); ++i) {
        if (!onKnobDisc(knob(i).centre, p))
            continue;
        deselectLabel();
        at(i).dial.notch(delta > 0);
        sendSteps(i);
        timers_.start(KnobTimer::WheelRest, 200);
        host_.redraw();
        return;
    }
}

void KnobPanel::tick(KnobTimer t)
{
    switch (t) {
    case KnobTimer::Drag: {
        if (active_ != Active::Knob) {
            timers_.stop(KnobTimer::Drag);
            return;
        }
        const PointerState ptr = host_.pointer();
        if (!ptr.left)
            endDrag();
        else if (at(activeIndex_).dial.follow(pointerAngle(knob(activeIndex_).centre, ptr.pos)))
            host_.redraw();
        return;
    }
    case KnobTimer::Send:
        if (active_ == Active::Knob)
            sendSteps(activeIndex_);
        else
            timers_.stop(KnobTimer::Send);
        return;
    case KnobTimer::WheelRest:
        timers_.stop(KnobTimer::WheelRest);
        for (int i = 0; i < knobCount(); ++i)
            if (draggedKnob() != i)
                at(i).dial.rest();
        host_.redraw();
        return;
    case KnobTimer::Repeat:
        repeatTick();
        return;
    case KnobTimer::Button: {
        const PointerState ptr = host_.pointer();
        if (active_ != Active::Button || !ptr.left || !onOff_.contains(ptr.pos))
            releaseButton();
        return;
    }
    case KnobTimer::ReadBack:
        timers_.stop(KnobTimer::ReadBack);
        if (pendingReadBack_ >= 0) {
            const int i = pendingReadBack_;
            pendingReadBack_ = -1;
            host_.readBack(knob(i).binding->readBackText());
        }
        return;
    }
}

void KnobPanel::answerArrived()
{
    if (pendingReadBack_ >= 0) {
        pendingReadBack_ = -1;
        timers_.stop(KnobTimer::ReadBack);
    }
    host_.redraw();
}

void KnobPanel::letGo()
{
    for (KnobTimer t : {KnobTimer::Drag, KnobTimer::Send, KnobTimer::WheelRest, KnobTimer::Repeat, KnobTimer::Button})
        timers_.stop(t);
    for (Knob& k : knobs_)
        k.dial.rest();
    active_ = Active::None;
    activeIndex_ = -1;
    repeatArmed_ = false;
    repeatRunning_ = false;
    selectingPress_ = false;
}

void KnobPanel::selectLabel(int i)
{
    deselectLabel();
    active_ = Active::Label;
    activeIndex_ = i;
    host_.redraw();
}

void KnobPanel::deselectLabel()
{
    if (active_ != Active::Label)
        return;
    at(activeIndex_).dial.rest();
    active_ = Active::None;
    activeIndex_ = -1;
    timers_.stop(KnobTimer::Repeat);
    repeatArmed_ = false;
    repeatRunning_ = false;
    selectingPress_ = false;
    host_.redraw();
}

void KnobPanel::armRepeat(bool left)
{
    repeatArmed_ = true;
    repeatLeft_ = left;
    repeatRunning_ = false;
    timers_.start(KnobTimer::Repeat, 1000);
}

void KnobPanel::repeatTick()
{
    const PointerState ptr = host_.pointer();
    const bool held = repeatLeft_ ? ptr.left : ptr.right;
    if (active_ != Active::Label || !repeatArmed_ || !held) {
        timers_.stop(KnobTimer::Repeat);
        repeatArmed_ = false;
        return;
    }
    if (!repeatRunning_) {
        repeatRunning_ = true;
        timers_.start(KnobTimer::Repeat, 100);
    }
    stepLabel(repeatLeft_ ? -1 : 1);
}

void KnobPanel::endDrag()
{
    const int i = activeIndex_;
    timers_.stop(KnobTimer::Drag);
    timers_.stop(KnobTimer::Send);
    // Steps gathered since the last send tick are still the operator's turn.
    sendSteps(i);
    at(i).dial.rest();
    active_ = Active::None;
    activeIndex_ = -1;
    host_.redraw();
}

void KnobPanel::releaseButton()
{
    timers_.stop(KnobTimer::Button);
    if (active_ == Active::Button) {
        active_ = Active::None;
        activeIndex_ = -1;
    }
    host_.redraw();
}

void KnobPanel::sendSteps(int i)
{
    const int steps = at(i).dial.takeSteps();
    if (steps == 0)
        return;
    KnobBinding& b = *knob(i).binding;
    const int current = b.current();
    const int next = b.afterSteps(current, steps);
    if (next != current && b.send(next))
        armReadBack(i);
}

void KnobPanel::stepLabel(int direction)
{
    const int i = activeIndex_;
    KnobBinding& b = *knob(i).binding;
    const int current = b.current();
    const int next = b.afterLabelStep(current, direction);
    if (next != current && b.send(next))
        armReadBack(i);
    host_.redraw();
}

void KnobPanel::armReadBack(int i)
{
    if (pendingReadBack_ >= 0 || !host_.autoInformation())
        return;
    pendingReadBack_ = i;
    timers_.start(KnobTimer::ReadBack, 200);
}

} // namespace qx
