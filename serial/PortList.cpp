#include "serial/PortList.h"

#include <array>

namespace qx {

namespace {
constexpr std::array<PortListRow, 20> rows{{
    {"COM1", 1},   {"COM2", 2},   {"COM3", 3},   {"COM4", 4},   {"COM5", 5},
    {"COM6", 6},   {"COM7", 7},   {"COM8", 8},   {"COM9", 9},   {"COM10", 10},
    {"COM11", 11}, {"COM12", 12}, {"COM13", 13}, {"COM14", 14}, {"COM15", 15},
    {"COM16", 16}, {"COM17", 17}, {"COM18", 18}, {"COM19", 19}, {"COM20", 20},
}};
} // namespace

std::span<const PortListRow> portList() { return rows; }

} // namespace qx
