#include "rigserver/ListenAddress.h"

#include "serial/NetworkAddress.h"

#include <arpa/inet.h>

namespace qx::rig {
namespace {

std::optional<std::string> numericHost(std::string_view text)
{
    if (text == "localhost")
        return std::string(kLoopbackHost);
    const std::string s(text);
    unsigned char buf[16];
    if (::inet_pton(AF_INET, s.c_str(), buf) == 1 || ::inet_pton(AF_INET6, s.c_str(), buf) == 1)
        return s;
    return std::nullopt;
}

std::optional<ListenAddress> fail(std::string* why, std::string reason)
{
    if (why)
        *why = std::move(reason);
    return std::nullopt;
}

} // namespace

std::optional<ListenAddress> parseListenAddress(std::string_view text, std::string* why)
{
    ListenAddress a;
    if (text == "off") {
        a.enabled = false;
        return a;
    }
    if (isNetworkDeviceName(text))
        return fail(why, "the address is written ADDR:PORT, without a scheme");
    if (!text.starts_with('[') && text.find(':') != text.rfind(':'))
        return fail(why, "an IPv6 address is written [ADDR]:PORT");
    // A port alone is that port on this computer.
    const std::string hostPort =
        text.find(':') == std::string_view::npos ? std::string(kLoopbackHost) + ":" + std::string(text) : std::string(text);
    std::string reason;
    const auto parsed = parseNetworkAddress(hostPort, true, &reason);
    if (!parsed)
        return fail(why, reason);
    const auto h = numericHost(parsed->host);
    if (!h)
        return fail(why, "the address is a numeric IPv4 or IPv6 address or localhost");
    a.host = *h;
    a.port = parsed->port;
    return a;
}

std::string formatListenAddress(const ListenAddress& a)
{
    if (!a.enabled)
        return "off";
    return NetworkAddress{NetworkAddress::Kind::Raw, a.host, a.port}.hostPort();
}

bool isLoopback(std::string_view host)
{
    const std::string s(host);
    unsigned char buf[16];
    if (::inet_pton(AF_INET, s.c_str(), buf) == 1)
        return buf[0] == 127;
    if (::inet_pton(AF_INET6, s.c_str(), buf) == 1) {
        for (int i = 0; i < 15; ++i)
            if (buf[i] != 0)
                return false;
        return buf[15] == 1;
    }
    return host == "localhost";
}

ListenChoice chooseListenAddress(const std::optional<std::string>& option, const std::optional<std::string>& saved)
{
    ListenChoice c;
    if (option) {
        if (auto a = parseListenAddress(*option))
            c.address = *a;
        return c;
    }
    if (!saved)
        return c;
    std::string why;
    const auto a = parseListenAddress(*saved, &why);
    if (!a) {
        c.warning = "rig-server = " + *saved + " in the settings file is not used: " + why;
        return c;
    }
    c.address = *a;
    return c;
}

std::string exposureWarning(const ListenAddress& a)
{
    if (!a.enabled || isLoopback(a.host))
        return {};
    return "The rig server listens on " + formatListenAddress(a) +
           ": the radio is reachable from the network without a password.";
}

} // namespace qx::rig
