#include "backup/RestoreSequence.h"

#include "backup/SetupSnapshot.h"
#include "cat/KeyerWrite.h"
#include "cat/MemoryWriteRequest.h"
#include "core/MessageIds.h"
#include "core/PostRequest.h"
#include "core/RequestTable.h"
#include "menu/MenuKind.h"
#include "menu/MenuTable.h"
#include "menu/MenuValue.h"
#include "state/RadioState.h"

#include <algorithm>

namespace qx {

std::string_view outcomeText(RestoreResult::Outcome o)
{
    switch (o) {
    case RestoreResult::Outcome::Restored: return "restored";
    case RestoreResult::Outcome::Refused: return "refused by the radio";
    case RestoreResult::Outcome::NotConfirmed: return "not confirmed by the radio";
    case RestoreResult::Outcome::LeftToOperator: return "left to the operator";
    case RestoreResult::Outcome::NotTried: return "not tried";
    }
    return "";
}

RestoreSequence::RestoreSequence(RadioAccess& access, std::vector<SetupDifference> items) : access_(access)
{
    for (SetupDifference& d : items)
        results_.push_back({std::move(d), RestoreResult::Outcome::NotTried});
}

void RestoreSequence::start()
{
    started_ = true;
    begin();
}

// Starts the current setting, and runs through those that need no answer.
void RestoreSequence::begin()
{
    while (current_ < results_.size()) {
        const SetupDifference& d = results_[current_].item;
        if (!d.restorable()) {
            settle(RestoreResult::Outcome::LeftToOperator);
            continue;
        }
        // Already as saved (the radio reported it meanwhile): nothing to write.
        if (d.area != SetupDifference::Area::Channel && confirmed(d)) {
            settle(RestoreResult::Outcome::Restored);
            continue;
        }
        refused_ = false;
        deadline_ = access_.clock.now() + kConfirmWait;
        write(d);
        return;
    }
}

void RestoreSequence::write(const SetupDifference& d)
{
    switch (d.area) {
    case SetupDifference::Area::Menu:
        access_.menu.update(d.index, [&d](MenuItem& item) {
            item.changed = true;
            item.newValue = d.value;
            item.newText.assign(d.text);
            return true;
        });
        PostRequest(access_.outbox, requestRowOf(UM_REQ_EX_SET), 0, 0, 0, 0);
        access_.outbox.postToThread(ThreadId::AnlSend, {UM_REQ_EX_READ, 0, d.index});
        return;
    case SetupDifference::Area::Keyer: {
        // A memory is emptied by writing a blank: the radio pads every text with them.
        const auto texts = keyerWrite(d.index, d.text.empty() ? std::string(" ") : d.text);
        if (texts && access_.sendRaw) {
            access_.sendRaw(texts->write);
            access_.sendRaw(texts->readBack);
        }
        return;
    }
    case SetupDifference::Area::Channel: {
        channelAnswersBefore_ = access_.radio.memoryChannels().get(d.index).answers;
        if (d.channel)
            if (const auto request = memoryWriteRequest(d.index, *d.channel))
                access_.outbox.postToThread(ThreadId::AnlSend, *request);
        access_.outbox.postToThread(ThreadId::AnlSend, {UM_REQ_MR_READ, 0, d.index});
        return;
    }
    }
}

bool RestoreSequence::confirmed(const SetupDifference& d) const
{
    switch (d.area) {
    case SetupDifference::Area::Menu: {
        const MenuItem item = access_.menu.getEntry(d.index);
        return menuInt(item.value) == menuInt(d.value) &&
               (item.kind != MenuKind::BeaconText || item.text.view() == d.text);
    }
    case SetupDifference::Area::Keyer:
        return access_.radio.get(RadioState::Int::KM_SELECTED) == d.index && keyerTextOf(access_.radio, d.index) == d.text;
    case SetupDifference::Area::Channel: {
        const auto reading = access_.radio.memoryChannels().get(d.index);
        return reading.answers != channelAnswersBefore_ && reading.content == d.channel;
    }
    }
    return false;
}

void RestoreSequence::onNotification(const Message& m)
{
    if (!started_ || finished())
        return;
    const SetupDifference& d = results_[current_].item;
    if (m.id == UM_ANS_REFUSED) {
        refused_ = true;
        deadline_ = std::min(deadline_, access_.clock.now() + kRefusalGrace);
        return;
    }
    const bool mine = (d.area == SetupDifference::Area::Menu && (m.id == UM_ANS_OTHER || m.id == UM_ANS_DA)) ||
                      (d.area == SetupDifference::Area::Keyer && m.id == UM_ANS_KM) ||
                      (d.area == SetupDifference::Area::Channel && m.id == UM_ANS_MR);
    if (mine && confirmed(d)) {
        settle(RestoreResult::Outcome::Restored);
        begin();
    }
}

void RestoreSequence::onTimeout()
{
    if (!started_ || finished() || access_.clock.now() < deadline_)
        return;
    // The last look: an answer may have landed without a notification of its own.
    if (confirmed(results_[current_].item))
        settle(RestoreResult::Outcome::Restored);
    else
        settle(refused_ ? RestoreResult::Outcome::Refused : RestoreResult::Outcome::NotConfirmed);
    begin();
}

std::optional<RadioTask::TimePoint> RestoreSequence::deadline() const
{
    if (!started_ || finished())
        return std::nullopt;
    return deadline_;
}

TaskProgress RestoreSequence::progress() const
{
    return {static_cast<int>(current_), static_cast<int>(results_.size())};
}

void RestoreSequence::settle(RestoreResult::Outcome o)
{
    results_[current_].outcome = o;
    ++current_;
}

void RestoreSequence::cancel()
{
    // The setting under way may still reach the radio: unconfirmed, never
    // restored. The rest keep "not tried".
    if (started_ && !finished())
        settle(RestoreResult::Outcome::NotConfirmed);
    current_ = results_.size();
    started_ = true;
}

} // namespace qx
