// Knobs, the two dials and frequency digit tuning, driven by mouse events.
#include "ControllerFixture.h"

#include "panel/LinkStatusLine.h"

namespace qx::test {
namespace {

constexpr int kAfX = 792, kAfY = 276;
constexpr int kSqlX = 688, kSqlY = 276;
constexpr int kShiftX = 68, kShiftY = 276;

TEST_F(ControllerTest, SelectingAKnobLightsItsBarAndDoesNotStep)
{
    leftClick(kAfX, kAfY);
    EXPECT_EQ(controller().activeOperation(), 106);
    EXPECT_TRUE(model().knobLabelLit[1]);
    EXPECT_TRUE(timerStarted(panel::kKnobRepeatTimer, 1000));
    EXPECT_TRUE(posted().empty());

    radio.set(R::AG0, 100);
    leftClick(500, 60); // on the display: steps down
    rightClick(500, 60); // and up
    EXPECT_EQ(posted(), (std::vector<Posted>{{UM_REQ_AG_SET_0, 99}, {UM_REQ_AG_SET_0, 101}}));

    clear();
    leftClick(290, 190); // a key deselects the knob first
    EXPECT_FALSE(model().knobLabelLit[1]);
    EXPECT_EQ(posted(), (std::vector<Posted>{{UM_REQ_NB_SET, 1}}));
}

// Before, the wheel did nothing over a knob until it was clicked, and a
// click on the selected knob stepped it down instead of letting it go.
TEST_F(ControllerTest, TheWheelTurnsTheKnobUnderItAndAClickLetsASelectedKnobGo)
{
    radio.set(R::AG0, 100);
    radio.set(R::IS, 0);
    wheel(kAfX, kAfY, 120);
    EXPECT_EQ(posted(), (std::vector<Posted>{{UM_REQ_AG_SET_0, 120}}));
    EXPECT_EQ(controller().activeOperation(), 0) << "turning is not selecting";
    EXPECT_FALSE(model().knobLabelLit[1]);

    // With the AF knob selected, the wheel over the shift knob turns the shift.
    leftClick(kAfX, kAfY);
    clear();
    wheel(kShiftX, kShiftY, -120);
    EXPECT_EQ(posted(), (std::vector<Posted>{{UM_REQ_IS_SET, -90}}));

    clear();
    leftClick(kAfX, kAfY);
    EXPECT_TRUE(posted().empty());
    EXPECT_EQ(controller().activeOperation(), 0);
    EXPECT_FALSE(model().knobLabelLit[1]);
    leftClick(500, 60); // nothing selected now: a click on the display steps nothing
    EXPECT_TRUE(posted().empty());
}

TEST_F(ControllerTest, KnobLimitsAndTheShiftStartFromCentre)
{
    struct Case {
        int x, y;
        R entry;
        int current;
        bool up;
        Posted want;
    };
    const Case cases[] = {
        {kSqlX, kSqlY, R::SQ0, 255, true, {UM_REQ_SQ_SET_0, 255}},
        {kSqlX, kSqlY, R::SQ0, 0, false, {UM_REQ_SQ_SET_0, 0}},
        {kShiftX, kShiftY, R::IS, -1260, false, {UM_REQ_IS_SET, -1260}},
        {kShiftX, kShiftY, R::IS, 0, false, {UM_REQ_IS_SET, -50}},
        {kShiftX, kShiftY, R::IS, 0, true, {UM_REQ_IS_SET, 50}},
    };
    setMenuKind(MenuKind::SqlRfGain, 0); // the shared knob is the squelch
    for (const Case& c : cases) {
        window->menuCommand(-1); // deselects whatever is selected
        radio.set(c.entry, c.current);
        leftClick(c.x, c.y);
        clear();
        if (c.up)
            rightClick(c.x, c.y);
        else
            leftClick(500, 60);
        EXPECT_EQ(posted(), std::vector<Posted>{c.want}) << c.current << (c.up ? " up" : " down");
    }
}

TEST_F(ControllerTest, RfKnobFollowsSqlRfg)
{
    setMenuKind(MenuKind::SqlRfGain, 1);
    radio.set(R::RG0, 10);
    leftClick(kSqlX, kSqlY);
    leftClick(500, 60);
    EXPECT_EQ(posted(), (std::vector<Posted>{{UM_REQ_RG_SET_0, 9}}));
    EXPECT_TRUE(model().knobLabelLit[2]);
}

TEST_F(ControllerTest, KnobRepeatRunsWhileHeldAndTheReleaseDoesNotStepAgain)
{
    radio.set(R::AG0, 100);
    leftClick(kAfX, kAfY);
    clear();
    leftPress(500, 60);
    EXPECT_TRUE(timerStarted(panel::kKnobRepeatTimer, 1000));
    tick(panel::kKnobRepeatTimer);
    EXPECT_TRUE(timerStarted(panel::kKnobRepeatTimer, 100));
    tick(panel::kKnobRepeatTimer);
    leftRelease(500, 60);
    EXPECT_EQ(posted(), (std::vector<Posted>{{UM_REQ_AG_SET_0, 90}, {UM_REQ_AG_SET_0, 90}}));
    clear();
    tick(panel::kKnobRepeatTimer); // button up: the repeat ends
    EXPECT_TRUE(posted().empty());
    EXPECT_TRUE(timerStopped(panel::kKnobRepeatTimer));
}

TEST_F(ControllerTest, KnobWheelStepsAndReadsBack)
{
    radio.set(R::AI, 1);
    radio.set(R::IS, 0);
    leftClick(kShiftX, kShiftY);
    wheel(300, 300, 120);
    EXPECT_EQ(posted(), (std::vector<Posted>{{UM_REQ_IS_SET, 90}}));
    EXPECT_TRUE(timerStarted(panel::kReadBackTimer, 200));
    tick(panel::kReadBackTimer);
    EXPECT_EQ(sent, std::vector<std::string>{"IS0;"});
}

// With the link down the radio's answers would not come back: the panel
// would show one frequency while the radio moved to another.
TEST_F(ControllerTest, WithTheLinkDownControlsSendNothingAndSayWhy)
{
    radio.set(R::AI, 0);
    radio.set(R::PS, 1);
    leftClick(kAfX, kAfY);
    wheel(300, 300, -120);
    leftPress(517, 192); // the main dial, dragged a quarter turn
    moveTo(567, 240);
    tick(panel::kKeyTimer);
    tick(panel::kDialSendTimer);
    leftRelease(567, 240);
    leftClick(290, 190); // a key
    EXPECT_TRUE(posted().empty()) << "nothing may reach the radio, not even EU001;";
    EXPECT_FALSE(timerStarted(panel::kReadBackTimer, 200));
    EXPECT_TRUE(window->statusLine().plainText().contains(QStringLiteral("Not linked"))) << window->statusLine().plainText().toStdString();

    leftClick(50, 195); // LINK still acts
    EXPECT_EQ(posted(), (std::vector<Posted>{Posted{UM_REQ_AI_TOGGLE, 0}}));
}

TEST_F(ControllerTest, MainDialDragSendsStepsEveryThirtyMilliseconds)
{
    leftPress(517, 192); // straight up: 0 degrees
    EXPECT_EQ(controller().activeOperation(), 89);
    EXPECT_TRUE(timerStarted(panel::kKeyTimer, 30));
    EXPECT_TRUE(timerStarted(panel::kDialSendTimer, 30));
    moveTo(567, 240); // 90 degrees: 12 steps, 6 degrees carried
    tick(panel::kKeyTimer);
    EXPECT_EQ(model().mainDialAngle, 90);
    tick(panel::kDialSendTimer);
    EXPECT_EQ(posted(), (std::vector<Posted>{{UM_REQ_EU_0, 12}}));
    clear();
    tick(panel::kDialSendTimer);
    EXPECT_TRUE(posted().empty());
    moveTo(517, 292); // 180 degrees: 90 more, 96 with the carry
    tick(panel::kKeyTimer);
    tick(panel::kDialSendTimer);
    EXPECT_EQ(posted(), (std::vector<Posted>{{UM_REQ_EU_0, 13}}));
}

TEST_F(ControllerTest, StepsNotYetSentGoOutOnRelease)
{
    // Each dial turned a quarter clockwise from straight up: 12 steps, none sent by a tick yet.
    struct Case {
        const char* name;
        int pressX, pressY, toX, toY;
        bool bandGroup;
        Posted want;
    };
    const Case cases[] = {
        {"main dial", 517, 192, 567, 240, false, {UM_REQ_EU_0, 12}},
        {"second dial", 172, 258, 190, 276, false, {UM_REQ_EU_1, 12}},
        {"second dial, band group", 172, 258, 190, 276, true, {UM_REQ_FA_SET, 14100000}},
    };
    setMenuKind(MenuKind::SelDial, 2);
    radio.set(R::FA, 14000000);
    for (const Case& c : cases) {
        window->display().model().bandGroup = c.bandGroup;
        clear();
        leftPress(c.pressX, c.pressY);
        moveTo(c.toX, c.toY);
        tick(panel::kKeyTimer);
        EXPECT_TRUE(posted().empty()) << c.name;
        leftRelease(c.toX, c.toY);
        EXPECT_EQ(posted(), std::vector<Posted>{c.want}) << c.name;
        EXPECT_EQ(controller().activeOperation(), 0) << c.name;
        EXPECT_TRUE(timerStopped(panel::kDialSendTimer)) << c.name;
        tick(panel::kDialSendTimer); // a late tick sends nothing twice
        EXPECT_EQ(posted().size(), 1u) << c.name;
    }
    EXPECT_EQ(model().secondDialAngle, panel::kDialAtRest);
}

TEST_F(ControllerTest, ReleaseAfterASendTickSendsOnlyTheRest)
{
    leftPress(517, 192);
    moveTo(567, 240); // 90 degrees: 12 steps, 6 carried
    tick(panel::kKeyTimer);
    tick(panel::kDialSendTimer);
    moveTo(517, 292); // 90 more: 13 steps
    tick(panel::kKeyTimer);
    leftRelease(517, 292);
    EXPECT_EQ(posted(), (std::vector<Posted>{{UM_REQ_EU_0, 12}, {UM_REQ_EU_0, 13}}));
}

TEST_F(ControllerTest, DialMovesTheClarifierWhenClarSaysSo)
{
    radio.set(R::RT, 1);
    leftPress(517, 192);
    moveTo(467, 240); // 270 degrees: -90, -12 steps
    tick(panel::kKeyTimer);
    tick(panel::kDialSendTimer);
    leftRelease(467, 240);
    EXPECT_EQ(posted(), (std::vector<Posted>{{UM_REQ_RU_RD, -120}}));
}

TEST_F(ControllerTest, SecondDialDragReturnsToRest)
{
    setMenuKind(MenuKind::Clarifier, 0);
    leftPress(172, 258); // up
    EXPECT_TRUE(timerStarted(panel::kDialSendTimer, 60));
    moveTo(190, 276); // 90 degrees
    tick(panel::kKeyTimer);
    EXPECT_EQ(model().secondDialAngle, 90);
    tick(panel::kDialSendTimer);
    leftRelease(190, 276);
    EXPECT_EQ(model().secondDialAngle, panel::kDialAtRest);
    EXPECT_EQ(posted(), (std::vector<Posted>{{UM_REQ_EU_1, 12}}));
}

TEST_F(ControllerTest, WheelOverTheDials)
{
    wheel(517, 240, -120);
    EXPECT_EQ(model().mainDialAngle, 352);
    wheel(517, 240, 120);
    wheel(517, 240, 120);
    EXPECT_EQ(model().mainDialAngle, 7);
    wheel(172, 276, 240);
    EXPECT_EQ(model().secondDialAngle, 14);
    EXPECT_TRUE(timerStarted(panel::kSecondDialRestTimer, 200));
    tick(panel::kSecondDialRestTimer);
    EXPECT_EQ(model().secondDialAngle, panel::kDialAtRest);
    wheel(300, 100, 120); // elsewhere: nothing
    EXPECT_EQ(posted(), (std::vector<Posted>{{UM_REQ_EU_0, -1}, {UM_REQ_EU_0, 1}, {UM_REQ_EU_0, 1}, {UM_REQ_EU_1, 2}}));
}

TEST_F(ControllerTest, SmallWheelDeltasAddUpToNotchesPerTarget)
{
    radio.set(R::AG0, 100);
    radio.set(R::FA, 14250000);
    struct Turn {
        int x, y, delta;
        std::vector<Posted> want; // posted by this turn
    };
    const Turn turns[] = {
        {517, 240, 30, {}},
        {517, 240, 30, {}},
        {517, 240, 30, {}},
        {517, 240, 30, {{UM_REQ_EU_0, 1}}},     // four quarters make a notch
        {517, 240, -90, {}},
        {517, 240, -40, {{UM_REQ_EU_0, -1}}},   // 10 left towards the next
        {517, 240, 150, {{UM_REQ_EU_0, 1}}},    // -10 + 150: one notch, 20 kept
        {172, 276, 100, {}},                     // another dial starts from nothing
        {517, 240, 100, {}},                     // and so does the main dial again
        {517, 240, 20, {{UM_REQ_EU_0, 1}}},
        {517, 240, 60, {}},
        {300, 100, 30, {}},                      // over nothing: the part-notch is lost
        {517, 240, 60, {}},
        {517, 240, 240, {{UM_REQ_EU_0, 2}}},    // whole notches as ever
    };
    int n = 0;
    for (const Turn& t : turns) {
        clear();
        wheel(t.x, t.y, t.delta);
        EXPECT_EQ(posted(), t.want) << "turn " << n;
        ++n;
    }

    leftClick(792, 276); // the AF knob
    clear();
    wheel(300, 300, 60);
    EXPECT_TRUE(posted().empty());
    wheel(300, 300, 60);
    EXPECT_EQ(posted(), (std::vector<Posted>{{UM_REQ_AG_SET_0, 120}}));
    wheel(300, 300, 90); // left over when the knob is let go

    leftClick(400, 120); // the 1 kHz digit: the knob's part-notch does not carry over
    clear();
    wheel(400, 120, -60);
    wheel(400, 120, -40);
    EXPECT_TRUE(posted().empty());
    wheel(400, 120, -20);
    EXPECT_EQ(posted(), (std::vector<Posted>{{UM_REQ_FA_SET, 14249000}}));
}

TEST_F(ControllerTest, BandGroupModeMovesTheVfoByGroupSteps)
{
    struct Case {
        int item48;
        bool on;
        std::vector<Posted> want;
    };
    const Case cases[] = {
        {2, true, {{UM_REQ_FA_SET, 14100000}}},
        {3, true, {{UM_REQ_FA_SET, 15000000}}},
        {1, false, {{UM_REQ_EU_1, 3}}},
    };
    for (const Case& c : cases) {
        setMenuKind(MenuKind::SelDial, c.item48);
        window->display().model().bandGroup = false;
        radio.set(R::FA, 14000000);
        leftClick(237, 286); // GROUP
        EXPECT_EQ(model().bandGroup, c.on) << c.item48;
        clear();
        wheel(172, 276, 360);
        EXPECT_EQ(posted(), c.want) << c.item48;
    }
}

TEST_F(ControllerTest, DigitWheelTunesTheOperatingVfoAndReadsItBack)
{
    struct Case {
        int vs;
        std::uint32_t request;
        const char* readBack;
    };
    const Case cases[] = {{0, UM_REQ_FA_SET, "FA;"}, {1, UM_REQ_FB_SET, "FB;"}};
    for (const Case& c : cases) {
        radio.set(R::AI, 1);
        radio.set(R::VS, c.vs);
        radio.set(c.vs ? R::FB : R::FA, 14250000);
        clear();
        leftClick(400, 120); // the 1 kHz digit
        EXPECT_EQ(window->display().selectedDigit(), 4);
        wheel(400, 120, 120);
        EXPECT_EQ(posted(), (std::vector<Posted>{{c.request, 14251000}}));
        EXPECT_TRUE(timerStarted(panel::kReadBackTimer, 200));
        EXPECT_TRUE(sent.empty());
        tick(panel::kReadBackTimer);
        EXPECT_EQ(sent, std::vector<std::string>{c.readBack});
        leftClick(400, 120); // deselects
        EXPECT_EQ(window->display().selectedDigit(), 0);
    }
}

} // namespace
} // namespace qx::test
