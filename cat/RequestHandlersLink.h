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

    explicit LinkRequests(BuilderContext& ctx) : ctx_(ctx) {}

    void toggleAutoInformation();
    void togglePower();
    void powerOnRead();      // tick of the power-on timer
    void powerOffPoll();     // tick of the power-off timer
    void pollPowerAndAi();   // the one-second poll

private:
    void linkOff();

    BuilderContext& ctx_;
    int powerPolls_ = 0;
};

} // namespace qx
