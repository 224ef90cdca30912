// The program's one transmitter guard on the UI thread's event loop: it
// sends its key and unkey requests as the panel does, learns of every
// key-down and key-up from the radio's reports, runs the time-out on a
// timer that exists only while the transmitter is keyed, and tells every
// listener (standard error, the web pages) why it released the transmitter.
#pragma once
#include "core/TransmitGuard.h"
#include "rigserver/OutboxRigWriter.h"

#include <QObject>

#include <functional>
#include <string>
#include <vector>

class QTimer;

namespace qx {

class Engine;
class UiBridge;

class TransmitGuardHost : public QObject {
    Q_OBJECT
public:
    TransmitGuardHost(Engine& engine, UiBridge& bridge);

    TransmitGuard& guard() { return guard_; }
    void addListener(std::function<void(const std::string&)> listener) { listeners_.push_back(std::move(listener)); }
    bool timerRunning() const;

private:
    void arm(TransmitGuard::Clock::duration after);

    Engine& engine_;
    rig::OutboxRigWriter writer_;
    TransmitGuard guard_;
    QTimer* timer_;
    std::vector<std::function<void(const std::string&)>> listeners_;
};

} // namespace qx
