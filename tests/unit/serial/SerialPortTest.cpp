#include "serial/SerialPort.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

namespace qx {
namespace {

bool readable(int fd) { pollfd p{fd, POLLIN, 0}; return ::poll(&p, 1, 5000) > 0; }

// The port opens the slave side of a pseudo-terminal; the test is the far end.
struct SerialPortTest : ::testing::Test {
    int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    std::string slave = master >= 0 && ::grantpt(master) == 0 && ::unlockpt(master) == 0 ? ::ptsname(master) : "";
    std::unique_ptr<SerialPort> port = SerialPort::open(slave, 4800);

    void SetUp() override { ASSERT_NE(port, nullptr); }
    ~SerialPortTest() override { if (master >= 0) ::close(master); }

    std::string readPort(std::size_t n)
    {
        std::string out;
        std::uint8_t buf[64];
        while (out.size() < n && readable(port->fd())) {
            const long r = port->read(std::span(buf, std::min(sizeof buf, port->bytesWaiting())));
            if (r < 0) break;
            out.append(reinterpret_cast<char*>(buf), static_cast<std::size_t>(r));
        }
        return out;
    }
};

TEST_F(SerialPortTest, RefusesASpeedTheLinkDoesNotUse)
{
    port.reset();
    std::string why;
    EXPECT_EQ(SerialPort::open(slave, 57600, &why), nullptr);
    EXPECT_EQ(why, "unsupported line speed 57600 bit/s");
    EXPECT_NE(SerialPort::open(slave, 38400), nullptr);
}

TEST_F(SerialPortTest, RawBytesPassUnchangedBothWays)
{
    const std::string in("FA14250000;\r\n\x03\x11\x13\x7f\xff\0", 19);
    ASSERT_EQ(::write(master, in.data(), in.size()), 19);
    EXPECT_EQ(readPort(in.size()), in);
    EXPECT_EQ(port->read(std::span<std::uint8_t>()), 0);

    const std::string out = "AI1;\n\r\x04\xff";
    EXPECT_EQ(port->write({reinterpret_cast<const std::uint8_t*>(out.data()), out.size()}), static_cast<long>(out.size()));
    std::string got(16, '\0');
    ASSERT_TRUE(readable(master));
    got.resize(static_cast<std::size_t>(std::max<ssize_t>(0, ::read(master, got.data(), got.size()))));
    EXPECT_EQ(got, out);
}

TEST_F(SerialPortTest, PtyWithoutModemLinesIsNeitherHeldNorDown)
{
    port->setRts(true); // may fail on a pty; must not matter
    ASSERT_EQ(::write(master, "PS1;", 4), 4);
    ASSERT_TRUE(readable(port->fd()));
    const LineStatus s = port->clearErrors();
    EXPECT_FALSE(s.ctsHold);
    EXPECT_FALSE(s.lineDown);
    EXPECT_EQ(s.errors, 0u);
    EXPECT_GT(s.inQueue, 0u);
}

TEST_F(SerialPortTest, ClosedFarEndIsLineDown)
{
    ::close(master);
    master = -1;
    EXPECT_TRUE(port->clearErrors().lineDown);
    std::uint8_t buf[8];
    EXPECT_EQ(port->read(buf), -1); // not "no data"
    EXPECT_EQ(port->write(std::span(buf, 3)), -1);
}

} // namespace
} // namespace qx
