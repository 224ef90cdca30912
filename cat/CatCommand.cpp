#include "cat/CatCommand.h"

#include <array>
#include <climits>
#include <cstddef>

namespace qx {

void writeRightAligned(std::span<char> field, long long value)
{
    for (char& c : field)
        c = '0';
    if (value < 0)
        return;
    std::array<char, 24> digits{};
    std::size_t count = 0;
    do {
        digits[count++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0);
    if (count > field.size())
        return;
    for (std::size_t i = 0; i < count; ++i)
        field[field.size() - 1 - i] = digits[i];
}

bool fitsField(int width, long long value)
{
    if (width <= 0 || value < 0)
        return false;
    long long limit = 1;
    for (int i = 0; i < width; ++i) {
        if (limit > LLONG_MAX / 10)
            return true; // wider than any long long
        limit *= 10;
    }
    return value < limit;
}

std::string rightAlignedField(int width, long long value)
{
    if (width <= 0)
        return {};
    std::string field(static_cast<std::size_t>(width), '0');
    writeRightAligned(field, value);
    return field;
}

std::string composeCommand(const CatRecord& row, std::string_view params)
{
    if (row.length < 3 || row.length > kCommandBufferSize)
        return {};
    std::array<char, kCommandBufferSize> buffer{};
    buffer[0] = row.code[0];
    buffer[1] = row.code[1];
    const auto room = static_cast<std::size_t>(kCommandBufferSize - 2);
    params.copy(buffer.data() + 2, params.size() < room ? params.size() : room);
    const auto length = static_cast<std::size_t>(row.length);
    buffer[length - 1] = ';';
    return std::string(buffer.data(), length);
}

} // namespace qx
