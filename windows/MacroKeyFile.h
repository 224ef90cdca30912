// The macro key definitions as read from "RCPKSDEF.txt": one line per key,
// line n for the key the key map gives it. Read afresh at every macro key
// press so the operator can edit the file while the program runs.
#pragma once
#include <array>
#include <filesystem>
#include <optional>
#include <string>

namespace qx {

inline constexpr int kMacroLineCount = 46;
inline constexpr std::size_t kMacroLineLimit = 255;

using KeyMacroTable = std::array<std::string, kMacroLineCount>;

class MacroKeyFile {
public:
    static constexpr const char* kFolder = "CommoFiles";
    static constexpr const char* kFileName = "RCPKSDEF.txt";
    static constexpr std::size_t kPathLimit = 260;
    // No more than this is ever read, whatever the file holds.
    static constexpr std::size_t kReadLimit = 64 * 1024;

    explicit MacroKeyFile(std::filesystem::path baseDir);

    // The first 46 lines, each cut to 255 characters; nothing when the file
    // cannot be opened or its path is too long.
    std::optional<KeyMacroTable> read() const;
    std::filesystem::path path() const;

private:
    std::filesystem::path baseDir_;
};

// The table from a file's bytes: line ends removed ("\n", "\r\n"), each
// line ends at a NUL, lines past the 46th ignored.
KeyMacroTable parseKeyMacros(std::string_view bytes);

} // namespace qx
