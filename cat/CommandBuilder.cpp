#include "cat/CommandBuilder.h"

#include "core/MessageIds.h"
#include "cat/CommandBuilderFields.h"
#include "cat/CommandBuilderRows.h"
#include "cat/RequestHandlersWrites.h"

namespace qx {

CommandBuilder::CommandBuilder(const BuilderLinks& links)
    : ctx_(links), menuRead_(ctx_), readAll_(ctx_, menuRead_), keyerRead_(ctx_), link_(ctx_)
{
}

CommandBuilder::CommandBuilder(TextQueue& sendQueue, TextQueue& answerQueue, RadioState& radio,
                               CommandState& command, MenuTable& menu, LinkFlags& flags, Outbox& outbox,
                               Clock& clock, PortOpener& port, StepAnswers* steps)
    : CommandBuilder(BuilderLinks{sendQueue, answerQueue, radio, command, menu, flags, outbox, clock, port, steps})
{
}

void CommandBuilder::handle(const Message& m)
{
    if (handleSpecial(m))
        return;
    const auto rows = requestRows(m.id);
    if (rows.empty())
        return;
    std::string refused;
    if (const auto text = buildRequestText(rows, m, ctx_.command(), &refused))
        ctx_.send(*text);
    else if (!refused.empty())
        ctx_.refuse(refused);
}

bool CommandBuilder::handleSpecial(const Message& m)
{
    switch (m.id) {
    case UM_REQ_AI_TOGGLE: link_.toggleAutoInformation(); return true;
    case UM_REQ_POWER_TOGGLE: link_.togglePower(); return true;
    case UM_REQ_PS_READ: link_.powerOnRead(); return true;
    case UM_REQ_PS_POLL: link_.powerOffPoll(); return true;
    case UM_REQ_PS_AI_READ: link_.pollPowerAndAi(); return true;
    case UM_REQ_EX_SET: writeChangedMenuEntries(ctx_); return true;
    // Built against the 6-character read row, this would leave two NUL bytes
    // before the ";", and which entry it switches was never settled: it sends
    // nothing.
    case UM_REQ_EX_TOGGLE: return true;
    case UM_REQ_MW: writeMemory(ctx_, m.lParam); return true;
    case UM_REQ_MW_CHANNEL: writeMemoryChannel(ctx_, m); return true;
    case UM_REQ_MC_SELECT: selectMemoryChannel(ctx_, m.lParam); return true;
    case UM_REQ_MC_READ: readMemoryChannel(ctx_); return true;
    case UM_REQ_EX_READ:
        if (m.lParam >= 1 && m.lParam <= MenuTable::kMaxSlots)
            readMenuSlot(ctx_, static_cast<int>(m.lParam));
        return true;
    case UM_REQ_VD_SD_SET: sendVoxAndKeyerDelays(ctx_, m.lParam); return true;
    case UM_REQ_LK_SET: sendLock(ctx_, m.lParam); return true;
    case UM_REQ_ST_READ: readStatusAfterPause(ctx_); return true;
    case UM_REQ_FLUSH: ctx_.outbox().postToThread(ThreadId::SioSend, Message{UM_SEND_QUEUED, 0, 0}); return true;
    case UM_REQ_AI_REFUSED: link_.autoInformationRefused(); return true;
    case UM_REQ_AI_RETRY: link_.retryAutoInformation(); return true;
    case UM_REQ_READ_ALL_START:
        link_.linkCameUp();
        readAll_.start();
        return true;
    case UM_REQ_READ_ALL_STEP: readAll_.step(); return true;
    case UM_REQ_MENU_READ_START: menuRead_.start(); return true;
    case UM_REQ_MENU_READ_STEP: menuRead_.step(); return true;
    case UM_REQ_KM_READ_START: keyerRead_.start(); return true;
    case UM_REQ_KM_READ_STEP: keyerRead_.step(); return true;
    case UM_REQ_SEQUENCE_STOP: stopSequences(); return true;
    case UM_SEQUENCE_ANSWERED: stepAnswered(m); return true;
    default: return false;
    }
}

void CommandBuilder::stepAnswered(const Message& m)
{
    const auto token = static_cast<std::uint64_t>(m.lParam);
    switch (m.wParam) {
    case ReadAllSequence::kTimer: readAll_.answered(token); break;
    case MenuReadSequence::kTimer: menuRead_.answered(token); break;
    case KeyerReadSequence::kTimer: keyerRead_.answered(token); break;
    default: break;
    }
}

// A read-all stopped before it reached the menu read would otherwise leave
// the wait box marked busy until its own timeout.
void CommandBuilder::stopSequences()
{
    const bool readAllWasRunning = readAll_.stop();
    const bool menuReadWasRunning = menuRead_.stop();
    keyerRead_.stop();
    if (readAllWasRunning || menuReadWasRunning)
        ctx_.releaseWaitBox();
}

} // namespace qx
