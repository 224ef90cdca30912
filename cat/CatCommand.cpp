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

std::string rightAlignedField(int width, long long value)
{
    if (width <= 0)
        return {};
    std::string field(static_cast<std::size_t>(width), '0');
    writeRightAligned(field, value);
    return field;
}

std::optional<std::string> fittedField(int width, long long value)
{
    if (width <= 0 || value < 0)
        return std::nullopt;
    std::string field = rightAlignedField(width, value);
    if (value != 0 && field.find_first_not_of('0') == std::string::npos)
        return std::nullopt;
    return field;
}

std::string misfitNote(std::string_view what, long long value, int width)
{
    return "refused " + std::string(what) + ": " + std::to_string(value) + " does not fit " + std::to_string(width)
        + (width == 1 ? " digit" : " digits");
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
