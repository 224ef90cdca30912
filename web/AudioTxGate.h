// When the controller's microphone keys the transmitter: while its frames
// arrive, and no longer than 500 ms after the last one. After the
// transmitter was released by anything else (the time-out, the operator at
// the radio) frames that keep coming do not key it again; the sender must
// first pause (let go of PTT) for the same 500 ms.
//
// Pure logic on an injected clock; the server runs the timer.
#pragma once
#include "web/WebClock.h"

#include <chrono>

namespace qx::web {

class AudioTxGate {
public:
    static constexpr std::chrono::milliseconds kGap{500};

    enum class Frame { Refused, KeyDown, Keyed };

    // A frame arrived at `now`: refused (locked out), key down now, or already keyed.
    Frame frame(WebClock::time_point now);
    // True when the gap since the last frame has run out (the key must go up).
    bool gapOver(WebClock::time_point now) const;
    // The transmitter went up on the gate's own account (gap, PTT release).
    void released() { keyed_ = false; }
    // Something else ended the transmission while frames may still come.
    void lockOut();
    // The operator pressed PTT anew: a new burst may key again.
    void pressed() { locked_ = false; }
    bool keyed() const { return keyed_; }
    WebClock::time_point lastFrame() const { return last_; }

private:
    bool keyed_ = false;
    bool locked_ = false;
    bool any_ = false;
    WebClock::time_point last_{};
};

} // namespace qx::web
