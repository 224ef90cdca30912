// Writes saved settings back one at a time, each through the program's own
// path for it (the menu write, the CW window's keyer write, the memory
// write), and reads each back: a setting counts as restored only once the
// read-back has put the saved value into the menu table or the radio state.
// One the radio refuses ("?;") or never confirms is reported as such;
// settings left to the operator are listed without a word to the radio.
#pragma once
#include "backup/RadioAccess.h"
#include "backup/RadioTask.h"
#include "backup/SetupCompare.h"

#include <cstdint>
#include <string>
#include <vector>

namespace qx {

struct RestoreResult {
    enum class Outcome { Restored, Refused, NotConfirmed, LeftToOperator, NotTried };

    SetupDifference item;
    Outcome outcome = Outcome::NotTried;
};

std::string_view outcomeText(RestoreResult::Outcome o);

class RestoreSequence : public RadioTask {
public:
    // A read-back takes well under a second at 4800 bit/s.
    static constexpr Clock::Ms kConfirmWait{3000};
    // After a "?;" a read-back that shows the saved value still counts.
    static constexpr Clock::Ms kRefusalGrace{400};

    RestoreSequence(RadioAccess& access, std::vector<SetupDifference> items);

    void start() override;
    void onNotification(const Message& m) override;
    void onTimeout() override;
    std::optional<TimePoint> deadline() const override;
    bool finished() const override { return started_ && current_ >= results_.size(); }
    TaskProgress progress() const override;
    void cancel() override;

    const std::vector<RestoreResult>& results() const { return results_; }

private:
    void begin();
    void write(const SetupDifference& d);
    bool confirmed(const SetupDifference& d) const;
    void settle(RestoreResult::Outcome o);

    RadioAccess& access_;
    std::vector<RestoreResult> results_;
    std::size_t current_ = 0;
    TimePoint deadline_{};
    std::uint32_t channelAnswersBefore_ = 0;
    bool refused_ = false;
    bool started_ = false;
};

} // namespace qx
