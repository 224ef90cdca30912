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
}

void ReadAllSequence::step()
{
    if (!running_)
        return;
    sendRow(row_);
    if (++row_ > kLastRow) {
        row_ = 0;
        running_ = false;
        ctx_.outbox().stopTimer(kTimer);
        menuRead_.start();
    }
}

bool ReadAllSequence::stop()
{
    if (!running_)
        return false;
    running_ = false;
    ctx_.outbox().stopTimer(kTimer);
    return true;
}

void ReadAllSequence::sendRow(int index)
{
    const CatRecord* record = readRowAt(index);
    if (record == nullptr)
        return;
    const auto row = static_cast<ReadRow>(index);
    // Auto-information belongs to the link itself, never to a bulk read.
    if (row == ReadRow::AI)
        return;
    if (row == ReadRow::EX) {
        if (const int slot = ctx_.menu().slotByKind(MenuKind::CwBfo); slot != 0)
            ctx_.send(exReadCommand(slot));
        return;
    }
    const bool paced = readKindOf(*record) == ReadKind::ZeroThenOne;
    bool first = true;
    for (const std::string& query : readAllQueries(row)) {
        if (paced && !first)
            ctx_.pause(Clock::Ms{25});
        ctx_.send(query);
        first = false;
    }
}

} // namespace qx
