#include "audio/AudioPlayback.h"

#include "audio/AudioDevices.h"
#include "audio/AudioLevel.h"

#include <QAudioSink>
#include <QIODevice>

#include <vector>

namespace qx::audio {

AudioPlayback::AudioPlayback(QObject* parent) : QObject(parent) {}

AudioPlayback::~AudioPlayback() { stop(); }

bool AudioPlayback::start(const QAudioDevice& device)
{
    stop();
    error_.clear();
    const QAudioFormat format = monoFormat(kPlaybackRate);
    if (!device.isFormatSupported(format)) {
        error_ = QStringLiteral("the device %1 cannot play 48 kHz mono").arg(device.description());
        return false;
    }
    device_ = device;
    sink_ = new QAudioSink(device, format, this);
    sink_->setBufferSize(kPlaybackRate / 1000 * kMaxQueuedMs * 2);
    io_ = sink_->start();
    if (!io_ || sink_->error() != QAudio::NoError) {
        error_ = QStringLiteral("the device %1 does not open for playing").arg(device.description());
        stop();
        return false;
    }
    return true;
}

void AudioPlayback::stop()
{
    if (sink_) {
        sink_->stop();
        delete sink_;
    }
    sink_ = nullptr;
    io_ = nullptr;
    inBurst_ = false;
}

QString AudioPlayback::deviceName() const { return QString::fromUtf8(device_.id()); }

bool AudioPlayback::play(const std::int16_t* samples, int count)
{
    if (!io_ || count <= 0)
        return false;
    if (!inBurst_) {
        inBurst_ = true;
        const std::vector<std::int16_t> silence(static_cast<std::size_t>(kPlaybackRate / 1000 * kLeadInMs));
        io_->write(reinterpret_cast<const char*>(silence.data()), static_cast<qint64>(silence.size() * 2));
    }
    const qint64 bytes = static_cast<qint64>(count) * 2;
    if (sink_->bytesFree() < bytes) {
        ++dropped_;
        return false;
    }
    level_ = peakLevel(samples, count);
    return io_->write(reinterpret_cast<const char*>(samples), bytes) == bytes;
}

} // namespace qx::audio
