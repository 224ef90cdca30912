#include "xmlrpc/FlrigModes.h"

#include <array>
#include <utility>

namespace qx::xmlrpc {
namespace {

// Our name, the rig server's (Hamlib's) name for the same mode.
constexpr std::array<std::pair<std::string_view, std::string_view>, 10> kNames{{
    {"LSB", "LSB"},
    {"USB", "USB"},
    {"CW", "CW"},
    {"CW-R", "CWR"},
    {"AM", "AM"},
    {"FM", "FM"},
    {"RTTY", "RTTY"},
    {"DATA-L", "PKTLSB"},
    {"DATA-U", "PKTUSB"},
    {"DATA-FM", "PKTFM"},
}};

} // namespace

const std::vector<std::string_view>& flrigModeNames()
{
    // DATA-FM is reported, never set: the panel has no key for it.
    static const std::vector<std::string_view> names{"LSB", "USB", "CW", "CW-R", "AM", "FM", "RTTY", "DATA-L", "DATA-U"};
    return names;
}

std::optional<FlrigMode> flrigMode(int radioMode, int dataType)
{
    const auto m = rig::clientMode(radioMode, dataType);
    if (!m)
        return std::nullopt;
    for (const auto& [ours, hamlib] : kNames)
        if (hamlib == m->name)
            return FlrigMode{ours, m->passband, hamlib == "LSB" || hamlib == "CWR" || hamlib == "PKTLSB"};
    return std::nullopt;
}

std::optional<rig::RadioModeChoice> radioModeForFlrig(std::string_view name)
{
    for (const auto& [ours, hamlib] : kNames)
        if (ours == name)
            return rig::radioModeFor(hamlib);
    return std::nullopt;
}

} // namespace qx::xmlrpc
