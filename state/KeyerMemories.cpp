#include "state/KeyerMemories.h"

namespace qx {

namespace {
bool validMemory(int memory)
{
    return memory >= 1 && memory <= KeyerMemories::kCount;
}
} // namespace

bool KeyerMemories::set(int memory, std::optional<std::string_view> text)
{
    if (!text || !validMemory(memory))
        return false;
    std::string_view t = *text;
    t = t.substr(0, t.find('\0'));
    if (t.size() > kCapacity)
        return false;
    std::lock_guard lock(mutex_);
    Text& slot = texts_[static_cast<std::size_t>(memory - 1)];
    slot.chars.fill('\0');
    t.copy(slot.chars.data(), t.size());
    slot.size = t.size();
    return true;
}

std::string KeyerMemories::get(int memory) const
{
    if (!validMemory(memory))
        return {};
    std::lock_guard lock(mutex_);
    const Text& slot = texts_[static_cast<std::size_t>(memory - 1)];
    return std::string(slot.chars.data(), slot.size);
}

void KeyerMemories::clear()
{
    std::lock_guard lock(mutex_);
    for (Text& t : texts_) {
        t.chars.fill('\0');
        t.size = 0;
    }
}

} // namespace qx
