// One numbered message between threads and windows: an id from MessageIds.h
// and two words whose meaning the receiver gives them.
#pragma once
#include <cstdint>

namespace qx {

struct Message {
    std::uint32_t id = 0;
    std::uint64_t wParam = 0;
    std::int64_t lParam = 0;

    friend bool operator==(const Message&, const Message&) = default;
};

// The worker threads a message can be posted to.
enum class ThreadId { SioSend, SioRecv, AnlSend, AnlRecv, MenuLoad };

} // namespace qx
