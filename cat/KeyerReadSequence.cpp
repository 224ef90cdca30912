#include "cat/KeyerReadSequence.h"

#include "cat/CatTables.h"

#include <string>

namespace qx {

void KeyerReadSequence::start()
{
    running_ = true;
    memory_ = 1;
    ctx_.outbox().startTimer(kTimer, kPeriodMs);
    token_ = ctx_.beginStep(kTimer, {});
}

void KeyerReadSequence::step()
{
    if (!running_)
        return;
    if (memory_ >= 1 && memory_ <= kLastMemory) {
        const std::string query[] = {
            composeCommand(readRow(ReadRow::KM), std::string(1, static_cast<char>('0' + memory_)))};
        token_ = ctx_.beginStep(kTimer, query);
        ctx_.send(query[0]);
        ++memory_;
        return;
    }
    stop();
}

void KeyerReadSequence::answered(std::uint64_t token)
{
    if (!running_ || token != token_)
        return;
    ctx_.outbox().startTimer(kTimer, kPeriodMs);
    step();
}

void KeyerReadSequence::stop()
{
    memory_ = 1;
    running_ = false;
    ctx_.outbox().stopTimer(kTimer);
    ctx_.endSequence(kTimer);
}

} // namespace qx
