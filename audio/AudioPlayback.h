// Playback to one sound device (Qt Multimedia's audio sink): 48 kHz mono,
// 16-bit, pushed as it comes. What would queue beyond the sink's buffer is
// dropped rather than waited for, so the delay cannot grow; each new burst
// starts with a little silence so the first frames' jitter does not starve it.
//
// Lives on a thread with an event loop (the UI thread).
#pragma once
#include <QAudioDevice>
#include <QObject>

#include <cstdint>

class QAudioSink;
class QIODevice;

namespace qx::audio {

inline constexpr int kPlaybackRate = 48000;

class AudioPlayback : public QObject {
    Q_OBJECT
public:
    static constexpr int kLeadInMs = 40;
    static constexpr int kMaxQueuedMs = 150;

    explicit AudioPlayback(QObject* parent = nullptr);
    ~AudioPlayback() override;

    bool start(const QAudioDevice& device);
    void stop();
    bool running() const { return sink_ != nullptr; }
    const QString& error() const { return error_; }
    QString deviceName() const;

    // Plays `count` samples; false when they were dropped (the sink is full).
    bool play(const std::int16_t* samples, int count);
    // The burst ended: the next one starts with the lead-in again.
    void endBurst() { inBurst_ = false; }
    std::uint64_t dropped() const { return dropped_; }
    float level() const { return level_; }

private:
    QAudioSink* sink_ = nullptr;
    QIODevice* io_ = nullptr;
    QAudioDevice device_;
    bool inBurst_ = false;
    std::uint64_t dropped_ = 0;
    float level_ = 0;
    QString error_;
};

} // namespace qx::audio
