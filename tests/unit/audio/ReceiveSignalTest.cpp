#include "sim/audio/ReceiveSignal.h"

#include <gtest/gtest.h>

#include <vector>

using qx::sim::ReceiveSignal;

namespace {

int upwardCrossings(const std::vector<std::int16_t>& s)
{
    int n = 0;
    for (std::size_t i = 1; i < s.size(); ++i)
        n += s[i - 1] < 0 && s[i] >= 0;
    return n;
}

} // namespace

TEST(ReceiveSignal, ThePitchIsTheDistanceFromTheDialWithinThePassband)
{
    EXPECT_EQ(ReceiveSignal::pitchFor(14201234, 14200000), 1234);
    EXPECT_EQ(ReceiveSignal::pitchFor(14201234, 14202000), 766);
    EXPECT_EQ(ReceiveSignal::pitchFor(14201234, 14195000), 0);  // too far
    EXPECT_EQ(ReceiveSignal::pitchFor(14201234, 14201200), 0);  // too close to hear

    ReceiveSignal sig(14201234);
    std::vector<std::int16_t> s(48000);
    sig.render(14200000, false, s.data(), 48000);
    EXPECT_NEAR(upwardCrossings(s), 1234, 1);
    sig.render(14200500, false, s.data(), 48000);
    EXPECT_NEAR(upwardCrossings(s), 734, 1);
    // A transmitting radio hears nothing.
    sig.render(14200000, true, s.data(), 48000);
    EXPECT_EQ(upwardCrossings(s), 0);
}

TEST(ReceiveSignal, TheBeaconKeysItsCarrierInMorse)
{
    ReceiveSignal beacon(14201000, true, "E ");
    // "E " is one dot keyed, then 7 dots quiet: 8 dots of 60 ms.
    std::vector<std::int16_t> s(48000 * 60 / 1000 * 8);
    beacon.render(14200000, false, s.data(), static_cast<int>(s.size()));
    const std::size_t dot = 48000 * 60 / 1000;
    const std::vector<std::int16_t> on(s.begin(), s.begin() + static_cast<long>(dot));
    const std::vector<std::int16_t> off(s.begin() + static_cast<long>(dot), s.end());
    EXPECT_GT(upwardCrossings(on), 50);
    EXPECT_EQ(upwardCrossings(off), 0);
}
