#include "cat/ReadAllSequence.h"

#include "cat/CatTables.h"
#include "cat/ReadQueries.h"
#include "menu/MenuExParam.h"
#include "menu/MenuKind.h"

namespace qx {

void ReadAllSequence::start()
{
    row_ = 0;
    if (running_)
        return;
    running_ = true;
    ctx_.flags().waitBoxBusy.store(true);
    ctx_.outbox().startTimer(kTimer, kPeriodMs);
    // Nothing is outstanding yet: the first step need not wait for a tick.
    token_ = ctx_.beginStep(kTimer, {});
}

void ReadAllSequence::step()
{
    if (!running_)
        return;
    const std::vector<std::string> queries = queriesFor(row_);
    token_ = ctx_.beginStep(kTimer, queries);
    const CatRecord* record = readRowAt(row_);
    const bool paced = record != nullptr && readKindOf(*record) == ReadKind::ZeroThenOne;
    bool first = true;
    for (const std::string& query : queries) {
        if (paced && !first)
            ctx_.pause(Clock::Ms{25});
        ctx_.send(query);
        first = false;
    }
    if (++row_ > kLastRow) {
        row_ = 0;
        running_ = false;
        ctx_.outbox().stopTimer(kTimer);
        ctx_.endSequence(kTimer);
        menuRead_.start(queries);
    }
}

void ReadAllSequence::answered(std::uint64_t token)
{
    if (!running_ || token != token_)
        return;
    ctx_.outbox().startTimer(kTimer, kPeriodMs);
    step();
}

bool ReadAllSequence::stop()
{
    if (!running_)
        return false;
    running_ = false;
    ctx_.outbox().stopTimer(kTimer);
    ctx_.endSequence(kTimer);
    return true;
}

std::vector<std::string> ReadAllSequence::queriesFor(int index)
{
    const CatRecord* record = readRowAt(index);
    if (record == nullptr)
        return {};
    const auto row = static_cast<ReadRow>(index);
    // Auto-information belongs to the link itself, never to a bulk read.
    if (row == ReadRow::AI)
        return {};
    if (row == ReadRow::EX) {
        if (const int slot = ctx_.menu().slotByKind(MenuKind::CwBfo); slot != 0)
            return {exReadCommand(slot)};
        return {};
    }
    return readAllQueries(row);
}

} // namespace qx
