// The connection attempts after key 1 while the link is down: a check
// 1500 ms later, then the connecting box and up to four "AI" toggles a
// second apart, and the failure message when the link still is not up.
#pragma once
#include "cat/LinkState.h"

namespace qx {
class Outbox;
class RadioState;
} // namespace qx

namespace qx::panel {

class PanelWorld;

inline constexpr int kConnectAttemptTimer = kLinkAttemptTimer;
inline constexpr int kConnectCheckTimer = 37;

class ConnectionAttempts {
public:
    ConnectionAttempts(Outbox& outbox, const RadioState& radio, PanelWorld& world);

    // Key 1 was pressed.
    void keyPressed();
    void checkTick();   // timer 37
    void attemptTick(); // timer 22
    // The link came up, or the radio refused it: the attempts end.
    void finish();
    // The panel ignores keys meanwhile.
    bool connecting() const { return connecting_; }

private:
    void end();

    Outbox& outbox_;
    const RadioState& radio_;
    PanelWorld& world_;
    int attempts_ = 0;
    bool connecting_ = false;
};

} // namespace qx::panel
