// Auto-information and power switching: the requests that change the state
// of the link itself and poll the radio until it reports the change.
#pragma once
#include "cat/CommandBuilderContext.h"

namespace qx {

class LinkRequests {
public:
    static constexpr int kPowerOnTimer = 23;   // one read 100 ms after switching on
    static constexpr int kPowerOffTimer = 24;  // two reads 600 ms apart after switching off
    static constexpr int kPowerOnReadMs = 100;
    static constexpr int kPowerOffPollMs = 600;
    // A radio that answers "AI0" to "AI1" is asked again this often, this
    // far apart, before the operator is told.
    static constexpr int kAiRetryTimer = 42;
    static constexpr int kAiRetryMs = 1000;
    static constexpr int kAiRetries = 3;

    explicit LinkRequests(BuilderContext& ctx) : ctx_(ctx) {}

    void toggleAutoInformation();
    void togglePower();
    void powerOnRead();      // tick of the power-on timer
    void powerOffPoll();     // tick of the power-off timer
    void pollPowerAndAi();   // the one-second poll

    // The radio answered "AI0" after we sent "AI1": ask again a second
    // later, up to kAiRetries times, then give up and tell the operator once.
    void autoInformationRefused();
    void retryAutoInformation(); // tick of the retry timer
    // The link came up: a later refusal starts a fresh count.
    void linkCameUp();

private:
    void switchAutoInformationOn();
    void linkOff();
    void cancelRetry();

    BuilderContext& ctx_;
    int powerPolls_ = 0;
    int aiRefusals_ = 0;
    bool aiRetryPending_ = false;
    bool aiGaveUp_ = false;
};

} // namespace qx
