// The knob timers on the Qt loop: one QTimer each, ticking into a callback.
#pragma once
#include "widgets/KnobTimers.h"

#include <QObject>
#include <QTimer>

#include <array>
#include <functional>

namespace qx {

class QtKnobTimers final : public KnobTimers {
public:
    QtKnobTimers(QObject* owner, std::function<void(KnobTimer)> onTick);

    void start(KnobTimer t, int periodMs) override;
    void stop(KnobTimer t) override;

    bool running(KnobTimer t) const { return timer(t)->isActive(); }
    int interval(KnobTimer t) const { return timer(t)->interval(); }

private:
    QTimer* timer(KnobTimer t) const { return timers_[static_cast<std::size_t>(t)]; }

    std::array<QTimer*, kKnobTimerCount> timers_{};
};

} // namespace qx
