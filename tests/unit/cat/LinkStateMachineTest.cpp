// The link state the operator sees, driven by the events the engine feeds
// it. Each report is recorded as its text, so a sequence reads as the
// status line would show it.
#include "cat/LinkState.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qx {
namespace {

struct LinkStateTest : ::testing::Test {
    LinkStateMachine m;
    std::vector<std::string> reports;
    std::string port = "/dev/ttyUSB0";
    int baud = 4800;

    void SetUp() override
    {
        m.setPortInfo([this] { return std::pair{port, baud}; });
        m.setListener([this](const LinkStatus& s) { reports.push_back(linkPhaseText(s)); });
    }
    std::string last() const { return reports.empty() ? std::string() : reports.back(); }
    LinkPhase phase() const { return m.status().phase; }
    // Open, then linked to model 241 through one attempt.
    void link()
    {
        m.portOpened();
        m.attempt(0);
        m.autoInformation(true);
        m.radioIdentified(241);
    }
};

TEST_F(LinkStateTest, LinkUpGoesThroughConnectingToLinkedWithTheRadiosId)
{
    m.portOpened();
    m.attempt(0);
    m.attempt(1000);
    m.autoInformation(true); // answered, but the "ID" answer is still to come
    m.radioIdentified(242);
    EXPECT_EQ(reports, (std::vector<std::string>{"port open", "connecting (attempt 1 of 4)",
                                                 "connecting (attempt 2 of 4)",
                                                 "linked (radio ID 0242, auto-information on)"}));
    EXPECT_EQ(m.status().radioId, 242);
    EXPECT_EQ(m.status().port, "/dev/ttyUSB0");
    EXPECT_EQ(m.status().baud, 4800);

    // The answers that keep coming while linked change nothing.
    m.autoInformation(true);
    m.power(true);
    m.attemptsEnded();
    EXPECT_EQ(reports.size(), 4u);
}

TEST_F(LinkStateTest, AttemptsNobodyAnswersEndWhereTheyStarted)
{
    m.portOpened();
    m.power(false);
    ASSERT_EQ(phase(), LinkPhase::RadioOff);
    for (int i = 0; i < kLinkAttempts; ++i)
        m.attempt(i * 1000);
    EXPECT_EQ(last(), "connecting (attempt 4 of 4)");
    m.attemptsEnded(); // the panel gave up
    EXPECT_EQ(phase(), LinkPhase::RadioOff) << "the radio is still off";

    // Without the panel's count, an attempt unanswered for five seconds is over.
    m.power(true);
    m.attempt(10'000);
    m.tick(10'000 + LinkStateMachine::kAttemptTimeoutMs - 1);
    EXPECT_EQ(phase(), LinkPhase::Connecting);
    m.tick(10'000 + LinkStateMachine::kAttemptTimeoutMs);
    EXPECT_EQ(phase(), LinkPhase::PortOpen);
}

TEST_F(LinkStateTest, AnAnsweredAttemptIsNotEndedByTheTimerThatStopsWithIt)
{
    // The panel stops its attempt timer as soon as auto-information is on,
    // before the "ID" answer arrives.
    m.portOpened();
    m.attempt(0);
    m.autoInformation(true);
    m.attemptsEnded();
    m.tick(60'000);
    EXPECT_EQ(phase(), LinkPhase::Connecting);
    m.radioIdentified(243);
    EXPECT_EQ(last(), "linked (radio ID 0243, auto-information on)");
}

TEST_F(LinkStateTest, AnIdentityAnswerAfterLinkOffDoesNotRelink)
{
    link();
    m.autoInformation(false); // the operator's LINK off
    ASSERT_EQ(phase(), LinkPhase::PortOpen);
    m.radioIdentified(241); // the read that was on its way
    EXPECT_EQ(phase(), LinkPhase::PortOpen);
    m.attempt(1000);
    m.autoInformation(true); // the same radio, linked at its first answer
    EXPECT_EQ(last(), "linked (radio ID 0241, auto-information on)");
}

TEST_F(LinkStateTest, TheWatchdogLosesOnlyALinkThatWasUp)
{
    m.portOpened();
    m.watchdog(); // nothing was up
    m.attempt(0);
    m.watchdog(); // the attempts go on
    EXPECT_EQ(phase(), LinkPhase::Connecting);
    m.autoInformation(true);
    m.radioIdentified(241);
    m.watchdog();
    EXPECT_EQ(last(), "link lost (watchdog)");
    // The program then treats the radio as having said "AI0": still lost.
    m.autoInformation(false);
    EXPECT_EQ(phase(), LinkPhase::LinkLost);

    // A radio that was off and stops answering is lost as well.
    m.power(false);
    m.watchdog();
    EXPECT_EQ(phase(), LinkPhase::LinkLost);
}

TEST_F(LinkStateTest, PowerOffAndOnAgainRelinksTheSameRadioAtItsFirstAnswer)
{
    link();
    m.power(false);
    EXPECT_EQ(last(), "radio off");
    m.attempt(5000); // the program asks for auto-information again at power-on
    m.power(true);
    EXPECT_EQ(phase(), LinkPhase::Connecting);
    m.autoInformation(true);
    EXPECT_EQ(last(), "linked (radio ID 0241, auto-information on)");
}

TEST_F(LinkStateTest, SwitchingAutoInformationOffUnlinks)
{
    link();
    m.attempt(0); // the same request, switching off
    EXPECT_EQ(phase(), LinkPhase::Linked);
    m.autoInformation(false);
    EXPECT_EQ(last(), "port open");
}

TEST_F(LinkStateTest, AnUnknownModelEndsTheAttempt)
{
    m.portOpened();
    m.attempt(0);
    m.autoInformation(true);
    m.attempt(100); // the program switches auto-information off again
    m.identificationFailed();
    EXPECT_EQ(phase(), LinkPhase::PortOpen);
    // It is not remembered as a known radio.
    m.autoInformation(true);
    EXPECT_EQ(phase(), LinkPhase::Connecting);
}

TEST_F(LinkStateTest, ClosingTellsSleepFromOtherReasonsAndReopeningStartsOver)
{
    link();
    m.portClosed(true);
    EXPECT_EQ(last(), "port closed (sleep)");
    m.portOpened();
    EXPECT_EQ(last(), "port open");
    // The radio's next "AI1;" answer: the same radio, linked again.
    m.autoInformation(true);
    EXPECT_EQ(phase(), LinkPhase::Linked);

    m.portClosed(false);
    EXPECT_EQ(last(), "no port");
    m.openFailed();
    EXPECT_EQ(reports.back(), "no port");
}

TEST_F(LinkStateTest, AnAttemptOnAClosedPortOpensItAndGoesOn)
{
    m.openFailed();
    ASSERT_EQ(phase(), LinkPhase::NoPort);
    m.attempt(0);
    m.portOpened(); // the attempt opened the port
    EXPECT_EQ(last(), "connecting (attempt 1 of 4)");
    m.attemptsEnded();
    EXPECT_EQ(phase(), LinkPhase::PortOpen) << "the port is open now";
}

TEST_F(LinkStateTest, ReportsEachChangeOnceWithThePortOfTheMoment)
{
    std::vector<LinkStatus> full;
    m.setListener([&](const LinkStatus& s) { full.push_back(s); });
    m.openFailed();
    m.openFailed();
    ASSERT_EQ(full.size(), 1u);
    EXPECT_EQ(full[0].port, "/dev/ttyUSB0");

    port = "COM3 (no device)";
    baud = 9600;
    m.portChanged();
    ASSERT_EQ(full.size(), 2u);
    EXPECT_EQ(linkStatusText(full[1]), "no port on COM3 (no device) at 9600 bit/s");
}

TEST(LinkStateText, NamesEveryPhase)
{
    LinkStatus s;
    s.phase = LinkPhase::Connecting;
    s.attempt = 0;
    EXPECT_EQ(linkPhaseText(s), "connecting");
    s.attempt = 5; // more than the panel ever makes: no "of 4"
    EXPECT_EQ(linkPhaseText(s), "connecting (attempt 5)");
    s.phase = LinkPhase::RadioOff;
    EXPECT_EQ(linkPhaseText(s), "radio off");
    s.phase = LinkPhase::NoPort;
    EXPECT_EQ(linkStatusText(s), "no port");
}

} // namespace
} // namespace qx
