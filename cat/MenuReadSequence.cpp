#include "cat/MenuReadSequence.h"

#include "cat/CatTables.h"
#include "menu/MenuExParam.h"
#include "menu/MenuKind.h"

#include <algorithm>

namespace qx {

bool readMenuSlot(BuilderContext& ctx, int slot)
{
    const int count = std::min(ctx.radio().get(RadioState::Int::HIGHEST_MENU), ctx.menu().count());
    if (slot < 1 || slot > count)
        return false;
    const int kind = ctx.menu().kindOf(slot);
    if (kind == MenuKind::Dimmer) {
        ctx.send(composeCommand(readRow(ReadRow::DA)));
        ctx.pause(Clock::Ms{100});
        return true;
    }
    return kind != MenuKind::Vacant && ctx.send(exReadCommand(slot));
}

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
    readMenuSlot(ctx_, slot_);
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
