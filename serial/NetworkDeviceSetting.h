// The network radio chosen in COM Select ("tcp://host:port" or
// "rfc2217://host:port"), remembered as `network-device` in the program's
// settings file (CommoFiles/rcp720.conf) beside the COM settings file,
// whose format stays as it is. While one is set, the link opens it in place
// of the numbered port. A second running copy keeps its choice for its own
// run only, as it keeps its own COM settings file.
//
// Read by the worker threads that open the link, changed on the UI thread.
#pragma once
#include <filesystem>
#include <mutex>
#include <optional>
#include <string>

namespace qx {

class NetworkDeviceSetting {
public:
    static constexpr const char* kKey = "network-device";

    // persistent: false for a second running copy.
    NetworkDeviceSetting(std::filesystem::path file, bool persistent);

    // Reads the file. A missing file, or a value that is no network address,
    // leaves none set.
    void load();
    std::optional<std::string> get() const;
    // Sets (or with nothing, drops) the choice in its normal form and saves
    // it; the choice holds for this run even when saving fails (false, with
    // the reason in `why`). Other settings in the file are kept.
    bool set(const std::optional<std::string>& address, std::string* why = nullptr);

private:
    std::filesystem::path file_;
    bool persistent_;
    mutable std::mutex mutex_;
    std::optional<std::string> value_;
};

} // namespace qx
