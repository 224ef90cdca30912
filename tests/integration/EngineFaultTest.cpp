// The engine when the line misbehaves, and its shutdown.
#include "EngineRig.h"
#include "app/qt/SleepWatcher.h"

#include <gtest/gtest.h>

#include <fstream>

namespace qx::test {
namespace {

using namespace std::chrono_literals;

std::string readFile(const std::filesystem::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

TEST(EngineFaults, ASilentRadioMakesTheWatchdogDeclareTheLineLost)
{
    EngineRig rig;
    ASSERT_TRUE(rig.simStarted());
    rig.engine().startUp();
    ASSERT_TRUE(rig.linkUp());
    ASSERT_EQ(rig.radio().get(RadioState::Int::AI), 1);

    sim::FaultSettings silent;
    silent.silent = true;
    rig.sim().setFaults(silent);
    rig.clearReceived();
    // The one-second polls go unanswered; within two watchdog periods the
    // link is treated as switched off and the meters drop to zero.
    // The state is written before the notifications are posted: wait for all of them.
    EXPECT_TRUE(rig.waitUntil(
        [&] {
            return rig.radio().get(RadioState::Int::AI) == 0 && rig.count(UM_ANS_AI) >= 1 &&
                   rig.count(UM_ANS_SM) >= 1;
        },
        20s));
    EXPECT_EQ(rig.radio().get(RadioState::Int::SM0), 0);
    EXPECT_EQ(rig.radio().get(RadioState::Int::RM0), 0);
    EXPECT_EQ(rig.command().get(CommandState::Int::AI), 0);
}

TEST(EngineFaults, NoiseAndSplitAnswersAreStillFramed)
{
    EngineRig rig;
    ASSERT_TRUE(rig.simStarted());
    rig.engine().startUp();
    ASSERT_TRUE(rig.linkUp());

    sim::FaultSettings split;
    split.splitGap = 15ms;
    rig.sim().setFaults(split);
    for (int round = 0; round < 2; ++round) {
        // Noise may swallow the answer right behind it (a letter pair in the
        // noise reads as an unknown answer running to the next ";"); once two
        // more answers have come through, the framer is back in step.
        rig.sim().sendNoise(40);
        const std::size_t seen = rig.count(UM_ANS_RM) + rig.count(UM_ANS_IF);
        ASSERT_TRUE(rig.waitUntil([&] { return rig.count(UM_ANS_RM) + rig.count(UM_ANS_IF) >= seen + 2; }));
        if (round == 0) {
            rig.sim().turnDial(7);
            const long long want = rig.sim().model().frequency(0);
            EXPECT_TRUE(rig.waitUntil([&] { return rig.radio().get(RadioState::Int::FA) == want; }));
        } else {
            rig.sim().setMode(rig.sim().model().mode(0) == 2 ? 1 : 2);
            const int mode = rig.sim().model().mode(0);
            EXPECT_TRUE(rig.waitUntil([&] { return rig.radio().get(RadioState::Int::MD0) == mode; }));
        }
    }
}

TEST(EngineFaults, AHangUpDoesNotCrashAndTheNextCommandReopensThePort)
{
    EngineRig rig;
    ASSERT_TRUE(rig.simStarted());
    rig.engine().startUp();
    ASSERT_TRUE(rig.linkUp());

    rig.sim().hangUp(0ms);
    EXPECT_TRUE(rig.waitUntil([&] { return !rig.engine().link().isOpen(); }, 10s));
    rig.sim().comeBack();

    const std::size_t from = rig.sim().log().size();
    // The one-second polls go on; the first one after the radio is back opens the port again.
    EXPECT_TRUE(rig.waitUntil([&] { return rig.engine().link().isOpen(); }, 15s));
    EXPECT_TRUE(rig.waitUntil(
        [&] {
            const auto events = rig.sim().log().events();
            for (std::size_t i = from; i < events.size(); ++i)
                if (events[i].direction == sim::Direction::Received)
                    return true;
            return false;
        },
        15s));
    rig.sim().turnDial(2);
    const long long want = rig.sim().model().frequency(0);
    rig.engine().postToThread(ThreadId::AnlSend, {UM_REQ_AI_TOGGLE, 0, 0});
    EXPECT_TRUE(rig.waitUntil([&] { return rig.radio().get(RadioState::Int::FA) == want; }, 20s));
}

TEST(EngineFaults, SleepAndWakeCloseThePortAndTheNextCommandReopensIt)
{
    EngineRig rig;
    ASSERT_TRUE(rig.simStarted());
    rig.engine().startUp();
    ASSERT_TRUE(rig.waitFor(UM_ANS_PS));
    SleepWatcher watcher([&] { rig.engine().link().close(); });

    for (bool sleeping : {true, false}) {
        ASSERT_TRUE(rig.engine().link().isOpen());
        // By name, as the bus delivers it.
        ASSERT_TRUE(QMetaObject::invokeMethod(&watcher, "prepareForSleep", Q_ARG(bool, sleeping)));
        EXPECT_FALSE(rig.engine().link().isOpen());

        const std::size_t from = rig.received().size();
        ASSERT_TRUE(rig.engine().sendRaw("FA;"));
        ASSERT_TRUE(rig.waitUntil([&] { return rig.received().size() >= from + 2; }, 10s));
        const auto got = rig.received();
        EXPECT_EQ(got[from], "AI0;"); // the reopen tells the radio the link state first
        EXPECT_EQ(got[from + 1], "FA;");
    }
}

TEST(EngineShutdown, StopsEveryWorkerAndWritesTheSettingsFile)
{
    EngineRig rig;
    ASSERT_TRUE(rig.simStarted());
    rig.engine().startUp();
    ASSERT_TRUE(rig.waitFor(UM_ANS_PS));
    rig.bridge().beginShutdown();
    EXPECT_TRUE(rig.engine().shutDown());
    EXPECT_FALSE(rig.engine().link().isOpen());
    EXPECT_EQ(readFile(rig.dir() / "CommoFiles" / "CommSetting.csv"), "1,4800,0\n");
    EXPECT_FALSE(std::filesystem::exists(rig.dir() / "CommoFiles" / "CommSettingTmp.csv"));
}

TEST(EngineShutdown, ASecondInstanceUsesItsOwnSettingsFile)
{
    EngineRig rig(true);
    ASSERT_TRUE(rig.simStarted());
    std::filesystem::create_directories(rig.dir() / "CommoFiles");
    {
        std::ofstream(rig.dir() / "CommoFiles" / "CommSetting.csv") << "3,9600,0\n";
        std::ofstream(rig.dir() / "CommoFiles" / "CommSettingTmp.csv") << "2,19200,0\n";
    }
    const StartReport report = rig.engine().startUp();
    EXPECT_TRUE(report.settingsRead);
    EXPECT_EQ(rig.engine().link().portNumber(), 2);
    EXPECT_EQ(rig.engine().link().baudRate(), 19200);
    rig.bridge().beginShutdown();
    EXPECT_TRUE(rig.engine().shutDown());
    EXPECT_EQ(readFile(rig.dir() / "CommoFiles" / "CommSetting.csv"), "3,9600,0\n");
    EXPECT_EQ(readFile(rig.dir() / "CommoFiles" / "CommSettingTmp.csv"), "2,19200,0\n");
}

} // namespace
} // namespace qx::test
