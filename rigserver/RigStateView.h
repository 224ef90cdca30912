// What a client session reads of the radio: its last known settings, kept
// current by auto-information, so a read costs nothing on the serial line.
#pragma once
#include "rigserver/HamlibCodes.h"
#include "state/RadioState.h"

#include <chrono>
#include <functional>
#include <map>
#include <optional>

namespace qx {

class CommandState;
class MenuTable;

namespace rig {

// Reads see a client's own change at once: a value asked for is read back
// until the radio reports anything new for it (or for 1.5 s at most, after
// which what the radio reports stands), so a set followed by a read never
// answers the old value just because the radio's report is on its way.
class RigStateView {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::milliseconds kExpectFor{1500};

    RigStateView(const RadioState& radio, const CommandState& command, const MenuTable& menu,
                 std::function<Clock::time_point()> now = Clock::now)
        : radio_(radio), command_(command), menu_(menu), now_(std::move(now))
    {
    }

    // kOk while the link is up and the radio on; kIoError while the link is
    // down, kNotPowered while the radio reports itself off.
    Status linkStatus() const;
    bool linked() const;
    bool poweredOn() const;

    int activeVfo() const;  // 0 for VFO A, 1 for VFO B
    int frequency(int vfo) const;
    // The radio's mode code; nothing while it is not known.
    std::optional<int> radioMode(int vfo) const;
    int dataType() const;
    bool split() const;
    int txVfo() const;
    bool transmitting() const;
    int ritOffset() const;

    // Whether the radio is on a memory channel rather than a VFO.
    bool memoryMode() const;
    // What the radio last said memory channel `n` holds, with its answer count.
    MemoryChannelStore::Reading channel(int n) const { return radio_.memoryChannels().get(n); }
    Clock::time_point now() const { return now_(); }

    // A radio-state entry as the clients should see it.
    int value(RadioState::Int entry) const;
    // A request for `entry` to become `v` has left.
    void expect(RadioState::Int entry, int v);
    void expectRitOffset(int hz);
    // Reads of `entry` follow the radio's reports again at once: a request
    // the server itself sent (a release) outdates what a client asked for.
    void forget(RadioState::Int entry);

    const CommandState& command() const { return command_; }

private:
    struct Expected {
        int value;
        int before;  // what the radio reported when the request left
        Clock::time_point until;
    };
    std::optional<int> expected(int key, int reported) const;

    const RadioState& radio_;
    const CommandState& command_;
    const MenuTable& menu_;
    std::function<Clock::time_point()> now_;
    // Used by one thread at a time: the server's while it runs.
    mutable std::map<int, Expected> expected_;
};

} // namespace rig
} // namespace qx
