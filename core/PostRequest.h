// Posting a RequestTable row to the command builder, with the selector and
// the two spare flags packed into wParam and the value in lParam.
#pragma once
#include "core/Outbox.h"

#include <cstdint>

namespace qx {

inline constexpr std::uint64_t kSelectorBit = 1u << 0;
inline constexpr std::uint64_t kFlagBBit = 1u << 20;
inline constexpr std::uint64_t kFlagABit = 1u << 28;

// Posts row index to ThreadId::AnlSend. Each flag sets its bit only when it
// is exactly 1. Returns false, posting nothing, for an index outside 1..173.
bool PostRequest(Outbox& outbox, int index, int flagA, int selector, int flagB, std::int64_t value);

} // namespace qx
