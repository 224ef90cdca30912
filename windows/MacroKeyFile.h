// The macro key definitions as read from "RCPKSDEF.txt": one line per key,
// line n for the key the key map gives it. Read afresh at every macro key
// press so the operator can edit the file while the program runs.
#pragma once
#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace qx {

inline constexpr int kMacroLineCount = 46;
inline constexpr std::size_t kMacroLineLimit = 255;

using KeyMacroTable = std::array<std::string, kMacroLineCount>;

class MacroKeyFile {
public:
    static constexpr const char* kFolder = "CommoFiles";
    static constexpr const char* kFileName = "RCPKSDEF.txt";
    static constexpr std::size_t kPathLimit = 260;

    explicit MacroKeyFile(std::filesystem::path baseDir);

    // The first 46 lines, each cut to 255 characters; nothing when the file
    // cannot be read (missing, not a regular file, larger than the limit,
    // a read error) or its path is too long. Never throws, never blocks.
    std::optional<KeyMacroTable> read() const;
    std::filesystem::path path() const;

private:
    std::filesystem::path baseDir_;
};

// A line that runs this long without a line end is taken for a file that
// is no key file (binary, one endless line): reading stops there, so a
// key press never scans more than 46 of these.
inline constexpr std::size_t kMacroLineScanLimit = 64 * 1024;

// More than this is no key file; it is not read at all.
inline constexpr std::size_t kMacroFileLimit = 1024 * 1024;

// The table from the file's bytes, line by line: line ends removed ("\n",
// "\r\n"), each line ends at a NUL and is cut to 255 characters (the rest of
// an over-long line is skipped, never held), lines past the 46th not read.
KeyMacroTable parseKeyMacros(std::string_view bytes);

} // namespace qx
