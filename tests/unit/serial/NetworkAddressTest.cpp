#include "serial/NetworkAddress.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

using Kind = NetworkAddress::Kind;

TEST(NetworkAddress, ReadsBothSchemesNamesAndAddresses)
{
    struct Case {
        const char* text;
        Kind kind;
        const char* host;
        int port;
        const char* normal;
    };
    for (const Case c : {
             Case{"tcp://shack.local:2000", Kind::Raw, "shack.local", 2000, "tcp://shack.local:2000"},
             Case{"rfc2217://192.168.1.20:1", Kind::Rfc2217, "192.168.1.20", 1, "rfc2217://192.168.1.20:1"},
             Case{"tcp://[::1]:65535", Kind::Raw, "::1", 65535, "tcp://[::1]:65535"},
             Case{"rfc2217://[fe80::1%eth0]:3001", Kind::Rfc2217, "fe80::1%eth0", 3001, "rfc2217://[fe80::1%eth0]:3001"},
             Case{"tcp://radio_1:0020", Kind::Raw, "radio_1", 20, "tcp://radio_1:20"},
         }) {
        const auto a = parseNetworkAddress(c.text);
        ASSERT_TRUE(a) << c.text;
        EXPECT_EQ(a->kind, c.kind) << c.text;
        EXPECT_EQ(a->host, c.host) << c.text;
        EXPECT_EQ(a->port, c.port) << c.text;
        EXPECT_EQ(a->text(), c.normal) << c.text;
        EXPECT_EQ(parseNetworkAddress(a->text()), a) << "the normal form reads back the same";
        EXPECT_TRUE(isNetworkDeviceName(c.text));
    }
}

TEST(NetworkAddress, ABareHostAndPortIsRawOnlyWhenAllowed)
{
    EXPECT_FALSE(parseNetworkAddress("shack:2000"));
    const auto a = parseNetworkAddress("shack:2000", true);
    ASSERT_TRUE(a);
    EXPECT_EQ(a->kind, Kind::Raw);
    EXPECT_EQ(a->hostPort(), "shack:2000");
    EXPECT_FALSE(isNetworkDeviceName("shack:2000"));
    EXPECT_FALSE(isNetworkDeviceName("/dev/ttyUSB0"));
}

TEST(NetworkAddress, RefusesWhatNoConnectionCanBeMadeTo)
{
    for (const char* bad : {"tcp://", "tcp://shack", "tcp://shack:", "tcp://:2000", "tcp://shack:0", "tcp://shack:65536",
                            "tcp://shack:-1", "tcp://shack:20a", "tcp://shack:123456", "tcp://sh ack:2000",
                            "tcp://shack/x:2000", "tcp://user@shack:2000", "tcp://[::1:2000", "tcp://[]:2000",
                            "tcp://[shack]:2000", "tcp://[::1]2000", "telnet://shack:23", "TCP://shack:2000",
                            "tcp://shack:2000\n"}) {
        std::string why;
        EXPECT_FALSE(parseNetworkAddress(bad, true, &why)) << bad;
        EXPECT_FALSE(why.empty()) << bad;
    }
    EXPECT_FALSE(parseNetworkAddress("tcp://" + std::string(254, 'a') + ":2000"));
    EXPECT_TRUE(parseNetworkAddress("tcp://" + std::string(253, 'a') + ":2000"));
}

} // namespace
} // namespace qx
