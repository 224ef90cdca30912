// Bytes written as numbers, and a text seen as the bytes a device takes.
#pragma once
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>

namespace qx::test {

inline std::string bytes(std::initializer_list<int> b)
{
    std::string s;
    for (int c : b)
        s += static_cast<char>(c);
    return s;
}

inline std::span<const std::uint8_t> byteSpan(const std::string& s)
{
    return {reinterpret_cast<const std::uint8_t*>(s.data()), s.size()};
}

} // namespace qx::test
