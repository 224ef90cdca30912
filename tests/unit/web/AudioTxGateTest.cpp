#include "web/AudioTxGate.h"

#include <gtest/gtest.h>

using namespace std::chrono_literals;
using qx::web::AudioTxGate;
using Frame = AudioTxGate::Frame;

namespace {
const qx::web::WebClock::time_point t0{};
}

TEST(AudioTxGate, KeysOnTheFirstFrameAndUnkeysAfterAGapOf500ms)
{
    AudioTxGate g;
    EXPECT_FALSE(g.gapOver(t0));  // nothing keyed yet
    EXPECT_EQ(g.frame(t0), Frame::KeyDown);
    EXPECT_EQ(g.frame(t0 + 20ms), Frame::Keyed);
    EXPECT_EQ(g.frame(t0 + 519ms), Frame::Keyed);  // 499 ms after the one before
    EXPECT_FALSE(g.gapOver(t0 + 1018ms));
    EXPECT_TRUE(g.gapOver(t0 + 1019ms));
    g.released();
    EXPECT_FALSE(g.gapOver(t0 + 5s));
    // The next burst keys again.
    EXPECT_EQ(g.frame(t0 + 6s), Frame::KeyDown);
}

TEST(AudioTxGate, AfterARelease_FramesThatKeepComingDoNotKeyAgain)
{
    AudioTxGate g;
    g.frame(t0);
    g.lockOut();  // the time-out ended the transmission
    EXPECT_FALSE(g.keyed());
    for (auto t = t0 + 20ms; t < t0 + 3s; t += 20ms)
        ASSERT_EQ(g.frame(t), Frame::Refused);
    // A pause as long as the gap is a release: the next frame is a new burst.
    EXPECT_EQ(g.frame(t0 + 3s + 500ms), Frame::KeyDown);

    // A new press is a new burst at once.
    g.lockOut();
    EXPECT_EQ(g.frame(t0 + 3s + 520ms), Frame::Refused);
    g.pressed();
    EXPECT_EQ(g.frame(t0 + 3s + 540ms), Frame::KeyDown);
}
