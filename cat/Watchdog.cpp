#include "cat/Watchdog.h"

#include "core/MessageIds.h"

namespace qx {

bool AnswerWatchdog::lineLost(LinkFlags& flags, const LineObservation& line)
{
    // Read and clear in one step: a command the send thread writes just now
    // must still count for the next tick, not be cleared unseen.
    if (flags.answerPending.exchange(false))
        return !line.bytesWaiting;
    return line.lineDown;
}

void AnswerWatchdog::tick(LinkFlags& flags, const LineObservation& line, Outbox& outbox)
{
    if (lineLost(flags, line))
        outbox.postToThread(ThreadId::AnlRecv, Message{UM_AI_OFF_SEEN, 0, 0});
}

} // namespace qx
