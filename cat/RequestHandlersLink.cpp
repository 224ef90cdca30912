#include "cat/RequestHandlersLink.h"

#include "core/ErrorMessages.h"
#include "core/MessageIds.h"
#include "cat/CatTables.h"
#include "cat/CommandBuilderFields.h"

#include <string>

namespace qx {
namespace {

using CS = CommandState::Int;

std::string powerCommand(char digit) { return composeCommand(setRow(SetRow::PS), std::string(1, digit)); }
std::string powerQuery() { return composeCommand(readRow(ReadRow::PS)); }

} // namespace

void LinkRequests::toggleAutoInformation()
{
    // The operator (or a connection attempt) asks now; a retry of our own
    // would only double it. After giving up, the LINK key starts afresh.
    cancelRetry();
    if (aiGaveUp_) {
        aiGaveUp_ = false;
        aiRefusals_ = 0;
    }
    ctx_.port().ensureOpen();
    const int ai = ctx_.command().get(CS::AI);
    const auto next = toggledValue(ai);
    if (!next)
        return;
    ctx_.send(composeCommand(setRow(SetRow::AI), std::string(1, static_cast<char>('0' + *next))));
    ctx_.pause(Clock::Ms{20});
    ctx_.send(composeCommand(readRow(ReadRow::AI)));
    if (ai == 1) {
        ctx_.pause(Clock::Ms{25});
        linkOff();
    }
}

void LinkRequests::switchAutoInformationOn()
{
    ctx_.port().ensureOpen();
    ctx_.send(composeCommand(setRow(SetRow::AI), "1"));
    ctx_.pause(Clock::Ms{20});
    ctx_.send(composeCommand(readRow(ReadRow::AI)));
}

void LinkRequests::cancelRetry()
{
    if (!aiRetryPending_)
        return;
    aiRetryPending_ = false;
    ctx_.outbox().stopTimer(kAiRetryTimer);
}

// One attempt brings two refusals (the answer to "AI1;" and to "AI;"); the
// second finds the retry already pending.
void LinkRequests::autoInformationRefused()
{
    if (aiRetryPending_ || aiGaveUp_)
        return;
    if (aiRefusals_ >= kAiRetries) {
        aiGaveUp_ = true;
        ctx_.outbox().postToWindow(Message{UM_SHOW_ERROR, 1, kAiRefusedRow});
        return;
    }
    ++aiRefusals_;
    aiRetryPending_ = true;
    ctx_.outbox().startTimer(kAiRetryTimer, kAiRetryMs);
}

void LinkRequests::retryAutoInformation()
{
    ctx_.outbox().stopTimer(kAiRetryTimer);
    if (!aiRetryPending_)
        return;
    aiRetryPending_ = false;
    if (ctx_.command().get(CS::AI) == 0)
        switchAutoInformationOn();
}

void LinkRequests::linkCameUp()
{
    cancelRetry();
    aiRefusals_ = 0;
    aiGaveUp_ = false;
}

// The radio does not answer a switched-off auto-information in a way the
// analyser can rely on, so its answer is put in its place.
void LinkRequests::linkOff()
{
    ctx_.outbox().postToThread(ThreadId::AnlSend, Message{UM_REQ_SEQUENCE_STOP, 0, 0});
    ctx_.flags().aiSent.store(false);
    ctx_.flags().aiSwitchedOff.store(true);
    if (ctx_.command().get(CS::PS) == 0)
        ctx_.radio().setAiBeforePowerOff(0);
    if (ctx_.answerQueue().put("AI0") == 3)
        ctx_.outbox().postToThread(ThreadId::AnlRecv, Message{UM_ANSWER_ARRIVED, 0, 0});
}

void LinkRequests::togglePower()
{
    if (ctx_.command().get(CS::PS) != 0) {
        // Switched off with auto-information saved while the link has not
        // yet turned it back on: the radio is still coming up, leave it be.
        if (ctx_.radio().aiBeforePowerOff() != 0 && ctx_.radio().get(RadioState::Int::AI) != 0
            && ctx_.command().get(CS::AI) == 0)
            return;
        ctx_.send(powerCommand('0'));
        powerPolls_ = 0;
        ctx_.outbox().startTimer(kPowerOffTimer, kPowerOffPollMs);
        return;
    }
    // The radio wakes on the first command and takes the second.
    ctx_.send(powerCommand('1'));
    ctx_.pause(Clock::Ms{800});
    ctx_.send(powerCommand('1'));
    ctx_.outbox().startTimer(kPowerOnTimer, kPowerOnReadMs);
}

void LinkRequests::powerOnRead()
{
    ctx_.outbox().stopTimer(kPowerOnTimer);
    ctx_.send(powerQuery());
}

void LinkRequests::powerOffPoll()
{
    ctx_.send(powerQuery());
    if (++powerPolls_ >= 2) {
        powerPolls_ = 0;
        ctx_.outbox().stopTimer(kPowerOffTimer);
    }
}

void LinkRequests::pollPowerAndAi()
{
    const int ai = ctx_.command().get(CS::AI);
    if (ai == 0)
        return;
    ctx_.send(powerQuery());
    if (ctx_.command().get(CS::PS) != 0) {
        ctx_.pause(Clock::Ms{30});
        ctx_.send(composeCommand(readRow(ReadRow::AI)));
    }
}

} // namespace qx
