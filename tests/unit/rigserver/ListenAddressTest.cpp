#include "rigserver/ListenAddress.h"

#include <gtest/gtest.h>

namespace qx::rig {
namespace {

TEST(ListenAddress, FormsOfTheSettingAndTheirTextBack)
{
    const struct {
        const char* text;
        bool enabled;
        const char* host;
        int port;
        const char* back;
    } cases[] = {
        {"off", false, kLoopbackHost, kDefaultPort, "off"},
        {"4534", true, "127.0.0.1", 4534, "127.0.0.1:4534"},
        {"0.0.0.0:1", true, "0.0.0.0", 1, "0.0.0.0:1"},
        {"localhost:65535", true, "127.0.0.1", 65535, "127.0.0.1:65535"},
        {"[::1]:4532", true, "::1", 4532, "[::1]:4532"},
    };
    for (const auto& c : cases) {
        const auto a = parseListenAddress(c.text);
        ASSERT_TRUE(a) << c.text;
        EXPECT_EQ(a->enabled, c.enabled) << c.text;
        EXPECT_EQ(a->host, c.host) << c.text;
        EXPECT_EQ(a->port, c.port) << c.text;
        EXPECT_EQ(formatListenAddress(*a), c.back) << c.text;
    }
    std::string why;
    for (const char* bad : {"", "0", "65536", "4532x", ":4532", "1.2.3:4532", "::1:4532", "[::1]4532", "host:4532",
                            "tcp://127.0.0.1:4532", "[::1]:", "127.0.0.1:4532:"}) {
        EXPECT_FALSE(parseListenAddress(bad, &why)) << bad;
        EXPECT_FALSE(why.empty()) << bad;
    }
}

TEST(ListenAddress, LoopbackIsThisComputerOnly)
{
    for (const char* h : {"127.0.0.1", "127.1.2.3", "::1", "localhost"})
        EXPECT_TRUE(isLoopback(h)) << h;
    for (const char* h : {"0.0.0.0", "192.168.1.2", "::", "::2", "128.0.0.1", ""})
        EXPECT_FALSE(isLoopback(h)) << h;
}

TEST(ListenAddress, TheCommandLineBeatsTheFileAndOnlyItOpensTheServerToOthers)
{
    EXPECT_EQ(chooseListenAddress(std::nullopt, std::nullopt).address, ListenAddress{});
    EXPECT_EQ(chooseListenAddress(std::string("0.0.0.0:4600"), std::string("off")).address,
              (ListenAddress{true, "0.0.0.0", 4600}));
    EXPECT_FALSE(chooseListenAddress(std::nullopt, std::string("off")).address.enabled);

    const ListenChoice fromFile = chooseListenAddress(std::nullopt, std::string("192.168.1.5:4600"));
    EXPECT_EQ(fromFile.address, (ListenAddress{true, kLoopbackHost, 4600}));
    EXPECT_NE(fromFile.warning.find("--rig-server"), std::string::npos);

    const ListenChoice broken = chooseListenAddress(std::nullopt, std::string("four"));
    EXPECT_EQ(broken.address, ListenAddress{});
    EXPECT_FALSE(broken.warning.empty());
}

} // namespace
} // namespace qx::rig
