// The transceiver's last known settings, as decoded from its answers: one
// ranged entry per answer field, the keyer memory texts, and the few flags
// that coordinate start-up and power switching. Read by every thread; each
// entry is written by one thread at a time (mostly the answer analyser).
#pragma once
#include <array>
#include <atomic>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "state/EntryRow.h"
#include "state/KeyerMemories.h"
#include "state/MemoryChannelStore.h"
#include "state/RadioStateEntries.h"
#include "state/RangedTable.h"

namespace qx {

class RadioState {
public:
#define QX_ENTRY_ID(id, lower, upper, initial) id,
    enum class Int : int { QX_RADIO_INT_ENTRIES(QX_ENTRY_ID) };
    enum class Real : int { QX_RADIO_REAL_ENTRIES(QX_ENTRY_ID) };
#undef QX_ENTRY_ID
#define QX_ENTRY_COUNT(id, lower, upper, initial) +1
    static constexpr std::size_t kIntCount = 0 QX_RADIO_INT_ENTRIES(QX_ENTRY_COUNT);
    static constexpr std::size_t kRealCount = 0 QX_RADIO_REAL_ENTRIES(QX_ENTRY_COUNT);
#undef QX_ENTRY_COUNT

    using Entry = std::variant<Int, Real>;

    // Made with every entry at its default.
    RadioState();
    RadioState(const RadioState&) = delete;
    RadioState& operator=(const RadioState&) = delete;

    // Back to the start-up state: defaults, empty keyer texts, flags clear.
    void initialise();

    int get(Int id) const { return ints_.get(id); }
    double get(Real id) const { return reals_.get(id); }
    // A value outside the entry's range keeps the old one; still true.
    bool set(Int id, int value) { return ints_.set(id, value); }
    bool set(Real id, double value) { return reals_.set(id, value); }

    static const std::array<IntEntrySpec, kIntCount>& intEntries();
    static const std::array<RealEntrySpec, kRealCount>& realEntries();
    // By console name ("FA", "md0", "IF_OFFSET"), ignoring case.
    static std::optional<Entry> findEntryByName(std::string_view name);

    // Keyer memories 1 to 5; see KeyerMemories for what is refused.
    bool setKeyerText(int memory, std::optional<std::string_view> text)
    {
        return keyer_.set(memory, text);
    }
    std::string keyerText(int memory) const { return keyer_.get(memory); }

    // The memory channels that "MR" answers reported.
    MemoryChannelStore& memoryChannels() { return channels_; }
    const MemoryChannelStore& memoryChannels() const { return channels_; }

    // Set once the menu definition is loaded; the serial threads wait for it
    // and then read the menu table, hence acquire/release.
    bool menuReady() const { return menuReady_.load(std::memory_order_acquire); }
    void setMenuReady(bool ready) { menuReady_.store(ready, std::memory_order_release); }

    // Set when the transceiver came back on with auto-information saved, so
    // that the next "AI1" answer asks for the model id again.
    bool powerOnReenable() const { return powerOnReenable_.load(std::memory_order_relaxed); }
    void setPowerOnReenable(bool on) { powerOnReenable_.store(on, std::memory_order_relaxed); }

    // The auto-information setting in force when the transceiver went off.
    int aiBeforePowerOff() const { return aiBeforePowerOff_.load(std::memory_order_relaxed); }
    void setAiBeforePowerOff(int ai) { aiBeforePowerOff_.store(ai, std::memory_order_relaxed); }

    // The model number of the last identity answer as the transceiver sent
    // it, whether or not it is one we know; -1 when it carried none.
    int answeredModel() const { return answeredModel_.load(std::memory_order_relaxed); }
    void setAnsweredModel(int model) { answeredModel_.store(model, std::memory_order_relaxed); }

private:
    RangedTable<Int, int, kIntCount> ints_;
    RangedTable<Real, double, kRealCount> reals_;
    KeyerMemories keyer_;
    MemoryChannelStore channels_;
    std::atomic<bool> menuReady_{false};
    std::atomic<bool> powerOnReenable_{false};
    std::atomic<int> aiBeforePowerOff_{0};
    std::atomic<int> answeredModel_{-1};
};

// The "RI" parameters through which the radio reports that it is recording
// and that it is playing back.
inline constexpr RadioState::Int kRecordingFlag = RadioState::Int::RI3;
inline constexpr RadioState::Int kPlayingFlag = RadioState::Int::RI4;

// The one store of the running program.
RadioState& radioState();

} // namespace qx
