#include "core/MessageIds.h"

#include <array>

namespace qx {
namespace {

struct NamedId {
    std::string_view name;
    std::uint32_t id;
};

#define QX_NAMED_ID(name, value) NamedId{#name, value},
constexpr std::array kCatalogue{QX_ALL_MESSAGES(QX_NAMED_ID)};
constexpr std::array kRequests{QX_DIRECT_REQUESTS(QX_NAMED_ID) QX_TABLE_REQUESTS(QX_NAMED_ID)};
#undef QX_NAMED_ID

} // namespace

std::string_view messageName(std::uint32_t id)
{
    for (const auto& entry : kCatalogue) {
        if (entry.id == id)
            return entry.name;
    }
    return {};
}

std::optional<std::uint32_t> messageIdByName(std::string_view name)
{
    for (const auto& entry : kCatalogue) {
        if (entry.name == name)
            return entry.id;
    }
    return std::nullopt;
}

bool isRequestName(std::string_view name)
{
    for (const auto& entry : kRequests) {
        if (entry.name == name)
            return true;
    }
    return false;
}

} // namespace qx
