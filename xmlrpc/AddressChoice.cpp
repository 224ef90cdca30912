#include "xmlrpc/AddressChoice.h"

namespace qx::xmlrpc {

rig::ListenChoice chooseAddress(const AddressDefaults& d, const std::optional<std::string>& option,
                                const std::optional<std::string>& saved)
{
    rig::ListenChoice c;
    c.address.port = d.port;
    c.address.enabled = d.enabled;
    // A port alone is taken as a port on this computer by the parser.
    if (option) {
        if (auto a = rig::parseListenAddress(*option))
            c.address = *a;
        return c;
    }
    if (!saved)
        return c;
    std::string why;
    const auto a = rig::parseListenAddress(*saved, &why);
    const std::string prefix = std::string(d.settingsKey) + " = " + *saved + " in the settings file is not used: ";
    if (!a) {
        c.warning = prefix + why;
        return c;
    }
    if (a->enabled && !rig::isLoopback(a->host)) {
        c.warning = prefix + "other computers may be reached only with " + d.option;
        c.address.port = a->port;
        return c;
    }
    c.address = *a;
    return c;
}

std::string savedForm(rig::ListenAddress a)
{
    if (a.enabled && !rig::isLoopback(a.host))
        a.host = rig::kLoopbackHost;
    return rig::formatListenAddress(a);
}

} // namespace qx::xmlrpc
