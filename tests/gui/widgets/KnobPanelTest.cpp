#include "tests/gui/widgets/KnobFakes.h"

#include <gtest/gtest.h>

namespace qx::test {
namespace {

constexpr KnobRect kOnOff{34, 33, 75, 64};
constexpr KnobPoint kCentre{166, 67};
constexpr KnobPoint kLabel{150, 17};
constexpr KnobPoint kElsewhere{300, 100};

// One knob, 10 degrees a step, value 50 in 0..100.
class KnobPanelTest : public ::testing::Test {
protected:
    KnobPanelTest()
    {
        panel.addKnob({kCentre, {138, 39}, {10, 10, 350, 10}, {135, 14, 198, 21}, &value});
    }

    KnobPoint at(int angle) const
    {
        const struct { int a; KnobPoint p; } points[] = {
            {0, {166, 50}}, {90, {183, 67}}, {180, {166, 84}}, {270, {149, 67}},
        };
        for (const auto& p : points)
            if (p.a == angle)
                return p.p;
        return kCentre;
    }
    void press(KnobPoint p)
    {
        host.ptr = {p, true, false};
        panel.leftPress(p);
    }
    void moveTo(KnobPoint p)
    {
        host.ptr.pos = p;
        panel.tick(KnobTimer::Drag);
    }
    void releaseLeft()
    {
        host.ptr.left = false;
        panel.release(true);
    }
    void clickLabel(bool left)
    {
        host.ptr = {kLabel, left, !left};
        left ? panel.leftPress(kLabel) : panel.rightPress(kLabel);
        host.ptr.left = host.ptr.right = false;
        panel.release(left);
    }

    RangedBinding value{50, 0, 100};
    FakeKnobHost host;
    FakeKnobTimers timers;
    KnobPanel panel{host, timers, kOnOff};
};

TEST_F(KnobPanelTest, DragSendsGatheredStepsOnEachSendTick)
{
    press(at(0));
    EXPECT_EQ(panel.draggedKnob(), 0);
    EXPECT_EQ(timers.period(KnobTimer::Drag), 30);
    EXPECT_EQ(timers.period(KnobTimer::Send), 100);
    moveTo(at(90));
    EXPECT_EQ(panel.dotAngle(0), 90);
    panel.tick(KnobTimer::Send);
    moveTo(at(0));
    moveTo(at(270));
    panel.tick(KnobTimer::Send);
    EXPECT_EQ(value.sent, (std::vector<int>{59, 41}));
}

TEST_F(KnobPanelTest, ReleaseSendsStepsNotYetSentAndRestsTheKnob)
{
    press(at(0));
    moveTo(at(90));
    releaseLeft();
    EXPECT_EQ(value.sent, (std::vector<int>{59}));
    EXPECT_EQ(panel.dotAngle(0), kKnobAtRest);
    EXPECT_FALSE(timers.isRunning(KnobTimer::Drag));
    EXPECT_FALSE(timers.isRunning(KnobTimer::Send));
}

TEST_F(KnobPanelTest, DragTickNoticesAButtonLetGoOutsideTheWindow)
{
    press(at(0));
    host.ptr.left = false;
    panel.tick(KnobTimer::Drag);
    EXPECT_EQ(panel.draggedKnob(), -1);
    EXPECT_FALSE(timers.isRunning(KnobTimer::Drag));
}

TEST_F(KnobPanelTest, ValueIsClampedAndAnUnchangedValueIsNotSent)
{
    value.value = 99;
    press(at(0));
    moveTo(at(90));
    panel.tick(KnobTimer::Send);
    moveTo(at(180));
    panel.tick(KnobTimer::Send);
    EXPECT_EQ(value.sent, (std::vector<int>{100}));
}

TEST_F(KnobPanelTest, WheelUpIncreasesDownDecreasesSidewaysDoesNothing)
{
    panel.wheel(kCentre, 120);
    panel.wheel(kCentre, -120);
    panel.wheel(kCentre, 0);
    panel.wheel(kElsewhere, 120);
    EXPECT_EQ(value.sent, (std::vector<int>{51, 50}));
    EXPECT_EQ(timers.period(KnobTimer::WheelRest), 200);
    EXPECT_NE(panel.dotAngle(0), kKnobAtRest);
    panel.tick(KnobTimer::WheelRest);
    EXPECT_EQ(panel.dotAngle(0), kKnobAtRest);
}

TEST_F(KnobPanelTest, SelectingPressDoesNotStepLaterClicksDo)
{
    clickLabel(true);
    EXPECT_EQ(panel.selectedLabel(), 0);
    EXPECT_EQ(panel.dotAngle(0), 50) << "the dot shows the value while selected";
    EXPECT_TRUE(value.sent.empty());
    clickLabel(true);
    clickLabel(false);
    clickLabel(false);
    EXPECT_EQ(value.sent, (std::vector<int>{49, 50, 51}));
}

TEST_F(KnobPanelTest, PressElsewhereStepsTheSelectedLabelButPressOnKnobDeselects)
{
    clickLabel(true);
    host.ptr = {kElsewhere, true, false};
    panel.leftPress(kElsewhere);
    panel.release(true);
    EXPECT_EQ(value.sent, (std::vector<int>{49}));
    press(kCentre);
    EXPECT_EQ(panel.selectedLabel(), -1);
    EXPECT_EQ(panel.draggedKnob(), 0);
}

TEST_F(KnobPanelTest, RepeatStartsAfterASecondAndStopsWithTheButton)
{
    clickLabel(true);
    host.ptr = {kLabel, false, true};
    panel.rightPress(kLabel);
    EXPECT_EQ(timers.period(KnobTimer::Repeat), 1000);
    panel.tick(KnobTimer::Repeat);
    EXPECT_TRUE(panel.repeatRunning());
    EXPECT_EQ(timers.period(KnobTimer::Repeat), 100);
    panel.tick(KnobTimer::Repeat);
    panel.tick(KnobTimer::Repeat);
    host.ptr.right = false;
    panel.release(false);
    EXPECT_FALSE(timers.isRunning(KnobTimer::Repeat));
    EXPECT_EQ(value.sent, (std::vector<int>{51, 52, 53})) << "the release after a repeat adds no step";
}

TEST_F(KnobPanelTest, RepeatTickWithTheButtonUpStopsWithoutStepping)
{
    clickLabel(true);
    host.ptr = {kLabel, true, false};
    panel.leftPress(kLabel);
    host.ptr.left = false;
    panel.tick(KnobTimer::Repeat);
    EXPECT_FALSE(timers.isRunning(KnobTimer::Repeat));
    EXPECT_TRUE(value.sent.empty());
}

TEST_F(KnobPanelTest, FirstChangeArmsOneReadBackAndAnAnswerCancelsIt)
{
    panel.wheel(kCentre, 120);
    panel.wheel(kCentre, 120);
    EXPECT_EQ(timers.period(KnobTimer::ReadBack), 200);
    panel.tick(KnobTimer::ReadBack);
    EXPECT_EQ(host.readBacks, (std::vector<std::string>{"XX0;"}));

    panel.wheel(kCentre, 120);
    panel.answerArrived();
    EXPECT_FALSE(timers.isRunning(KnobTimer::ReadBack));
    panel.tick(KnobTimer::ReadBack);
    EXPECT_EQ(host.readBacks.size(), 1u);
}

TEST_F(KnobPanelTest, NoReadBackWithoutAutoInformation)
{
    host.ai = false;
    panel.wheel(kCentre, 120);
    EXPECT_FALSE(panel.readBackPending());
    EXPECT_FALSE(timers.isRunning(KnobTimer::ReadBack));
}

TEST_F(KnobPanelTest, OnOffKeyIsHeldUntilThePointerLeavesIt)
{
    clickLabel(true);
    press({50, 50});
    EXPECT_EQ(host.onOffPresses, 1);
    EXPECT_TRUE(panel.buttonHeld());
    EXPECT_EQ(panel.selectedLabel(), -1);
    panel.tick(KnobTimer::Button);
    EXPECT_TRUE(panel.buttonHeld());
    host.ptr.pos = kElsewhere;
    panel.tick(KnobTimer::Button);
    EXPECT_FALSE(panel.buttonHeld());
    EXPECT_FALSE(timers.isRunning(KnobTimer::Button));
}

} // namespace
} // namespace qx::test
