#include "sim/SimConsole.h"
#include "sim/SimulatedRadio.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <string>
#include <unistd.h>

namespace qx::sim {
namespace {

using namespace std::chrono_literals;
constexpr auto kPatience = 5s;

// A CAT client on the slave side, as the program would be.
class Client {
public:
    explicit Client(const std::string& device) : fd_(::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK)) {}
    ~Client()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    bool ok() const { return fd_ >= 0; }
    void send(const std::string& text) { ASSERT_EQ(::write(fd_, text.data(), text.size()), static_cast<ssize_t>(text.size())); }

    // Reads until `expected` has arrived; false on time-out or hang-up.
    bool receive(const std::string& expected)
    {
        const auto end = std::chrono::steady_clock::now() + kPatience;
        while (received_.find(expected) == std::string::npos) {
            if (!waitReadable(end))
                return false;
            char buffer[256];
            const ssize_t n = ::read(fd_, buffer, sizeof buffer);
            if (n <= 0 && !(n < 0 && errno == EAGAIN))
                return false;
            if (n > 0)
                received_.append(buffer, static_cast<std::size_t>(n));
        }
        return true;
    }

    // True once the line has gone: poll reports a hang-up or a read fails.
    bool hungUp()
    {
        const auto end = std::chrono::steady_clock::now() + kPatience;
        while (waitReadable(end)) {
            char buffer[256];
            const ssize_t n = ::read(fd_, buffer, sizeof buffer);
            if (n == 0 || (n < 0 && errno != EAGAIN))
                return true;
        }
        return false;
    }

    const std::string& received() const { return received_; }

private:
    bool waitReadable(std::chrono::steady_clock::time_point end)
    {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            return false;
        pollfd p{fd_, POLLIN, 0};
        return ::poll(&p, 1, static_cast<int>(left.count())) > 0;
    }

    int fd_;
    std::string received_;
};

SimOptions linkedTo(const std::string& path)
{
    SimOptions options;
    options.linkPath = path;
    return options;
}

std::string tempLink()
{
    return "/tmp/qx720-sim-test-" + std::to_string(::getpid());
}

TEST(SimulatedRadio, PlainClientGetsAnswersAndTheLogShowsBothWays)
{
    SimulatedRadio radio;
    ASSERT_TRUE(radio.start());
    Client client(radio.slaveName());
    ASSERT_TRUE(client.ok());
    client.send("FA;ID;");
    ASSERT_TRUE(client.receive("FA14250000;ID0241;"));
    ASSERT_TRUE(radio.log().waitForText(Direction::Sent, "ID0241;", kPatience));
    const auto events = radio.log().events();
    ASSERT_GE(events.size(), 4u);
    EXPECT_EQ(events[0].direction, Direction::Received);
    EXPECT_EQ(events[0].text, "FA;");
    EXPECT_EQ(events[2].text, "FA14250000;");
    EXPECT_LE(events[0].at, events[2].at);
}

TEST(SimulatedRadio, FrontPanelChangesReachTheClientWithAutoInformation)
{
    SimulatedRadio radio;
    ASSERT_TRUE(radio.start());
    Client client(radio.slaveName());
    client.send("AI1;AI;");
    ASSERT_TRUE(client.receive("AI1;"));
    radio.turnDial(4);
    EXPECT_TRUE(client.receive("FA14250040;"));
    radio.setMode(3);
    EXPECT_TRUE(client.receive("MD03;"));
}

TEST(SimulatedRadio, SplitAnswersStillArriveWhole)
{
    SimulatedRadio radio;
    radio.setFaults({.splitGap = 40ms});
    ASSERT_TRUE(radio.start());
    Client client(radio.slaveName());
    client.send("FB;");
    EXPECT_TRUE(client.receive("FB07050000;"));
}

TEST(SimulatedRadio, SilentLineAnswersNothingButLogsIt)
{
    SimulatedRadio radio;
    radio.setFaults({.silent = true});
    ASSERT_TRUE(radio.start());
    Client client(radio.slaveName());
    client.send("FA;");
    EXPECT_TRUE(radio.log().waitForText(Direction::Note, "silent: FA14250000;", kPatience));
    radio.setFaults({});
    client.send("ID;");
    ASSERT_TRUE(client.receive("ID0241;"));
    EXPECT_EQ(client.received(), "ID0241;");
}

TEST(SimulatedRadio, HangUpClosesTheLineAndItComesBackBehindTheLink)
{
    const std::string link = tempLink();
    SimulatedRadio radio(linkedTo(link));
    ASSERT_TRUE(radio.start());
    {
        Client client(link);
        ASSERT_TRUE(client.ok());
        radio.hangUp(0ms);
        EXPECT_TRUE(client.hungUp());
        EXPECT_TRUE(radio.log().waitForText(Direction::Note, "hang up", kPatience));
    }
    const std::size_t mark = radio.log().size();
    radio.comeBack();
    ASSERT_TRUE(radio.log().waitFor(
        [&](const EventLog::Events& e) { return e.size() > mark && e.back().text.rfind("back on ", 0) == 0; },
        kPatience));
    Client again(link);
    ASSERT_TRUE(again.ok());
    again.send("PS;");
    EXPECT_TRUE(again.receive("PS1;"));
    radio.stop();
    EXPECT_NE(::access(link.c_str(), F_OK), 0);  // the link goes with the radio
}

TEST(SimulatedRadio, LinkNeverReplacesARealFile)
{
    const std::string path = tempLink() + "-file";
    const int fd = ::open(path.c_str(), O_CREAT | O_WRONLY, 0600);
    ASSERT_GE(fd, 0);
    ::close(fd);
    SimulatedRadio radio(linkedTo(path));
    EXPECT_FALSE(radio.start());
    EXPECT_EQ(::unlink(path.c_str()), 0);
}

TEST(SimConsole, CommandsDriveThePanelAndTheFaults)
{
    SimulatedRadio radio;  // no line needed
    SimConsole console(radio);
    EXPECT_EQ(console.execute("dial 5"), "ok");
    EXPECT_EQ(radio.model().frequency(0), 14250050);
    EXPECT_EQ(console.execute("MODE cw"), "ok");
    EXPECT_EQ(radio.model().mode(0), 3);
    EXPECT_EQ(console.execute("band 10"), "ok");
    EXPECT_EQ(radio.model().frequency(0), 50150000);
    EXPECT_EQ(console.execute("tx"), "ok");
    EXPECT_TRUE(radio.model().transmitting());
    EXPECT_EQ(console.execute("drop 25"), "ok");
    EXPECT_EQ(console.execute("split 30"), "ok");
    EXPECT_DOUBLE_EQ(radio.faults().dropShare, 0.25);
    EXPECT_EQ(radio.faults().splitGap, 30ms);
    EXPECT_EQ(console.execute("clear"), "ok");
    EXPECT_FALSE(radio.faults().any());
    EXPECT_EQ(console.execute("power off"), "ok");
    EXPECT_EQ(radio.model().powerState(), RadioModel::Power::Off);
    EXPECT_FALSE(console.quitRequested());
    console.execute("quit");
    EXPECT_TRUE(console.quitRequested());
}

// Before, mode 6 was called RTTY-L, while the program sets it as DATA with
// the "D TYPE" menu setting for its flavour.
TEST(SimConsole, ModesGoByTheNamesThePanelGivesThem)
{
    SimulatedRadio radio;
    SimConsole console(radio);
    EXPECT_EQ(console.execute("mode data"), "ok");
    EXPECT_EQ(radio.model().mode(0), 6);
    EXPECT_NE(console.execute("status").find("A 14250000 Hz DATA (RTTY),"), std::string::npos)
        << console.execute("status");
    ASSERT_TRUE(radio.operate("EX0262;"));
    EXPECT_NE(console.execute("status").find("A 14250000 Hz DATA (USER-U),"), std::string::npos);
    EXPECT_EQ(console.execute("mode CW-R"), "ok");
    EXPECT_EQ(radio.model().mode(0), 7);
    EXPECT_EQ(console.execute("mode 11"), "ok");
    EXPECT_NE(console.execute("status").find("A 14250000 Hz mode 11,"), std::string::npos);
    for (const char* gone : {"mode RTTY-L", "mode DATA-U", "mode 13", "mode 0"})
        EXPECT_EQ(console.execute(gone).rfind("unknown mode", 0), 0u) << gone;
}

TEST(SimConsole, BadInputIsExplainedAndChangesNothing)
{
    SimulatedRadio radio;
    SimConsole console(radio);
    for (const char* line : {"dial", "dial x", "mode XYZ", "band 12", "drop 101", "corrupt -1", "split 1e3",
                             "power maybe", "noise 0", "frobnicate"}) {
        EXPECT_NE(console.execute(line), "ok") << line;
    }
    EXPECT_EQ(radio.model().frequency(0), 14250000);
    EXPECT_FALSE(radio.faults().any());
    EXPECT_EQ(console.execute("   "), "");
}

} // namespace
} // namespace qx::sim
