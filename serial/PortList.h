// The COM ports offered to the operator: "COM1" to "COM20".
#pragma once
#include <span>
#include <string_view>

namespace qx {

struct PortListRow {
    std::string_view name;
    int number;
};

std::span<const PortListRow> portList();

} // namespace qx
