// Puts the radio on a memory channel as its own keys would: first asks which
// mode it is in, presses V/M only when it is on a VFO (the key toggles),
// then selects the channel, and counts the recall done only once the radio
// reports memory mode on that channel.
#pragma once
#include "backup/RadioAccess.h"
#include "backup/RadioTask.h"

#include <string>

namespace qx {

class ChannelRecall : public RadioTask {
public:
    static constexpr Clock::Ms kWait{3000};

    ChannelRecall(RadioAccess& access, int channel);

    void start() override;
    void onNotification(const Message& m) override;
    void onTimeout() override;
    std::optional<TimePoint> deadline() const override;
    bool finished() const override { return phase_ == Phase::Done; }
    TaskProgress progress() const override { return {phase_ == Phase::Done ? 1 : 0, 1}; }
    void cancel() override;

    bool succeeded() const { return succeeded_; }
    const std::string& failure() const { return failure_; }

private:
    enum class Phase { Idle, AskingMode, Selecting, Done };

    bool onChannel() const;
    void select();
    void end(bool ok, std::string why);

    RadioAccess& access_;
    int channel_;
    Phase phase_ = Phase::Idle;
    TimePoint deadline_{};
    bool succeeded_ = false;
    std::string failure_;
};

} // namespace qx
