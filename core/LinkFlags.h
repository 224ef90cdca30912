// Flags that coordinate the link between the worker threads and the UI.
// Each is written by one thread at a time and read by others.
#pragma once
#include <atomic>

namespace qx {

struct LinkFlags {
    // A command was written and no answer framed since.
    std::atomic<bool> answerPending{false};
    // The last auto-information command written was "AI1;".
    std::atomic<bool> aiSent{false};
    // Auto-information was switched off ("AI0;" written, or the link taken
    // down) and not asked on since: an "AI1" answer now is one that was
    // still on the line, from a read made before, and must not relink.
    std::atomic<bool> aiSwitchedOff{false};
    // The link-up asked the transceiver for its model and waits for the
    // answer; an identity answer at any other time is ignored.
    std::atomic<bool> idAwaited{false};
    // A read sequence runs: the wait box stays up while this is set.
    std::atomic<bool> waitBoxBusy{false};
    // The wait box is on screen and wants UM_WAIT_BOX_CLOSE when the sequence ends.
    std::atomic<bool> waitBoxShown{false};
};

} // namespace qx
