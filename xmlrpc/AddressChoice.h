// Where a network service of the program goes (the XML-RPC server's
// listening address, the radio-info broadcasts' destination): from the
// command line, else the settings file, else its default. The forms are the
// rig server's ("off", "PORT", "ADDR:PORT", "[ADDR]:PORT"); as there, only
// the command line may reach other computers: a saved address that is not
// this computer's is not used, and the port alone is kept.
#pragma once
#include "rigserver/ListenAddress.h"

#include <optional>
#include <string>

namespace qx::xmlrpc {

struct AddressDefaults {
    int port;
    const char* settingsKey;  // the key in rcp720.conf
    const char* option;       // the command-line option, for messages
    bool enabled;             // on unless asked otherwise
};

inline constexpr AddressDefaults kXmlRpcDefaults{12345, "xmlrpc-server", "--xmlrpc-server", true};
inline constexpr AddressDefaults kRadioInfoDefaults{12060, "radio-info-udp", "--radio-info-udp", false};

rig::ListenChoice chooseAddress(const AddressDefaults& d, const std::optional<std::string>& option,
                                const std::optional<std::string>& saved);

// What the settings file keeps of a choice: a non-loopback address becomes
// this computer's, with its port.
std::string savedForm(rig::ListenAddress a);

} // namespace qx::xmlrpc
