// Carries the engine's link reports to the UI thread in the order they were
// made: a report made on the UI thread itself is applied at once (after any
// still on their way), so what the window says next to it, such as a
// message box, comes after it; one made on a worker is applied soon after.
#pragma once
#include "cat/LinkState.h"

#include <QObject>

#include <deque>
#include <functional>
#include <mutex>

namespace qx {

class LinkStatusRelay : public QObject {
    Q_OBJECT
public:
    using Apply = std::function<void(const LinkStatus&)>;
    explicit LinkStatusRelay(Apply apply, QObject* parent = nullptr);

    // From any thread.
    void report(const LinkStatus& s);

private:
    void drain();

    Apply apply_;
    std::mutex mutex_;
    std::deque<LinkStatus> pending_;
    bool scheduled_ = false;
};

} // namespace qx
