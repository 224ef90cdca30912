// The pace of the link-up reads against the simulated radio: as fast as the
// answers come on a fast line, and never faster than the 30 ms tick when no
// answer comes at all.
#include "EngineRig.h"
#include "LinkUpTexts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

namespace qx::test {
namespace {

using namespace std::chrono_literals;
using Texts = std::vector<std::string>;

// The read-all texts and then the menu read, in the order they must go out.
Texts linkUpReads(const MenuTable& menu)
{
    Texts texts = readAllTexts();
    const Texts menuRead = menuReadTexts(menu);
    texts.insert(texts.end(), menuRead.begin(), menuRead.end());
    return texts;
}

// Waits until the sequences have raised the busy flag and lowered it again.
bool sequencesRun(EngineRig& rig, std::chrono::milliseconds timeout)
{
    bool busySeen = false;
    return rig.waitUntil(
        [&] {
            const bool busy = rig.engine().flags().waitBoxBusy.load();
            busySeen = busySeen || busy;
            return busySeen && !busy;
        },
        timeout);
}

// The radio never says a word (so the answer watchdog never starts): every
// step still goes out, each at least a tick after the one before it.
TEST(EnginePacing, ARadioThatNeverAnswersGetsTheWholeSequenceAtTheTickPace)
{
    EngineRig rig;
    ASSERT_TRUE(rig.simStarted());
    sim::FaultSettings silent;
    silent.silent = true;
    rig.sim().setFaults(silent);
    rig.engine().startUp();
    ASSERT_TRUE(rig.sim().log().waitForText(sim::Direction::Received, "PS;", 10s));
    const std::size_t from = rig.sim().log().size();
    rig.engine().postToThread(ThreadId::AnlSend, {UM_REQ_READ_ALL_START, 0, 0});
    ASSERT_TRUE(sequencesRun(rig, 20s));

    std::vector<sim::LogEvent> sent;
    const auto events = rig.sim().log().events();
    for (std::size_t i = from; i < events.size(); ++i)
        if (events[i].direction == sim::Direction::Received)
            sent.push_back(events[i]);
    Texts texts;
    for (const auto& e : sent)
        texts.push_back(e.text);
    const Texts want = linkUpReads(rig.menu());
    ASSERT_EQ(want.size(), 138u);
    EXPECT_EQ(texts, want);

    // Texts that go out with the one before them, in the same step.
    const Texts sameStep{"BP01;", "CO01;", "ML1;", "KM2;", "KM3;", "RI1;", "RI3;", "RI4;", "RI9;"};
    std::vector<std::chrono::milliseconds> stepStarts{sent.front().at};
    for (std::size_t i = 1; i < sent.size(); ++i)
        if (std::find(sameStep.begin(), sameStep.end(), sent[i].text) == sameStep.end())
            stepStarts.push_back(sent[i].at);
    ASSERT_EQ(stepStarts.size(), 129u);
    // With no answer each of the 128 steps after the first waits for its
    // tick: the whole takes at least 128 ticks. Load only makes it longer;
    // how close two steps come depends on the machine, so only the sum is
    // judged (a few steps sent without their tick already fall short).
    EXPECT_GE((stepStarts.back() - stepStarts.front()).count(), 128 * 29);
}

// Both ends at 38400 bit/s: each step follows the answers to the one before
// it. On ticks alone the steps need at least 128 ticks, 3.84 s; finishing
// inside that shows the answers set the pace (it takes about a second).
TEST(EnginePacing, AtFullSpeedTheAnswersPaceTheLinkUpWithTheSameTextsInTheSameOrder)
{
    EngineRig rig;
    ASSERT_TRUE(rig.simStarted());
    std::filesystem::create_directories(rig.dir() / "CommoFiles");
    std::ofstream(rig.dir() / "CommoFiles" / "CommSetting.csv") << "1,38400,0\n";
    rig.engine().startUp();
    ASSERT_EQ(rig.engine().link().baudRate(), 38400);
    ASSERT_TRUE(rig.waitFor(UM_ANS_PS));
    ASSERT_TRUE(rig.engine().sendRaw("EX0104;")); // the radio's CAT rate item: 38400
    ASSERT_TRUE(rig.waitUntil([&] { return rig.sim().model().lineRate() == 38400; }));

    const std::size_t from = rig.received().size();
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(rig.linkUp());
    const auto took = std::chrono::steady_clock::now() - start;

    const Texts got = rig.received();
    EXPECT_TRUE(inOrder(Texts(got.begin() + static_cast<std::ptrdiff_t>(from), got.end()), linkUpReads(rig.menu())));
    EXPECT_LT(took, 3840ms) << std::chrono::duration_cast<std::chrono::milliseconds>(took).count() << " ms";
    EXPECT_EQ(rig.radio().get(RadioState::Int::FA), rig.sim().model().frequency(0));
}

} // namespace
} // namespace qx::test
