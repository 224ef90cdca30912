#include "windows/MacroKeyFile.h"

#include <algorithm>
#include <fstream>
#include <sstream>

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
    return parseKeyMacros(in);
}

KeyMacroTable parseKeyMacros(std::istream& in)
{
    KeyMacroTable table;
    std::streambuf* buf = in.rdbuf();
    if (!buf)
        return table;
    constexpr auto eof = std::char_traits<char>::eof();
    for (auto& line : table) {
        std::size_t scanned = 0;
        bool ended = false; // a NUL ends the text; the line end is still looked for
        int c = buf->sbumpc();
        if (c == eof)
            break;
        for (; c != eof && c != '\n'; c = buf->sbumpc()) {
            if (++scanned > kMacroLineScanLimit) {
                line.resize(std::min(line.size(), kMacroLineLimit));
                return table;
            }
            if (c == '\0')
                ended = true;
            else if (!ended && line.size() <= kMacroLineLimit) // one over, for a "\r" to drop
                line.push_back(static_cast<char>(c));
        }
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.size() > kMacroLineLimit)
            line.resize(kMacroLineLimit);
    }
    return table;
}

KeyMacroTable parseKeyMacros(std::string_view bytes)
{
    std::istringstream in{std::string(bytes)};
    return parseKeyMacros(in);
}

} // namespace qx
