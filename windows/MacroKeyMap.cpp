#include "windows/MacroKeyMap.h"

#include <array>

namespace qx {
namespace {

constexpr int kNone = -1;
constexpr int kVersion = -2;

// Rows by key, columns none, Shift, Ctrl, Alt.
constexpr std::array<std::array<int, 4>, 16> kLines{{
    {kVersion, 10, 21, 32}, // F1
    {0, 11, 22, 33},        // F2
    {1, 12, 23, 34},        // F3
    {2, 13, 24, kNone},     // F4
    {3, 14, 25, 35},        // F5
    {4, 15, 26, kNone},     // F6
    {5, 16, 27, 36},        // F7
    {6, 17, 28, 37},        // F8
    {7, 18, 29, 38},        // F9
    {kNone, kNone, kNone, 39}, // F10
    {8, 19, 30, 40},        // F11
    {9, 20, 31, 41},        // F12
    {42, kNone, kNone, kNone}, // Page Up
    {43, kNone, kNone, kNone}, // Page Down
    {44, kNone, kNone, kNone}, // Home
    {45, kNone, kNone, kNone}, // End
}};

} // namespace

MacroKeyAction macroKeyAction(MacroKey key, MacroModifier modifier)
{
    const int line = kLines[static_cast<std::size_t>(key)][static_cast<std::size_t>(modifier)];
    if (line == kVersion)
        return {MacroKeyAction::OpenVersion, -1};
    if (line == kNone)
        return {};
    return {MacroKeyAction::SendLine, line};
}

} // namespace qx
