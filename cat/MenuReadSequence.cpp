#include "cat/MenuReadSequence.h"

#include "cat/CatTables.h"
#include "menu/MenuExParam.h"
#include "menu/MenuKind.h"

#include <algorithm>
#include <string>

namespace qx {

namespace {

// The read of a slot of this kind: the dimmer has a command of its own, a
// vacant slot is not read.
std::string slotQuery(int kind, int slot)
{
    if (kind == MenuKind::Dimmer)
        return composeCommand(readRow(ReadRow::DA));
    return kind == MenuKind::Vacant ? std::string() : exReadCommand(slot);
}

// The radio needs a moment after a dimmer read.
void sendSlotQuery(BuilderContext& ctx, int kind, const std::string& query)
{
    if (!query.empty())
        ctx.send(query);
    if (kind == MenuKind::Dimmer)
        ctx.pause(Clock::Ms{100});
}

} // namespace

bool readMenuSlot(BuilderContext& ctx, int slot)
{
    const int count = std::min(ctx.radio().get(RadioState::Int::HIGHEST_MENU), ctx.menu().count());
    if (slot < 1 || slot > count)
        return false;
    const int kind = ctx.menu().kindOf(slot);
    const std::string query = slotQuery(kind, slot);
    sendSlotQuery(ctx, kind, query);
    return !query.empty();
}

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
    const std::string query = slotQuery(kind, slot_);
    token_ = ctx_.beginStep(kTimer, query.empty() ? std::span<const std::string>() : std::span(&query, 1));
    sendSlotQuery(ctx_, kind, query);
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
