// Hamlib's own network client (rigctl -m 2, "NET rigctl") against the rig
// server on the whole engine and the simulated radio: the open handshake,
// sets that reach the radio's line, reads answered from the state without a
// byte on the line, and where the server's setting is kept.
#include "EngineRig.h"

#include "app/RigServerHost.h"
#include "core/KeyValueFile.h"
#include "rigserver/RigServer.h"

#include <QStandardPaths>

#include <arpa/inet.h>
#include <csignal>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace qx::test {
namespace {

using namespace std::chrono_literals;

// One rigctl run with these commands against the server. A plain fork and
// exec: a child that only calls exec is all a race checker can follow after a
// fork from a program with threads.
class Rigctl {
public:
    Rigctl(int port, const std::vector<std::string>& commands, const std::vector<std::string>& options = {})
        : first_(commands.empty() ? std::string() : commands.front())
    {
        std::vector<std::string> words{"rigctl", "-m", "2", "-r", "127.0.0.1:" + std::to_string(port)};
        words.insert(words.end(), options.begin(), options.end());
        words.insert(words.end(), commands.begin(), commands.end());
        std::vector<char*> argv;
        for (std::string& w : words)
            argv.push_back(w.data());
        argv.push_back(nullptr);
        int out[2];
        if (::pipe2(out, O_CLOEXEC) != 0)
            return;
        pid_ = ::fork();
        if (pid_ == 0) {
            ::dup2(out[1], STDOUT_FILENO);
            const int null = ::open("/dev/null", O_WRONLY);
            ::dup2(null, STDERR_FILENO);
            ::execvp(argv[0], argv.data());
            ::_exit(127);
        }
        ::close(out[1]);
        ::fcntl(out[0], F_SETFL, O_NONBLOCK);
        fd_ = out[0];
    }
    ~Rigctl()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }

    // True once it has ended and its output is all in.
    bool poll()
    {
        if (done_)
            return true;
        char buf[4096];
        ssize_t n;
        while ((n = ::read(fd_, buf, sizeof buf)) > 0)
            text_.append(buf, static_cast<std::size_t>(n));
        done_ = n == 0 && ::waitpid(pid_, &status_, WNOHANG) == pid_;
        return done_;
    }
    void kill()
    {
        if (done_ || pid_ <= 0)
            return;
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, &status_, 0);
    }
    bool succeeded() const { return done_ && WIFEXITED(status_) && WEXITSTATUS(status_) == 0; }
    const std::string& first() const { return first_; }
    std::vector<std::string> lines() const
    {
        std::vector<std::string> lines;
        std::size_t from = 0;
        for (std::size_t nl; (nl = text_.find('\n', from)) != std::string::npos; from = nl + 1)
            if (nl > from)
                lines.push_back(text_.substr(from, nl - from));
        return lines;
    }

private:
    std::string first_;
    pid_t pid_ = -1;
    int fd_ = -1;
    int status_ = -1;
    bool done_ = false;
    std::string text_;
};

// Waits for every run to end; false (each failure reported) when one did not
// or failed.
bool finish(EngineRig& rig, std::vector<std::unique_ptr<Rigctl>>& runs)
{
    const bool done = rig.waitUntil(
        [&] {
            bool all = true;
            for (auto& r : runs)
                all = r->poll() && all;
            return all;
        },
        30s);
    bool ok = done;
    for (auto& r : runs) {
        if (!done)
            r->kill();
        EXPECT_TRUE(r->succeeded()) << "rigctl " << r->first() << "...";
        ok = ok && r->succeeded();
    }
    return ok;
}

// Runs rigctl with these commands against the server; its output lines.
std::vector<std::string> rigctl(EngineRig& rig, int port, const std::vector<std::string>& commands,
                                const std::vector<std::string>& options = {})
{
    std::vector<std::unique_ptr<Rigctl>> runs;
    runs.push_back(std::make_unique<Rigctl>(port, commands, options));
    finish(rig, runs);
    return runs.front()->lines();
}

bool heard(EngineRig& rig, const std::string& text)
{
    return rig.sim().log().waitForText(sim::Direction::Received, text, 10s);
}

// A client speaking the protocol itself, for the commands Hamlib's network
// client does not pass on ("H" and "h": its backend answers them "not
// implemented" without asking the server).
class RawClient {
public:
    explicit RawClient(int port)
    {
        fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        timeval tv{10, 0};
        ::setsockopt(fd_, SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_port = htons(static_cast<std::uint16_t>(port));
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        connected_ = ::connect(fd_, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
    }
    ~RawClient() { ::close(fd_); }
    bool connected() const { return connected_; }
    // Sends one line; the answer up to and including its "RPRT" line.
    std::string ask(const std::string& line)
    {
        const std::string text = line + "\n";
        ::send(fd_, text.data(), text.size(), MSG_NOSIGNAL);
        std::string got;
        char c;
        while (::recv(fd_, &c, 1, 0) == 1) {
            got += c;
            const std::size_t start = got.rfind('\n', got.size() - 2);
            if (c == '\n' && got.compare(start == std::string::npos ? 0 : start + 1, 5, "RPRT ") == 0)
                break;
        }
        return got;
    }

private:
    int fd_ = -1;
    bool connected_ = false;
};

// A VFO select reached the radio (a "VS;" read moves nothing).
bool selectsVfo(const std::string& command) { return command == "VS0;" || command == "VS1;"; }

class RigServerHamlib : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (QStandardPaths::findExecutable(QStringLiteral("rigctl")).isEmpty())
            GTEST_SKIP() << "rigctl (Debian package libhamlib-utils, installed by scripts/bootstrap) is missing";
        ASSERT_TRUE(rig.simStarted());
        rig.engine().startUp();
        ASSERT_TRUE(rig.waitFor(UM_ANS_PS));
        ASSERT_TRUE(rig.linkUp());
        // Port 0: the system picks a free one, so a running rigctld or a
        // parallel test cannot get in the way.
        ASSERT_TRUE(host.apply({true, "127.0.0.1", 0})) << host.problem();
        port = host.port();
    }

    EngineRig rig;
    RigServerHost host{rig.engine(), rig.dir()};
    int port = 0;
};

// One link-up serves both halves: a set reaching the radio, and a change on
// the radio read back without a read on the line.
TEST_F(RigServerHamlib, SetsReachTheRadioAndReadsCostNothingOnTheLine)
{
    const std::vector<std::string> out =
        rigctl(rig, port,
               {"F", "14074000", "f", "M", "USB", "2400", "m", "V", "VFOB", "F", "7074000", "f", "v", "V", "VFOA",
                "S", "1", "VFOB", "s", "I", "7076000", "i", "T", "1", "t", "T", "0", "t", "L", "AF", "0.5", "l",
                "AF", "U", "NB", "1", "u", "NB", "M", "PKTUSB", "0", "m"});
    const std::vector<std::string> expected{"14074000", "USB",      "2400", "7074000", "VFOB", "1",
                                            "VFOB",     "7076000",  "1",    "0",       "0.501961", "1",
                                            "PKTUSB",   "2400"};
    EXPECT_EQ(out, expected);
    for (const char* text : {"FA14074000;", "MD02;", "FB07074000;", "FT1;", "FB07076000;", "TX1;", "TX0;",
                             "AG0128;", "NB01;", "EX0262;", "MD06;"})
        EXPECT_TRUE(heard(rig, text)) << text;
    // The client's VFO selections stayed with its connection.
    for (const std::string& got : rig.received())
        EXPECT_FALSE(selectsVfo(got)) << got;
    // The radio's own reports catch up with what the client was told.
    EXPECT_TRUE(rig.waitUntil([&] {
        return rig.radio().get(RadioState::Int::FA) == 14074000 && rig.radio().get(RadioState::Int::FB) == 7076000 &&
               rig.radio().get(RadioState::Int::TX) == 0 && rig.radio().get(RadioState::Int::MD0) == 6;
    }));

    const int before = rig.radio().get(RadioState::Int::FA);
    rig.sim().turnDial(5);
    ASSERT_TRUE(rig.waitUntil([&] { return rig.radio().get(RadioState::Int::FA) != before; }));
    const int now = rig.radio().get(RadioState::Int::FA);
    const std::size_t mark = rig.received().size();
    EXPECT_EQ(rigctl(rig, port, {"f", "f", "m"}).front(), std::to_string(now));
    const auto got = rig.received();
    for (std::size_t i = mark; i < got.size(); ++i)
        EXPECT_TRUE(got[i] != "FA;" && got[i] != "MD0;") << got[i];
}

// Hamlib's client selects VFO B, reads it and selects VFO A on every connect.
// Eight connecting at once all read VFO A, the radio's operating VFO, and the
// radio never hears a VFO select from them.
TEST_F(RigServerHamlib, EightClientsConnectingAtOnceReadVfoAAndNeverMoveTheRadio)
{
    rig.engine().postToThread(ThreadId::AnlSend, {UM_REQ_FB_SET, 0, 7074000});
    ASSERT_TRUE(heard(rig, "FB07074000;"));
    ASSERT_TRUE(rig.waitUntil([&] { return rig.radio().get(RadioState::Int::FB) == 7074000; }));
    const int vfoA = rig.radio().get(RadioState::Int::FA);
    ASSERT_NE(vfoA, 7074000);
    ASSERT_EQ(rig.radio().get(RadioState::Int::VS), 0);
    const std::size_t mark = rig.received().size();

    std::vector<std::unique_ptr<Rigctl>> runs;
    for (int i = 0; i < 8; ++i)
        runs.push_back(std::make_unique<Rigctl>(port, std::vector<std::string>{"f", "v", "f"}));
    ASSERT_TRUE(finish(rig, runs));
    const std::vector<std::string> expected{std::to_string(vfoA), "VFOA", std::to_string(vfoA)};
    for (const auto& r : runs)
        EXPECT_EQ(r->lines(), expected);
    const auto got = rig.received();
    for (std::size_t i = mark; i < got.size(); ++i)
        EXPECT_FALSE(selectsVfo(got[i])) << got[i];
    EXPECT_EQ(rig.radio().get(RadioState::Int::VS), 0);
}

// The A/B toggle is the one command a client moves the radio's VFO with.
TEST_F(RigServerHamlib, TheToggleMovesTheOperatingVfo)
{
    rigctl(rig, port, {"G", "TOGGLE"});
    EXPECT_TRUE(heard(rig, "VS1;"));
    EXPECT_TRUE(rig.waitUntil([&] { return rig.radio().get(RadioState::Int::VS) == 1; }));
    rigctl(rig, port, {"G", "TOGGLE"});
    EXPECT_TRUE(heard(rig, "VS0;"));
    EXPECT_TRUE(rig.waitUntil([&] { return rig.radio().get(RadioState::Int::VS) == 0; }));
}

// The rest of the set through Hamlib's client: each set reaches the radio as
// the panel would send it, each read after it answers the new value, and a
// second client's reads of the same settings cost the line nothing.
TEST_F(RigServerHamlib, LevelsSwitchesTonesAndInfoRoundTripAndReadsCostNothing)
{
    const std::vector<std::string> out =
        rigctl(rig, port,
               {"L", "AGC", "3", "l", "AGC", "L", "PREAMP", "0", "l", "PREAMP", "L", "ATT", "12", "l", "ATT", "L", "NR",
                "0.5", "l", "NR", "U", "NR", "1", "u", "NR", "U", "TONE", "1", "u", "TONE", "C", "1000", "c", "E", "45",
                "e"});
    EXPECT_EQ(out, (std::vector<std::string>{"3", "0", "12", "0.500000", "1", "1", "1000", "45"}));
    for (const char* text : {"GT03;", "PA00;", "RA03;", "RL006;", "NR01;", "CT01;", "CN012;", "MC045;"})
        EXPECT_TRUE(heard(rig, text)) << text;

    const std::size_t mark = rig.received().size();
    const std::vector<std::string> again =
        rigctl(rig, port, {"l", "AGC", "l", "PREAMP", "l", "ATT", "u", "NR", "u", "TONE", "c", "e", "\\get_rig_info"});
    ASSERT_GE(again.size(), 7u);
    EXPECT_EQ(std::vector<std::string>(again.begin(), again.begin() + 7),
              (std::vector<std::string>{"3", "0", "12", "1", "1", "1000", "45"}));
    const auto got = rig.received();
    for (std::size_t i = mark; i < got.size(); ++i)
        for (const char* read : {"GT", "PA", "RA", "RL", "NR", "CT", "CN", "MC"})
            EXPECT_FALSE(got[i].starts_with(read)) << got[i];
}

// A channel written whole reaches the radio as one memory write and reads
// back from the radio; Hamlib's client recalls it and moves the manual notch.
TEST_F(RigServerHamlib, ChannelsAreWrittenReadRecalledAndTheNotchMoved)
{
    RawClient raw(port);
    ASSERT_TRUE(raw.connected());
    EXPECT_EQ(raw.ask("H 3 29620000 FM - 0 0 0 885"), "RPRT 0\n");
    EXPECT_TRUE(heard(rig, "MW00329620000+000000402082;"));
    const std::string read = raw.ask("h 3 1");
    EXPECT_TRUE(read.starts_with("Channel: 3, Name: ''\n")) << read;
    EXPECT_NE(read.find("Freq:   29.6200000 MHz\tMode:   FM\t"), std::string::npos) << read;
    EXPECT_NE(read.find("Shift: -, "), std::string::npos) << read;
    EXPECT_NE(read.find("CTCSS: 0.0Hz, CTCSSsql: 88.5Hz, "), std::string::npos) << read;
    EXPECT_TRUE(read.ends_with("RPRT 0\n")) << read;
    const std::string empty = raw.ask("h 4 1");
    EXPECT_NE(empty.find("Freq:   0.0 Hz\tMode:   \t"), std::string::npos) << empty;

    const std::vector<std::string> out =
        rigctl(rig, port, {"V", "MEM", "E", "3", "e", "L", "NOTCHF", "1500", "l", "NOTCHF", "U", "MN", "1", "u", "MN"});
    EXPECT_EQ(out, (std::vector<std::string>{"3", "1500", "1"}));
    for (const char* text : {"VM;", "MC003;", "BP01150;", "BP00001;"})
        EXPECT_TRUE(heard(rig, text)) << text;
    EXPECT_TRUE(rig.waitUntil([&] { return rig.radio().get(RadioState::Int::FA) == 29620000; }));
    rigctl(rig, port, {"G", "TO_VFO"});
    EXPECT_TRUE(heard(rig, "MA;"));
}

// With --rig-server-vfo the server works as "rigctld --vfo": "rigctl --vfo"
// names the VFO in every command and each reaches that VFO. Without it a
// plain client addresses the VFO it selected.
TEST_F(RigServerHamlib, ClientsInVfoModeWithAndWithoutTheServersVfoMode)
{
    rig.engine().postToThread(ThreadId::AnlSend, {UM_REQ_FB_SET, 0, 7074000});
    ASSERT_TRUE(rig.waitUntil([&] { return rig.radio().get(RadioState::Int::FB) == 7074000; }));
    const std::string vfoA = std::to_string(rig.radio().get(RadioState::Int::FA));
    EXPECT_EQ(rigctl(rig, port, {"V", "VFOB", "f", "V", "VFOA", "f"}), (std::vector<std::string>{"7074000", vfoA}));

    host.stop();
    RigServerHost vfoHost(rig.engine(), rig.dir());
    vfoHost.setReportToStderr(false);
    vfoHost.start("127.0.0.1:" + std::to_string(port), false, true);
    ASSERT_TRUE(vfoHost.running()) << vfoHost.problem();
    EXPECT_EQ(rigctl(rig, port, {"f", "VFOB", "F", "VFOB", "7075000", "f", "VFOB", "f", "VFOA"}, {"--vfo"}),
              (std::vector<std::string>{"7074000", "7075000", vfoA}));
    EXPECT_TRUE(heard(rig, "FB07075000;"));
    for (const std::string& got : rig.received())
        EXPECT_FALSE(selectsVfo(got)) << got;
}

TEST(RigServerSetting, APortInUseIsReportedAndTheChoiceKept)
{
    EngineRig rig;
    rig::RigStateView view(rig.radio(), rig.command(), rig.menu());
    rig::OutboxRigWriter writer(rig.engine(), rig.menu(), {});
    rig::RigServer first(view, writer);
    ASSERT_TRUE(first.start({true, "127.0.0.1", 0}));

    RigServerHost host(rig.engine(), rig.dir());
    host.setReportToStderr(false);
    EXPECT_FALSE(host.apply({true, "127.0.0.1", first.port()}));
    EXPECT_NE(host.problem().find("in use"), std::string::npos) << host.problem();
    EXPECT_FALSE(host.running());

    // Kept with the other settings, never as an address open to others.
    host.apply({true, "0.0.0.0", first.port()});
    KeyValueFile saved(rig.dir() / "CommoFiles" / KeyValueFile::kFileName);
    ASSERT_TRUE(saved.load());
    EXPECT_EQ(saved.get("rig-server"), "127.0.0.1:" + std::to_string(first.port()));
    host.apply({false, "127.0.0.1", 4532});
    RigServerHost next(rig.engine(), rig.dir());
    next.start(std::nullopt, false);
    EXPECT_FALSE(next.running());
    EXPECT_FALSE(next.address().enabled);
}

} // namespace
} // namespace qx::test
