// A radio's serial port carried over the network: "tcp://HOST:PORT" for a
// raw byte stream (ser2net's plain tcp accepter), "rfc2217://HOST:PORT" for
// telnet with the COM-port options, so the far side's line speed can be set.
// HOST is a name, an IPv4 address or an IPv6 address in brackets.
#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace qx {

struct NetworkAddress {
    enum class Kind { Raw, Rfc2217 };
    Kind kind = Kind::Raw;
    std::string host; // without brackets
    int port = 0;

    // "tcp://host:2000", "rfc2217://[::1]:2000": the form the device is named by.
    std::string text() const;
    // "host:2000", "[::1]:2000": for the operator's messages.
    std::string hostPort() const;
    bool operator==(const NetworkAddress&) const = default;
};

// True for a text that names a network device (it starts with a scheme
// above), whether or not the rest of it is valid.
bool isNetworkDeviceName(std::string_view text);

// Parses a device name. With `bareMeansRaw`, a text without a scheme
// ("host:port", as typed into COM Select) is a raw connection. Nothing, with
// the reason in `why`, when the text is not a valid address.
std::optional<NetworkAddress> parseNetworkAddress(std::string_view text, bool bareMeansRaw = false,
                                                  std::string* why = nullptr);

} // namespace qx
