#include "panel/controller/ConnectionAttempts.h"

#include "core/ErrorMessages.h"
#include "core/MessageIds.h"
#include "core/Outbox.h"
#include "core/PostRequest.h"
#include "core/RequestTable.h"
#include "panel/controller/PanelWorld.h"
#include "state/RadioState.h"

namespace qx::panel {

namespace {
constexpr int kCheckMs = 1500;
constexpr int kAttemptMs = 1000;
constexpr int kMaxAttempts = kLinkAttempts;
constexpr int kFailedToConnect = 111;
} // namespace

ConnectionAttempts::ConnectionAttempts(Outbox& outbox, const RadioState& radio, PanelWorld& world)
    : outbox_(outbox), radio_(radio), world_(world)
{
}

void ConnectionAttempts::keyPressed()
{
    if (radio_.get(RadioState::Int::AI) == 1)
        outbox_.stopTimer(kConnectCheckTimer);
    else
        outbox_.startTimer(kConnectCheckTimer, kCheckMs);
}

void ConnectionAttempts::checkTick()
{
    outbox_.stopTimer(kConnectCheckTimer);
    if (connecting_ || !world_.portReady() || radio_.get(RadioState::Int::AI) == 1)
        return;
    connecting_ = true;
    world_.showConnecting(true);
    attempts_ = 0;
    outbox_.startTimer(kConnectAttemptTimer, kAttemptMs);
}

void ConnectionAttempts::attemptTick()
{
    if (!connecting_) {
        outbox_.stopTimer(kConnectAttemptTimer);
        return;
    }
    if (++attempts_ <= kMaxAttempts) {
        PostRequest(outbox_, requestRowOf(UM_REQ_AI_TOGGLE), 0, 0, 0, 0);
        return;
    }
    end();
    if (const auto text = operatorText(kFailedToConnect))
        world_.showMessage(*text);
}

void ConnectionAttempts::finish()
{
    if (connecting_)
        end();
}

void ConnectionAttempts::end()
{
    // The timer would otherwise go on ticking after the last attempt.
    outbox_.stopTimer(kConnectAttemptTimer);
    connecting_ = false;
    world_.showConnecting(false);
}

} // namespace qx::panel
