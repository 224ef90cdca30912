#include "windows/MacroKeyFile.h"

#include "core/FileIo.h"

#include <algorithm>

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
    // A FIFO, a directory or a device in the file's place reads as no file.
    const FileRead file = readRegularFile(p, kMacroFileLimit);
    if (!file.text)
        return std::nullopt;
    return parseKeyMacros(*file.text);
}

KeyMacroTable parseKeyMacros(std::string_view bytes)
{
    KeyMacroTable table;
    std::size_t at = 0;
    for (auto& line : table) {
        if (at >= bytes.size())
            break;
        std::size_t scanned = 0;
        bool ended = false; // a NUL ends the text; the line end is still looked for
        for (; at < bytes.size() && bytes[at] != '\n'; ++at) {
            if (++scanned > kMacroLineScanLimit) {
                line.resize(std::min(line.size(), kMacroLineLimit));
                return table;
            }
            const char c = bytes[at];
            if (c == '\0')
                ended = true;
            else if (!ended && line.size() <= kMacroLineLimit) // one over, for a "\r" to drop
                line.push_back(c);
        }
        ++at; // past the line end
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.size() > kMacroLineLimit)
            line.resize(kMacroLineLimit);
    }
    return table;
}

} // namespace qx
