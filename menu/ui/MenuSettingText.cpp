#include "menu/ui/MenuSettingText.h"

#include "menu/MenuExParam.h"
#include "menu/MenuValue.h"

#include <cstdio>

namespace qx {

std::string settingCaptionWithUnits(const MenuItem& item)
{
    if (!item.hasUnits)
        return settingCaption(item);
    char buf[64];
    std::snprintf(buf, sizeof buf, "%03d  %s  (%s)", item.number, item.name.c_str(), item.units.c_str());
    return buf;
}

std::string settingCaption(const MenuItem& item)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%03d  %s", item.number, item.name.c_str());
    return buf;
}

std::string beaconCaption(const MenuItem& item)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%03d  %s %d", item.number, item.name.c_str(), menuInt(item.value));
    return buf;
}

bool beaconCharAllowed(char c)
{
    return (c >= 0x20 && c <= 0x5F && c != ';') || c == '{';
}

std::string cleanBeaconText(std::string_view text)
{
    std::string out;
    for (char c : text) {
        if (out.size() >= kBeaconTextMax)
            break;
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
        if (beaconCharAllowed(c))
            out.push_back(c);
    }
    return out;
}

} // namespace qx
