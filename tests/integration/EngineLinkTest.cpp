// The engine against the simulated radio: what crosses the line at start-up
// and link-up, and whether the state ends up holding what the radio holds.
#include "EngineRig.h"
#include "LinkUpTexts.h"

#include "menu/MenuKind.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace qx::test {
namespace {

using namespace std::chrono_literals;

TEST(EngineStartUp, FirstBytesOnTheWireAreAI0ThenPS)
{
    EngineRig rig;
    ASSERT_TRUE(rig.simStarted());
    const StartReport report = rig.engine().startUp();
    EXPECT_TRUE(report.portOpened);
    EXPECT_FALSE(report.settingsRead); // a fresh folder has no settings file
    ASSERT_TRUE(rig.sim().log().waitForText(sim::Direction::Received, "PS;", 10s));
    const auto got = rig.received();
    ASSERT_GE(got.size(), 2u);
    EXPECT_EQ(got[0], "AI0;");
    EXPECT_EQ(got[1], "PS;");
    EXPECT_TRUE(rig.waitFor(UM_ANS_PS));
    EXPECT_EQ(rig.radio().get(RadioState::Int::PS), 1);
}

TEST(EngineLinkUp, ReadsEverythingInTableOrderAndEndsWithTheRadiosState)
{
    EngineRig rig;
    ASSERT_TRUE(rig.simStarted());
    rig.engine().startUp();
    ASSERT_TRUE(rig.waitFor(UM_ANS_PS));
    ASSERT_TRUE(rig.linkUp());

    const auto got = rig.received();
    const std::size_t ai = indexOf(got, "AI1;");
    ASSERT_LT(ai, got.size());
    EXPECT_TRUE(inOrder(got, {"AI1;", "AI;", "ID;"}, ai));

    const std::vector<std::string>& readAll = readAllTexts();
    ASSERT_EQ(readAll.size(), 75u);
    const std::size_t id = indexOf(got, "ID;", ai);
    EXPECT_TRUE(inOrder(got, readAll, id));

    // The menu read follows: every slot in use, in slot order.
    const std::vector<std::string> menuRead = menuReadTexts(rig.menu());
    EXPECT_EQ(menuRead.size(), 63u);
    EXPECT_TRUE(inOrder(got, menuRead, indexOf(got, "SF;", id)));

    // The state now holds what the radio holds.
    auto model = rig.sim().model();
    EXPECT_EQ(rig.radio().get(RadioState::Int::FA), model.frequency(0));
    EXPECT_EQ(rig.radio().get(RadioState::Int::FB), model.frequency(1));
    EXPECT_EQ(rig.radio().get(RadioState::Int::MD0), model.mode(0));
    int compared = 0;
    for (int slot = 1; slot <= rig.menu().count(); ++slot) {
        const int kind = rig.menu().kindOf(slot);
        if (kind == MenuKind::Vacant || kind == 14 || kind == 41 || kind == 46 || kind == 47)
            continue;
        char key[16];
        std::snprintf(key, sizeof key, "EX%03d;", slot);
        const auto answers = model.handle(key);
        ASSERT_EQ(answers.size(), 1u) << key;
        const auto* answer = &answers.front();
        const int radioValue = std::stoi(answer->substr(5));
        EXPECT_EQ(static_cast<int>(rig.menu().getEntry(slot).value), radioValue) << key << " " << *answer;
        ++compared;
    }
    EXPECT_GT(compared, 50);
}

TEST(EngineLinkUp, ADialStepOnTheRadioReachesTheStateAndRaisesTheNotification)
{
    EngineRig rig;
    ASSERT_TRUE(rig.simStarted());
    rig.engine().startUp();
    ASSERT_TRUE(rig.linkUp());
    const int before = rig.radio().get(RadioState::Int::FA);
    rig.clearReceived();
    rig.sim().turnDial(3);
    const long long want = rig.sim().model().frequency(0);
    ASSERT_NE(want, before);
    // The state is written before the notification is posted: wait for both.
    EXPECT_TRUE(rig.waitUntil([&] { return rig.radio().get(RadioState::Int::FA) == want && rig.count(UM_ANS_FA) >= 1; }));
}

TEST(EngineLinkUp, AModeRequestChangesTheRadiosMode)
{
    EngineRig rig;
    ASSERT_TRUE(rig.simStarted());
    rig.engine().startUp();
    ASSERT_TRUE(rig.linkUp());
    const int want = rig.sim().model().mode(0) == 3 ? 1 : 3;
    rig.engine().postToThread(ThreadId::AnlSend, {want == 3 ? UM_REQ_MD_MODE_3 : UM_REQ_MD_MODE_1, 0, 0});
    EXPECT_TRUE(rig.waitUntil([&] { return rig.radio().get(RadioState::Int::MD0) == want; }));
    EXPECT_EQ(rig.sim().model().mode(0), want);
}

} // namespace
} // namespace qx::test
