#include "app/qt/TransmitGuardHost.h"

#include "app/Engine.h"
#include "app/qt/UiBridge.h"
#include "core/MessageIds.h"
#include "state/RadioState.h"

#include <QTimer>

namespace qx {

TransmitGuardHost::TransmitGuardHost(Engine& engine, UiBridge& bridge)
    : engine_(engine), writer_(engine, engine.menu(), {}),
      guard_([this](bool on) { writer_.request(UM_REQ_TX_ONOFF, 0, on ? 1 : 0); }), timer_(new QTimer(this))
{
    timer_->setSingleShot(true);
    connect(timer_, &QTimer::timeout, this, [this] { guard_.expireIfDue(); });
    guard_.setArmed([this](TransmitGuard::Clock::duration after) {
        // From whichever thread keyed; the timer lives on ours.
        QMetaObject::invokeMethod(this, [this, after] { arm(after); });
    });
    guard_.setReleased([this](const std::string& why) {
        QMetaObject::invokeMethod(this, [this, why] {
            for (const auto& listener : listeners_)
                listener(why);
        });
    });
    bridge.addMessageObserver([this](const Message&) {
        const bool transmitting = engine_.radio().get(RadioState::Int::TX) != 0;
        guard_.radioReports(transmitting);
        if (!guard_.keyed())
            timer_->stop();
    });
}

void TransmitGuardHost::arm(TransmitGuard::Clock::duration after)
{
    const auto ms = std::chrono::ceil<std::chrono::milliseconds>(after).count();
    timer_->start(static_cast<int>(std::min<long long>(ms + 1, 24LL * 3600 * 1000)));
}

bool TransmitGuardHost::timerRunning() const { return timer_->isActive(); }

} // namespace qx
