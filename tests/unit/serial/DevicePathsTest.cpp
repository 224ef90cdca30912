#include "serial/DevicePaths.h"

#include "tests/unit/serial/TempDir.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

class DevicePathsTest : public ::testing::Test {
protected:
    test::TempDir dir;
    std::filesystem::path dev() const { return dir.path() / "dev"; }
    std::filesystem::path commo() const { return dir.path() / "CommoFiles"; }
    void touch(const std::string& name) const { dir.writeFile(std::filesystem::path("dev") / name, ""); }
    std::string devPath(const std::string& name) const { return (dev() / name).string(); }
};

TEST_F(DevicePathsTest, NumbersSerialDevicesUsbThenAcmThenBuiltInEachNumerically)
{
    for (const char* name : {"ttyS10", "ttyS2", "ttyACM0", "ttyUSB10", "ttyUSB2", "ttyS0", "tty0", "ttyUSB",
                             "ttyUSBx", "console", "ttyACM1a"})
        touch(name);
    const DevicePaths paths(commo(), dev());
    EXPECT_EQ(paths.serialDevices(), (std::vector<std::string>{devPath("ttyUSB2"), devPath("ttyUSB10"),
                                                               devPath("ttyACM0"), devPath("ttyS0"),
                                                               devPath("ttyS2"), devPath("ttyS10")}));
    EXPECT_EQ(paths.pathFor(1), devPath("ttyUSB2"));
    EXPECT_EQ(paths.pathFor(3), devPath("ttyACM0"));
    EXPECT_EQ(paths.pathFor(6), devPath("ttyS10"));
    EXPECT_EQ(paths.pathFor(7), std::nullopt);
    EXPECT_EQ(paths.pathFor(0), std::nullopt);
}

TEST_F(DevicePathsTest, PortLinkInCommoFilesWinsOverTheDeviceList)
{
    touch("ttyUSB0");
    std::filesystem::create_directories(commo() / "ports");
    std::filesystem::create_symlink("/dev/pts/99", commo() / "ports" / "COM1");
    std::filesystem::create_symlink(devPath("ttyUSB0"), commo() / "ports" / "COM12");
    const DevicePaths paths(commo(), dev());
    // A dangling link still names the port: opening it is what fails.
    EXPECT_EQ(paths.pathFor(1), (commo() / "ports" / "COM1").string());
    EXPECT_EQ(paths.pathFor(12), (commo() / "ports" / "COM12").string());
    EXPECT_EQ(paths.pathFor(2), std::nullopt);
}

TEST_F(DevicePathsTest, OverrideStandsForEveryPort)
{
    touch("ttyUSB0");
    const DevicePaths paths(commo(), dev(), "/tmp/qx720");
    EXPECT_EQ(paths.pathFor(1), "/tmp/qx720");
    EXPECT_EQ(paths.pathFor(20), "/tmp/qx720");
}

TEST_F(DevicePathsTest, MissingFoldersMeanNoDevice)
{
    const DevicePaths paths(dir.path() / "nothing", dir.path() / "nodev");
    EXPECT_TRUE(paths.serialDevices().empty());
    EXPECT_EQ(paths.pathFor(1), std::nullopt);
}

} // namespace
} // namespace qx
