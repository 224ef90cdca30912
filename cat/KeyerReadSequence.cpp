#include "cat/KeyerReadSequence.h"

#include "cat/CatTables.h"

#include <string>

namespace qx {

void KeyerReadSequence::start()
{
    running_ = true;
    memory_ = 1;
    ctx_.outbox().startTimer(kTimer, kPeriodMs);
}

void KeyerReadSequence::step()
{
    if (!running_)
        return;
    if (memory_ >= 1 && memory_ <= kLastMemory) {
        ctx_.send(composeCommand(readRow(ReadRow::KM), std::string(1, static_cast<char>('0' + memory_))));
        ++memory_;
        return;
    }
    stop();
}

void KeyerReadSequence::stop()
{
    memory_ = 1;
    running_ = false;
    ctx_.outbox().stopTimer(kTimer);
}

} // namespace qx
