// What the engine owes the radio beyond the commands asked for: it leaves
// auto-information off when it quits, it stops asking a radio that keeps
// refusing auto-information, and it never sends a value its field cannot hold.
#include "EngineRig.h"

#include "core/ErrorMessages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

namespace qx::test {
namespace {

using namespace std::chrono_literals;

std::vector<sim::LogEvent> receivedEvents(sim::SimulatedRadio& radio, std::string_view text)
{
    std::vector<sim::LogEvent> out;
    for (const auto& e : radio.log().events())
        if (e.direction == sim::Direction::Received && e.text == text)
            out.push_back(e);
    return out;
}

TEST(EngineQuit, SwitchesAutoInformationOffAndLetsItLeaveBeforeThePortCloses)
{
    EngineRig rig;
    ASSERT_TRUE(rig.simStarted());
    rig.engine().startUp();
    ASSERT_TRUE(rig.waitFor(UM_ANS_PS));
    // Quit while the read-out after link-up still runs: nothing may follow "AI0;".
    rig.engine().postToThread(ThreadId::AnlSend, {UM_REQ_AI_TOGGLE, 0, 0});
    ASSERT_TRUE(rig.waitFor(UM_ANS_ID));
    ASSERT_TRUE(rig.sim().model().autoInformation());

    const std::size_t from = rig.sim().log().size();
    rig.bridge().beginShutdown();
    EXPECT_TRUE(rig.engine().shutDown());
    ASSERT_TRUE(rig.sim().log().waitForText(sim::Direction::Received, "AI0;", 5s, from));
    EXPECT_FALSE(rig.sim().model().autoInformation()) << "the radio no longer reports to nobody";
    const auto got = rig.received();
    EXPECT_EQ(got.back(), "AI0;") << "nothing follows it";
}

TEST(EngineQuit, LeavesAutoInformationAloneWhenTheLinkNeverCameUp)
{
    EngineRig rig;
    ASSERT_TRUE(rig.simStarted());
    rig.engine().startUp();
    ASSERT_TRUE(rig.waitFor(UM_ANS_PS));
    rig.bridge().beginShutdown();
    EXPECT_TRUE(rig.engine().shutDown());
    EXPECT_EQ(receivedEvents(rig.sim(), "AI0;").size(), 1u) << "only the one the port's opening sends";
}

TEST(EngineLink, ARadioRefusingAutoInformationIsAskedThreeTimesMoreASecondApartThenTheOperatorIsTold)
{
    sim::SimOptions options;
    options.radio.refuseAutoInformation = true;
    EngineRig rig(false, options);
    ASSERT_TRUE(rig.simStarted());
    rig.engine().startUp();
    ASSERT_TRUE(rig.waitFor(UM_ANS_PS));
    auto refusals = [&rig] {
        const auto& rows = rig.errorRows();
        return std::count(rows.begin(), rows.end(), kAiRefusedRow);
    };
    rig.engine().postToThread(ThreadId::AnlSend, {UM_REQ_AI_TOGGLE, 0, 0});
    ASSERT_TRUE(rig.waitUntil([&] { return refusals() == 1; }, 10s));

    const auto asks = receivedEvents(rig.sim(), "AI1;");
    ASSERT_EQ(asks.size(), 4u) << "the first request and three retries";
    for (std::size_t i = 1; i < asks.size(); ++i)
        EXPECT_GE((asks[i].at - asks[i - 1].at).count(), 999) << "retry " << i;

    // The LINK key tries again.
    rig.engine().postToThread(ThreadId::AnlSend, {UM_REQ_AI_TOGGLE, 0, 0});
    ASSERT_TRUE(rig.waitUntil([&] { return receivedEvents(rig.sim(), "AI1;").size() == 5; }, 5s));
    EXPECT_EQ(refusals(), 1);
}

TEST(EngineTrace, AValueTooWideForItsFieldIsNotSentAndLeavesALineInTheTrace)
{
    EngineRig rig(false, {}, std::nullopt, &EngineRig::traceTo);
    ASSERT_TRUE(rig.simStarted());
    rig.engine().startUp();
    ASSERT_TRUE(rig.waitFor(UM_ANS_PS));
    rig.engine().postToThread(ThreadId::AnlSend, {UM_REQ_PC_SET, 0, 1000});
    rig.engine().postToThread(ThreadId::AnlSend, {UM_REQ_PC_SET, 0, 100});
    ASSERT_TRUE(rig.sim().log().waitForText(sim::Direction::Received, "PC100;", 10s));
    EXPECT_TRUE(receivedEvents(rig.sim(), "PC000;").empty());

    std::ifstream in(rig.tracePath());
    std::stringstream trace;
    trace << in.rdbuf();
    const std::string text = trace.str();
    const auto note = text.find(" - refused PC: 1000 does not fit 3 digits\n");
    EXPECT_NE(note, std::string::npos) << text;
    EXPECT_LT(note, text.find(" W PC100;")) << "in the order it happened";
}

} // namespace
} // namespace qx::test
