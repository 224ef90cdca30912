#include "windows/CwKeyerText.h"

namespace qx {
namespace {

std::string zeroFilled(std::string_view text, std::size_t width)
{
    std::string s(text.substr(0, width));
    s.resize(width, '\0');
    return s;
}

} // namespace

std::string keyerTextForField(std::string_view stored, std::size_t width)
{
    std::string_view s = stored.substr(0, width);
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    return std::string(s);
}

bool keyerTextDiffers(std::string_view typed, std::string_view stored, std::size_t width)
{
    return zeroFilled(typed, width) != zeroFilled(stored, width);
}

} // namespace qx
