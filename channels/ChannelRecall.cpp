#include "channels/ChannelRecall.h"

#include "core/MessageIds.h"
#include "core/PostRequest.h"
#include "core/RequestTable.h"
#include "state/MemoryChannel.h"
#include "state/RadioState.h"

namespace qx {

ChannelRecall::ChannelRecall(RadioAccess& access, int channel) : access_(access), channel_(channel) {}

void ChannelRecall::start()
{
    if (!MemoryChannel::validChannel(channel_)) {
        end(false, "channel " + std::to_string(channel_) + " is not within 1 to 504");
        return;
    }
    phase_ = Phase::AskingMode;
    deadline_ = access_.clock.now() + kWait;
    access_.outbox.postToThread(ThreadId::AnlSend, {UM_REQ_IF_READ, 0, 0});
}

bool ChannelRecall::onChannel() const
{
    return access_.radio.get(RadioState::Int::IF21) != 0 && access_.radio.get(RadioState::Int::MC) == channel_;
}

void ChannelRecall::select()
{
    phase_ = Phase::Selecting;
    deadline_ = access_.clock.now() + kWait;
    if (access_.radio.get(RadioState::Int::IF21) == 0)
        PostRequest(access_.outbox, requestRowOf(UM_REQ_VM), 0, 0, 0, 0);
    access_.outbox.postToThread(ThreadId::AnlSend, {UM_REQ_MC_SELECT, 0, channel_});
    access_.outbox.postToThread(ThreadId::AnlSend, {UM_REQ_MC_READ, 0, 0});
    access_.outbox.postToThread(ThreadId::AnlSend, {UM_REQ_IF_READ, 0, 0});
}

void ChannelRecall::onNotification(const Message& m)
{
    if (phase_ == Phase::AskingMode && m.id == UM_ANS_IF)
        select();
    else if (phase_ == Phase::Selecting && m.id == UM_ANS_IF && onChannel())
        end(true, {});
}

void ChannelRecall::onTimeout()
{
    if (phase_ == Phase::Done || access_.clock.now() < deadline_)
        return;
    if (phase_ == Phase::AskingMode)
        end(false, "the radio did not say whether it is in memory mode");
    else if (onChannel())
        end(true, {});
    else
        end(false, "the radio did not confirm memory channel " + std::to_string(channel_) +
                       " (an empty channel cannot be recalled)");
}

std::optional<RadioTask::TimePoint> ChannelRecall::deadline() const
{
    if (phase_ == Phase::Idle || phase_ == Phase::Done)
        return std::nullopt;
    return deadline_;
}

void ChannelRecall::cancel()
{
    if (phase_ != Phase::Done)
        end(false, "cancelled");
}

void ChannelRecall::end(bool ok, std::string why)
{
    phase_ = Phase::Done;
    succeeded_ = ok;
    failure_ = std::move(why);
}

} // namespace qx
