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

TEST(ListenAddress, TheCommandLineBeatsTheFileAndBothOpenTheServerOnlyWhenWrittenOut)
{
    EXPECT_EQ(chooseListenAddress(std::nullopt, std::nullopt).address, ListenAddress{});
    EXPECT_EQ(chooseListenAddress(std::string("0.0.0.0:4600"), std::string("off")).address,
              (ListenAddress{true, "0.0.0.0", 4600}));
    EXPECT_FALSE(chooseListenAddress(std::nullopt, std::string("off")).address.enabled);
    // A port alone is this computer's, wherever it is written.
    EXPECT_EQ(chooseListenAddress(std::string("4600"), std::nullopt).address, (ListenAddress{true, kLoopbackHost, 4600}));
    EXPECT_EQ(chooseListenAddress(std::nullopt, std::string("4600")).address, (ListenAddress{true, kLoopbackHost, 4600}));

    // The file follows the command line's rule: an address written out is used.
    const ListenChoice fromFile = chooseListenAddress(std::nullopt, std::string("192.168.1.5:4600"));
    EXPECT_EQ(fromFile.address, (ListenAddress{true, "192.168.1.5", 4600}));
    EXPECT_TRUE(fromFile.warning.empty());

    const ListenChoice broken = chooseListenAddress(std::nullopt, std::string("four"));
    EXPECT_EQ(broken.address, ListenAddress{});
    EXPECT_FALSE(broken.warning.empty());
}

TEST(ListenAddress, AnAddressOthersReachIsAlwaysSaidOutLoud)
{
    for (const ListenAddress& open : {ListenAddress{true, "0.0.0.0", 4532}, ListenAddress{true, "::", 4532},
                                      ListenAddress{true, "192.168.1.5", 4600}}) {
        const std::string w = exposureWarning(open);
        EXPECT_NE(w.find(formatListenAddress(open)), std::string::npos) << w;
        EXPECT_NE(w.find("reachable from the network without a password"), std::string::npos) << w;
    }
    EXPECT_TRUE(exposureWarning({true, "127.0.0.1", 4532}).empty());
    EXPECT_TRUE(exposureWarning({true, "::1", 4532}).empty());
    EXPECT_TRUE(exposureWarning({false, "0.0.0.0", 4532}).empty());
}

} // namespace
} // namespace qx::rig
