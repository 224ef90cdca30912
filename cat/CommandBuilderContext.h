// Everything the command builder's handlers work with: the two text queues,
// the state stores, the menu table, the link flags and the way out to other
// threads and the main window. send() and pause() are the only ways texts and
// delays leave the builder, so the producer contract is kept in one place.
#pragma once
#include "core/Clock.h"
#include "core/LinkFlags.h"
#include "core/Outbox.h"
#include "cat/PortOpener.h"
#include "cat/StepAnswers.h"
#include "menu/MenuTable.h"
#include "serial/TextQueue.h"
#include "state/CommandState.h"
#include "state/RadioState.h"

#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace qx {

struct BuilderLinks {
    TextQueue& sendQueue;
    TextQueue& answerQueue;
    RadioState& radio;
    CommandState& command;
    MenuTable& menu;
    LinkFlags& flags;
    Outbox& outbox;
    Clock& clock;
    PortOpener& port;
    // Where the read sequences' steps wait for their answers; without it
    // they move on at their timer's tick alone.
    StepAnswers* steps = nullptr;
};

class BuilderContext {
public:
    explicit BuilderContext(const BuilderLinks& links) : links_(links) {}

    // Puts one text into the send queue and posts UM_SEND_QUEUED for it.
    // Refuses (false) an empty text, one the queue does not take, and any
    // text holding a NUL byte: the radio must never see one.
    bool send(std::string_view text);
    void pause(Clock::Ms d) { links_.clock.sleepFor(d); }

    // A command refused because a value does not fit its field: nothing is
    // sent, and the reason goes wherever the owner wants it (the trace).
    using RefusalNote = std::function<void(std::string_view)>;
    void setRefusalNote(RefusalNote note) { refusalNote_ = std::move(note); }
    void refuse(std::string_view why) const
    {
        if (refusalNote_)
            refusalNote_(why);
    }

    // A read sequence ended: lower the busy flag and, when the wait box is on
    // screen, close it after a short pause.
    void releaseWaitBox();

    // A step of the read sequence run by timer `sequence` is about to send
    // `queries`: once all their answers are in, UM_SEQUENCE_ANSWERED brings
    // the next step; a step that sends nothing is complete at once. The
    // step's token, for telling its completion from a stale one.
    std::uint64_t beginStep(int sequence, std::span<const std::string> queries);
    // The sequence stopped: none of its answers is awaited any more.
    void endSequence(int sequence);

    TextQueue& answerQueue() { return links_.answerQueue; }
    RadioState& radio() { return links_.radio; }
    CommandState& command() { return links_.command; }
    MenuTable& menu() { return links_.menu; }
    LinkFlags& flags() { return links_.flags; }
    Outbox& outbox() { return links_.outbox; }
    PortOpener& port() { return links_.port; }

private:
    BuilderLinks links_;
    RefusalNote refusalNote_;
};

} // namespace qx
