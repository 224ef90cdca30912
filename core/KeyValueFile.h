// The program's own settings beyond the COM settings file (whose format
// other programs rely on): "key = value" lines in CommoFiles/rcp720.conf,
// e.g. the rig server's address, a network radio's address, the panel size.
// Lines that are not "key = value" and keys nobody knows are kept as they
// are on save, so an older or newer copy of the program loses nothing.
#pragma once
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace qx {

class KeyValueFile {
public:
    static constexpr const char* kFileName = "rcp720.conf";
    static constexpr std::size_t kMaxBytes = 64 * 1024;

    explicit KeyValueFile(std::filesystem::path path) : path_(std::move(path)) {}

    // False (and nothing known) when the file is missing or unreadable; the
    // reason is in lastError().
    bool load();
    // Creates the folder when needed; false with the reason in lastError().
    bool save();

    std::optional<std::string> get(const std::string& key) const;
    void set(const std::string& key, const std::string& value);
    void erase(const std::string& key);

    const std::filesystem::path& path() const { return path_; }
    const std::string& lastError() const { return error_; }

private:
    struct Line {
        std::string key; // empty for a line kept only as text
        std::string text;
    };
    std::filesystem::path path_;
    std::vector<Line> lines_;
    std::string error_;
};

} // namespace qx
