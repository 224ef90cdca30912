#include "windows/MacroKeyFile.h"

#include <fstream>

namespace qx {

MacroKeyFile::MacroKeyFile(std::filesystem::path baseDir) : baseDir_(std::move(baseDir)) {}

std::filesystem::path MacroKeyFile::path() const
{
    return baseDir_ / kFolder / kFileName;
}

std::optional<KeyMacroTable> MacroKeyFile::read() const
{
    const auto p = path();
    if (p.native().size() >= kPathLimit)
        return std::nullopt;
    std::ifstream in(p, std::ios::binary);
    if (!in)
        return std::nullopt;
    // 46 full lines fit easily; a huge or binary file is cut here.
    std::string bytes(kReadLimit, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return parseKeyMacros(bytes);
}

KeyMacroTable parseKeyMacros(std::string_view bytes)
{
    KeyMacroTable table;
    std::size_t pos = 0;
    for (int line = 0; line < kMacroLineCount && pos < bytes.size(); ++line) {
        std::size_t end = bytes.find('\n', pos);
        if (end == std::string_view::npos)
            end = bytes.size();
        std::string_view text = bytes.substr(pos, end - pos);
        pos = end + 1;
        if (!text.empty() && text.back() == '\r')
            text.remove_suffix(1);
        text = text.substr(0, text.find('\0'));
        table[static_cast<std::size_t>(line)] = std::string(text.substr(0, kMacroLineLimit));
    }
    return table;
}

} // namespace qx
