#include "serial/NetworkDeviceSetting.h"

#include "tests/TempDir.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

struct NetworkDeviceSettingTest : ::testing::Test {
    test::TempDir dir;
    std::filesystem::path file() const { return dir.path / "CommoFiles" / "rcp720.conf"; }
};

TEST_F(NetworkDeviceSettingTest, IsRememberedBesideTheOtherSettingsAndReadBack)
{
    dir.write("CommoFiles/rcp720.conf", "# kept\nrig-server = 127.0.0.1:4532\n");
    NetworkDeviceSetting setting(file(), true);
    setting.load();
    EXPECT_FALSE(setting.get());
    ASSERT_TRUE(setting.set("shack.local:2000"));
    EXPECT_EQ(setting.get(), "tcp://shack.local:2000");
    EXPECT_EQ(dir.read("CommoFiles/rcp720.conf"),
              "# kept\nrig-server = 127.0.0.1:4532\nnetwork-device = tcp://shack.local:2000\n");

    NetworkDeviceSetting again(file(), true);
    again.load();
    EXPECT_EQ(again.get(), "tcp://shack.local:2000");
    ASSERT_TRUE(again.set(std::nullopt));
    EXPECT_FALSE(again.get());
    EXPECT_EQ(dir.read("CommoFiles/rcp720.conf"), "# kept\nrig-server = 127.0.0.1:4532\n");
}

TEST_F(NetworkDeviceSettingTest, AValueThatIsNoAddressIsIgnored)
{
    for (const char* value : {"/dev/ttyUSB0", "tcp://shack", "shack.local:2000", "rfc2217://shack:99999"}) {
        dir.write("CommoFiles/rcp720.conf", std::string("network-device = ") + value + "\n");
        NetworkDeviceSetting setting(file(), true);
        setting.load();
        EXPECT_FALSE(setting.get()) << value;
    }
    NetworkDeviceSetting setting(file(), true);
    std::string why;
    EXPECT_FALSE(setting.set("shack", &why));
    EXPECT_FALSE(why.empty());
    EXPECT_FALSE(setting.get());
}

TEST_F(NetworkDeviceSettingTest, ASecondCopyNeitherReadsNorWritesTheFile)
{
    dir.write("CommoFiles/rcp720.conf", "network-device = tcp://first:2000\n");
    NetworkDeviceSetting second(file(), false);
    second.load();
    EXPECT_FALSE(second.get());
    EXPECT_TRUE(second.set("rfc2217://second:2001"));
    EXPECT_EQ(second.get(), "rfc2217://second:2001");
    EXPECT_EQ(dir.read("CommoFiles/rcp720.conf"), "network-device = tcp://first:2000\n");
}

TEST_F(NetworkDeviceSettingTest, AFileThatCannotBeReadIsNotReplaced)
{
    std::filesystem::create_directories(file()); // a folder where the file should be
    NetworkDeviceSetting setting(file(), true);
    setting.load();
    std::string why;
    EXPECT_FALSE(setting.set("shack:2000", &why));
    EXPECT_FALSE(why.empty());
    EXPECT_EQ(setting.get(), "tcp://shack:2000") << "it still holds for this run";
    EXPECT_TRUE(std::filesystem::is_directory(file()));
}

} // namespace
} // namespace qx
