// Hamlib's own FLRig backend (rigctl -m 4) against the XML-RPC server on
// the whole engine and the simulated radio: its open handshake, sets that
// reach the radio's line, reads answered from the state without a byte on
// the line, and a transmitter keyed by a client that goes away.
#include "EngineRig.h"

#include "app/XmlRpcHost.h"
#include "core/KeyValueFile.h"

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

// Runs rigctl with the FLRig backend against the server; its output lines.
// A plain fork and exec: a child that only calls exec is all a race checker
// can follow after a fork from a program with threads.
std::vector<std::string> flrigctl(EngineRig& rig, int port, const std::vector<std::string>& commands)
{
    std::vector<std::string> words{"rigctl", "-m", "4", "-r", "127.0.0.1:" + std::to_string(port)};
    words.insert(words.end(), commands.begin(), commands.end());
    std::vector<char*> argv;
    for (std::string& w : words)
        argv.push_back(w.data());
    argv.push_back(nullptr);
    int out[2];
    if (::pipe2(out, O_CLOEXEC) != 0)
        return {};
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(out[1], STDOUT_FILENO);
        const int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, STDERR_FILENO);
        ::execvp(argv[0], argv.data());
        ::_exit(127);
    }
    ::close(out[1]);
    ::fcntl(out[0], F_SETFL, O_NONBLOCK);
    std::string text;
    auto drain = [&] {
        char buf[4096];
        ssize_t n;
        while ((n = ::read(out[0], buf, sizeof buf)) > 0)
            text.append(buf, static_cast<std::size_t>(n));
        return n == 0;
    };
    int status = -1;
    const bool done = rig.waitUntil([&] { return drain() && ::waitpid(pid, &status, WNOHANG) == pid; }, 60s);
    if (!done) {
        ::kill(pid, SIGKILL);
        ::waitpid(pid, &status, 0);
    }
    ::close(out[0]);
    EXPECT_TRUE(done && WIFEXITED(status) && WEXITSTATUS(status) == 0) << "rigctl -m 4 " << commands.front() << "...";
    std::vector<std::string> lines;
    std::size_t from = 0;
    for (std::size_t nl; (nl = text.find('\n', from)) != std::string::npos; from = nl + 1)
        if (nl > from)
            lines.push_back(text.substr(from, nl - from));
    return lines;
}

bool heard(EngineRig& rig, const std::string& text)
{
    return rig.sim().log().waitForText(sim::Direction::Received, text, 10s);
}

int connectTo(int port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(static_cast<std::uint16_t>(port));
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    EXPECT_EQ(::connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a), 0);
    return fd;
}

void post(int fd, const std::string& method, const std::string& param)
{
    const std::string body = "<?xml version=\"1.0\"?><methodCall><methodName>" + method +
                             "</methodName><params><param><value>" + param + "</value></param></params></methodCall>";
    const std::string request = "POST / HTTP/1.1\r\nContent-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
    ASSERT_EQ(::send(fd, request.data(), request.size(), MSG_NOSIGNAL), static_cast<ssize_t>(request.size()));
}

class XmlRpcHamlib : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (QStandardPaths::findExecutable(QStringLiteral("rigctl")).isEmpty())
            GTEST_SKIP() << "rigctl (Debian package libhamlib-utils, installed by scripts/bootstrap) is missing";
        ASSERT_TRUE(rig.simStarted());
        rig.engine().startUp();
        ASSERT_TRUE(rig.waitFor(UM_ANS_PS));
        ASSERT_TRUE(rig.linkUp());
        host.setReportToStderr(false);
        // Port 0: the system picks a free one, so a running flrig or a
        // parallel test cannot get in the way.
        ASSERT_TRUE(host.apply({true, "127.0.0.1", 0})) << host.problem();
        port = host.port();
    }

    EngineRig rig;
    XmlRpcHost host{rig.engine(), rig.dir()};
    int port = 0;
};

TEST_F(XmlRpcHamlib, FrequencyModeSplitAndPttReachTheRadio)
{
    std::vector<std::string> out =
        flrigctl(rig, port, {"F", "14074000", "M", "PKTUSB", "0", "S", "1", "VFOB", "T", "1", "T", "0"});
    EXPECT_TRUE(out.empty()) << out.front();
    for (const char* text : {"FA14074000;", "EX0262;", "MD06;", "FT1;", "TX1;", "TX0;"})
        EXPECT_TRUE(heard(rig, text)) << text;
    ASSERT_TRUE(rig.waitUntil([&] {
        return rig.radio().get(RadioState::Int::FA) == 14074000 && rig.radio().get(RadioState::Int::FT) == 1 &&
               rig.radio().get(RadioState::Int::TX) == 0 && rig.radio().get(RadioState::Int::MD0) == 6;
    }));

    // A fresh client reads all of it back, and its reads cost the line nothing.
    const std::size_t mark = rig.received().size();
    out = flrigctl(rig, port, {"f", "m", "s", "t"});
    const std::vector<std::string> expected{"14074000", "PKTUSB", "2400", "1", "VFOB", "0"};
    EXPECT_EQ(out, expected);
    const auto got = rig.received();
    for (std::size_t i = mark; i < got.size(); ++i)
        for (const char* read : {"FA;", "FB;", "MD0;", "MD1;", "FT;", "TX;", "VS;", "EX026;"})
            EXPECT_NE(got[i], read) << "a client's read reached the radio";

    out = flrigctl(rig, port, {"V", "VFOB", "F", "7074000", "f"});
    EXPECT_EQ(out, std::vector<std::string>{"7074000"});
    EXPECT_TRUE(heard(rig, "VS1;"));
    EXPECT_TRUE(heard(rig, "FB07074000;"));
}

// A raw client keys the transmitter and hangs up without releasing it.
TEST_F(XmlRpcHamlib, ATransmitterKeyedByAClientThatGoesIsReleased)
{
    const int fd = connectTo(port);
    post(fd, "rig.set_ptt", "<i4>1</i4>");
    ASSERT_TRUE(heard(rig, "TX1;"));
    ASSERT_TRUE(rig.waitUntil([&] { return rig.radio().get(RadioState::Int::TX) == 1; }));
    ::close(fd);
    EXPECT_TRUE(heard(rig, "TX0;"));
    EXPECT_TRUE(rig.waitUntil([&] { return rig.radio().get(RadioState::Int::TX) == 0; }));
}

// A raw command is answered with what the radio answered on the line.
TEST_F(XmlRpcHamlib, ARawCommandIsAnsweredFromTheLine)
{
    const int fd = connectTo(port);
    post(fd, "rig.cat_string", "ID;");
    std::string got;
    ASSERT_TRUE(rig.waitUntil([&] {
        char buf[4096];
        const ssize_t n = ::recv(fd, buf, sizeof buf, MSG_DONTWAIT);
        if (n > 0)
            got.append(buf, static_cast<std::size_t>(n));
        return got.find("</methodResponse>") != std::string::npos;
    }));
    ::close(fd);
    EXPECT_TRUE(heard(rig, "ID;"));
    EXPECT_NE(got.find("<value>ID0241;</value>"), std::string::npos) << got;
}

TEST(XmlRpcSetting, TheChoiceIsKeptAndAnOtherComputersAddressIsNotTakenFromTheFile)
{
    EngineRig rig;
    {
        XmlRpcHost host(rig.engine(), rig.dir());
        host.setReportToStderr(false);
        ASSERT_TRUE(host.apply({true, "0.0.0.0", 0})) << host.problem();
        KeyValueFile saved(rig.dir() / "CommoFiles" / KeyValueFile::kFileName);
        ASSERT_TRUE(saved.load());
        EXPECT_EQ(saved.get("xmlrpc-server"), "127.0.0.1:0");
    }
    // A port nobody listens on: the system's pick, given back.
    const int probe = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(::bind(probe, reinterpret_cast<sockaddr*>(&a), sizeof a), 0);
    socklen_t len = sizeof a;
    ::getsockname(probe, reinterpret_cast<sockaddr*>(&a), &len);
    const int freePort = ntohs(a.sin_port);
    ::close(probe);
    KeyValueFile edited(rig.dir() / "CommoFiles" / KeyValueFile::kFileName);
    edited.load();
    edited.set("xmlrpc-server", "0.0.0.0:" + std::to_string(freePort));
    ASSERT_TRUE(edited.save());
    XmlRpcHost host(rig.engine(), rig.dir());
    host.setReportToStderr(false);
    host.start(std::nullopt);
    EXPECT_TRUE(host.running());
    EXPECT_EQ(host.address(), (rig::ListenAddress{true, "127.0.0.1", freePort}));
    EXPECT_NE(host.problem().find("--xmlrpc-server"), std::string::npos) << host.problem();
}

} // namespace
} // namespace qx::test
