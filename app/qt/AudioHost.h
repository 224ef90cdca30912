// The remote audio as the program runs it: the radio's receive audio from
// the capture device, coded and sent to the web pages that listen, and the
// controller's microphone frames played to the playback device (the radio's
// modulation input) while the web server keys the transmitter for them.
// Devices come from the command line, else the settings file, else the
// system's defaults; without a device the rest of the remote station works
// and the pages say why there is no audio.
//
// Lives on the UI thread beside the web host; must not outlive it.
#pragma once
#include "audio/AudioCapture.h"
#include "audio/AudioPlayback.h"
#include "audio/FrameOrder.h"
#include "audio/OpusCodec.h"
#include "audio/Pcm16k.h"

#include <QString>
#include <QTimer>

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>

namespace qx {

namespace web {
class WebServer;
}

inline constexpr const char* kAudioInKey = "audio-in";
inline constexpr const char* kAudioOutKey = "audio-out";
inline constexpr const char* kAudioFrameKey = "audio-frame-ms";

struct AudioChoice {
    std::optional<std::string> capture;   // --audio-in
    std::optional<std::string> playback;  // --audio-out
};

class AudioHost {
public:
    AudioHost(web::WebServer& server, std::filesystem::path baseDir, AudioChoice options = {});
    ~AudioHost();
    AudioHost(const AudioHost&) = delete;
    AudioHost& operator=(const AudioHost&) = delete;

    // Picks the devices and tells the pages what there is. Problems are
    // said on standard error and to the pages, never fatal. Without it, the
    // first page that asks for audio starts it (a web server started later
    // from the menu).
    void start();
    // The operator's new devices (Setup > Audio...): kept, and used now if the
    // remote audio runs (else at the web server's next start).
    void apply(const QString& capture, const QString& playback);
    void stop();

    QString captureName() const { return captureName_; }
    QString playbackName() const { return playbackName_; }
    float captureLevel() const { return capture_ ? capture_->level() : 0.0f; }
    const QString& problem() const { return problem_; }
    void setReportToStderr(bool on) { stderr_ = on; }

private:
    void open();
    void installHooks();
    void listenersChanged();
    void captured(const std::int16_t* samples, int count, std::uint64_t captureUs);
    void captureLost(const QString& why);
    bool check(int client, const QByteArray& bytes);
    void play(int client, const QByteArray& bytes);
    void publish();
    void burstEnded();

    web::WebServer& server_;
    std::filesystem::path settingsDir_;
    AudioChoice options_;
    int frameMs_ = 20;
    QString captureName_;
    QString playbackName_;
    std::optional<QAudioDevice> captureDevice_;
    std::optional<QAudioDevice> playbackDevice_;
    std::unique_ptr<audio::AudioCapture> capture_;
    audio::AudioPlayback playback_;
    // The playback stream is open only around a burst: an idle one keeps a timer ticking.
    QTimer* playbackIdle_;
    std::unique_ptr<audio::OpusFrameEncoder> encoder_;
    audio::OpusFrameDecoder decoder_;
    audio::Downsample48To16 downsample_;
    std::map<int, audio::FrameOrder> order_;
    std::uint32_t sequence_ = 0;
    QString problem_;
    bool stderr_ = true;
    bool active_ = false;
};

} // namespace qx
