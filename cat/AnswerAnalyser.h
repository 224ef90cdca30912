// The work of the answer analyser thread: take one framed answer per
// UM_ANSWER_ARRIVED from the answer queue, decode it into the state stores
// and post its notification to the main window; and on UM_AI_OFF_SEEN treat
// the link as lost. The radio's refusal "?;" arrives as "?" and is announced
// as UM_ANS_REFUSED. Keeps the answer watchdog (timer 17) stopped
// while it decodes and running after every answer.
//
// Collaborators: the answer queue (filled by the receive thread), the state
// stores and menu table, the link flags, the outbox, and the answers the read
// sequences' steps wait for (ticked off as they arrive).
#pragma once
#include "core/WorkerThread.h"
#include "cat/AnswerDecoders.h"
#include "cat/StepAnswers.h"
#include "serial/TextQueue.h"

#include <array>
#include <string_view>

namespace qx {

class AnswerAnalyser : public MessageHandler {
public:
    AnswerAnalyser(TextQueue& answers, Outbox& outbox, LinkFlags& link, RadioState& radio, CommandState& command,
                   MenuTable& menu, StepAnswers* steps = nullptr);

    void handle(const Message& m) override;

    // One answer, without its ";". True when it was well-formed (or, for a
    // menu answer, changed a value).
    bool dispatch(std::string_view answer);

    // As if the transceiver had switched auto-information off.
    void lineLost();

private:
    void takeAnswer();

    TextQueue& answers_;
    DecoderContext ctx_;
    StepAnswers* steps_;
    std::array<char, TextQueue::kSlotSize> buffer_{};
};

} // namespace qx
