#include "cat/AnswerAnalyser.h"

#include "core/MessageIds.h"
#include "cat/CatTables.h"
#include "cat/ExAnswer.h"
#include "cat/Watchdog.h"

namespace qx {

AnswerAnalyser::AnswerAnalyser(TextQueue& answers, Outbox& outbox, LinkFlags& link, RadioState& radio,
                               CommandState& command, MenuTable& menu, StepAnswers* steps)
    : answers_(answers), ctx_{radio, command, menu, link, outbox}, steps_(steps)
{
}

void AnswerAnalyser::handle(const Message& m)
{
    if (m.id == UM_ANSWER_ARRIVED)
        takeAnswer();
    else if (m.id == UM_AI_OFF_SEEN)
        lineLost();
}

void AnswerAnalyser::takeAnswer()
{
    // The receive thread puts before it posts, so the answer is there; never
    // wait for one that is not, or the thread could not be stopped.
    const int n = answers_.tryTake(buffer_);
    if (n <= 0)
        return;
    const std::string_view answer(buffer_.data(), static_cast<std::size_t>(n));
    dispatch(answer);
    if (steps_ != nullptr)
        if (const auto done = steps_->arrived(answer))
            ctx_.outbox.postToThread(ThreadId::AnlSend, *done);
}

bool AnswerAnalyser::dispatch(std::string_view answer)
{
    ctx_.outbox.stopTimer(kAnswerWatchdogTimer);
    bool result = false;
    if (answer.substr(0, 2) == "EX") {
        result = decodeExAnswer(answer, ctx_);
    } else if (answer == "?") {
        ctx_.outbox.postToWindow(Message{UM_ANS_REFUSED, 0, 0});
    } else if (const int row = findAnswer(answer); row >= 0) {
        result = decodeAndNotify(row, answer, ctx_);
    }
    ctx_.outbox.startTimer(kAnswerWatchdogTimer, kAnswerWatchdogPeriodMs);
    return result;
}

void AnswerAnalyser::lineLost()
{
    ctx_.outbox.postToThread(ThreadId::AnlSend, Message{UM_REQ_SEQUENCE_STOP, 0, 0});
    ctx_.link.aiSent.store(false);
    decodeAnswer(static_cast<int>(AnswerRow::AI), "AI0", ctx_);
    ctx_.outbox.postToWindow(Message{UM_ANS_AI, 0, 0});
}

} // namespace qx
