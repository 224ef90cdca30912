#include "serial/NetworkAddress.h"

#include <algorithm>
#include <cctype>

namespace qx {

namespace {

constexpr std::string_view kRawScheme = "tcp://";
constexpr std::string_view kTelnetScheme = "rfc2217://";
constexpr std::size_t kMaxHost = 253;

bool nameChar(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '-' || c == '.' || c == '_';
}

// Inside brackets: hex digits, colons, an embedded IPv4 part, a zone ("%eth0").
bool ipv6Char(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == ':' || c == '.' || c == '%';
}

std::optional<int> portNumber(std::string_view digits)
{
    if (digits.empty() || digits.size() > 5
        || !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    int v = 0;
    for (char c : digits)
        v = v * 10 + (c - '0');
    if (v < 1 || v > 65535)
        return std::nullopt;
    return v;
}

std::optional<NetworkAddress> fail(std::string* why, std::string reason)
{
    if (why)
        *why = std::move(reason);
    return std::nullopt;
}

} // namespace

std::string NetworkAddress::hostPort() const
{
    const bool ipv6 = host.find(':') != std::string::npos;
    return (ipv6 ? "[" + host + "]" : host) + ":" + std::to_string(port);
}

std::string NetworkAddress::text() const
{
    return std::string(kind == Kind::Rfc2217 ? kTelnetScheme : kRawScheme) + hostPort();
}

bool isNetworkDeviceName(std::string_view text)
{
    return text.starts_with(kRawScheme) || text.starts_with(kTelnetScheme);
}

std::optional<NetworkAddress> parseNetworkAddress(std::string_view text, bool bareMeansRaw, std::string* why)
{
    NetworkAddress a;
    if (text.starts_with(kRawScheme)) {
        text.remove_prefix(kRawScheme.size());
    } else if (text.starts_with(kTelnetScheme)) {
        a.kind = NetworkAddress::Kind::Rfc2217;
        text.remove_prefix(kTelnetScheme.size());
    } else if (!bareMeansRaw || text.find("://") != std::string_view::npos) {
        return fail(why, "a network device starts with tcp:// or rfc2217://");
    }

    std::string_view host;
    std::string_view rest;
    if (text.starts_with('[')) {
        const auto close = text.find(']');
        if (close == std::string_view::npos)
            return fail(why, "an IPv6 address needs its closing bracket");
        host = text.substr(1, close - 1);
        rest = text.substr(close + 1);
        if (host.empty() || !std::all_of(host.begin(), host.end(), ipv6Char) || host.find(':') == std::string_view::npos)
            return fail(why, "the address in brackets is no IPv6 address");
    } else {
        const auto colon = text.rfind(':');
        if (colon == std::string_view::npos)
            return fail(why, "the address needs a port: HOST:PORT");
        host = text.substr(0, colon);
        rest = text.substr(colon);
        if (host.empty() || !std::all_of(host.begin(), host.end(), nameChar))
            return fail(why, "the host name may hold only letters, digits, '-', '.' and '_'");
    }
    if (host.size() > kMaxHost)
        return fail(why, "the host name is too long");
    if (!rest.starts_with(':'))
        return fail(why, "the address needs a port: HOST:PORT");
    const auto port = portNumber(rest.substr(1));
    if (!port)
        return fail(why, "the port must be a number from 1 to 65535");
    a.host = std::string(host);
    a.port = *port;
    return a;
}

} // namespace qx
