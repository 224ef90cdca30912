#include "serial/SerialPort.h"

#include "tests/unit/serial/TempDir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

namespace qx {
namespace {

// The far end of a pseudo-terminal; the port opens the slave side.
class PtyMaster {
public:
    PtyMaster()
    {
        fd_ = ::posix_openpt(O_RDWR | O_NOCTTY);
        if (fd_ >= 0 && ::grantpt(fd_) == 0 && ::unlockpt(fd_) == 0)
            slave_ = ::ptsname(fd_);
    }
    ~PtyMaster() { close(); }
    void close()
    {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = -1;
    }
    const std::string& slave() const { return slave_; }
    void send(const std::string& s) const { ASSERT_EQ(::write(fd_, s.data(), s.size()), static_cast<ssize_t>(s.size())); }
    // Reads until `n` bytes came or nothing arrives within a generous time.
    std::string receive(std::size_t n) const
    {
        std::string out;
        while (out.size() < n) {
            pollfd p{fd_, POLLIN, 0};
            if (::poll(&p, 1, 5000) <= 0)
                break;
            char buf[256];
            const ssize_t r = ::read(fd_, buf, sizeof buf);
            if (r <= 0)
                break;
            out.append(buf, static_cast<std::size_t>(r));
        }
        return out;
    }

private:
    int fd_ = -1;
    std::string slave_;
};

// Reads from the port until `n` bytes came, waiting on the descriptor.
std::string readPort(SerialPort& port, std::size_t n)
{
    std::string out;
    while (out.size() < n) {
        pollfd p{port.fd(), POLLIN, 0};
        if (::poll(&p, 1, 5000) <= 0)
            break;
        std::uint8_t buf[256];
        const std::size_t waiting = port.bytesWaiting();
        const long r = port.read(std::span(buf, waiting < sizeof buf ? waiting : sizeof buf));
        if (r < 0)
            break;
        out.append(reinterpret_cast<const char*>(buf), static_cast<std::size_t>(r));
    }
    return out;
}

std::span<const std::uint8_t> bytesOf(const std::string& s)
{
    return {reinterpret_cast<const std::uint8_t*>(s.data()), s.size()};
}

class SerialPortTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_FALSE(pty.slave().empty()); }
    PtyMaster pty;
};

TEST_F(SerialPortTest, RefusesWhatIsNoUsableSerialDevice)
{
    test::TempDir dir;
    dir.writeFile("plain", "x");
    EXPECT_EQ(SerialPort::open((dir.path() / "missing").string(), 9600), nullptr);
    EXPECT_EQ(SerialPort::open((dir.path() / "plain").string(), 9600), nullptr);
    for (int baud : {0, 1200, 57600, 115200})
        EXPECT_EQ(SerialPort::open(pty.slave(), baud), nullptr) << baud;
    for (int baud : {4800, 9600, 19200, 38400})
        EXPECT_NE(SerialPort::open(pty.slave(), baud), nullptr) << baud;
}

TEST_F(SerialPortTest, CarriesBytesUnchangedBothWays)
{
    auto port = SerialPort::open(pty.slave(), 4800);
    ASSERT_NE(port, nullptr);
    // Raw mode: no echo, no newline translation, control characters pass.
    const std::string in = std::string("FA14250000;\r\n\x03\x11\x13\x7f\xff", 18) + std::string(1, '\0');
    pty.send(in);
    EXPECT_EQ(readPort(*port, in.size()), in);

    const std::string out = "AI1;\n\r\x04\xff";
    EXPECT_EQ(port->write(bytesOf(out)), static_cast<long>(out.size()));
    EXPECT_EQ(pty.receive(out.size()), out);
}

TEST_F(SerialPortTest, ReadWithNothingWaitingReturnsAtOnce)
{
    auto port = SerialPort::open(pty.slave(), 9600);
    ASSERT_NE(port, nullptr);
    std::uint8_t buf[16];
    EXPECT_EQ(port->bytesWaiting(), 0u);
    EXPECT_EQ(port->read(buf), 0);
}

TEST_F(SerialPortTest, PtyWithoutModemLinesIsNeitherHeldNorDown)
{
    auto port = SerialPort::open(pty.slave(), 9600);
    ASSERT_NE(port, nullptr);
    port->setRts(true); // may fail on a pty; must not matter
    port->setRts(false);
    pty.send("ID;");
    readPort(*port, 0);
    const LineStatus s = port->clearErrors();
    EXPECT_FALSE(s.ctsHold);
    EXPECT_FALSE(s.lineDown);
    EXPECT_EQ(s.errors, 0u);
}

TEST_F(SerialPortTest, ReportsTheBytesWaitingInTheStatus)
{
    auto port = SerialPort::open(pty.slave(), 9600);
    ASSERT_NE(port, nullptr);
    pty.send("PS1;");
    pollfd p{port->fd(), POLLIN, 0};
    ASSERT_EQ(::poll(&p, 1, 5000), 1);
    const LineStatus s = port->clearErrors();
    EXPECT_GT(s.inQueue, 0u);
    EXPECT_LE(s.inQueue, 4u);
}

TEST_F(SerialPortTest, ClosedMasterIsLineDown)
{
    auto port = SerialPort::open(pty.slave(), 9600);
    ASSERT_NE(port, nullptr);
    ASSERT_FALSE(port->clearErrors().lineDown);
    pty.close();
    EXPECT_TRUE(port->clearErrors().lineDown);
    std::uint8_t buf[8];
    EXPECT_EQ(port->read(buf), -1);
    EXPECT_EQ(port->write(bytesOf("FA;")), -1);
    EXPECT_TRUE(port->clearErrors().lineDown);
}

TEST(WriteTimeout, GrowsWithTheText)
{
    EXPECT_EQ(writeTimeoutMs(0), 500);
    EXPECT_EQ(writeTimeoutMs(4), 540);
    EXPECT_EQ(writeTimeoutMs(511), 5610);
}

} // namespace
} // namespace qx
