#include "app/qt/LinkStatusRelay.h"

#include <QThread>

namespace qx {

LinkStatusRelay::LinkStatusRelay(Apply apply, QObject* parent) : QObject(parent), apply_(std::move(apply)) {}

void LinkStatusRelay::report(const LinkStatus& s)
{
    {
        std::lock_guard lock(mutex_);
        pending_.push_back(s);
        if (QThread::currentThread() != thread()) {
            if (scheduled_)
                return;
            scheduled_ = true;
            QMetaObject::invokeMethod(this, [this] { drain(); }, Qt::QueuedConnection);
            return;
        }
    }
    drain();
}

void LinkStatusRelay::drain()
{
    std::deque<LinkStatus> now;
    {
        std::lock_guard lock(mutex_);
        now.swap(pending_);
        scheduled_ = false;
    }
    for (const LinkStatus& s : now)
        apply_(s);
}

} // namespace qx
