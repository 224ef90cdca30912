#include "backup/SetupSnapshot.h"

#include "backup/SettingText.h"
#include "core/ErrorMessages.h"
#include "menu/MenuKind.h"
#include "menu/MenuTable.h"
#include "state/RadioState.h"

#include <chrono>
#include <cstdio>
#include <ctime>

namespace qx {

std::string radioIdText(const RadioState& radio)
{
    char buf[8];
    std::snprintf(buf, sizeof buf, "%04d", radio.get(RadioState::Int::ID) % 10000);
    return buf;
}

std::string keyerTextOf(const RadioState& radio, int memory)
{
    std::string text = radio.keyerText(memory);
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    return text;
}

SetupFile snapshotSetup(const MenuTable& menu, const RadioState& radio, std::optional<ChannelRange> range,
                        std::vector<SavedChannel> channels, std::string program, std::string savedAt)
{
    SetupFile f;
    f.program = std::move(program);
    f.radioId = radioIdText(radio);
    f.savedAt = std::move(savedAt);
    for (int slot = 1; slot <= menu.count(); ++slot) {
        const MenuItem item = menu.getEntry(slot);
        if (item.kind == MenuKind::Vacant)
            continue;
        std::optional<std::string> text;
        if (item.kind == MenuKind::BeaconText)
            text = std::string(item.text.view());
        f.menu.push_back({slot, item.number, std::string(item.name.view()), item.value, text,
                          describeMenuValue(item, item.value, text.value_or(""))});
    }
    for (int m = 1; m <= kSavedKeyerMemories; ++m)
        f.keyer.push_back({m, keyerTextOf(radio, m)});
    f.channelRange = range;
    if (range)
        f.channels = std::move(channels);
    return f;
}

std::string programVersionText()
{
    const auto version = operatorText(113);
    return version ? std::string(*version) : std::string("RCP-720");
}

std::string utcTimestamp()
{
    const std::time_t t = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm tm{};
    gmtime_r(&t, &tm);
    char buf[32];
    std::strftime(buf, sizeof buf, "%Y-%m-%dT%H:%M:%SZ", &tm);
    return buf;
}

} // namespace qx
