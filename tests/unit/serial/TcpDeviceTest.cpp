#include "serial/TcpDevice.h"

#include "serial/NetworkOpener.h"
#include "tests/unit/serial/LoopbackServer.h"

#include "tests/unit/serial/ByteText.h"

#include <gtest/gtest.h>

#include <thread>

namespace qx {
namespace {

using test::LoopbackServer;
using namespace std::chrono_literals;

using test::bytes;


NetworkAddress address(const std::string& text)
{
    return *parseNetworkAddress(text);
}

bool readable(int fd, int ms = 5000)
{
    pollfd p{fd, POLLIN, 0};
    return ::poll(&p, 1, ms) > 0;
}

// Everything the device hands out until `n` bytes came or it stops.
std::string readDevice(TcpDevice& d, std::size_t n)
{
    std::string out;
    std::uint8_t buf[64];
    while (out.size() < n && readable(d.pollFd())) {
        const long got = d.read(std::span(buf, std::min(sizeof buf, n - out.size())));
        if (got <= 0)
            break;
        out.append(reinterpret_cast<char*>(buf), static_cast<std::size_t>(got));
    }
    return out;
}

TEST(TcpDevice, RawBytesCrossUnchangedBothWays)
{
    LoopbackServer server;
    std::string why;
    auto device = TcpDevice::open(address(server.address()), 4800, why);
    ASSERT_NE(device, nullptr) << why;
    const int far = server.accept();
    ASSERT_GE(far, 0);
    EXPECT_FALSE(device->telnet());
    EXPECT_FALSE(device->setRts(true)) << "no modem lines";

    std::uint8_t buf[32];
    EXPECT_EQ(device->read(buf), 0) << "nothing there: no wait, no failure";
    const std::string in = bytes({'F', 'A', '1', ';', 255, 0, '\r'});
    ASSERT_TRUE(LoopbackServer::write(far, in));
    ASSERT_TRUE(readable(device->pollFd())) << "the descriptor wakes a poller";
    EXPECT_EQ(readDevice(*device, in.size()), in);

    const std::string out = bytes({'A', 'I', '1', ';', 255});
    EXPECT_EQ(device->write(test::byteSpan(out)), 5);
    EXPECT_EQ(LoopbackServer::read(far, 5), out);
    const LineStatus s = device->clearErrors();
    EXPECT_FALSE(s.lineDown);
    EXPECT_EQ(s.errors, 0u);
}

TEST(TcpDevice, TheFarSideClosingIsTheHangUpAfterItsLastBytes)
{
    LoopbackServer server;
    std::string why;
    auto device = TcpDevice::open(address(server.address()), 4800, why);
    ASSERT_NE(device, nullptr) << why;
    const int far = server.accept();
    ASSERT_TRUE(LoopbackServer::write(far, "PS1;"));
    ::shutdown(far, SHUT_RDWR);
    ASSERT_TRUE(readable(device->pollFd()));
    EXPECT_FALSE(device->clearErrors().lineDown) << "its last answer is still to be read";
    EXPECT_EQ(readDevice(*device, 4), "PS1;");
    std::uint8_t buf[8];
    EXPECT_EQ(device->read(buf), -1);
    EXPECT_TRUE(device->clearErrors().lineDown);
    // Writing to a dead connection fails quietly; the process lives on.
    EXPECT_EQ(device->write(test::byteSpan("FA;")), -1);
}

TEST(TcpDevice, ARefusedConnectionSaysSo)
{
    int port = 0;
    {
        LoopbackServer gone; // a port nobody listens on any more
        port = gone.port();
    }
    std::string why;
    EXPECT_EQ(TcpDevice::open(address("tcp://127.0.0.1:" + std::to_string(port)), 4800, why), nullptr);
    EXPECT_EQ(why, "Connection refused");
}

TEST(TcpDevice, AHostThatNeverAnswersFailsAtTheTimeOutOrWhenCancelled)
{
    LoopbackServer server(true);
    std::string why;
    EXPECT_EQ(TcpDevice::open(address(server.address()), 4800, why, nullptr, 200ms), nullptr);
    EXPECT_EQ(why, "no answer within 200 ms");
    const std::atomic<bool> cancel{true};
    EXPECT_EQ(TcpDevice::open(address(server.address()), 4800, why, &cancel, 60s), nullptr);
    EXPECT_EQ(why, "cancelled");
}

TEST(TcpDevice, HostNamesAreLookedUp)
{
    LoopbackServer server;
    std::string why;
    auto device = TcpDevice::open(address("tcp://localhost:" + std::to_string(server.port())), 4800, why);
    EXPECT_NE(device, nullptr) << why;
    EXPECT_EQ(TcpDevice::open(address("tcp://no-such-host.invalid:2000"), 4800, why, nullptr, 3s), nullptr);
    EXPECT_FALSE(why.empty());
}

// What ser2net's telnet accepter sends on a new connection.
const std::string kSer2netOpening = bytes({255, 251, 3, 255, 253, 3, 255, 251, 1, 255, 254, 1, 255, 253, 0, 255, 251, 0,
                                           255, 253, 44});

TEST(TcpDevice, TelnetSetsTheFarLineAndEscapesData)
{
    LoopbackServer server;
    std::string offer, answers;
    int fd = -1;
    std::thread far([&] {
        fd = server.accept();
        offer = LoopbackServer::read(fd, 3);
        // Data may come before the negotiation is over; none of it is lost.
        LoopbackServer::write(fd, kSer2netOpening + "PS1;" + bytes({255, 255}));
        answers = LoopbackServer::read(fd, 15 + TelnetCodec::lineSettings(19200).size());
        LoopbackServer::write(fd, bytes({255, 250, 44, 101, 0, 0, 0x4B, 0x00, 255, 240}) + "ID0241;");
    });
    std::string why;
    auto device = TcpDevice::open(address(server.address("rfc2217")), 19200, why);
    far.join();
    ASSERT_NE(device, nullptr) << why;
    EXPECT_EQ(offer, bytes({255, 251, 44}));
    EXPECT_EQ(answers, bytes({255, 254, 3, 255, 252, 3, 255, 254, 1, 255, 252, 0, 255, 254, 0})
                           + TelnetCodec::lineSettings(19200));
    EXPECT_TRUE(device->lineSettable());
    EXPECT_EQ(readDevice(*device, 12), "PS1;" + bytes({255}) + "ID0241;");
    EXPECT_EQ(device->confirmedBaud(), 19200);

    EXPECT_EQ(device->write(test::byteSpan(bytes({'K', 'M', 255, ';'}))), 4);
    EXPECT_EQ(LoopbackServer::read(fd, 5), bytes({'K', 'M', 255, 255, ';'}));
}

TEST(TcpDevice, TelnetThatDeclinesTheComPortStillCarriesData)
{
    LoopbackServer server;
    int fd = -1;
    std::thread far([&] {
        fd = server.accept();
        LoopbackServer::read(fd, 3);
        LoopbackServer::write(fd, bytes({255, 254, 44}));
    });
    std::string why;
    auto device = TcpDevice::open(address(server.address("rfc2217")), 4800, why);
    far.join();
    ASSERT_NE(device, nullptr) << why;
    EXPECT_FALSE(device->lineSettable());
    EXPECT_EQ(device->write(test::byteSpan("FA;")), 3);
    EXPECT_EQ(LoopbackServer::read(fd, 3), "FA;") << "no line settings sent";
}

TEST(TcpDevice, TelnetToARawPortFailsNamingTheLikelyMistake)
{
    LoopbackServer server; // accepts and stays silent, as a raw port does
    std::string why;
    EXPECT_EQ(TcpDevice::open(address(server.address("rfc2217")), 4800, why, nullptr, 300ms), nullptr);
    EXPECT_NE(why.find("tcp://"), std::string::npos) << why;
}

TEST(NetworkOpener, AHostThatTimedOutRestsAWhileARefusingOneNever)
{
    LoopbackServer stalled(true);
    const std::atomic<bool> cancel{false};
    NetworkOpener opener(cancel, 200ms, 60s);
    std::string why;
    EXPECT_EQ(opener.open(stalled.address(), 4800, why), nullptr);
    EXPECT_EQ(why, "no answer within 200 ms");
    // The host would answer now, but is not asked before its rest is over.
    ASSERT_GE(stalled.accept(), 0);
    EXPECT_EQ(opener.open(stalled.address(), 4800, why), nullptr);
    EXPECT_EQ(why, "no answer within 200 ms (tried again in a few seconds)");

    LoopbackServer other; // another device is tried at once
    EXPECT_NE(opener.open(other.address(), 4800, why), nullptr) << why;

    int port = 0;
    {
        LoopbackServer gone;
        port = gone.port();
    }
    const std::string refusing = "tcp://127.0.0.1:" + std::to_string(port);
    EXPECT_EQ(opener.open(refusing, 4800, why), nullptr);
    EXPECT_EQ(opener.open(refusing, 4800, why), nullptr);
    EXPECT_EQ(why, "Connection refused");
    EXPECT_EQ(opener.open("tcp://nowhere", 4800, why), nullptr);
    EXPECT_EQ(why, "the address needs a port: HOST:PORT");
}

TEST(NetworkOpener, AfterItsRestTheHostIsTriedAgain)
{
    LoopbackServer stalled(true);
    const std::atomic<bool> cancel{false};
    NetworkOpener opener(cancel, 200ms, 0ms);
    std::string why;
    EXPECT_EQ(opener.open(stalled.address(), 4800, why), nullptr);
    ASSERT_GE(stalled.accept(), 0);
    EXPECT_NE(opener.open(stalled.address(), 4800, why), nullptr) << why;
}

} // namespace
} // namespace qx
