#include "backup/ChannelReader.h"

#include "core/MessageIds.h"
#include "state/RadioState.h"

namespace qx {

ChannelReader::ChannelReader(RadioAccess& access, ChannelRange range)
    : access_(access), range_(range), next_(range.first)
{
}

std::uint32_t ChannelReader::answersOf(int channel) const
{
    return access_.radio.memoryChannels().get(channel).answers;
}

void ChannelReader::start()
{
    started_ = true;
    lastHeard_ = access_.clock.now();
    fill();
}

void ChannelReader::ask(int channel)
{
    const std::uint32_t before = answersOf(channel);
    askedAt_[channel] = before;
    inFlight_.push_back({channel, before});
    access_.outbox.postToThread(ThreadId::AnlSend, {UM_REQ_MR_READ, 0, channel});
}

void ChannelReader::fill()
{
    while (!finished() && static_cast<int>(inFlight_.size()) < kInFlight) {
        if (!again_.empty()) {
            ask(again_.front());
            again_.pop_front();
        } else if (next_ <= range_.last) {
            ask(next_++);
        } else {
            break;
        }
    }
}

void ChannelReader::retry(const Ask& a)
{
    if (++attempts_[a.channel] >= kAttempts) {
        failure_ = "the radio did not answer the read of memory channel " + std::to_string(a.channel);
        inFlight_.clear();
        again_.clear();
        return;
    }
    again_.push_back(a.channel);
}

// An "MR" answer: the first read in flight whose channel has had an answer
// since it was asked. Reads before it were answered with something we never
// saw and are asked again.
void ChannelReader::takeAnswer()
{
    for (std::size_t i = 0; i < inFlight_.size(); ++i) {
        const Ask a = inFlight_[i];
        if (answersOf(a.channel) == a.answersBefore)
            continue;
        for (std::size_t j = 0; j < i && failure_.empty(); ++j)
            retry(inFlight_[j]);
        if (!failure_.empty())
            return;
        results_[a.channel] = access_.radio.memoryChannels().get(a.channel).content;
        inFlight_.erase(inFlight_.begin(), inFlight_.begin() + static_cast<std::ptrdiff_t>(i) + 1);
        return;
    }
}

// "?;": the oldest read in flight is for an empty channel, unless its answer
// came after all.
void ChannelReader::takeRefusal()
{
    if (inFlight_.empty())
        return;
    const Ask a = inFlight_.front();
    if (answersOf(a.channel) != a.answersBefore) {
        takeAnswer();
        return;
    }
    results_[a.channel] = std::nullopt;
    inFlight_.pop_front();
}

void ChannelReader::onNotification(const Message& m)
{
    if (!started_ || finished())
        return;
    if (m.id == UM_ANS_MR)
        takeAnswer();
    else if (m.id == UM_ANS_REFUSED)
        takeRefusal();
    else
        return;
    lastHeard_ = access_.clock.now();
    fill();
}

void ChannelReader::onTimeout()
{
    if (!started_ || finished() || inFlight_.empty())
        return;
    if (access_.clock.now() < lastHeard_ + kQuiet)
        return;
    const std::deque<Ask> lost = std::move(inFlight_);
    inFlight_.clear();
    for (const Ask& a : lost)
        if (failure_.empty())
            retry(a);
    lastHeard_ = access_.clock.now();
    fill();
}

std::optional<RadioTask::TimePoint> ChannelReader::deadline() const
{
    if (!started_ || finished() || inFlight_.empty())
        return std::nullopt;
    return lastHeard_ + kQuiet;
}

bool ChannelReader::finished() const
{
    if (!started_)
        return false;
    return cancelled_ || !failure_.empty() || (next_ > range_.last && inFlight_.empty() && again_.empty());
}

TaskProgress ChannelReader::progress() const
{
    return {static_cast<int>(results_.size()), range_.count()};
}

void ChannelReader::cancel()
{
    cancelled_ = true;
    inFlight_.clear();
    again_.clear();
}

std::vector<std::pair<int, std::optional<MemoryChannel>>> ChannelReader::answered() const
{
    std::vector<std::pair<int, std::optional<MemoryChannel>>> out;
    for (const auto& [channel, content] : results_) {
        std::optional<MemoryChannel> c = content;
        // A "?;" taken for this channel while its own answer was still on the way.
        if (!c) {
            const auto reading = access_.radio.memoryChannels().get(channel);
            if (auto at = askedAt_.find(channel); at != askedAt_.end() && reading.answers != at->second)
                c = reading.content;
        }
        out.emplace_back(channel, c);
    }
    return out;
}

std::vector<SavedChannel> ChannelReader::held() const
{
    std::vector<SavedChannel> out;
    for (const auto& [channel, content] : answered())
        if (content)
            out.push_back({channel, *content});
    return out;
}

} // namespace qx
