#include "web/AudioTxGate.h"

namespace qx::web {

AudioTxGate::Frame AudioTxGate::frame(WebClock::time_point now)
{
    const bool paused = !any_ || now - last_ >= kGap;
    any_ = true;
    last_ = now;
    if (locked_) {
        if (!paused)
            return Frame::Refused;
        locked_ = false;
    }
    if (keyed_ && !paused)
        return Frame::Keyed;
    keyed_ = true;
    return Frame::KeyDown;
}

bool AudioTxGate::gapOver(WebClock::time_point now) const { return keyed_ && now - last_ >= kGap; }

void AudioTxGate::lockOut()
{
    keyed_ = false;
    locked_ = true;
}

} // namespace qx::web
