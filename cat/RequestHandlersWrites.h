// Requests that write more than one field or more than one text: the memory
// write, the radio-menu write, the two voice delays, the lock and the
// delayed status read.
#pragma once
#include "cat/CommandBuilderContext.h"
#include "state/RadioState.h"

#include <string>

namespace qx {

// "MW" + channel, then the frequency, offset, flags, mode and tone settings
// the last "IF" answer left in the radio state: 27 characters.
std::string memoryWriteText(const RadioState& radio, long long channel);
void writeMemory(BuilderContext& ctx, long long channel);
// A UM_REQ_MW_CHANNEL: the channel record the request carries; nothing for
// a request whose record does not fit.
void writeMemoryChannel(BuilderContext& ctx, const Message& m);

// Every menu entry with a pending change, in slot order, 10 ms apart; the
// dimmer goes through its own command. Each entry's changed flag is cleared.
void writeChangedMenuEntries(BuilderContext& ctx);

// "VD" and, 20 ms later, "SD" with the same delay.
void sendVoxAndKeyerDelays(BuilderContext& ctx, long long n);

// 2: one "LK2;". 3: "LK3;" three times, each followed by 100 ms. Else nothing.
void sendLock(BuilderContext& ctx, long long n);

// "ST;" after 100 ms, so that the radio has settled.
void readStatusAfterPause(BuilderContext& ctx);

} // namespace qx
