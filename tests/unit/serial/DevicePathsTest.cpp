#include "serial/DevicePaths.h"

#include "tests/TempDir.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

TEST(DevicePaths, NumbersUsbThenAcmThenBuiltInPortsEachNumerically)
{
    test::TempDir dir;
    for (const char* name : {"ttyS10", "ttyS2", "ttyACM0", "ttyUSB10", "ttyUSB2", "tty0", "ttyUSB", "ttyUSBx"})
        dir.write(std::filesystem::path("dev") / name, "");
    const DevicePaths paths(dir.path / "CommoFiles", dir.path / "dev");
    const auto dev = [&](const char* n) { return (dir.path / "dev" / n).string(); };
    EXPECT_EQ(paths.serialDevices(),
              (std::vector{dev("ttyUSB2"), dev("ttyUSB10"), dev("ttyACM0"), dev("ttyS2"), dev("ttyS10")}));
    EXPECT_EQ(paths.pathFor(3), dev("ttyACM0"));
    EXPECT_EQ(paths.pathFor(6), std::nullopt);
    EXPECT_EQ(paths.pathFor(0), std::nullopt);

    // A link in CommoFiles/ports wins, even a dangling one: opening it is what fails.
    std::filesystem::create_directories(dir.path / "CommoFiles/ports");
    std::filesystem::create_symlink("/dev/pts/99", dir.path / "CommoFiles/ports/COM1");
    EXPECT_EQ(paths.pathFor(1), (dir.path / "CommoFiles/ports/COM1").string());
    EXPECT_EQ(paths.pathFor(2), dev("ttyUSB10"));

    const DevicePaths forced(dir.path / "CommoFiles", dir.path / "dev", "/tmp/qx720");
    EXPECT_EQ(forced.pathFor(1), "/tmp/qx720");
    EXPECT_EQ(forced.pathFor(20), "/tmp/qx720");
    EXPECT_TRUE(DevicePaths(dir.path / "none", dir.path / "none").serialDevices().empty());
}

} // namespace
} // namespace qx
