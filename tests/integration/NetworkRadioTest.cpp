// The engine driving the simulated radio through the real ser2net, as an
// operator drives a radio at another place: raw TCP and telnet with RFC 2217,
// a far side that goes away and comes back, and a long network path.
#include "DelayProxy.h"
#include "EngineRig.h"
#include "LinkUpTexts.h"
#include "tests/Ser2netProcess.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <fstream>
#include <map>
#include <termios.h>
#include <unistd.h>

namespace qx::test {
namespace {

using namespace std::chrono_literals;

#define SKIP_WITHOUT_SER2NET()                                                                                         \
    do {                                                                                                               \
        if (const std::string why = Ser2netProcess::whyUnavailable(); !why.empty())                                   \
            GTEST_SKIP() << why;                                                                                       \
    } while (0)

// The line settings of the radio's pseudo-terminal, as ser2net set them.
struct PtyLine {
    speed_t speed = 0;
    bool eightBits = false, parity = true, twoStopBits = false, rtsCts = false;
};

std::optional<PtyLine> ptyLine(const std::filesystem::path& device)
{
    const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    termios t{};
    const bool ok = ::tcgetattr(fd, &t) == 0;
    ::close(fd);
    if (!ok)
        return std::nullopt;
    return PtyLine{::cfgetospeed(&t), (t.c_cflag & CSIZE) == CS8, (t.c_cflag & PARENB) != 0,
                   (t.c_cflag & CSTOPB) != 0, (t.c_cflag & CRTSCTS) != 0};
}

bool radioHasFrequency(EngineRig& rig, long long hz)
{
    return rig.waitUntil([&] { return rig.sim().model().frequency(0) == hz; }, 15s);
}

// The link-up's reads reached the radio in order. The builder is done when
// it has sent the last of them; on a slow path the radio sees it later.
void expectLinkUpReads(EngineRig& rig)
{
    const std::vector<std::string> menuRead = menuReadTexts(rig.menu());
    EXPECT_TRUE(rig.waitUntil(
        [&] {
            const auto got = rig.received();
            const std::size_t id = indexOf(got, "ID;", indexOf(got, "AI1;"));
            return inOrder(got, readAllTexts(), id) && inOrder(got, menuRead, indexOf(got, "SF;", id));
        },
        5s));
    EXPECT_EQ(rig.radio().get(RadioState::Int::FA), rig.sim().model().frequency(0));
}

TEST(NetworkRadio, RawTcpThroughSer2netRefusedThenUpThenLostAndReconnected)
{
    SKIP_WITHOUT_SER2NET();
    const int port = Ser2netProcess::freeLoopbackPort();
    ASSERT_NE(port, 0);
    const std::string device = "tcp://127.0.0.1:" + std::to_string(port);
    EngineRig rig(false, {}, device);
    ASSERT_TRUE(rig.simStarted());
    Ser2netProcess ser2net(rig.dir(), rig.radioLink().string(), port, false);

    // Nobody listens yet: the open at start-up is refused, and says where.
    const StartReport report = rig.engine().startUp();
    EXPECT_TRUE(report.portOpenPosted);
    ASSERT_TRUE(rig.waitUntil([&] { return !rig.engine().link().lastOpenFailure().empty(); }, 10s));
    EXPECT_EQ(rig.engine().link().lastOpenFailure(), device + ": Connection refused");
    EXPECT_FALSE(rig.engine().link().isOpen());

    // ser2net comes up; the link key tries again and the whole state is read.
    std::string why;
    ASSERT_TRUE(ser2net.start(why)) << why;
    ASSERT_TRUE(rig.linkUp());
    expectLinkUpReads(rig);
    // The operator sees the network address where a serial port's path would be.
    EXPECT_EQ(rig.engine().linkStatus().port, device);
    EXPECT_EQ(rig.engine().linkStatus().phase, LinkPhase::Linked);

    rig.engine().postToThread(ThreadId::AnlSend, {UM_REQ_FA_SET, 0, 14074000});
    EXPECT_TRUE(radioHasFrequency(rig, 14074000));

    // ser2net stops: the closed connection is the hang-up, and a command
    // meanwhile meets a refusal.
    ser2net.stop();
    ASSERT_TRUE(rig.waitUntil([&] { return !rig.engine().link().isOpen(); }, 10s));
    const std::size_t boxes = rig.count(UM_SHOW_ERROR);
    rig.engine().postToThread(ThreadId::AnlSend, {UM_REQ_FA_SET, 0, 7074000});
    ASSERT_TRUE(rig.waitFor(UM_SHOW_ERROR, boxes + 1, 10s));
    EXPECT_EQ(rig.engine().link().lastOpenFailure(), device + ": Connection refused");

    // Back again: the next command reconnects and reaches the radio.
    ASSERT_TRUE(ser2net.start(why)) << why;
    rig.engine().postToThread(ThreadId::AnlSend, {UM_REQ_FA_SET, 0, 7074000});
    EXPECT_TRUE(radioHasFrequency(rig, 7074000));
    EXPECT_TRUE(rig.engine().link().isOpen());
}

TEST(NetworkRadio, Rfc2217SetsTheFarLineOnOpenAndOnASpeedChange)
{
    SKIP_WITHOUT_SER2NET();
    const int port = Ser2netProcess::freeLoopbackPort();
    ASSERT_NE(port, 0);
    EngineRig rig(false, {}, "rfc2217://127.0.0.1:" + std::to_string(port));
    ASSERT_TRUE(rig.simStarted());
    // ser2net's own setting differs from ours in speed and stop bits.
    Ser2netProcess ser2net(rig.dir(), rig.radioLink().string(), port, true, "38400n81");
    std::string why;
    ASSERT_TRUE(ser2net.start(why)) << why;

    rig.engine().startUp();
    ASSERT_TRUE(rig.waitFor(UM_ANS_PS));
    auto line = ptyLine(rig.radioLink());
    ASSERT_TRUE(line);
    EXPECT_EQ(line->speed, static_cast<speed_t>(B4800));
    EXPECT_TRUE(line->eightBits);
    EXPECT_FALSE(line->parity);
    EXPECT_TRUE(line->twoStopBits);
    EXPECT_TRUE(line->rtsCts);
    const auto start = rig.received();
    ASSERT_GE(start.size(), 2u);
    EXPECT_EQ(start[0], "AI0;"); // the telnet negotiation leaves no trace in the data
    EXPECT_EQ(start[1], "PS;");

    ASSERT_TRUE(rig.linkUp());
    expectLinkUpReads(rig);
    rig.engine().postToThread(ThreadId::AnlSend, {UM_REQ_FA_SET, 0, 21074000});
    EXPECT_TRUE(radioHasFrequency(rig, 21074000));

    // As the Baud rate dialog does it: close, store, and the next command reopens.
    rig.engine().link().close();
    rig.engine().link().setBaudRate(9600);
    // ser2net may still be ending the session just closed when the reopen
    // comes; a command sent while the port cannot open is dropped, as for any
    // port, so it is sent again as an operator would.
    bool reached = false;
    for (int attempt = 0; attempt < 3 && !reached; ++attempt) {
        rig.engine().postToThread(ThreadId::AnlSend, {UM_REQ_FA_SET, 0, 28074000});
        reached = rig.waitUntil([&] { return rig.sim().model().frequency(0) == 28074000; }, 8s);
    }
    EXPECT_TRUE(reached);
    line = ptyLine(rig.radioLink());
    ASSERT_TRUE(line);
    EXPECT_EQ(line->speed, static_cast<speed_t>(B9600));
    EXPECT_TRUE(line->twoStopBits);
}

TEST(NetworkRadio, ARememberedNetworkRadioStandsInForTheComPortUntilAPortIsNamed)
{
    SKIP_WITHOUT_SER2NET();
    const int port = Ser2netProcess::freeLoopbackPort();
    ASSERT_NE(port, 0);
    const std::string device = "tcp://127.0.0.1:" + std::to_string(port);
    std::optional<int> portNumber;
    // No --device, and no serial device behind any COM number.
    auto local = [&](EngineConfig& c) {
        c.devicePath.reset();
        c.devDir = c.baseDir / "no-devices";
        c.portNumber = portNumber;
    };
    EngineRig rig(false, {}, std::nullopt, local);
    ASSERT_TRUE(rig.simStarted());
    Ser2netProcess ser2net(rig.dir(), rig.radioLink().string(), port, false);
    std::string why;
    ASSERT_TRUE(ser2net.start(why)) << why;
    std::filesystem::create_directories(rig.dir() / "CommoFiles");
    std::ofstream(rig.dir() / "CommoFiles" / "rcp720.conf") << "network-device = " << device << "\n";

    EXPECT_TRUE(rig.engine().startUp().portOpenPosted);
    ASSERT_TRUE(rig.waitFor(UM_ANS_PS));
    EXPECT_EQ(rig.engine().devicePathFor(5), device) << "whatever the COM number";
    EXPECT_EQ(rig.engine().linkStatus().port, device);

    // Chosen again in COM Select: the status follows at once, before any open.
    const std::string other = "rfc2217://127.0.0.1:" + std::to_string(port);
    ASSERT_TRUE(rig.engine().setNetworkDevice(other, &why)) << why;
    EXPECT_EQ(rig.engine().linkStatus().port, other);
    ASSERT_TRUE(rig.engine().setNetworkDevice(device, &why)) << why;

    // Naming a COM port at start replaces the remembered radio, in the file too.
    bool gone = false;
    {
        portNumber = 2;
        EngineRig other(false, {}, std::nullopt, local);
        std::filesystem::create_directories(other.dir() / "CommoFiles");
        std::ofstream(other.dir() / "CommoFiles" / "rcp720.conf") << "network-device = " << device << "\nkeep = 1\n";
        other.engine().startUp();
        EXPECT_EQ(other.engine().devicePathFor(2), std::nullopt);
        std::ifstream in(other.dir() / "CommoFiles" / "rcp720.conf");
        const std::string text{std::istreambuf_iterator<char>(in), {}};
        gone = text == "keep = 1\n";
    }
    EXPECT_TRUE(gone);
}

TEST(NetworkRadio, ALinkWithA300MsRoundTripComesUpAndStaysUp)
{
    SKIP_WITHOUT_SER2NET();
    const int port = Ser2netProcess::freeLoopbackPort();
    ASSERT_NE(port, 0);
    DelayProxy proxy(port, 150ms);
    ASSERT_NE(proxy.port(), 0);
    EngineRig rig(false, {}, "tcp://127.0.0.1:" + std::to_string(proxy.port()));
    ASSERT_TRUE(rig.simStarted());
    Ser2netProcess ser2net(rig.dir(), rig.radioLink().string(), port, false);
    std::string why;
    ASSERT_TRUE(ser2net.start(why)) << why;

    rig.engine().startUp();
    ASSERT_TRUE(rig.waitFor(UM_ANS_PS));
    ASSERT_TRUE(rig.linkUp(60s));
    expectLinkUpReads(rig);

    // Four one-second status polls answered: longer than the watchdog's
    // three seconds, and the link never dropped meanwhile.
    bool dropped = false;
    const std::size_t polls = rig.count(UM_ANS_IF);
    EXPECT_TRUE(rig.waitUntil(
        [&] {
            dropped = dropped || rig.radio().get(RadioState::Int::AI) != 1 || !rig.engine().link().isOpen();
            return rig.count(UM_ANS_IF) >= polls + 4;
        },
        20s));
    EXPECT_FALSE(dropped);

    // Nothing was sent twice: one link-up, and each read of the sequence once
    // (the status and power polls run beside it, and every mode answer is
    // followed by a read of "ST": those are left out).
    const auto got = rig.received();
    EXPECT_EQ(std::count(got.begin(), got.end(), "AI1;"), 1);
    EXPECT_EQ(std::count(got.begin(), got.end(), "ID;"), 1);
    const std::size_t id = indexOf(got, "ID;");
    const std::size_t last = indexOf(got, "SF;", id);
    ASSERT_LT(last, got.size());
    std::map<std::string, int> seen;
    for (std::size_t i = id + 1; i <= last; ++i)
        ++seen[got[i]];
    for (const auto& text : readAllTexts()) {
        if (text != "IF;" && text != "PS;" && text != "ST;") {
            EXPECT_EQ(seen[text], 1) << text;
        }
    }
}

} // namespace
} // namespace qx::test
