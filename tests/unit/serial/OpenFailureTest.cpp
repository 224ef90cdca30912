// What the operator reads when a device does not open, from facts given
// here (a non-root user's refused open, a busy port, a missing adapter) and
// from the facts the system itself gives.
#include "serial/DeviceFacts.h"
#include "serial/DevicePaths.h"
#include "serial/OpenFailure.h"
#include "serial/SerialPort.h"

#include "tests/TempDir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <fcntl.h>
#include <grp.h>
#include <stdlib.h>
#include <unistd.h>

namespace qx {
namespace {

using ::testing::HasSubstr;
using K = OpenFailure::Kind;

OpenFailure failure(K kind)
{
    OpenFailure f;
    f.kind = kind;
    f.path = "/dev/ttyUSB0";
    return f;
}

TEST(OpenFailureText, PermissionDeniedNamesTheGroupToJoinAndTheCommand)
{
    OpenFailure f = failure(K::NoPermission);
    f.group = "dialout";
    EXPECT_EQ(describeOpenFailure(f), "/dev/ttyUSB0: permission denied. The device belongs to the group dialout; "
                                      "join it with\n    sudo usermod -aG dialout $USER\nthen log out and in again.");
    f.group = "uucp"; // the group is read from the device, not assumed
    EXPECT_THAT(describeOpenFailure(f), HasSubstr("sudo usermod -aG uucp $USER"));

    f.userListedInGroup = true;
    EXPECT_EQ(describeOpenFailure(f), "/dev/ttyUSB0: permission denied. You are in the device's group uucp, but "
                                      "this login session began before you joined it: log out and in again.");
    f.sessionHasGroup = true;
    EXPECT_THAT(describeOpenFailure(f), HasSubstr("though this program runs in the device's group uucp"));
    EXPECT_THAT(describeOpenFailure(f), ::testing::Not(HasSubstr("usermod")));

    f = failure(K::NoPermission);
    f.group = "root";
    f.groupIsRoot = true;
    EXPECT_THAT(describeOpenFailure(f), HasSubstr("Only root may open it"));
    EXPECT_THAT(describeOpenFailure(f), ::testing::Not(HasSubstr("usermod")));
}

TEST(OpenFailureText, ABusyPortSaysSoAndNamesTheProgramWhenKnown)
{
    OpenFailure f = failure(K::Busy);
    EXPECT_EQ(describeOpenFailure(f), "/dev/ttyUSB0: this port is in use by another program.");
    f.heldHere = true;
    EXPECT_EQ(describeOpenFailure(f), "/dev/ttyUSB0: this port is already open in this program.");
    f.holders = {"minicom (process 812)", "rcp720 (process 907)"};
    EXPECT_EQ(describeOpenFailure(f), "/dev/ttyUSB0: this port is in use by another program: "
                                      "minicom (process 812), rcp720 (process 907).");
}

TEST(OpenFailureText, AMissingDeviceListsWhatIsPresentWithByIdNames)
{
    OpenFailure f = failure(K::Missing);
    EXPECT_EQ(describeOpenFailure(f),
              "/dev/ttyUSB0: no such device.\nNo serial device is present; is the adapter plugged in?");
    f.present = {{"/dev/ttyUSB1", "usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0"}, {"/dev/ttyS0", ""}};
    EXPECT_EQ(describeOpenFailure(f), "/dev/ttyUSB0: no such device.\nSerial devices present:\n"
                                      "    /dev/ttyUSB1  (usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0)\n"
                                      "    /dev/ttyS0");
    f.present.assign(11, PresentDevice{"/dev/ttyS9", ""});
    EXPECT_THAT(describeOpenFailure(f), ::testing::EndsWith("/dev/ttyS9\n    and 3 more"));
}

TEST(OpenFailureFacts, PermissionFactsAreReadFromTheDevicesGroup)
{
    const group* dialout = ::getgrnam("dialout");
    if (!dialout)
        GTEST_SKIP() << "this system has no group dialout";
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(::grantpt(master), 0);
    const std::string slave = ::ptsname(master);
    ASSERT_EQ(::chown(slave.c_str(), static_cast<uid_t>(-1), dialout->gr_gid), 0);
    struct stat st {};
    ASSERT_EQ(::stat(slave.c_str(), &st), 0);
    // As a user outside the group would see it: the open refused with EACCES.
    const std::string why = describeOpenFailure(openFailureFor(EACCES, slave, &st));
    EXPECT_THAT(why, ::testing::StartsWith(slave + ": permission denied"));
    EXPECT_THAT(why, HasSubstr("group dialout"));

    ASSERT_EQ(::chown(slave.c_str(), static_cast<uid_t>(-1), 0), 0);
    ASSERT_EQ(::stat(slave.c_str(), &st), 0);
    EXPECT_THAT(describeOpenFailure(openFailureFor(EPERM, slave, &st)), HasSubstr("Only root may open it"));
    ::close(master);
}

TEST(OpenFailureFacts, OtherErrorsKeepTheSystemsWords)
{
    EXPECT_EQ(describeOpenFailure(openFailureFor(ENXIO, "/dev/ttyUSB0", nullptr)),
              "/dev/ttyUSB0: No such device or address");
    EXPECT_EQ(describeOpenFailure(openFailureFor(EACCES, "/dev/x/ttyUSB0", nullptr)),
              "/dev/x/ttyUSB0: Permission denied") << "without the device's status there is no group to name";
}

TEST(OpenFailureFacts, PresentDevicesComeInPortOrderWithTheirByIdNames)
{
    test::TempDir dev;
    for (const char* name : {"ttyS0", "ttyUSB1", "ttyACM0", "ttyUSB0", "ttyUSBX", "sda"})
        dev.write(name, "");
    std::filesystem::create_directories(dev.path / "serial" / "by-id");
    std::filesystem::create_symlink("../../ttyUSB1", dev.path / "serial" / "by-id" / "usb-FTDI_A50-if00-port0");
    std::filesystem::create_symlink("../../gone", dev.path / "serial" / "by-id" / "usb-Dangling-if00");

    const auto present = presentSerialDevices(dev.path);
    ASSERT_EQ(present.size(), 4u);
    const std::string d = dev.path.string();
    EXPECT_EQ(present[0].path, d + "/ttyUSB0");
    EXPECT_EQ(present[0].byId, "");
    EXPECT_EQ(present[1].path, d + "/ttyUSB1");
    EXPECT_EQ(present[1].byId, "usb-FTDI_A50-if00-port0");
    EXPECT_EQ(present[2].path, d + "/ttyACM0");
    EXPECT_EQ(present[3].path, d + "/ttyS0");
    EXPECT_EQ(DevicePaths({}, dev.path).byIdName(d + "/ttyUSB1"), "usb-FTDI_A50-if00-port0");
    EXPECT_EQ(DevicePaths({}, dev.path).byIdName(d + "/nothing"), std::nullopt);
}

} // namespace
} // namespace qx
