// The command builder thread's work: turns operator requests into CAT texts
// for the send thread, runs the three read sequences and switches power and
// auto-information. It never waits for an answer; what the radio replies
// reaches the state stores through the analyser, which tells it when the
// answers a sequence step asked for are in (UM_SEQUENCE_ANSWERED).
//
// Collaborators: the send queue (its texts, each followed by UM_SEND_QUEUED to
// the send thread), the answer queue (only for the switched-off
// auto-information), the state stores and menu table it reads, the link
// flags, the main window's timers through the Outbox, the Clock for pauses and
// the port it opens before switching auto-information.
#pragma once
#include "core/WorkerThread.h"
#include "cat/CommandBuilderContext.h"
#include "cat/KeyerReadSequence.h"
#include "cat/MenuReadSequence.h"
#include "cat/ReadAllSequence.h"
#include "cat/RequestHandlersLink.h"

namespace qx {

class CommandBuilder final : public MessageHandler {
public:
    explicit CommandBuilder(const BuilderLinks& links);
    CommandBuilder(TextQueue& sendQueue, TextQueue& answerQueue, RadioState& radio, CommandState& command,
                   MenuTable& menu, LinkFlags& flags, Outbox& outbox, Clock& clock, PortOpener& port,
                   StepAnswers* steps = nullptr);
    CommandBuilder(const CommandBuilder&) = delete;
    CommandBuilder& operator=(const CommandBuilder&) = delete;

    // Any id that is neither a table request nor a direct one is ignored.
    void handle(const Message& m) override;

    // Where refused commands are reported (the trace); nowhere by default.
    void setRefusalNote(BuilderContext::RefusalNote note) { ctx_.setRefusalNote(std::move(note)); }

    const ReadAllSequence& readAll() const { return readAll_; }
    const MenuReadSequence& menuRead() const { return menuRead_; }
    const KeyerReadSequence& keyerRead() const { return keyerRead_; }

private:
    bool handleSpecial(const Message& m);
    void stepAnswered(const Message& m);
    void stopSequences();

    BuilderContext ctx_;
    MenuReadSequence menuRead_;
    ReadAllSequence readAll_;
    KeyerReadSequence keyerRead_;
    LinkRequests link_;
};

} // namespace qx
