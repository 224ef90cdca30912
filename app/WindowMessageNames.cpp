#include "app/WindowMessageNames.h"

#include "core/MessageIds.h"

#include <array>
#include <utility>

namespace qx {
namespace {

#define QX_WINDOW_NAME_ROW(name, value) std::pair<std::uint32_t, std::string_view>{value, #name},
constexpr std::array kWindowNames{
    QX_ANSWER_NOTIFICATIONS(QX_WINDOW_NAME_ROW) QX_OTHER_NOTIFICATIONS(QX_WINDOW_NAME_ROW)
        QX_WINDOW_MESSAGES(QX_WINDOW_NAME_ROW)};
#undef QX_WINDOW_NAME_ROW

} // namespace

std::string_view windowMessageName(std::uint32_t id)
{
    for (const auto& [value, name] : kWindowNames)
        if (value == id)
            return name;
    return messageName(id);
}

bool isWindowMessageName(std::string_view name)
{
    for (const auto& row : kWindowNames)
        if (row.second == name)
            return true;
    return false;
}

} // namespace qx
