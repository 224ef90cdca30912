// Capture from one sound device in whole frames: 48 kHz mono, 16-bit, 10 or
// 20 ms, each with the time its first sample was taken, and the peak level for
// the meter. On a PulseAudio (or PipeWire) server it records 10 ms blocks
// as the server hands them over; elsewhere through Qt Multimedia's audio source.
//
// Lives on a thread with an event loop (the UI thread).
#pragma once
#include "audio/PulseRecorder.h"

#include <QAudioDevice>
#include <QObject>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class QAudioSource;
class QIODevice;

namespace qx::audio {

inline constexpr int kCaptureRate = 48000;

std::uint64_t monotonicMicroseconds();

class AudioCapture : public QObject {
    Q_OBJECT
public:
    using FrameReady = std::function<void(const std::int16_t* samples, int count, std::uint64_t captureUs)>;
    // The device stopped recording after a good start (unplugged, the sound server gone).
    using Stopped = std::function<void(const QString& why)>;

    AudioCapture(int frameMs, FrameReady ready, QObject* parent = nullptr);
    ~AudioCapture() override;

    bool start(const QAudioDevice& device);
    void onStopped(Stopped stopped) { stopped_ = std::move(stopped); }
    void stop();
    bool running() const { return source_ != nullptr || pulse_.running(); }
    const QString& error() const { return error_; }
    QString deviceName() const;
    // The last frame's peak, 0 to 1.
    float level() const { return level_; }

private:
    bool startQt();
    void onReadable();
    void lost(const QString& why);
    void take(const std::int16_t* samples, std::size_t count);

    int frameSamples_;
    FrameReady ready_;
    Stopped stopped_;
    PulseRecorder pulse_;
    QAudioSource* source_ = nullptr;
    QIODevice* io_ = nullptr;
    QAudioDevice device_;
    std::vector<std::int16_t> pending_;
    float level_ = 0;
    QString error_;
};

} // namespace qx::audio
