// The simulated radio's sound card: its receive signal played to one sound
// device (the "speaker" a program records from) and, while it transmits,
// what arrives on another (its modulation input) recorded to a WAV file.
//
// Lives on the thread with the Qt event loop; reads the radio's model, which
// is safe from any thread.
#pragma once
#include "sim/audio/ReceiveSignal.h"
#include "sim/audio/WavFile.h"

#include <QObject>

#include <memory>
#include <string>

class QAudioSink;
class QAudioSource;
class QIODevice;
class QTimer;

namespace qx::sim {

class SimulatedRadio;

struct SimAudioOptions {
    std::string playback;        // the receive signal goes here ("" = none)
    std::string capture;         // the modulation input ("" = none)
    std::string recording;       // the WAV file for what was transmitted
    long long stationHz = 14201000;
    bool beacon = false;
    std::string beaconText = "VVV DE QX720 ";
    bool any() const { return !playback.empty() || !capture.empty(); }
};

class SimAudio : public QObject {
public:
    SimAudio(SimulatedRadio& radio, SimAudioOptions options);
    ~SimAudio() override;
    // False with the reason in error() when a device or the file cannot be opened.
    bool start();
    const std::string& error() const { return error_; }

private:
    class SignalDevice;
    void look();
    void captured();

    SimulatedRadio& radio_;
    SimAudioOptions options_;
    ReceiveSignal signal_;
    long long dialHz_ = 0;
    bool transmitting_ = false;
    QTimer* poll_;
    std::unique_ptr<SignalDevice> signalDevice_;
    QAudioSink* sink_ = nullptr;
    QAudioSource* source_ = nullptr;
    QIODevice* input_ = nullptr;
    WavFile wav_;
    std::string error_;
};

} // namespace qx::sim
