// The radio's voice memories and audio recorder: what is being recorded or
// played, and for how much longer. A voice memory records and plays for its
// fixed length and then stops by itself; the recorder records until told to
// stop and plays back for the same length. Playing memory 1 or 2 on the air
// ("PB7", "PB8") keys the transmitter while it plays.
#pragma once
#include <chrono>
#include <string_view>

namespace qx::sim {

class VoiceRecorder {
public:
    using Ms = std::chrono::milliseconds;
    static constexpr int kMemories = 5;

    explicit VoiceRecorder(Ms length) : length_(length.count() > 0 ? length : Ms{1}) {}

    // The "LM" parameters: "0n" records voice memory n ("00" stops), "10"
    // and "11" stop and start the recorder. False when refused.
    bool record(std::string_view params);
    // The "PB" parameter: 0 stops, 1 to 8 plays. False when refused.
    bool play(int what);
    // Lets time pass; true when a recording or a play ended by itself.
    bool advance(Ms elapsed);
    void stopAll();

    int memoryRecording() const { return memory_; }     // 0, or the memory being recorded
    bool recorderRecording() const { return recorder_; }
    bool recording() const { return memory_ != 0 || recorder_; }
    int playing() const { return playing_; }           // 0, or what "PB" started
    bool onTheAir() const { return playing_ == 7 || playing_ == 8; }

private:
    Ms length_;
    int memory_ = 0;
    bool recorder_ = false;
    int playing_ = 0;
    Ms recordLeft_{0};
    Ms playLeft_{0};
};

} // namespace qx::sim
