// The answer watchdog: timer 17, restarted by every answer the analyser
// handles. Its tick (on the analyser's own thread) decides, from what the
// port reports, whether the link is to be treated as lost; the analyser then
// handles that as if the transceiver had switched auto-information off.
#pragma once
#include "core/LinkFlags.h"
#include "core/Outbox.h"

namespace qx {

inline constexpr int kAnswerWatchdogTimer = 17;
inline constexpr int kAnswerWatchdogPeriodMs = 3000;

// What the tick learned from clearing and reading the port's error state.
struct LineObservation {
    bool bytesWaiting = false; // the driver holds received bytes not yet read
    bool lineDown = false;     // the device hung up or vanished, or the port never opened
};

class AnswerWatchdog {
public:
    // One tick. A command written since the last tick that got nothing back
    // means the link is lost; with no command outstanding only a dead line
    // does. Clears the outstanding-command flag. True when UM_AI_OFF_SEEN is due.
    static bool lineLost(LinkFlags& flags, const LineObservation& line);

    // The tick: decides and posts UM_AI_OFF_SEEN to the analyser's thread.
    static void tick(LinkFlags& flags, const LineObservation& line, Outbox& outbox);
};

} // namespace qx
