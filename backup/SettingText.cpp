#include "backup/SettingText.h"

#include "menu/MenuKind.h"
#include "menu/MenuText.h"

#include <cstdio>

namespace qx {
namespace {

std::string flagsText(const MenuItem& item, double value)
{
    std::string s;
    for (int i = 0; i < item.valueCount; ++i)
        if (flagIsSet(item.kind, value, i))
            s += (s.empty() ? "" : " ") + std::string(item.valueText(i));
    return s.empty() ? "none" : s;
}

} // namespace

std::string describeMenuValue(const MenuItem& item, double value, std::string_view text)
{
    if (item.kind == MenuKind::BandFlags || item.kind == MenuKind::ModeFlags)
        return flagsText(item, value);
    if (item.kind == MenuKind::BeaconText)
        return std::to_string(static_cast<long long>(value)) + " \"" + std::string(text) + "\"";
    MenuItem shown = item;
    shown.value = value;
    shown.changed = false;
    std::string s = settingText(shown);
    while (!s.empty() && s.front() == ' ')
        s.erase(0, 1);
    return s;
}

std::string describeKeyerText(std::string_view text)
{
    return text.empty() ? "(empty)" : "\"" + std::string(text) + "\"";
}

std::string describeChannel(const std::optional<MemoryChannel>& c)
{
    if (!c)
        return "(empty)";
    char buf[160];
    const std::string_view named = memoryChannelModeName(c->mode);
    const std::string mode = !named.empty() ? std::string(named) : "mode " + std::to_string(c->mode);
    std::snprintf(buf, sizeof buf, "%lld.%06lld MHz %.*s, offset %+d Hz, clar %d/%d, tone %d/%02d, shift %d",
                  c->frequency / 1000000, c->frequency % 1000000, static_cast<int>(mode.size()), mode.data(),
                  c->offset, c->rxClarifier, c->txClarifier, c->toneMode, c->tone, c->shift);
    return buf;
}

} // namespace qx
