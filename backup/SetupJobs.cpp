#include "backup/SetupJobs.h"

#include "backup/SetupFileIo.h"
#include "core/FileIo.h"
#include "backup/SetupSnapshot.h"

#include <QTimer>

#include <algorithm>

namespace qx {

SetupJobs::SetupJobs(RadioAccess& access, QObject* parent)
    : QObject(parent), access_(access), timer_(new QTimer(this))
{
    timer_->setSingleShot(true);
    connect(timer_, &QTimer::timeout, this, [this] {
        if (reader_)
            reader_->onTimeout();
        else if (restore_)
            restore_->onTimeout();
        drive();
    });
}

SetupJobs::~SetupJobs() = default;

bool SetupJobs::refuse(std::string why)
{
    succeeded_ = false;
    message_ = std::move(why);
    return false;
}

bool SetupJobs::save(const std::filesystem::path& path, std::optional<ChannelRange> channels)
{
    if (busy())
        return refuse("another set-up job is running");
    if (path.empty())
        return refuse("no file name");
    // Said now, not after minutes of reading the channels.
    if (std::string why; !checkWriteTarget(path, why))
        return refuse("cannot write " + path.string() + ": " + why);
    if (auto why = radioNotReady(access_.radio, access_.flags))
        return refuse(*why);
    if (channels && !channels->valid())
        return refuse("channels must lie within 1 to 504, the first not after the last");
    job_ = Job::Save;
    path_ = path;
    range_ = channels;
    differences_.clear();
    restoreResults_.clear();
    if (channels) {
        reader_ = std::make_unique<ChannelReader>(access_, *channels);
        reader_->start();
    }
    // Ends on the event loop, so a caller connects to finished() first.
    QTimer::singleShot(0, this, [this] { drive(); });
    return true;
}

bool SetupJobs::compare(const std::filesystem::path& path)
{
    if (busy())
        return refuse("another set-up job is running");
    if (auto why = radioNotReady(access_.radio, access_.flags))
        return refuse(*why);
    SetupParse parsed = loadSetupFile(path, access_.menu);
    if (!parsed.file)
        return refuse(parsed.error);
    const std::string id = radioIdText(access_.radio);
    if (parsed.file->radioId != id)
        return refuse("the file was saved from a radio with ID " + parsed.file->radioId + "; this radio's ID is " + id);
    job_ = Job::Compare;
    loaded_ = std::move(*parsed.file);
    differences_.clear();
    restoreResults_.clear();
    if (loaded_.channelRange) {
        reader_ = std::make_unique<ChannelReader>(access_, *loaded_.channelRange);
        reader_->start();
    }
    QTimer::singleShot(0, this, [this] { drive(); });
    return true;
}

bool SetupJobs::restore(std::vector<SetupDifference> chosen)
{
    if (busy())
        return refuse("another set-up job is running");
    if (auto why = radioNotReady(access_.radio, access_.flags))
        return refuse(*why);
    job_ = Job::Restore;
    restoreResults_.clear();
    restore_ = std::make_unique<RestoreSequence>(access_, std::move(chosen));
    restore_->start();
    QTimer::singleShot(0, this, [this] { drive(); });
    return true;
}

void SetupJobs::cancel()
{
    if (reader_)
        reader_->cancel();
    if (restore_)
        restore_->cancel();
    if (busy())
        QTimer::singleShot(0, this, [this] { drive(); });
}

void SetupJobs::onMessage(const Message& m)
{
    if (reader_)
        reader_->onNotification(m);
    else if (restore_)
        restore_->onNotification(m);
    else
        return;
    drive();
}

TaskProgress SetupJobs::progress() const
{
    if (reader_)
        return reader_->progress();
    if (restore_)
        return restore_->progress();
    return {};
}

// After every event: report progress, wait for the task's deadline, or move
// the job on once its task has ended.
void SetupJobs::drive()
{
    if (job_ == Job::None)
        return;
    RadioTask* task = reader_ ? static_cast<RadioTask*>(reader_.get()) : restore_.get();
    if (task && !task->finished()) {
        const TaskProgress p = task->progress();
        emit progressed(p.done, p.total);
        if (const auto due = task->deadline()) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(*due - access_.clock.now());
            timer_->start(static_cast<int>(std::clamp<long long>(left.count() + 1, 0, 60000)));
        }
        return;
    }
    timer_->stop();
    if (reader_) {
        channelsRead();
        return;
    }
    if (restore_) {
        restoreResults_ = restore_->results();
        restore_.reset();
        const auto restored = std::count_if(restoreResults_.begin(), restoreResults_.end(), [](const RestoreResult& r) {
            return r.outcome == RestoreResult::Outcome::Restored;
        });
        end(restored == static_cast<long>(restoreResults_.size()),
            std::to_string(restored) + " of " + std::to_string(restoreResults_.size()) + " restored");
        return;
    }
    if (job_ == Job::Save)
        writeFile(std::nullopt, {});
    else
        compareNow(nullptr);
}

void SetupJobs::channelsRead()
{
    const std::unique_ptr<ChannelReader> reader = std::move(reader_);
    if (!reader->complete()) {
        const std::string why = reader->cancelled() ? "cancelled" : reader->failure();
        end(false, why + (job_ == Job::Save ? "; nothing was written" : "; nothing was compared"));
        return;
    }
    if (job_ == Job::Save) {
        writeFile(range_, reader->held());
    } else {
        const std::vector<SavedChannel> present = reader->held();
        compareNow(&present);
    }
}

void SetupJobs::writeFile(std::optional<ChannelRange> range, std::vector<SavedChannel> channels)
{
    const SetupFile file =
        snapshotSetup(access_.menu, access_.radio, range, std::move(channels), programVersionText(), utcTimestamp());
    std::string why;
    if (!saveSetupFile(path_, file, why)) {
        end(false, why);
        return;
    }
    std::string what = std::to_string(file.menu.size()) + " menu entries, " + std::to_string(file.keyer.size()) +
                       " keyer memories, ";
    what += range ? std::to_string(file.channels.size()) + " channels in use of " + std::to_string(range->first) +
                        "-" + std::to_string(range->last)
                  : std::string("no channels");
    end(true, "saved " + path_.string() + ": " + what);
}

void SetupJobs::compareNow(const std::vector<SavedChannel>* present)
{
    differences_ = compareSetup(loaded_, access_.menu, access_.radio, present);
    end(true, differences_.empty() ? "no differences" : std::to_string(differences_.size()) + " differences");
}

void SetupJobs::end(bool ok, std::string message)
{
    job_ = Job::None;
    succeeded_ = ok;
    message_ = std::move(message);
    emit finished();
}

} // namespace qx
