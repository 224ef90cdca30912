#include "rigserver/ListenAddress.h"

#include <arpa/inet.h>

namespace qx::rig {
namespace {

constexpr int kHighestPort = 65535;

std::optional<int> portNumber(std::string_view text)
{
    if (text.empty() || text.size() > 5 || text.find_first_not_of("0123456789") != std::string_view::npos)
        return std::nullopt;
    const int p = std::stoi(std::string(text));
    if (p < 1 || p > kHighestPort)
        return std::nullopt;
    return p;
}

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
    std::string_view host;
    std::string_view port = text;
    if (text.starts_with('[')) {
        const auto close = text.find("]:");
        if (close == std::string_view::npos)
            return fail(why, "an IPv6 address is written [ADDR]:PORT");
        host = text.substr(1, close - 1);
        port = text.substr(close + 2);
    } else if (const auto colon = text.rfind(':'); colon != std::string_view::npos) {
        host = text.substr(0, colon);
        port = text.substr(colon + 1);
        if (host.find(':') != std::string_view::npos)
            return fail(why, "an IPv6 address is written [ADDR]:PORT");
        if (host.empty())
            return fail(why, "an address before the ':' or the port alone");
    }
    const auto p = portNumber(port);
    if (!p)
        return fail(why, "the port is a number from 1 to 65535");
    a.port = *p;
    if (!host.empty()) {
        const auto h = numericHost(host);
        if (!h)
            return fail(why, "the address is a numeric IPv4 or IPv6 address or localhost");
        a.host = *h;
    }
    return a;
}

std::string formatListenAddress(const ListenAddress& a)
{
    if (!a.enabled)
        return "off";
    const bool v6 = a.host.find(':') != std::string::npos;
    return (v6 ? "[" + a.host + "]" : a.host) + ":" + std::to_string(a.port);
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
    if (a->enabled && !isLoopback(a->host)) {
        c.warning = "rig-server = " + *saved +
                    " in the settings file is not used: other computers may be served only with --rig-server";
        c.address.port = a->port;
        return c;
    }
    c.address = *a;
    return c;
}

} // namespace qx::rig
