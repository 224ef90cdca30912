// Fakes around KnobPanel: timers that only remember what runs, a host that
// records what the knob logic asks of its window, and a plain ranged value.
#pragma once
#include "widgets/KnobPanel.h"

#include <algorithm>
#include <map>
#include <string>
#include <vector>

namespace qx::test {

class FakeKnobTimers : public KnobTimers {
public:
    std::map<KnobTimer, int> running; // timer -> period
    void start(KnobTimer t, int ms) override { running[t] = ms; }
    void stop(KnobTimer t) override { running.erase(t); }
    bool isRunning(KnobTimer t) const { return running.count(t) != 0; }
    int period(KnobTimer t) const { return isRunning(t) ? running.at(t) : 0; }
};

class FakeKnobHost : public KnobPanelHost {
public:
    PointerState ptr;
    bool ai = true;
    int onOffPresses = 0;
    std::vector<std::string> readBacks;

    PointerState pointer() const override { return ptr; }
    bool autoInformation() const override { return ai; }
    void pressOnOff() override { ++onOffPresses; }
    void readBack(const std::string& text) override { readBacks.push_back(text); }
    void redraw() override {}
};

// A value within lo..hi; the radio echoes every send at once when `echo`.
class RangedBinding : public KnobBinding {
public:
    RangedBinding(int value, int lo, int hi) : value(value), lo(lo), hi(hi) {}
    int value, lo, hi;
    bool echo = true;
    std::vector<int> sent;

    int current() const override { return value; }
    int afterSteps(int c, int s) const override { return std::clamp(c + s, lo, hi); }
    int afterLabelStep(int c, int d) const override { return std::clamp(c + d, lo, hi); }
    int dotAngle(int v) const override { return v; }
    bool send(int v) override
    {
        sent.push_back(v);
        if (echo)
            value = v;
        return true;
    }
    std::string readBackText() const override { return "XX0;"; }
};

} // namespace qx::test
