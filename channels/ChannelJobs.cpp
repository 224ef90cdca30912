#include "channels/ChannelJobs.h"

#include "backup/SettingText.h"
#include "channels/ChannelLimits.h"

#include <QTimer>

#include <algorithm>

namespace qx {

ChannelJobs::ChannelJobs(RadioAccess& access, QObject* parent)
    : QObject(parent), access_(access), timer_(new QTimer(this))
{
    timer_->setSingleShot(true);
    connect(timer_, &QTimer::timeout, this, [this] {
        if (RadioTask* t = task())
            t->onTimeout();
        drive();
    });
}

ChannelJobs::~ChannelJobs() = default;

bool ChannelJobs::refuse(std::string why)
{
    succeeded_ = false;
    message_ = std::move(why);
    return false;
}

RadioTask* ChannelJobs::task() const
{
    if (reader_)
        return reader_.get();
    if (writer_)
        return writer_.get();
    return recall_.get();
}

bool ChannelJobs::read(ChannelRange range)
{
    if (busy())
        return refuse("another channel job is running");
    if (!range.valid())
        return refuse("channels must lie within 1 to 504, the first not after the last");
    if (auto why = radioNotReady(access_.radio, access_.flags))
        return refuse(*why);
    job_ = last_ = Job::Read;
    reading_.clear();
    reader_ = std::make_unique<ChannelReader>(access_, range);
    reader_->start();
    // Ends on the event loop, so a caller connects to finished() first.
    QTimer::singleShot(0, this, [this] { drive(); });
    return true;
}

bool ChannelJobs::write(const std::vector<ChannelEntry>& channels)
{
    if (busy())
        return refuse("another channel job is running");
    if (channels.empty())
        return refuse("no channel to write");
    for (const ChannelEntry& e : channels) {
        if (!MemoryChannel::validChannel(e.channel))
            return refuse("channel " + std::to_string(e.channel) + " is not within 1 to 504; nothing was written");
        if (auto why = channelProblem(e.content))
            return refuse("channel " + std::to_string(e.channel) + ": " + *why + "; nothing was written");
    }
    if (auto why = radioNotReady(access_.radio, access_.flags))
        return refuse(*why);
    std::vector<SetupDifference> items;
    for (const ChannelEntry& e : channels) {
        SetupDifference d;
        d.area = SetupDifference::Area::Channel;
        d.index = e.channel;
        d.name = "Channel " + std::to_string(e.channel);
        d.saved = describeChannel(e.content);
        d.channel = e.content;
        items.push_back(std::move(d));
    }
    job_ = last_ = Job::Write;
    writeResults_.clear();
    writer_ = std::make_unique<RestoreSequence>(access_, std::move(items));
    writer_->start();
    QTimer::singleShot(0, this, [this] { drive(); });
    return true;
}

bool ChannelJobs::recall(int channel)
{
    if (busy())
        return refuse("another channel job is running");
    if (!MemoryChannel::validChannel(channel))
        return refuse("channel " + std::to_string(channel) + " is not within 1 to 504");
    if (auto why = radioNotReady(access_.radio, access_.flags))
        return refuse(*why);
    job_ = last_ = Job::Recall;
    recall_ = std::make_unique<ChannelRecall>(access_, channel);
    recall_->start();
    QTimer::singleShot(0, this, [this] { drive(); });
    return true;
}

void ChannelJobs::cancel()
{
    if (RadioTask* t = task())
        t->cancel();
    if (busy())
        QTimer::singleShot(0, this, [this] { drive(); });
}

void ChannelJobs::onMessage(const Message& m)
{
    RadioTask* t = task();
    if (!t)
        return;
    t->onNotification(m);
    drive();
}

void ChannelJobs::drive()
{
    RadioTask* t = task();
    if (job_ == Job::None || !t)
        return;
    if (!t->finished()) {
        const TaskProgress p = t->progress();
        emit progressed(p.done, p.total);
        if (const auto due = t->deadline()) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(*due - access_.clock.now());
            timer_->start(static_cast<int>(std::clamp<long long>(left.count() + 1, 0, 60000)));
        }
        return;
    }
    timer_->stop();
    ended();
}

void ChannelJobs::ended()
{
    if (reader_) {
        const std::unique_ptr<ChannelReader> reader = std::move(reader_);
        reading_ = reader->answered();
        const TaskProgress p = reader->progress();
        if (reader->complete()) {
            const auto held = std::count_if(reading_.begin(), reading_.end(), [](const auto& r) { return r.second.has_value(); });
            end(true, "read " + std::to_string(p.total) + " channels, " + std::to_string(held) + " in use");
        } else {
            end(false, (reader->cancelled() ? std::string("cancelled") : reader->failure()) + " after " +
                           std::to_string(p.done) + " of " + std::to_string(p.total) + " channels");
        }
        return;
    }
    if (writer_) {
        const std::unique_ptr<RestoreSequence> writer = std::move(writer_);
        std::size_t confirmed = 0;
        for (const RestoreResult& r : writer->results()) {
            const bool ok = r.outcome == RestoreResult::Outcome::Restored;
            confirmed += ok ? 1 : 0;
            writeResults_.push_back(
                {r.item.index, ok, ok ? std::string("written") : std::string(outcomeText(r.outcome))});
        }
        const std::size_t total = writer->results().size();
        end(confirmed == total, std::to_string(confirmed) + " of " + std::to_string(total) + " channels written");
        return;
    }
    if (recall_) {
        const std::unique_ptr<ChannelRecall> recall = std::move(recall_);
        end(recall->succeeded(), recall->succeeded() ? "on the channel" : recall->failure());
    }
}

void ChannelJobs::end(bool ok, std::string message)
{
    job_ = Job::None;
    succeeded_ = ok;
    message_ = std::move(message);
    emit finished();
}

} // namespace qx
