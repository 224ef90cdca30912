// Where the XML-RPC server listens and the radio-info datagrams go: option
// over file over default, and only the option reaches other computers.
#include "xmlrpc/AddressChoice.h"

#include <gtest/gtest.h>

namespace qx::xmlrpc {
namespace {

TEST(AddressChoice, OptionOverFileOverDefaultAndTheFileKeepsToThisComputer)
{
    EXPECT_EQ(chooseAddress(kXmlRpcDefaults, std::nullopt, std::nullopt).address,
              (rig::ListenAddress{true, "127.0.0.1", 12345}));
    EXPECT_EQ(chooseAddress(kRadioInfoDefaults, std::nullopt, std::nullopt).address,
              (rig::ListenAddress{false, "127.0.0.1", 12060}));
    EXPECT_EQ(chooseAddress(kRadioInfoDefaults, std::string("12070"), std::string("off")).address,
              (rig::ListenAddress{true, "127.0.0.1", 12070}));
    EXPECT_EQ(chooseAddress(kXmlRpcDefaults, std::string("0.0.0.0:12346"), std::nullopt).address,
              (rig::ListenAddress{true, "0.0.0.0", 12346}));

    const rig::ListenChoice fromFile = chooseAddress(kXmlRpcDefaults, std::nullopt, std::string("0.0.0.0:12350"));
    EXPECT_EQ(fromFile.address, (rig::ListenAddress{true, "127.0.0.1", 12350}));
    EXPECT_NE(fromFile.warning.find("--xmlrpc-server"), std::string::npos) << fromFile.warning;
    const rig::ListenChoice junk = chooseAddress(kRadioInfoDefaults, std::nullopt, std::string("nonsense"));
    EXPECT_FALSE(junk.address.enabled);
    EXPECT_NE(junk.warning.find("radio-info-udp = nonsense"), std::string::npos) << junk.warning;

    EXPECT_EQ(savedForm({true, "192.168.1.5", 12345}), "127.0.0.1:12345");
    EXPECT_EQ(savedForm({false, "127.0.0.1", 12345}), "off");
}

} // namespace
} // namespace qx::xmlrpc
