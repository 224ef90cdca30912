// Which device a COM port number stands for. In order:
//  1. an override path (--device PATH), for every port number;
//  2. the symbolic link <CommoFiles>/ports/COMn, when it exists;
//  3. the n-th serial device present in the device folder: ttyUSB* first,
//     then ttyACM*, then ttyS*, each in numeric order.
#pragma once
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace qx {

class DevicePaths {
public:
    DevicePaths(std::filesystem::path commoDir, std::filesystem::path devDir = "/dev",
                std::optional<std::string> override = std::nullopt);

    // The path to open for COM n, or nothing when no device stands behind it.
    std::optional<std::string> pathFor(int portNumber) const;

    // The serial devices of the device folder in the order above.
    std::vector<std::string> serialDevices() const;

    // The stable name udev gives the device under <device folder>/serial/by-id
    // (the adapter's make, model and serial number), nothing when it has none.
    std::optional<std::string> byIdName(const std::string& device) const;

private:
    std::filesystem::path commoDir_;
    std::filesystem::path devDir_;
    std::optional<std::string> override_;
};

} // namespace qx
