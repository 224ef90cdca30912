// Requests that write more than one field or more than one text: the memory
// write, the radio-menu write, the two voice delays, the lock and the
// delayed status read.
#pragma once
#include "cat/CommandBuilderContext.h"
#include "state/RadioState.h"

#include <string>

namespace qx {

inline constexpr long long kFirstMemoryChannel = 1;
inline constexpr long long kLastMemoryChannel = 504;

// "MW" + channel, then the frequency, offset, flags, mode and tone settings
// the last "IF" answer left in the radio state: 27 characters. Empty when a
// value does not fit its field; `refused`, when given, says which.
std::string memoryWriteText(const RadioState& radio, long long channel, std::string* refused = nullptr);
// Sends nothing for a channel outside 1..504.
void writeMemory(BuilderContext& ctx, long long channel);
// A UM_REQ_MW_CHANNEL: the channel record the request carries; nothing for
// a request whose record does not fit.
void writeMemoryChannel(BuilderContext& ctx, const Message& m);

// Every menu entry with a pending change, in slot order, 10 ms apart; the
// dimmer goes through its own command. Each entry's changed flag is cleared.
void writeChangedMenuEntries(BuilderContext& ctx);

// "VD" and, 20 ms later, "SD" with the same delay; nothing for a delay that
// is negative or has more than four digits.
void sendVoxAndKeyerDelays(BuilderContext& ctx, long long n);

// 2: "LK2;", 3: "LK3;", each once. Else nothing.
void sendLock(BuilderContext& ctx, long long n);

// "MC" with the channel (3 digits): the memory channel the radio is on, as
// its channel keys choose it. Nothing outside 1 to 504.
void selectMemoryChannel(BuilderContext& ctx, long long channel);
// "MC;": which memory channel the radio is on.
void readMemoryChannel(BuilderContext& ctx);

// "ST;" after 100 ms, so that the radio has settled.
void readStatusAfterPause(BuilderContext& ctx);

} // namespace qx
