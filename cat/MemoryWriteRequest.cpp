#include "cat/MemoryWriteRequest.h"

#include "core/MessageIds.h"

namespace qx {
namespace {

// lParam: frequency, then offset + 9999 from bit 27.
// wParam: channel (10 bits), clarifiers (1 + 1), mode (4), tone mode (2), tone (6), shift (2).
constexpr int kOffsetShift = 27;
constexpr long long kOffsetBias = 9999;

std::uint64_t bits(std::uint64_t word, int from, int count) { return (word >> from) & ((1u << count) - 1u); }

} // namespace

std::optional<Message> memoryWriteRequest(int channel, const MemoryChannel& c)
{
    if (!MemoryChannel::validChannel(channel) || !c.valid())
        return std::nullopt;
    Message m;
    m.id = UM_REQ_MW_CHANNEL;
    m.lParam = c.frequency | ((static_cast<long long>(c.offset) + kOffsetBias) << kOffsetShift);
    m.wParam = static_cast<std::uint64_t>(channel) | static_cast<std::uint64_t>(c.rxClarifier) << 10 |
               static_cast<std::uint64_t>(c.txClarifier) << 11 | static_cast<std::uint64_t>(c.mode) << 12 |
               static_cast<std::uint64_t>(c.toneMode) << 16 | static_cast<std::uint64_t>(c.tone) << 18 |
               static_cast<std::uint64_t>(c.shift) << 24;
    return m;
}

std::optional<std::pair<int, MemoryChannel>> memoryWriteFromRequest(const Message& m)
{
    if (m.id != UM_REQ_MW_CHANNEL || m.lParam < 0 || (m.wParam >> 26) != 0)
        return std::nullopt;
    const auto l = static_cast<std::uint64_t>(m.lParam);
    MemoryChannel c;
    c.frequency = static_cast<long long>(bits(l, 0, kOffsetShift));
    c.offset = static_cast<int>(static_cast<long long>(l >> kOffsetShift) - kOffsetBias);
    c.rxClarifier = static_cast<int>(bits(m.wParam, 10, 1));
    c.txClarifier = static_cast<int>(bits(m.wParam, 11, 1));
    c.mode = static_cast<int>(bits(m.wParam, 12, 4));
    c.toneMode = static_cast<int>(bits(m.wParam, 16, 2));
    c.tone = static_cast<int>(bits(m.wParam, 18, 6));
    c.shift = static_cast<int>(bits(m.wParam, 24, 2));
    const int channel = static_cast<int>(bits(m.wParam, 0, 10));
    if (!MemoryChannel::validChannel(channel) || !c.valid())
        return std::nullopt;
    return std::pair{channel, c};
}

} // namespace qx
