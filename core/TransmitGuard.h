// The one way the transmitter is keyed from afar: the web page, the rig
// server and the panel's TX all ask here. A transmission that goes on for
// longer than the time-out (default 180 s; 0 = no time-out) is ended and
// everyone is told why. Key-downs that did not come through here (the
// radio's own PTT) are learnt from the radio's reports and timed all the same.
//
// Safe from any thread; the callbacks run outside the guard's lock.
#pragma once
#include <chrono>
#include <functional>
#include <mutex>
#include <string>

namespace qx {

class TransmitGuard {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::seconds kDefaultTimeout{180};

    // Sends the transmit request: true keys, false unkeys.
    using SendTx = std::function<void(bool on)>;
    // A release the guard made, with the reason for everyone to see.
    using Released = std::function<void(const std::string& why)>;
    // The time-out must be looked at (expireIfDue) after this long.
    using Armed = std::function<void(Clock::duration after)>;

    explicit TransmitGuard(SendTx send, std::function<Clock::time_point()> now = Clock::now)
        : send_(std::move(send)), now_(std::move(now))
    {
    }

    void setTimeout(std::chrono::seconds t);
    std::chrono::seconds timeout() const;
    void setReleased(Released r);
    void setArmed(Armed a);

    // `who` keys the transmitter ("web: ...", "rig server", "panel").
    void key(const std::string& who);
    // Unkeying is always allowed, from anyone.
    void unkey(const std::string& who);
    // What the radio reports: a key-down nobody announced starts the clock,
    // a key-up ends it (once the radio has reported the key-down: until then
    // "receiving" only means the request is still on its way).
    void radioReports(bool transmitting);
    // Ends the transmission when the time-out has passed; true when it did.
    bool expireIfDue();

    bool keyed() const;
    std::string holder() const;

private:
    void startClock(const std::string& who, std::unique_lock<std::mutex>& lock);

    SendTx send_;
    std::function<Clock::time_point()> now_;
    Released released_;
    Armed armed_;
    mutable std::mutex mutex_;
    std::chrono::seconds timeout_ = kDefaultTimeout;
    bool keyed_ = false;
    bool seenOn_ = false;  // the radio has reported this key-down
    std::string holder_;
    Clock::time_point since_{};
};

} // namespace qx
