#include "cat/MenuReadSequence.h"

#include "cat/CatTables.h"
#include "menu/MenuExParam.h"
#include "menu/MenuKind.h"

#include <algorithm>

namespace qx {

void MenuReadSequence::start()
{
    slot_ = 1;
    if (running_)
        return;
    running_ = true;
    ctx_.flags().waitBoxBusy.store(true);
    ctx_.outbox().startTimer(kTimer, kPeriodMs);
}

// Slots past the loaded table hold zeroed entries that the radio knows nothing of.
int MenuReadSequence::entryCount()
{
    return std::min(ctx_.radio().get(RadioState::Int::HIGHEST_MENU), ctx_.menu().count());
}

void MenuReadSequence::step()
{
    if (!running_)
        return;
    const int count = entryCount();
    if (slot_ <= count) {
        const int kind = ctx_.menu().kindOf(slot_);
        if (kind == MenuKind::Dimmer) {
            ctx_.send(composeCommand(readRow(ReadRow::DA)));
            ctx_.pause(Clock::Ms{100});
        } else if (kind != MenuKind::Vacant) {
            ctx_.send(exReadCommand(slot_));
        }
    }
    if (++slot_ > count) {
        stop();
        ctx_.releaseWaitBox();
    }
}

bool MenuReadSequence::stop()
{
    slot_ = 1;
    if (!running_)
        return false;
    running_ = false;
    ctx_.outbox().stopTimer(kTimer);
    return true;
}

} // namespace qx
