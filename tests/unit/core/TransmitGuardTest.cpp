#include "core/TransmitGuard.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qx {
namespace {

using namespace std::chrono_literals;

class TransmitGuardTest : public ::testing::Test {
protected:
    TransmitGuardTest()
    {
        guard.setReleased([this](const std::string& why) { reasons.push_back(why); });
        guard.setArmed([this](TransmitGuard::Clock::duration after) { armedFor.push_back(after); });
    }

    TransmitGuard::Clock::time_point now{};
    std::vector<bool> sent;
    std::vector<std::string> reasons;
    std::vector<TransmitGuard::Clock::duration> armedFor;
    TransmitGuard guard{[this](bool on) { sent.push_back(on); }, [this] { return now; }};
};

TEST_F(TransmitGuardTest, AKeyDownHeldPastTheTimeOutIsReleasedAndEveryoneToldWhoAndWhy)
{
    guard.key("web page 10.0.0.2 #1");
    ASSERT_EQ(armedFor, std::vector<TransmitGuard::Clock::duration>{180s});
    now += 179s;
    EXPECT_FALSE(guard.expireIfDue());
    // Looked at early, it asks to be looked at again when the time is up.
    EXPECT_EQ(armedFor.back(), 1s);
    guard.radioReports(true);
    now += 1s;
    EXPECT_TRUE(guard.expireIfDue());
    EXPECT_EQ(sent, (std::vector<bool>{true, false}));
    ASSERT_EQ(reasons.size(), 1u);
    EXPECT_NE(reasons[0].find("web page 10.0.0.2 #1"), std::string::npos);
    EXPECT_NE(reasons[0].find("180 s"), std::string::npos);
    EXPECT_FALSE(guard.keyed());
    EXPECT_FALSE(guard.expireIfDue());
}

TEST_F(TransmitGuardTest, AKeyDownNobodyAnnouncedIsTimedFromTheRadiosReport)
{
    guard.setTimeout(30s);
    now += 5s;
    guard.radioReports(true);
    EXPECT_TRUE(guard.keyed());
    EXPECT_EQ(guard.holder(), "the radio");
    now += 29s;
    EXPECT_FALSE(guard.expireIfDue());
    now += 1s;
    EXPECT_TRUE(guard.expireIfDue());
    EXPECT_EQ(sent, std::vector<bool>{false});
}

TEST_F(TransmitGuardTest, ReceiveBeforeTheRadioConfirmedTheKeyDownDoesNotStopTheClock)
{
    guard.key("panel");
    // The key request is still on its way: the radio still says receive.
    guard.radioReports(false);
    EXPECT_TRUE(guard.keyed());
    guard.radioReports(true);
    guard.radioReports(false);  // now released at the radio (the panel, the mic)
    EXPECT_FALSE(guard.keyed());
    now += 1h;
    EXPECT_FALSE(guard.expireIfDue());
    EXPECT_EQ(sent, std::vector<bool>{true});
}

TEST_F(TransmitGuardTest, NoTimeOutWhenSetToZeroAndUnkeyAlwaysSends)
{
    guard.setTimeout(0s);
    guard.key("a rig server client");
    EXPECT_TRUE(armedFor.empty());
    now += 10h;
    EXPECT_FALSE(guard.expireIfDue());
    guard.unkey("anyone");
    guard.unkey("anyone");
    EXPECT_EQ(sent, (std::vector<bool>{true, false, false}));
    EXPECT_TRUE(reasons.empty());
}

} // namespace
} // namespace qx
