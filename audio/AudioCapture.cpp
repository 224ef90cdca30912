#include "audio/AudioCapture.h"

#include "audio/AudioDevices.h"
#include "audio/AudioFrame.h"
#include "audio/AudioLevel.h"

#include <QAudioSource>
#include <QIODevice>

#include <chrono>
#include <cstring>

namespace qx::audio {

std::uint64_t monotonicMicroseconds()
{
    return static_cast<std::uint64_t>(
        std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now().time_since_epoch())
            .count());
}

AudioCapture::AudioCapture(int frameMs, FrameReady ready, QObject* parent)
    : QObject(parent), frameSamples_(samplesPerFrame(kCaptureRate, frameMs == 10 ? 10 : 20)), ready_(std::move(ready))
{
}

AudioCapture::~AudioCapture() { stop(); }

bool AudioCapture::start(const QAudioDevice& device)
{
    stop();
    error_.clear();
    device_ = device;
    // Where the sound server does not know the device by Qt's name for it, Qt's own way may.
    const auto fallBack = [this](const QString& why, bool recorded) {
        if (recorded)
            return lost(why);
        qWarning("Remote audio: %s; recording through Qt Multimedia instead.", qUtf8Printable(why));
        if (!startQt())
            lost(why);
    };
    // 10 ms blocks whatever the frame: a frame that starts inside a block
    // waits for the block's end, so a larger block is delay, a smaller one CPU.
    if (pulse_.start(device.id(), kCaptureRate, kCaptureRate / 100,
                     [this](const std::int16_t* s, std::size_t n) { take(s, n); }, fallBack, this))
        return true;
    return startQt();
}

bool AudioCapture::startQt()
{
    const QAudioDevice& device = device_;
    const QAudioFormat format = monoFormat(kCaptureRate);
    if (!device.isFormatSupported(format)) {
        error_ = QStringLiteral("the device %1 cannot record 48 kHz mono").arg(device.description());
        return false;
    }
    source_ = new QAudioSource(device, format, this);
    // Small blocks (10 ms): every millisecond the sound server holds back is delay.
    source_->setBufferSize(kCaptureRate / 100 * 2);
    io_ = source_->start();
    if (!io_ || source_->error() != QAudio::NoError) {
        error_ = QStringLiteral("the device %1 does not open for recording").arg(device.description());
        stop();
        return false;
    }
    connect(io_, &QIODevice::readyRead, this, &AudioCapture::onReadable);
    connect(source_, &QAudioSource::stateChanged, this, [this](QAudio::State state) {
        if (state == QAudio::StoppedState && source_ && source_->error() != QAudio::NoError)
            lost(QStringLiteral("the device %1 stopped recording").arg(device_.description()));
    });
    return true;
}

void AudioCapture::lost(const QString& why)
{
    stop();
    error_ = why;
    if (stopped_)
        stopped_(why);
}

void AudioCapture::stop()
{
    pulse_.stop();
    if (source_) {
        source_->stop();
        delete source_;
    }
    source_ = nullptr;
    io_ = nullptr;
    pending_.clear();
    level_ = 0;
}

QString AudioCapture::deviceName() const { return QString::fromUtf8(device_.id()); }

void AudioCapture::onReadable()
{
    if (!io_)
        return;
    const QByteArray bytes = io_->readAll();
    take(reinterpret_cast<const std::int16_t*>(bytes.constData()), static_cast<std::size_t>(bytes.size()) / 2);
}

void AudioCapture::take(const std::int16_t* samples, std::size_t count)
{
    const auto now = monotonicMicroseconds();
    const std::size_t old = pending_.size();
    pending_.resize(old + count);
    std::memcpy(pending_.data() + old, samples, count * sizeof(std::int16_t));
    std::size_t at = 0;
    while (pending_.size() - at >= static_cast<std::size_t>(frameSamples_)) {
        // The frame's first sample was taken as long ago as the samples after it last.
        const auto after = static_cast<std::uint64_t>(pending_.size() - at) * 1000000 / kCaptureRate;
        level_ = peakLevel(pending_.data() + at, frameSamples_);
        ready_(pending_.data() + at, frameSamples_, now > after ? now - after : 0);
        if (!running())
            return;  // stopped by whoever took the frame; what was pending is gone
        at += static_cast<std::size_t>(frameSamples_);
    }
    pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(at));
}

} // namespace qx::audio
