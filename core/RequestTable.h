// The requests that windows post to the command builder by row number:
// row i holds one request id, row 0 none. Written from the message catalogue's
// list of table requests, so ids and rows stay one list.
#pragma once
#include "core/MessageIds.h"

#include <array>
#include <cstdint>

namespace qx {

#define QX_REQUEST_ID(name, value) value,
inline constexpr std::array<std::uint32_t, 174> kRequestTable{0, QX_TABLE_REQUESTS(QX_REQUEST_ID)};
#undef QX_REQUEST_ID

inline constexpr int kFirstRequestRow = 1;
inline constexpr int kLastRequestRow = 173;

// The id of row index; 0 for row 0 and for indices outside the table.
constexpr std::uint32_t requestId(int index)
{
    return index >= kFirstRequestRow && index <= kLastRequestRow ? kRequestTable[static_cast<std::size_t>(index)] : 0;
}

// The row holding id, or -1 when no row does.
constexpr int requestRowOf(std::uint32_t id)
{
    for (int i = kFirstRequestRow; i <= kLastRequestRow; ++i) {
        if (kRequestTable[static_cast<std::size_t>(i)] == id)
            return i;
    }
    return -1;
}

} // namespace qx
