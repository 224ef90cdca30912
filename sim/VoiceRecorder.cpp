#include "sim/VoiceRecorder.h"

namespace qx::sim {

bool VoiceRecorder::record(std::string_view params)
{
    if (params.size() != 2 || params[1] < '0' || params[1] > '9')
        return false;
    const int n = params[1] - '0';
    if (params[0] == '0' && n <= kMemories) {
        memory_ = n;
        recordLeft_ = n != 0 ? length_ : Ms{0};
        return true;
    }
    if (params[0] == '1' && n <= 1) {
        recorder_ = n == 1;
        return true;
    }
    return false;
}

bool VoiceRecorder::play(int what)
{
    if (what < 0 || what > 8)
        return false;
    playing_ = what;
    playLeft_ = what != 0 ? length_ : Ms{0};
    return true;
}

bool VoiceRecorder::advance(Ms elapsed)
{
    bool ended = false;
    if (memory_ != 0) {
        recordLeft_ -= elapsed;
        if (recordLeft_.count() <= 0) {
            memory_ = 0;
            ended = true;
        }
    }
    if (playing_ != 0) {
        playLeft_ -= elapsed;
        if (playLeft_.count() <= 0) {
            playing_ = 0;
            ended = true;
        }
    }
    return ended;
}

void VoiceRecorder::stopAll()
{
    memory_ = 0;
    recorder_ = false;
    playing_ = 0;
}

} // namespace qx::sim
