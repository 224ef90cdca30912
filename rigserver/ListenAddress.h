// Where the rig server listens: "off", "PORT", "ADDR:PORT" or "[ADDR]:PORT"
// (numeric IPv4 or IPv6 addresses, or "localhost"). The choice comes from
// the command line, else from the program's settings file, else the
// default 127.0.0.1:4532. Both places follow one rule: the server is open to
// other computers only when an address other than loopback is written out
// there; a port alone, a default or the panel's dialog never opens it.
#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace qx::rig {

inline constexpr int kDefaultPort = 4532;
inline constexpr const char* kLoopbackHost = "127.0.0.1";
// The key in the program's settings file.
inline constexpr const char* kSettingsKey = "rig-server";
// "on": clients work in VFO mode, as with --rig-server-vfo.
inline constexpr const char* kVfoModeKey = "rig-server-vfo";

struct ListenAddress {
    bool enabled = true;
    std::string host = kLoopbackHost;
    int port = kDefaultPort;

    bool operator==(const ListenAddress&) const = default;
};

// Nothing, with the reason in `why`, for a text that is none of the forms.
std::optional<ListenAddress> parseListenAddress(std::string_view text, std::string* why = nullptr);
std::string formatListenAddress(const ListenAddress& a);
bool isLoopback(std::string_view host);

struct ListenChoice {
    ListenAddress address;
    std::string warning;  // why a saved value was not used; empty when all went well
};

ListenChoice chooseListenAddress(const std::optional<std::string>& option, const std::optional<std::string>& saved);

// What the operator is told while the server listens where other computers
// reach it; empty for a loopback address or a server that is off.
std::string exposureWarning(const ListenAddress& a);

} // namespace qx::rig
