#include "cat/MenuReadSequence.h"

#include "cat/CatTables.h"
#include "menu/MenuExParam.h"
#include "menu/MenuKind.h"

#include <algorithm>
#include <string>
#include <vector>

namespace qx {

void MenuReadSequence::start(std::span<const std::string> outstanding)
{
    slot_ = 1;
    if (running_)
        return;
    running_ = true;
    ctx_.flags().waitBoxBusy.store(true);
    ctx_.outbox().startTimer(kTimer, kPeriodMs);
    token_ = ctx_.beginStep(kTimer, outstanding);
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
    const int kind = slot_ <= count ? ctx_.menu().kindOf(slot_) : MenuKind::Vacant;
    std::vector<std::string> query;
    if (kind == MenuKind::Dimmer)
        query.push_back(composeCommand(readRow(ReadRow::DA)));
    else if (kind != MenuKind::Vacant)
        query.push_back(exReadCommand(slot_));
    token_ = ctx_.beginStep(kTimer, query);
    if (!query.empty())
        ctx_.send(query.front());
    if (kind == MenuKind::Dimmer)
        ctx_.pause(Clock::Ms{100});
    if (++slot_ > count) {
        stop();
        ctx_.releaseWaitBox();
    }
}

void MenuReadSequence::answered(std::uint64_t token)
{
    if (!running_ || token != token_)
        return;
    ctx_.outbox().startTimer(kTimer, kPeriodMs);
    step();
}

bool MenuReadSequence::stop()
{
    slot_ = 1;
    if (!running_)
        return false;
    running_ = false;
    ctx_.outbox().stopTimer(kTimer);
    ctx_.endSequence(kTimer);
    return true;
}

} // namespace qx
