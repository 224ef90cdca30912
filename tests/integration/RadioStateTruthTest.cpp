// What the program believes of the radio against what the simulated radio
// holds: settings the radio keeps apart stay apart, and answers after an
// odd one still land in the state and in what rig-server clients read.
#include "EngineRig.h"

#include "app/RigServerHost.h"
#include "tests/Ser2netProcess.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace qx::test {
namespace {

using namespace std::chrono_literals;
using R = RadioState::Int;

// One rigctld-protocol line to the server on loopback; the answer's lines
// (`lines` of them) as one text.
std::string askRigServer(EngineRig& rig, int port, const std::string& line, int lines)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(static_cast<std::uint16_t>(port));
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (fd < 0 || ::connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) {
        if (fd >= 0)
            ::close(fd);
        return "(no connection)";
    }
    const std::string out = line + "\n";
    (void)!::write(fd, out.data(), out.size());
    std::string text;
    rig.waitUntil(
        [&] {
            pollfd p{fd, POLLIN, 0};
            if (::poll(&p, 1, 0) > 0) {
                char buf[512];
                const ssize_t n = ::read(fd, buf, sizeof buf);
                if (n > 0)
                    text.append(buf, static_cast<std::size_t>(n));
            }
            return std::count(text.begin(), text.end(), '\n') >= lines;
        },
        10s);
    ::close(fd);
    return text;
}

class RadioStateTruth : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(rig.simStarted());
        rig.engine().startUp();
        ASSERT_TRUE(rig.waitFor(UM_ANS_PS));
        ASSERT_TRUE(rig.linkUp());
        ASSERT_TRUE(host.apply({true, "127.0.0.1", 0})) << host.problem();
    }

    EngineRig rig;
    RigServerHost host{rig.engine(), rig.dir()};
};

// The simulated radio, as the real one, answers "SQ0000;" and "RG0255;".
TEST_F(RadioStateTruth, SquelchAndRfGainAreReadApart)
{
    ASSERT_TRUE(rig.waitUntil([&] { return rig.radio().get(R::RG0) == 255; }));
    EXPECT_EQ(rig.radio().get(R::SQ0), 0) << "the RF gain answer moved the squelch";
    EXPECT_EQ(askRigServer(rig, host.port(), "l SQL", 1), "0.000000\n");
    EXPECT_EQ(askRigServer(rig, host.port(), "l RF", 1), "1.000000\n");
}


// Where a stray "PS0;" falls against a frequency change on the radio.
enum class StrayOrder {
    ChangeRightAfter,     // the change follows the stray answer on the line
    ChangeAfterItIsTaken, // once the program has taken the radio as off
    ChangeRightBefore,    // the stray answer follows the change
    ChangeDuringReRead,   // while the program reads the radio again
};

class StrayPowerOff : public RadioStateTruth, public ::testing::WithParamInterface<StrayOrder> {};

// A stray "PS0;" makes the program take the radio as switched off and on and
// read it again; whatever the order, the frequency the radio reported last
// is what the state holds and what a rig-server client reads.
TEST_P(StrayPowerOff, TheLastFrequencyReportedIsWhatIsRead)
{
    ASSERT_EQ(rig.radio().get(R::FA), rig.sim().model().frequency(0));
    rig.clearReceived();
    const std::string change = "FA07074000;";
    switch (GetParam()) {
    case StrayOrder::ChangeRightAfter:
        rig.sim().sendStray("PS0;");
        ASSERT_TRUE(rig.sim().operate(change));
        break;
    case StrayOrder::ChangeAfterItIsTaken:
        rig.sim().sendStray("PS0;");
        ASSERT_TRUE(rig.waitUntil([&] { return rig.radio().get(R::PS) == 0; }));
        ASSERT_TRUE(rig.sim().operate(change));
        break;
    case StrayOrder::ChangeRightBefore:
        ASSERT_TRUE(rig.sim().operate(change));
        rig.sim().sendStray("PS0;");
        break;
    case StrayOrder::ChangeDuringReRead:
        rig.sim().sendStray("PS0;");
        ASSERT_TRUE(rig.waitFor(UM_ANS_ID));
        ASSERT_TRUE(rig.sim().operate(change));
        break;
    }
    ASSERT_EQ(rig.sim().model().frequency(0), 7074000);
    // Settled: the radio is on again in the program's eyes, identified and read.
    bool busySeen = false;
    ASSERT_TRUE(rig.waitUntil([&] {
        const bool busy = rig.engine().flags().waitBoxBusy.load();
        busySeen = busySeen || busy;
        return rig.count(UM_ANS_ID) >= 1 && busySeen && !busy && rig.radio().get(R::PS) == 1;
    }));
    EXPECT_EQ(rig.radio().get(R::FA), 7074000);
    EXPECT_EQ(askRigServer(rig, host.port(), "f", 1), "7074000\n");
}

INSTANTIATE_TEST_SUITE_P(Orders, StrayPowerOff,
                         ::testing::Values(StrayOrder::ChangeRightAfter, StrayOrder::ChangeAfterItIsTaken,
                                           StrayOrder::ChangeRightBefore, StrayOrder::ChangeDuringReRead));

// Started with --device, a network radio chosen in COM Select was saved and
// never used. The later choice wins for this run.
TEST(DeviceAndNetworkChoice, ANetworkRadioChosenAfterStartReplacesTheCommandLineDevice)
{
    if (const std::string why = Ser2netProcess::whyUnavailable(); !why.empty())
        GTEST_SKIP() << why;
    const int port = Ser2netProcess::freeLoopbackPort();
    ASSERT_NE(port, 0);
    EngineRig rig(false, {}, std::string("/nonexistent/qx720"));
    ASSERT_TRUE(rig.simStarted());
    Ser2netProcess ser2net(rig.dir(), rig.radioLink().string(), port, false);
    std::string why;
    ASSERT_TRUE(ser2net.start(why)) << why;
    rig.engine().startUp();

    const std::string network = "tcp://127.0.0.1:" + std::to_string(port);
    ASSERT_TRUE(rig.engine().setNetworkDevice(network, &why)) << why;
    EXPECT_EQ(rig.engine().devicePathFor(3), network);
    EXPECT_EQ(rig.engine().linkStatus().port, network);
    ASSERT_TRUE(rig.linkUp()) << "the link comes up over the network";
    EXPECT_EQ(rig.radio().get(R::AI), 1);

    // Back to the numbered ports: --device serves them again.
    ASSERT_TRUE(rig.engine().setNetworkDevice(std::nullopt, &why)) << why;
    EXPECT_EQ(rig.engine().devicePathFor(3), "/nonexistent/qx720");
}

} // namespace
} // namespace qx::test
