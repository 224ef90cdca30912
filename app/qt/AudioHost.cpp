#include "app/qt/AudioHost.h"

#include "audio/AudioDevices.h"
#include "audio/AudioFrame.h"
#include "core/KeyValueFile.h"
#include "web/WebServer.h"

#include <QJsonObject>

#include <cstdio>

namespace qx {

AudioHost::AudioHost(web::WebServer& server, std::filesystem::path baseDir, AudioChoice options)
    : server_(server), settingsDir_(baseDir / "CommoFiles"), options_(std::move(options)),
      playbackIdle_(new QTimer(&playback_))  // declared after the playback it belongs to
{
    playbackIdle_->setSingleShot(true);
    // Long enough for what the sink still holds to play out.
    playbackIdle_->setInterval(audio::AudioPlayback::kLeadInMs + audio::AudioPlayback::kMaxQueuedMs + 100);
    QObject::connect(playbackIdle_, &QTimer::timeout, &playback_, [this] { playback_.stop(); });
    installHooks();
}

void AudioHost::installHooks()
{
    server_.setAudio({[this](int c, const QByteArray& b) { return check(c, b); },
                      [this](int c, const QByteArray& b) { play(c, b); }, [this] { burstEnded(); },
                      [this] { listenersChanged(); }});
}

AudioHost::~AudioHost()
{
    stop();
    server_.setAudio({});
}

void AudioHost::start()
{
    const AudioChoice& options = options_;
    KeyValueFile settings(settingsDir_ / KeyValueFile::kFileName);
    settings.load();
    const auto saved = [&](const char* key) { return QString::fromStdString(settings.get(key).value_or("")); };
    captureName_ = options.capture ? QString::fromStdString(*options.capture) : saved(kAudioInKey);
    playbackName_ = options.playback ? QString::fromStdString(*options.playback) : saved(kAudioOutKey);
    frameMs_ = saved(kAudioFrameKey) == QLatin1String("10") ? 10 : 20;
    active_ = true;
    open();
}

void AudioHost::apply(const QString& capture, const QString& playback)
{
    KeyValueFile settings(settingsDir_ / KeyValueFile::kFileName);
    settings.load();
    settings.set(kAudioInKey, capture.toStdString());
    settings.set(kAudioOutKey, playback.toStdString());
    if (!settings.save() && stderr_)
        std::fprintf(stderr, "The audio devices could not be saved: %s\n", settings.lastError().c_str());
    captureName_ = capture;
    playbackName_ = playback;
    if (active_)
        open();
}

void AudioHost::stop()
{
    if (capture_)
        capture_->stop();
    playback_.stop();
}

void AudioHost::open()
{
    stop();
    problem_.clear();
    capture_ = std::make_unique<audio::AudioCapture>(
        frameMs_, [this](const std::int16_t* s, int n, std::uint64_t us) { captured(s, n, us); });
    capture_->onStopped([this](const QString& why) { captureLost(why); });
    encoder_ = std::make_unique<audio::OpusFrameEncoder>(frameMs_);
    captureDevice_ = audio::findDevice(audio::Direction::Capture, captureName_);
    QStringList problems;
    if (!captureDevice_) {
        problems << (captureName_.isEmpty() ? QStringLiteral("There is no capture device for the receive audio.")
                                            : QStringLiteral("The capture device \"%1\" is not there.").arg(captureName_));
    }
    playbackDevice_ = audio::findDevice(audio::Direction::Playback, playbackName_);
    if (!playbackDevice_) {
        problems << (playbackName_.isEmpty() ? QStringLiteral("There is no playback device for the microphone audio.")
                                             : QStringLiteral("The playback device \"%1\" is not there.").arg(playbackName_));
    }
    problem_ = problems.join(' ');
    if (!problem_.isEmpty() && stderr_)
        std::fprintf(stderr, "Remote audio: %s\n", problem_.toUtf8().constData());
    publish();
    listenersChanged();
}

void AudioHost::publish()
{
    QJsonObject status{{"available", captureDevice_.has_value()},
                       {"tx", playbackDevice_.has_value()},
                       {"frameMs", frameMs_},
                       {"text", problem_}};
    server_.setAudioStatus(status);
}

void AudioHost::listenersChanged()
{
    const bool wanted = server_.audioListeners(false) + server_.audioListeners(true) > 0;
    if (!active_) {
        if (wanted)
            start();
        return;
    }
    if (wanted && !capture_->running() && captureDevice_) {
        if (!capture_->start(*captureDevice_)) {
            problem_ = QStringLiteral("The receive audio cannot be recorded: %1.").arg(capture_->error());
            if (stderr_)
                std::fprintf(stderr, "Remote audio: %s\n", problem_.toUtf8().constData());
            captureDevice_.reset();
            publish();
        }
    } else if (!wanted && capture_->running()) {
        capture_->stop();
    }
}

// The pages hear why their audio stopped; choosing the device again (or the
// web server's next start) looks for it anew.
void AudioHost::captureLost(const QString& why)
{
    problem_ = QStringLiteral("The receive audio stopped: %1.").arg(why);
    if (stderr_)
        std::fprintf(stderr, "Remote audio: %s\n", problem_.toUtf8().constData());
    captureDevice_.reset();
    publish();
}

void AudioHost::captured(const std::int16_t* samples, int count, std::uint64_t captureUs)
{
    audio::AudioFrame frame;
    frame.durationMs = static_cast<std::uint8_t>(frameMs_);
    frame.sequence = ++sequence_;
    frame.captureUs = captureUs;
    QByteArray opus;
    QByteArray pcm;
    if (server_.audioListeners(false) > 0) {
        frame.kind = audio::FrameKind::Opus;
        frame.payload = encoder_->encode(samples, count);
        if (!frame.payload.isEmpty())
            opus = audio::writeFrame(frame);
    }
    if (server_.audioListeners(true) > 0) {
        const std::vector<std::int16_t> narrow = downsample_.process(samples, count);
        frame.kind = audio::FrameKind::Pcm16k;
        frame.payload = QByteArray(reinterpret_cast<const char*>(narrow.data()),
                                   static_cast<qsizetype>(narrow.size() * 2));
        pcm = audio::writeFrame(frame);
    }
    server_.sendAudio(opus, pcm);
}

bool AudioHost::check(int client, const QByteArray& bytes)
{
    const auto frame = audio::readFrame(bytes);
    if (!active_ || !frame || frame->kind != audio::FrameKind::Opus || !playbackDevice_)
        return false;
    // Pages come and go; the order of each is its own.
    if (order_.size() > 64 && order_.find(client) == order_.end())
        order_.clear();
    return order_[client].accept(frame->sequence);
}

void AudioHost::play(int, const QByteArray& bytes)
{
    const auto frame = audio::readFrame(bytes);
    if (!frame)
        return;
    const std::vector<std::int16_t> samples = decoder_.decode(frame->payload);
    if (samples.empty())
        return;
    playbackIdle_->stop();
    if (!playback_.running() && !playback_.start(*playbackDevice_)) {
        problem_ = QStringLiteral("The microphone audio cannot be played: %1.").arg(playback_.error());
        if (stderr_)
            std::fprintf(stderr, "Remote audio: %s\n", problem_.toUtf8().constData());
        playbackDevice_.reset();
        publish();
        return;
    }
    playback_.play(samples.data(), static_cast<int>(samples.size()));
}

void AudioHost::burstEnded()
{
    playback_.endBurst();
    if (playback_.running())
        playbackIdle_->start();
}

} // namespace qx
