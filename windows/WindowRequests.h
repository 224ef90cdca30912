// Posting a table request by its id rather than its row number, as the
// auxiliary windows do: every request of theirs carries VFO 0 unless given.
#pragma once
#include "core/PostRequest.h"
#include "core/RequestTable.h"

namespace qx {

inline bool postRequestId(Outbox& outbox, std::uint32_t id, std::int64_t value = 0, int selector = 0)
{
    return PostRequest(outbox, requestRowOf(id), 0, selector, 0, value);
}

} // namespace qx
