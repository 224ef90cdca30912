#include "widgets/QtKnobTimers.h"

namespace qx {

QtKnobTimers::QtKnobTimers(QObject* owner, std::function<void(KnobTimer)> onTick)
{
    for (int i = 0; i < kKnobTimerCount; ++i) {
        auto* t = new QTimer(owner);
        const auto id = static_cast<KnobTimer>(i);
        QObject::connect(t, &QTimer::timeout, owner, [onTick, id] { onTick(id); });
        timers_[static_cast<std::size_t>(i)] = t;
    }
}

void QtKnobTimers::start(KnobTimer t, int periodMs)
{
    timer(t)->start(periodMs);
}

void QtKnobTimers::stop(KnobTimer t)
{
    timer(t)->stop();
}

} // namespace qx
