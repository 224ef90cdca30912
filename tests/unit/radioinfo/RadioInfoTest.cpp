// The radio-info datagrams: what they say of the radio, when they go, and
// that they reach a listener on this computer when the state changes.
#include "radioinfo/RadioInfoPacer.h"
#include "radioinfo/RadioInfoSender.h"
#include "radioinfo/RadioInfoXml.h"
#include "tests/unit/rigserver/RigFixture.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace qx::radioinfo {
namespace {

using R = RadioState::Int;
using namespace std::chrono_literals;

class RadioInfoTest : public ::testing::Test {
protected:
    RadioInfoTest()
    {
        MenuLoader loader(menu, {[this](int n) { radio.set(R::HIGHEST_MENU, n); }, {}});
        loader.load();
        radio.set(R::AI, 1);
        radio.set(R::PS, 1);
        radio.set(R::FA, 14074000);
        radio.set(R::FB, 14076500);
        radio.set(R::MD0, 7);
        radio.set(R::FT, 1);
    }
    RadioState radio;
    CommandState command;
    MenuTable menu;
    rig::RigStateView view{radio, command, menu};
};

TEST_F(RadioInfoTest, TheDatagramTellsFrequenciesInTensOfHzModeAndFlags)
{
    const RadioInfo info = readRadioInfo(view);
    EXPECT_EQ(info, (RadioInfo{true, 14074000, 14076500, "CW", true, false}));
    const std::string xml = radioInfoXml(info);
    for (const char* part : {"<RadioInfo>", "<Freq>1407400</Freq>", "<TXFreq>1407650</TXFreq>", "<Mode>CW</Mode>",
                             "<IsSplit>True</IsSplit>", "<IsTransmitting>False</IsTransmitting>",
                             "<RadioName>QX-720</RadioName>", "<IsConnected>True</IsConnected>", "</RadioInfo>"})
        EXPECT_NE(xml.find(part), std::string::npos) << part;
    radio.set(R::AI, 0);
    EXPECT_FALSE(readRadioInfo(view).connected);
}

TEST(RadioInfoPacer, SendsOnChangeAtMostTenTimesASecond)
{
    RadioInfoPacer pacer;
    const RadioInfoPacer::Clock::time_point t0{};
    RadioInfo a{true, 7000000, 7000000, "LSB", false, false};
    EXPECT_TRUE(pacer.take(a, t0));
    EXPECT_FALSE(pacer.take(a, t0 + 1s));  // nothing changed: nothing sent
    RadioInfo b = a;
    b.rxHz = 7000010;
    EXPECT_TRUE(pacer.take(b, t0 + 1s));
    b.rxHz = 7000020;
    EXPECT_FALSE(pacer.take(b, t0 + 1s + 50ms));  // too soon after the last
    const auto later = pacer.take(b, t0 + 1s + 100ms);
    ASSERT_TRUE(later);
    EXPECT_EQ(later->rxHz, 7000020);  // the newest state, not the one held back
}

TEST_F(RadioInfoTest, AListenerHearsTheChange)
{
    const int listener = ::socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&a), sizeof a), 0);
    socklen_t len = sizeof a;
    ::getsockname(listener, reinterpret_cast<sockaddr*>(&a), &len);

    // The sender's own view: it is read on the sender's thread only.
    rig::RigStateView own{radio, command, menu};
    RadioInfoSender sender(own);
    ASSERT_TRUE(sender.start({true, "127.0.0.1", ntohs(a.sin_port)})) << sender.error();
    auto receive = [&](const std::string& wanted) {
        char buf[4096];
        for (int i = 0; i < 100; ++i) {
            pollfd p{listener, POLLIN, 0};
            if (::poll(&p, 1, 10000) != 1)
                return false;
            const ssize_t n = ::recv(listener, buf, sizeof buf, 0);
            if (n > 0 && std::string(buf, static_cast<std::size_t>(n)).find(wanted) != std::string::npos)
                return true;
        }
        return false;
    };
    EXPECT_TRUE(receive("<Freq>1407400</Freq>"));
    radio.set(R::FA, 21074000);
    EXPECT_TRUE(receive("<Freq>2107400</Freq>"));
    sender.stop();
    ::close(listener);
}

} // namespace
} // namespace qx::radioinfo
