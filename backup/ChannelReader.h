// Reads the radio's memory channels over a range, in channel order, with a
// few reads in flight so the line never idles between a read and the next
// (an empty channel's "?;" is short, the "MR" read is not). Each answer is
// told apart by the channel store's answer count, so an answer that got
// lost, or one that another window asked for, is never taken for ours; a
// lost read is asked again, and a radio that stops answering ends the read
// with a failure, never a partial result passed off as whole.
#pragma once
#include "backup/RadioAccess.h"
#include "backup/RadioTask.h"
#include "backup/SetupFile.h"

#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <vector>

namespace qx {

class ChannelReader : public RadioTask {
public:
    // Reads waiting on the line at once: enough to keep it busy, few enough
    // that the polls and the panel's own commands still get through.
    static constexpr int kInFlight = 3;
    // No answer for this long: the reads in flight are asked again.
    static constexpr Clock::Ms kQuiet{1500};
    static constexpr int kAttempts = 3;

    ChannelReader(RadioAccess& access, ChannelRange range);

    void start() override;
    void onNotification(const Message& m) override;
    void onTimeout() override;
    std::optional<TimePoint> deadline() const override;
    bool finished() const override;
    TaskProgress progress() const override;
    void cancel() override;

    // Every channel of the range answered.
    bool complete() const { return finished() && failure_.empty() && !cancelled_; }
    bool cancelled() const { return cancelled_; }
    const std::string& failure() const { return failure_; }
    // The channels that hold something, in channel order; whole only when complete().
    std::vector<SavedChannel> held() const;
    // Every channel answered so far, empty ones as nothing: what a cancelled
    // or failed read did learn.
    std::vector<std::pair<int, std::optional<MemoryChannel>>> answered() const;

private:
    struct Ask {
        int channel = 0;
        std::uint32_t answersBefore = 0;
    };

    void ask(int channel);
    void fill();
    void takeAnswer();
    void takeRefusal();
    void retry(const Ask& a);
    std::uint32_t answersOf(int channel) const;

    RadioAccess& access_;
    ChannelRange range_;
    int next_ = 0;
    std::deque<Ask> inFlight_;
    std::deque<int> again_;
    std::map<int, int> attempts_;
    // Answered channels: content or empty, and the count when last asked.
    std::map<int, std::optional<MemoryChannel>> results_;
    std::map<int, std::uint32_t> askedAt_;
    TimePoint lastHeard_{};
    std::string failure_;
    bool started_ = false;
    bool cancelled_ = false;
};

} // namespace qx
