#include "cat/KeyerWrite.h"

namespace qx {

std::optional<KeyerWrite> keyerWrite(int memory, std::string_view text)
{
    if (memory < 1 || memory > 5 || text.empty() || text.size() > kKeyerMemoryLength ||
        text.find(';') != std::string_view::npos)
        return std::nullopt;
    const std::string digit(1, static_cast<char>('0' + memory));
    return KeyerWrite{"KM" + digit + std::string(text) + ";", "KM" + digit + ";"};
}

} // namespace qx
