// The simulated QX-720 on a pseudo-terminal: a thread that reads commands
// from the line, lets the radio model answer, and sends the answers at the
// pace of the line speed through the fault injector, logging both ways.
// The front-panel and fault calls may come from any thread.
//
// Lifecycle: construct, start() (opens the line, starts the thread), stop()
// or destruction (joins the thread, closes the line, removes the link).
// Without start() the model and the calls still work, with nothing on a line.
#pragma once
#include "sim/CommandFramer.h"
#include "sim/EventLog.h"
#include "sim/FaultInjector.h"
#include "sim/PtyLine.h"
#include "sim/RadioModel.h"
#include "sim/TransmitQueue.h"

#include <atomic>
#include <chrono>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <time.h>

namespace qx::sim {

struct SimOptions {
    RadioConfig radio;
    std::string linkPath;        // symbolic link to the slave; none when empty
    std::string logPath;         // event log file; none when empty
    std::uint32_t faultSeed = 7;
};

class SimulatedRadio {
public:
    using Ms = std::chrono::milliseconds;

    explicit SimulatedRadio(SimOptions options = {});
    ~SimulatedRadio();
    SimulatedRadio(const SimulatedRadio&) = delete;
    SimulatedRadio& operator=(const SimulatedRadio&) = delete;

    // False when the line, the link or the log file cannot be set up.
    bool start();
    void stop();
    bool running() const { return thread_.joinable(); }
    // The device a client opens; empty while the line is down.
    std::string slaveName() const;

    EventLog& log() { return log_; }

    // Front panel.
    void turnDial(int steps);
    void setMode(int mode);
    void stepBand(bool up);
    void selectBand(int band);
    void key(bool transmit);
    void power(bool on);
    // A change made on the radio itself, as its set command (RadioModel::operate);
    // false when the radio cannot take it.
    bool operate(std::string_view command);
    // Set commands from the line starting with `prefix` are refused from now on.
    void refuseSets(std::string prefix);

    // Faults.
    void setFaults(const FaultSettings& faults);
    FaultSettings faults() const;
    void sendNoise(std::size_t count);
    // Sends `text` as if the radio had said it, without changing the radio:
    // a stray answer such as a "PS0;" from a glitch on the line.
    void sendStray(std::string text);
    // Closes the line; it comes back after downFor, or at comeBack() when downFor is zero.
    void hangUp(Ms downFor);
    void comeBack();

    // A copy of the radio as it stands.
    RadioModel model() const;

private:
    void run();
    void serviceLine(TransmitQueue::TimePoint now);
    void queueAnswers(const RadioModel::Texts& answers, TransmitQueue::TimePoint now);
    void writeDue(TransmitQueue::TimePoint now);
    bool bringUp();
    void wake();
    timespec pollTimeout(TransmitQueue::TimePoint now) const;

    SimOptions options_;
    EventLog log_;
    PtyLine line_;
    CommandFramer framer_;

    mutable std::mutex mutex_;  // guards everything below
    RadioModel model_;
    FaultInjector faults_;
    TransmitQueue queue_;
    std::string slaveName_;
    std::optional<Ms> hangUpRequest_;
    bool comeBackRequest_ = false;
    std::optional<TransmitQueue::TimePoint> reopenAt_;
    bool down_ = false;

    std::atomic<bool> stopping_{false};
    int wakeRead_ = -1;
    int wakeWrite_ = -1;
    std::thread thread_;
};

} // namespace qx::sim
