#include "app/ProgramOptions.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

TEST(ProgramOptions, PortTakesOnlyTheTwentyComNumbers)
{
    EXPECT_EQ(parseProgramOptions({"--port", "1"}).port, 1);
    EXPECT_EQ(parseProgramOptions({"--port", "20"}).port, 20);
    for (const char* bad : {"0", "21", "-1", "3x", "", "007", "99999999999999999999"}) {
        const ProgramOptions o = parseProgramOptions({"--port", bad});
        EXPECT_FALSE(o.error.empty()) << bad;
        EXPECT_FALSE(o.port) << bad;
    }
    EXPECT_FALSE(parseProgramOptions({"--port"}).error.empty());
}

TEST(ProgramOptions, TheSimulatedRadioExcludesARealPort)
{
    EXPECT_FALSE(parseProgramOptions({"--simulate", "--port", "2"}).error.empty());
    EXPECT_FALSE(parseProgramOptions({"--simulate", "--device", "/dev/ttyUSB0"}).error.empty());
    const ProgramOptions o = parseProgramOptions({"--device", "/dev/ttyUSB0", "--port", "2", "--no-splash"});
    EXPECT_TRUE(o.error.empty());
    EXPECT_EQ(o.device, "/dev/ttyUSB0");
    EXPECT_EQ(o.port, 2);
    EXPECT_TRUE(o.noSplash);
}

TEST(ProgramOptions, RigServerTakesOffAPortOrAnAddressWithItsPort)
{
    EXPECT_FALSE(parseProgramOptions({}).rigServer);
    for (const char* good : {"off", "4532", "0.0.0.0:4534", "[::1]:4532", "localhost:4540"}) {
        const ProgramOptions o = parseProgramOptions({"--rig-server", good});
        EXPECT_TRUE(o.error.empty()) << good << ": " << o.error;
        EXPECT_EQ(o.rigServer, good);
    }
    for (const char* bad : {"", "0", "65536", "on", "example.org:4532", "::1:4532", "127.0.0.1:"}) {
        const ProgramOptions o = parseProgramOptions({"--rig-server", bad});
        EXPECT_FALSE(o.error.empty()) << bad;
        EXPECT_FALSE(o.rigServer) << bad;
    }
}

TEST(ProgramOptions, XmlRpcServerAndRadioInfoTakeTheSameFormsEachForItself)
{
    const ProgramOptions both = parseProgramOptions({"--xmlrpc-server", "off", "--radio-info-udp", "12060"});
    EXPECT_TRUE(both.error.empty()) << both.error;
    EXPECT_EQ(both.xmlrpcServer, "off");
    EXPECT_EQ(both.radioInfoUdp, "12060");
    EXPECT_FALSE(both.rigServer);
    const ProgramOptions bad = parseProgramOptions({"--radio-info-udp", "on"});
    EXPECT_NE(bad.error.find("--radio-info-udp on"), std::string::npos) << bad.error;
    EXPECT_FALSE(bad.radioInfoUdp);
    EXPECT_FALSE(parseProgramOptions({"--xmlrpc-server"}).error.empty());
}

TEST(ProgramOptions, ANetworkDeviceMustBeAValidAddress)
{
    for (const char* good : {"tcp://shack.local:2000", "rfc2217://[::1]:2001"}) {
        const ProgramOptions o = parseProgramOptions({"--device", good});
        EXPECT_TRUE(o.error.empty()) << good << ": " << o.error;
        EXPECT_EQ(o.device, good);
    }
    const ProgramOptions bad = parseProgramOptions({"--device", "tcp://shack.local"});
    EXPECT_EQ(bad.error, "--device tcp://shack.local: the address needs a port: HOST:PORT");
    EXPECT_FALSE(bad.device);
}

} // namespace
} // namespace qx
