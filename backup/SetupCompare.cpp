#include "backup/SetupCompare.h"

#include "backup/SettingText.h"
#include "backup/SetupSnapshot.h"
#include "menu/MenuKind.h"
#include "menu/MenuTable.h"
#include "menu/MenuValue.h"
#include "state/RadioState.h"

#include <cstdio>
#include <map>

namespace qx {
namespace {

std::string numbered(const char* format, int n)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, format, n);
    return buf;
}

bool equalIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto up = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; };
        if (up(a[i]) != up(b[i]))
            return false;
    }
    return true;
}

void compareMenu(const SetupFile& saved, const MenuTable& menu, std::vector<SetupDifference>& out)
{
    for (const SavedMenuEntry& e : saved.menu) {
        const MenuItem item = menu.getEntry(e.slot);
        const bool beacon = item.kind == MenuKind::BeaconText;
        const std::string savedText = e.text.value_or("");
        const bool valueDiffers = menuInt(e.value) != menuInt(item.value);
        if (!valueDiffers && !(beacon && savedText != item.text.view()))
            continue;
        SetupDifference d;
        d.area = SetupDifference::Area::Menu;
        d.index = e.slot;
        d.key = numbered("EX%03d", e.slot);
        d.name = std::string(item.name.view());
        d.saved = describeMenuValue(item, e.value, savedText);
        d.now = describeMenuValue(item, item.value, item.text.view());
        d.value = e.value;
        d.text = savedText;
        if (d.name == kLineSpeedEntry)
            d.handOnly = "it sets the line speed, so restoring it would cut the link";
        out.push_back(std::move(d));
    }
}

void compareKeyer(const SetupFile& saved, const RadioState& radio, std::vector<SetupDifference>& out)
{
    for (const SavedKeyerMemory& k : saved.keyer) {
        const std::string now = keyerTextOf(radio, k.memory);
        if (now == k.text)
            continue;
        SetupDifference d;
        d.area = SetupDifference::Area::Keyer;
        d.index = k.memory;
        d.key = numbered("KM%d", k.memory);
        d.name = numbered("Keyer memory %d", k.memory);
        d.saved = describeKeyerText(k.text);
        d.now = describeKeyerText(now);
        d.text = k.text;
        out.push_back(std::move(d));
    }
}

void compareChannels(const SetupFile& saved, const std::vector<SavedChannel>& present,
                     std::vector<SetupDifference>& out)
{
    std::map<int, MemoryChannel> then, now;
    for (const SavedChannel& c : saved.channels)
        then[c.channel] = c.content;
    for (const SavedChannel& c : present)
        now[c.channel] = c.content;
    for (int ch = saved.channelRange->first; ch <= saved.channelRange->last; ++ch) {
        std::optional<MemoryChannel> a, b;
        if (auto it = then.find(ch); it != then.end())
            a = it->second;
        if (auto it = now.find(ch); it != now.end())
            b = it->second;
        if (a == b)
            continue;
        SetupDifference d;
        d.area = SetupDifference::Area::Channel;
        d.index = ch;
        d.key = numbered("MR%03d", ch);
        d.name = numbered("Channel %d", ch);
        d.saved = describeChannel(a);
        d.now = describeChannel(b);
        d.channel = a;
        if (!a)
            d.handOnly = "a memory channel cannot be emptied over CAT";
        out.push_back(std::move(d));
    }
}

} // namespace

bool SetupDifference::answersTo(std::string_view n) const
{
    return equalIgnoringCase(n, key) || equalIgnoringCase(n, name);
}

std::vector<SetupDifference> compareSetup(const SetupFile& saved, const MenuTable& menu, const RadioState& radio,
                                          const std::vector<SavedChannel>* present)
{
    std::vector<SetupDifference> out;
    compareMenu(saved, menu, out);
    compareKeyer(saved, radio, out);
    if (saved.channelRange && present)
        compareChannels(saved, *present, out);
    return out;
}

} // namespace qx
