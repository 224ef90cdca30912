// What the operator is told about the link: one of a few phases, with the
// port and speed it concerns. The machine is fed by the engine with what
// already passes through it (the port opening and closing, the link-up
// attempts, the "AI", "ID" and "PS" answers, the watchdog) and reports each
// change to one listener.
//
// Thread-safe: events arrive from the workers and the UI thread. The
// listener is called with the machine's lock held, so reports arrive in the
// order of the changes; it must only hand the report on, never call back.
#pragma once
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <utility>

namespace qx {

enum class LinkPhase { NoPort, PortOpen, Connecting, Linked, RadioOff, LinkLost, ClosedBySleep };

// The panel's link-up tries auto-information this many times, one tick of
// this window timer apart; the timer stops when the attempts are over.
inline constexpr int kLinkAttempts = 4;
inline constexpr int kLinkAttemptTimer = 22;

struct LinkStatus {
    LinkPhase phase = LinkPhase::NoPort;
    int attempt = 0; // Connecting: the attempt under way (0 before the first)
    int radioId = 0; // Linked: the model number the radio answered
    std::string port; // device path or network address, or "COMn (no device)"
    int baud = 0;
    friend bool operator==(const LinkStatus&, const LinkStatus&) = default;
};

// "no port", "connecting (attempt 2 of 4)", "linked (radio ID 0241, auto-information on)", ...
std::string linkPhaseText(const LinkStatus& s);
// The phase with its port: "port open on /dev/ttyUSB0 at 4800 bit/s".
std::string linkStatusText(const LinkStatus& s);

class LinkStateMachine {
public:
    using Listener = std::function<void(const LinkStatus&)>;
    // The port and its speed as configured now.
    using PortInfo = std::function<std::pair<std::string, int>()>;

    // An attempt unanswered this long is over, for hosts without the panel's own count.
    static constexpr std::int64_t kAttemptTimeoutMs = 5000;

    void setListener(Listener listener);
    void setPortInfo(PortInfo info);
    LinkStatus status() const;

    // Reads the port and speed again (after settings change); reports when they differ.
    void portChanged();
    void portOpened();
    // `bySleep`: the system is going to sleep or waking.
    void portClosed(bool bySleep);
    void openFailed();

    // A request to switch auto-information on; a request while linked is the switch-off.
    void attempt(std::int64_t nowMs);
    // The panel's attempts are over (their timer stopped).
    void attemptsEnded();
    // The radio's "AI" answer, or the program's own when it drops the link.
    void autoInformation(bool on);
    // A known model answered "ID".
    void radioIdentified(int id);
    // The radio answered "ID" with a model this program does not know.
    void identificationFailed();
    void power(bool on);
    // The answer watchdog found the line silent or down.
    void watchdog();
    // Once a second: ends an attempt nobody answered.
    void tick(std::int64_t nowMs);

private:
    bool portIsOpen() const;
    void enter(LinkPhase phase);
    void leaveConnecting();
    void refreshPort();
    void report();

    mutable std::mutex mutex_;
    Listener listener_;
    PortInfo portInfo_;
    LinkStatus status_;
    LinkStatus reported_;
    bool everReported_ = false;
    LinkPhase beforeConnecting_ = LinkPhase::PortOpen;
    bool aiOn_ = false;
    int knownId_ = 0;
    std::int64_t lastAttemptMs_ = 0;
};

} // namespace qx
