#include "serial/DevicePaths.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <string_view>
#include <system_error>

namespace qx {

namespace fs = std::filesystem;

namespace {

// The number after a prefix, for names made only of the prefix and digits.
std::optional<unsigned long> suffixNumber(std::string_view name, std::string_view prefix)
{
    if (name.size() <= prefix.size() || name.substr(0, prefix.size()) != prefix)
        return std::nullopt;
    const std::string_view digits = name.substr(prefix.size());
    unsigned long n = 0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), n);
    if (ec != std::errc() || end != digits.data() + digits.size())
        return std::nullopt;
    return n;
}

} // namespace

DevicePaths::DevicePaths(fs::path commoDir, fs::path devDir, std::optional<std::string> override)
    : commoDir_(std::move(commoDir)), devDir_(std::move(devDir)), override_(std::move(override))
{
}

std::vector<std::string> DevicePaths::serialDevices() const
{
    static constexpr std::array<std::string_view, 3> prefixes{"ttyUSB", "ttyACM", "ttyS"};
    std::array<std::vector<std::pair<unsigned long, std::string>>, 3> found;

    std::error_code ec;
    for (fs::directory_iterator it(devDir_, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        for (std::size_t i = 0; i < prefixes.size(); ++i) {
            if (const auto n = suffixNumber(name, prefixes[i])) {
                found[i].emplace_back(*n, it->path().string());
                break;
            }
        }
    }
    std::vector<std::string> out;
    for (auto& group : found) {
        std::sort(group.begin(), group.end());
        for (auto& entry : group)
            out.push_back(std::move(entry.second));
    }
    return out;
}

std::optional<std::string> DevicePaths::byIdName(const std::string& device) const
{
    std::error_code ec;
    const fs::path target = fs::canonical(device, ec);
    if (ec)
        return std::nullopt;
    for (fs::directory_iterator it(devDir_ / "serial" / "by-id", ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code linkError;
        if (fs::canonical(it->path(), linkError) == target && !linkError)
            return it->path().filename().string();
    }
    return std::nullopt;
}

std::optional<std::string> DevicePaths::pathFor(int portNumber) const
{
    if (override_)
        return override_;
    if (portNumber < 1)
        return std::nullopt;
    const fs::path link = commoDir_ / "ports" / ("COM" + std::to_string(portNumber));
    std::error_code ec;
    if (fs::exists(fs::symlink_status(link, ec)))
        return link.string();
    const auto devices = serialDevices();
    if (static_cast<std::size_t>(portNumber) <= devices.size())
        return devices[static_cast<std::size_t>(portNumber) - 1];
    return std::nullopt;
}

} // namespace qx
