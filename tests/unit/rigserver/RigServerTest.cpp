// The server on a real socket: many clients at once, and clients that
// flood, send binary, stop reading or hang up mid-command costing nobody
// else anything. Every wait is a blocking read with a generous time-out.
#include "RigFixture.h"

#include "rigserver/RigServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <thread>

namespace qx::rig::test {
namespace {

class Client {
public:
    explicit Client(int port)
    {
        fd_ = ::socket(AF_INET, SOCK_STREAM, 0);
        timeval tv{10, 0};
        ::setsockopt(fd_, SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_port = htons(static_cast<std::uint16_t>(port));
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        connected_ = ::connect(fd_, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
    }
    ~Client() { close(); }
    bool connected() const { return connected_; }
    void send(const std::string& s) { ::send(fd_, s.data(), s.size(), MSG_NOSIGNAL); }
    // Reads until `lines` line ends have come, the peer closes or 10 s pass.
    std::string read(int lines = 1)
    {
        std::string got;
        char c;
        while (lines > 0 && ::recv(fd_, &c, 1, 0) == 1) {
            got += c;
            if (c == '\n')
                --lines;
        }
        return got;
    }
    // True when the server has closed the connection.
    bool closedByPeer()
    {
        char buf[4096];
        for (;;) {
            const ssize_t n = ::recv(fd_, buf, sizeof buf, 0);
            if (n == 0 || (n < 0 && errno == ECONNRESET))
                return true;
            if (n < 0)
                return false;  // timed out
        }
    }
    // Ends the connection; a send still blocked on another thread returns.
    void hangUp() { ::shutdown(fd_, SHUT_RDWR); }
    void close()
    {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = -1;
    }

private:
    int fd_ = -1;
    bool connected_ = false;
};

class RigServerTest : public RigTest {
protected:
    RigServerTest()
    {
        radio.set(R::FA, 14074000);
        EXPECT_TRUE(server.start({true, kLoopbackHost, 0})) << server.error();
    }
    bool waitForClients(std::size_t n)
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (server.clientCount() != n)
            if (std::chrono::steady_clock::now() > deadline)
                return false;
            else
                std::this_thread::yield();
        return true;
    }
    RigServer server{view, writer};
};

TEST_F(RigServerTest, SixteenClientsAtOnceEachGetTheirOwnAnswers)
{
    std::vector<std::unique_ptr<Client>> clients;
    for (int i = 0; i < 16; ++i) {
        clients.push_back(std::make_unique<Client>(server.port()));
        ASSERT_TRUE(clients.back()->connected());
    }
    for (int i = 0; i < 16; ++i)
        clients[static_cast<std::size_t>(i)]->send(i % 2 ? "f\n" : "+\\get_freq\n");
    for (int i = 0; i < 16; ++i) {
        const std::string expected = i % 2 ? "14074000\n" : "get_freq:\nFrequency: 14074000\nRPRT 0\n";
        EXPECT_EQ(clients[static_cast<std::size_t>(i)]->read(i % 2 ? 1 : 3), expected) << i;
    }
    EXPECT_EQ(server.clientCount(), 16u);
    // Split across packets, and a command answered per line as it completes.
    clients[0]->send("F 7074");
    clients[0]->send("000\nf\n");
    EXPECT_EQ(clients[0]->read(2), "RPRT 0\n7074000\n");
}

// A memory channel read waits for the radio's answer: its client's later
// lines wait with it, nobody else's do.
TEST_F(RigServerTest, AChannelReadHoldsUpOnlyItsOwnClient)
{
    Client a(server.port());
    Client b(server.port());
    a.send("h 3 1\nf\n");
    ASSERT_TRUE(writer.waitFor(UM_REQ_MR_READ));
    b.send("f\n");
    EXPECT_EQ(b.read(), "14074000\n");
    radio.memoryChannels().store(3, MemoryChannel{7074000, 0, 0, 0, 2, 0, 0, 0});
    const std::string got = a.read(10);
    EXPECT_TRUE(got.starts_with("Channel: 3, Name: ''\n")) << got;
    EXPECT_NE(got.find("Freq:   7.0740000 MHz\tMode:   USB\t"), std::string::npos) << got;
    EXPECT_TRUE(got.ends_with("Levels:\nRPRT 0\n14074000\n")) << got;
}

TEST_F(RigServerTest, ALineThatNeverEndsIsRefusedAndItsClientCutOff)
{
    Client a(server.port());
    a.send(std::string(kMaxLineLength + 1000, 'x'));
    EXPECT_EQ(a.read(), "RPRT -1\n");
    EXPECT_TRUE(a.closedByPeer());

    Client flood(server.port());
    Client other(server.port());
    std::thread pour([&flood] { flood.send(std::string(1 << 20, 'F')); });
    other.send("f\n");
    EXPECT_EQ(other.read(), "14074000\n");
    EXPECT_TRUE(flood.closedByPeer());
    pour.join();
}

TEST_F(RigServerTest, BinaryIsAnsweredAndAHalfCommandLeftBehindDoesNothing)
{
    Client a(server.port());
    a.send(std::string("\x00\x01\xfe\xff\n", 5));
    EXPECT_EQ(a.read(), "RPRT -1\n");
    a.send("F 1407");
    a.close();
    ASSERT_TRUE(waitForClients(0));
    Client b(server.port());
    b.send("f\n");
    EXPECT_EQ(b.read(), "14074000\n");
    EXPECT_TRUE(writer.take().empty());
}

TEST_F(RigServerTest, AClientThatStopsReadingHoldsUpNobody)
{
    Client silent(server.port());
    std::string many;
    for (int i = 0; i < 2000; ++i)
        many += "\\dump_state\n";
    std::thread pour([&silent, &many] { silent.send(many); });
    Client other(server.port());
    for (int i = 0; i < 20; ++i) {
        other.send("f\n");
        ASSERT_EQ(other.read(), "14074000\n");
    }
    silent.hangUp();
    pour.join();
}

TEST_F(RigServerTest, TheHolderHangingUpReleasesTheTransmitter)
{
    Client a(server.port());
    a.send("T 1\n");
    EXPECT_EQ(a.read(), "RPRT 0\n");
    a.close();
    ASSERT_TRUE(writer.waitFor(UM_REQ_TX_ONOFF));
    ASSERT_TRUE(waitForClients(0));
    EXPECT_EQ(writer.take(), (std::vector<Sent>{{UM_REQ_TX_ONOFF, 0, 1}, {UM_REQ_TX_ONOFF, 0, 0}}));
}

// Reads follow the radio once the server released the transmitter, even when
// nobody read in between the key-down and the release.
TEST_F(RigServerTest, AfterTheHoldersReleaseReadsFollowTheRadio)
{
    Client a(server.port());
    a.send("T 1\n");
    EXPECT_EQ(a.read(), "RPRT 0\n");
    radio.set(R::TX, 1);
    a.close();
    ASSERT_TRUE(waitForClients(0));
    ASSERT_EQ(writer.take(), (std::vector<Sent>{{UM_REQ_TX_ONOFF, 0, 1}, {UM_REQ_TX_ONOFF, 0, 0}}));
    radio.set(R::TX, 0);
    Client b(server.port());
    b.send("t\n");
    EXPECT_EQ(b.read(), "0\n");
}

TEST_F(RigServerTest, OneClientTooManyIsToldSoAndClosed)
{
    std::vector<std::unique_ptr<Client>> clients;
    for (int i = 0; i < RigServer::kMaxClients; ++i) {
        clients.push_back(std::make_unique<Client>(server.port()));
        ASSERT_TRUE(clients.back()->connected());
    }
    ASSERT_TRUE(waitForClients(RigServer::kMaxClients));
    Client late(server.port());
    const std::string refusal = late.read();
    EXPECT_TRUE(refusal.starts_with("RPRT -14 ")) << refusal;
    EXPECT_NE(refusal.find("too many clients"), std::string::npos) << refusal;
    EXPECT_TRUE(late.closedByPeer());
    // Those already in are served as before.
    clients.front()->send("f\n");
    EXPECT_EQ(clients.front()->read(), "14074000\n");
}

TEST_F(RigServerTest, QuitClosesAndAPortInUseIsReported)
{
    Client a(server.port());
    a.send("q\nf\n");
    EXPECT_EQ(a.read(), "RPRT 0\n");
    EXPECT_TRUE(a.closedByPeer());

    RigServer second(view, writer);
    EXPECT_FALSE(second.start({true, kLoopbackHost, server.port()}));
    EXPECT_NE(second.error().find("127.0.0.1:" + std::to_string(server.port())), std::string::npos);
    EXPECT_NE(second.error().find("in use"), std::string::npos) << second.error();
    EXPECT_FALSE(second.running());
}

} // namespace
} // namespace qx::rig::test
