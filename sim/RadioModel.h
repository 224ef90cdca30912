// The simulated QX-720 itself, without any line: command texts in, answer
// texts out. Holds the settings, both VFOs, the clarifier, memories, keyer
// texts, the setup menu, power and auto-information, and the meters. Time
// passes only through tick(), so tests decide when boot ends and meters move.
// Not thread-safe: the owner serialises calls.
#pragma once
#include "sim/MemoryChannels.h"
#include "sim/MenuSettings.h"
#include "sim/Meters.h"
#include "sim/SettingStore.h"
#include "sim/VoiceRecorder.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qx::sim {

struct RadioConfig {
    std::string id = "0241";                        // four digits the "ID" answer carries
    std::uint32_t seed = 1;                         // meter randomness
    std::chrono::milliseconds bootDelay{600};       // "PS1;" to answering
    std::chrono::milliseconds meterPeriod{200};     // one meter update per period
    // A radio whose CAT settings keep auto-information off: "AI1;" is
    // answered "AI0;" and changes nothing.
    bool refuseAutoInformation = false;
    // How long a voice memory records and plays before it stops by itself.
    std::chrono::milliseconds voiceLength{3000};
};

class RadioModel {
public:
    using Texts = std::vector<std::string>;
    using Ms = std::chrono::milliseconds;
    enum class Power { Off, Booting, On };

    explicit RadioModel(RadioConfig config = {});

    // One complete command up to and including ";". Returns what the radio
    // sends in reply: the answer of a read, "?;" for a refused command, and
    // with auto-information on the answers of every setting it changed.
    Texts handle(std::string_view command);
    // A change made on the radio itself (its menu, keyer or memory keys),
    // given as the set command that makes the same change; commands the line
    // would have refused are still taken. Returns what auto-information
    // reports; nothing when the command is a read or the radio cannot take it.
    std::optional<Texts> operate(std::string_view command);
    // From now on set commands from the line that start with `prefix`
    // ("EX013") are refused with "?;", as a radio refuses a locked setting.
    void refuseSets(std::string prefix);
    // Lets time pass: finishes a boot, moves the meters, reports them.
    Texts tick(Ms elapsed);

    // Front panel. Each returns what auto-information reports.
    Texts turnDial(int steps);
    Texts setMode(int mode);
    Texts stepBand(bool up);
    Texts selectBand(int band);
    Texts key(bool transmit);
    Texts power(bool on);

    Power powerState() const { return power_; }
    bool autoInformation() const { return autoInfo_; }
    bool transmitting() const;
    int activeVfo() const;
    long long frequency(int vfo) const;
    int mode(int vfo) const;
    int clarifier() const { return clarifier_; }
    int lineRate() const { return menu_.lineRate(); }
    double menuValue(int slot) const { return menu_.value(slot); }
    // The answer a read of this key ("FA", "MD0", "MR001") would get.
    std::optional<std::string> answerFor(std::string_view key) const;

private:
    struct SetResult {
        bool ok = false;
        std::string echo;   // key whose answer follows the change
    };
    struct Snapshot {
        std::vector<std::string> answers;
        std::string status;
        std::string band; // follows the frequency, so no setting holds it
    };

    Texts respond(std::string_view command);
    Texts handleWhileOff(std::string_view code, std::string_view params);
    Texts handleMenu(std::string_view params);
    Texts report(const std::function<SetResult()>& change);
    Snapshot snapshot() const;
    std::string statusText() const;

    SetResult applySet(std::string_view code, std::string_view params);
    SetResult applyGeneric(std::string_view code, std::string_view params);
    SetResult applyAction(std::string_view code, std::string_view params, bool& known);
    SetResult applyMemoryWrite(std::string_view params);
    SetResult recallMemory(int vfo);
    std::string memoryContent() const;

    void stepFrequency(long long hz);
    void setFrequency(int vfo, long long hz);
    void storeMode(int vfo, int mode);
    void changeBand(int band);
    long long dialStep() const;
    void switchOff();
    // Mirrors the recorder into the settings the "LM", "PB", "RI" and "TX"
    // answers are made from.
    void syncVoice();

    std::string infoAnswer(std::string_view code, int vfo) const;
    std::optional<std::string> meterAnswer(int meter) const;

    RadioConfig config_;
    SettingStore settings_;
    MenuSettings menu_;
    MemoryChannels memories_;
    Meters meters_;
    VoiceRecorder voice_;
    bool voiceKeyed_ = false;
    std::array<std::string, 5> keyer_;
    std::vector<std::string> refusedSets_;
    std::optional<std::string> quickMemory_;
    Power power_ = Power::On;
    Ms bootLeft_{0};
    Ms meterClock_{0};
    bool autoInfo_ = false;
    bool memoryMode_ = false;
    int clarifier_ = 0;
    std::array<int, Meters::kTransmitMeters + 1> reported_{};
};

} // namespace qx::sim
