// The operator's channel labels, which the radio cannot keep: one file beside
// the program's settings, a list per radio ID so that two radios on one
// computer keep theirs apart.
#pragma once
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace qx {

class ChannelLabels {
public:
    static constexpr const char* kFileName = "channel-labels.json";

    explicit ChannelLabels(std::filesystem::path path) : path_(std::move(path)) {}

    // Nothing for a radio the file does not know, or a file that is missing
    // or unreadable (the reason in lastError()).
    std::vector<std::pair<int, std::string>> load(const std::string& radioId);
    // Replaces this radio's labels, keeping the other radios'.
    bool save(const std::string& radioId, const std::vector<std::pair<int, std::string>>& labels);

    const std::string& lastError() const { return error_; }

private:
    std::filesystem::path path_;
    std::string error_;
};

} // namespace qx
