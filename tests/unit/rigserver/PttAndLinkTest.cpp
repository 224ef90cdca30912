// Who holds the transmitter, when the link must be asked for again, and the
// unkey before the port closes.
#include "RigFixture.h"

#include "rigserver/LinkKeeper.h"
#include "rigserver/PttGuard.h"
#include "rigserver/TransmitterRelease.h"

namespace qx::rig::test {
namespace {

TEST(PttGuard, TheHolderLeavingOrTheLinkDroppingReleases)
{
    PttGuard g;
    g.watch(true, false);
    g.keyed(3);
    EXPECT_FALSE(g.clientGone(4));
    EXPECT_TRUE(g.clientGone(3));
    EXPECT_FALSE(g.clientGone(3));

    // Keyed by whoever (the panel here): the link going down calls for an unkey.
    EXPECT_FALSE(g.watch(true, true));
    EXPECT_TRUE(g.watch(false, true));
    EXPECT_FALSE(g.watch(false, true));  // once, on the drop
}

TEST(PttGuard, AReleaseFromElsewhereEndsTheHoldButNotBeforeTheKeyDownWasSeen)
{
    PttGuard g;
    g.watch(true, false);
    g.keyed(5);
    EXPECT_FALSE(g.watch(true, false));  // the request is still on its way
    EXPECT_EQ(g.holder(), 5);
    EXPECT_FALSE(g.watch(true, true));
    EXPECT_FALSE(g.watch(true, false));  // the panel (or a "T 0") released it
    EXPECT_EQ(g.holder(), PttGuard::kNobody);
    EXPECT_FALSE(g.clientGone(5));
}

TEST(LinkKeeper, AsksAtOnceThenBacksOffToAMinuteAndStartsOverOnceLinked)
{
    using namespace std::chrono_literals;
    LinkKeeper k;
    LinkKeeper::Clock::time_point t{};
    EXPECT_TRUE(k.due(false, t));
    EXPECT_FALSE(k.due(false, t + 4s));
    EXPECT_TRUE(k.due(false, t += 5s));
    EXPECT_FALSE(k.due(false, t + 9s));
    EXPECT_TRUE(k.due(false, t += 10s));
    EXPECT_TRUE(k.due(false, t += 20s));
    EXPECT_TRUE(k.due(false, t += 40s));
    EXPECT_FALSE(k.due(false, t + 59s));
    EXPECT_TRUE(k.due(false, t += 60s));
    EXPECT_TRUE(k.due(false, t += 60s));
    EXPECT_FALSE(k.due(true, t += 1s));
    EXPECT_TRUE(k.due(false, t += 1s));
    EXPECT_FALSE(k.due(false, t + 4s));
    EXPECT_TRUE(k.due(false, t + 5s));
}

TEST_F(RigTest, AtQuitAKeyedTransmitterIsReleasedAndItsReleaseAwaited)
{
    using namespace std::chrono_literals;
    EXPECT_TRUE(releaseTransmitter(view, writer, 0ms));
    EXPECT_TRUE(writer.take().empty());

    radio.set(R::TX, 1);
    EXPECT_FALSE(releaseTransmitter(view, writer, 20ms));  // the radio never answered
    EXPECT_EQ(writer.take(), (std::vector<Sent>{{UM_REQ_TX_ONOFF, 0, 0}}));

    std::thread radioSide([this] {
        writer.waitFor(UM_REQ_TX_ONOFF);
        radio.set(R::TX, 0);
    });
    EXPECT_TRUE(releaseTransmitter(view, writer, 10s));
    radioSide.join();

    // With the link down nobody would answer: the unkey is sent, not awaited.
    radio.set(R::TX, 1);
    radio.set(R::AI, 0);
    writer.take();
    EXPECT_FALSE(releaseTransmitter(view, writer, 10s));
    EXPECT_EQ(writer.take(), (std::vector<Sent>{{UM_REQ_TX_ONOFF, 0, 0}}));
}

} // namespace
} // namespace qx::rig::test
