// What the port refuses to open and what it then tells the operator: things
// that are no serial terminal, people's terminals, and a device another
// program holds.
#include "serial/DeviceCheck.h"
#include "serial/OpenFailure.h"
#include "serial/SerialPort.h"

#include "tests/TempDir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <stdlib.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace qx {
namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

struct Pty {
    int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    std::string slave = master >= 0 && ::grantpt(master) == 0 && ::unlockpt(master) == 0 ? ::ptsname(master) : "";
    ~Pty()
    {
        if (master >= 0)
            ::close(master);
    }
};

std::string whyNot(const std::string& path)
{
    std::string why;
    EXPECT_EQ(SerialPort::open(path, 4800, &why), nullptr) << path;
    return why;
}

// A child process that runs `argv` with its standard input and output on
// pipes; lines are read from its output, and closing its input ends it.
class Child {
public:
    explicit Child(std::vector<std::string> argv)
    {
        int in[2], out[2];
        if (::pipe(in) != 0 || ::pipe(out) != 0)
            return;
        std::vector<char*> args;
        for (auto& a : argv)
            args.push_back(a.data());
        args.push_back(nullptr);
        pid_ = ::fork();
        if (pid_ == 0) {
            ::dup2(in[0], 0);
            ::dup2(out[1], 1);
            ::close(in[1]);
            ::close(out[0]);
            ::execvp(args[0], args.data());
            ::_exit(127);
        }
        ::close(in[0]);
        ::close(out[1]);
        toChild_ = in[1];
        fromChild_ = out[0];
    }
    ~Child() { end(); }
    pid_t pid() const { return pid_; }
    // Blocks until the child writes a line or ends.
    std::string line()
    {
        std::string s;
        char c;
        while (::read(fromChild_, &c, 1) == 1 && c != '\n')
            s += c;
        return s;
    }
    void end()
    {
        if (toChild_ >= 0)
            ::close(toChild_);
        if (fromChild_ >= 0)
            ::close(fromChild_);
        toChild_ = fromChild_ = -1;
        if (pid_ > 0)
            ::waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }

private:
    pid_t pid_ = -1;
    int toChild_ = -1;
    int fromChild_ = -1;
};

TEST(PortRefusal, WhatIsNoSerialTerminalIsRefusedSayingWhatItIs)
{
    test::TempDir dir;
    dir.write("plain", "x");
    std::filesystem::create_directory(dir.path / "folder");
    const std::string fifo = (dir.path / "fifo").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const struct {
        std::string path;
        std::string reason;
    } cases[] = {
        {(dir.path / "plain").string(), ": not a serial device (a regular file)."},
        {(dir.path / "folder").string(), ": not a serial device (a directory)."},
        {fifo, ": not a serial device (a FIFO)."},
        {"/dev/null", ": not a serial device (a character device that is no terminal)."},
        {"/dev/tty", ": not a serial port but the terminal this program runs in."},
        {"/dev/console", ": not a serial port but a system console."},
        {"/dev/ptmx", ": not a serial device (the pseudo-terminal multiplexer)."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(whyNot(c.path), c.path + c.reason);
}

// Opening a watchdog starts it, opening a tape rewinds it: a device the system
// files under another class than terminals is refused before it is opened.
TEST(PortRefusal, DevicesOfAnotherClassAreRefusedWithoutOpeningThem)
{
    struct stat null {};
    ASSERT_EQ(::stat("/dev/null", &null), 0);
    test::TempDir sys;
    const auto classed = [&](const std::string& kind) {
        const auto entry = sys.path / "dev" / "char" / "1:3";
        std::filesystem::remove_all(entry);
        std::filesystem::create_directories(entry);
        std::filesystem::create_directory_symlink("../../../class/" + kind, entry / "subsystem");
    };
    classed("watchdog");
    const auto refused = refusedDevice("/dev/watchdog", null, sys.path);
    ASSERT_TRUE(refused.has_value());
    EXPECT_EQ(describeOpenFailure(*refused), "/dev/watchdog: not a serial device (a character device that is no terminal).");
    classed("tty");
    EXPECT_FALSE(refusedDevice("/dev/ttyS0", null, sys.path)) << "a terminal";
    std::filesystem::remove_all(sys.path / "dev");
    EXPECT_FALSE(refusedDevice("/dev/pts/3", null, sys.path)) << "unlisted, as pseudo-terminals are: left to the open";

    if (!std::filesystem::exists("/sys/dev/char/1:3"))
        return;
    EXPECT_TRUE(refusedDevice("/dev/null", null)) << "the system's own list";
    Pty pty;
    struct stat slave {};
    ASSERT_EQ(::stat(pty.slave.c_str(), &slave), 0);
    EXPECT_FALSE(refusedDevice(pty.slave, slave));
}

TEST(PortRefusal, AMissingDeviceListsTheDevicesThatArePresent)
{
    const std::string why = whyNot("/dev/ttyUSB-none");
    EXPECT_THAT(why, StartsWith("/dev/ttyUSB-none: no such device.\n"));
    EXPECT_TRUE(why.find("Serial devices present:") != std::string::npos ||
                why.find("No serial device is present") != std::string::npos)
        << why;
}

// Writing "AI0;" to somebody's shell would be the least of it.
TEST(PortRefusal, TheTerminalOfALoginSessionIsRefused)
{
    Pty pty;
    ASSERT_FALSE(pty.slave.empty());
    int ready[2], done[2];
    ASSERT_EQ(::pipe(ready), 0);
    ASSERT_EQ(::pipe(done), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(ready[0]);
        ::close(done[1]); // or the read below never sees the parent's close
        // A new session whose controlling terminal is the pseudo-terminal.
        ::setsid();
        const int fd = ::open(pty.slave.c_str(), O_RDWR);
        ::ioctl(fd, TIOCSCTTY, 0);
        char c = 'x';
        ::write(ready[1], &c, 1);
        ::read(done[0], &c, 1);
        ::_exit(0);
    }
    ::close(ready[1]);
    ::close(done[0]);
    char c;
    ASSERT_EQ(::read(ready[0], &c, 1), 1);
    EXPECT_EQ(whyNot(pty.slave), pty.slave + ": not a serial port but the terminal of a login session.");
    ::close(done[1]);
    ::close(ready[0]);
    ::waitpid(child, nullptr, 0);
}

// The real condition, not the text alone: a user outside the device's group.
TEST(PortRefusal, AUserOutsideTheDevicesGroupIsToldWhichGroupToJoin)
{
    const group* dialout = ::getgrnam("dialout");
    const passwd* nobody = ::getpwnam("nobody");
    if (::geteuid() != 0 || !dialout || !nobody || dialout->gr_gid == nobody->pw_gid)
        GTEST_SKIP() << "needs root to become a user outside the group dialout";
    Pty pty;
    ASSERT_FALSE(pty.slave.empty());
    ASSERT_EQ(::chown(pty.slave.c_str(), 0, dialout->gr_gid), 0);
    ASSERT_EQ(::chmod(pty.slave.c_str(), 0660), 0);
    const uid_t uid = nobody->pw_uid;
    const gid_t gid = nobody->pw_gid;
    int out[2];
    ASSERT_EQ(::pipe(out), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(out[0]);
        if (::setgroups(0, nullptr) != 0 || ::setresgid(gid, gid, gid) != 0 || ::setresuid(uid, uid, uid) != 0)
            ::_exit(2);
        std::string why;
        const bool opened = SerialPort::open(pty.slave, 4800, &why) != nullptr;
        const std::string report = (opened ? "opened" : why);
        ::write(out[1], report.data(), report.size());
        ::_exit(0);
    }
    ::close(out[1]);
    std::string why;
    char buf[512];
    for (ssize_t n; (n = ::read(out[0], buf, sizeof buf)) > 0;)
        why.append(buf, static_cast<std::size_t>(n));
    ::close(out[0]);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "could not become the user nobody";
    EXPECT_EQ(why, pty.slave + ": permission denied. The device belongs to the group dialout; join it with\n"
                               "    sudo usermod -aG dialout $USER\nthen log out and in again.");
}

TEST(ExclusiveUse, ASecondOpenInThisProgramIsRefusedUntilTheFirstCloses)
{
    Pty pty;
    auto first = SerialPort::open(pty.slave, 4800);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(whyNot(pty.slave), pty.slave + ": this port is already open in this program.");
    int exclusive = 0;
    ASSERT_EQ(::ioctl(first->fd(), TIOCGEXCL, &exclusive), 0);
    EXPECT_EQ(exclusive, 1) << "the refused open left the holder's exclusive mode alone";
    first.reset();
    EXPECT_NE(SerialPort::open(pty.slave, 4800), nullptr);
}

TEST(ExclusiveUse, AProgramHoldingTheDevicesLockIsNamed)
{
    Pty pty;
    Child holder({"flock", "-n", pty.slave, "-c", "echo locked; read x"});
    ASSERT_EQ(holder.line(), "locked");
    const std::string why = whyNot(pty.slave);
    EXPECT_THAT(why, StartsWith(pty.slave + ": this port is in use by another program: "));
    EXPECT_THAT(why, HasSubstr("flock (process " + std::to_string(holder.pid()) + ")"));
    holder.end();
    EXPECT_NE(SerialPort::open(pty.slave, 4800), nullptr) << "free again once it ended";
}

TEST(DeviceCheck, TheOperatorsDeviceNameIsRefusedOnlyWhenItCannotBeASerialPort)
{
    Pty pty;
    test::TempDir dir;
    dir.write("plain", "x");
    EXPECT_EQ(deviceRefusal(pty.slave), "");
    EXPECT_EQ(deviceRefusal("/dev/ttyUSB-not-yet-plugged"), "") << "it may be plugged in later";
    EXPECT_THAT(deviceRefusal("/dev/tty"), HasSubstr("the terminal this program runs in"));
    EXPECT_THAT(deviceRefusal((dir.path / "plain").string()), HasSubstr("not a serial device (a regular file)"));
    EXPECT_EQ(deviceRefusal("tcp://radio.local:4000"), "") << "the network opener's";
    EXPECT_EQ(deviceRefusal("rfc2217://[fd00::20]:2001"), "");
    EXPECT_EQ(deviceRefusal("ftp://radio.local:21"), "ftp://radio.local:21: no opener takes addresses of the form ftp://...");
    for (const char* address : {"tcp://h:1", "rfc2217://10.0.0.2:2000", "ser2net+x.y://h"})
        EXPECT_TRUE(isAddressForm(address)) << address;
    for (const char* path : {"/dev/ttyUSB0", "://h:1", "1tcp://h", "dir/tcp://x", "COM3"})
        EXPECT_FALSE(isAddressForm(path)) << path;
}

} // namespace
} // namespace qx
