// Opus over Debian's libopus, as the remote audio uses it: 48 kHz mono,
// 10 or 20 ms frames, tuned for low delay rather than music.
#pragma once
#include <QByteArray>

#include <cstdint>
#include <string>
#include <vector>

struct OpusEncoder;
struct OpusDecoder;

namespace qx::audio {

inline constexpr int kOpusRate = 48000;
inline constexpr int kDefaultBitrate = 24000;

class OpusFrameEncoder {
public:
    // `frameMs` is 10 or 20; anything else is taken as 20.
    explicit OpusFrameEncoder(int frameMs = 20, int bitrate = kDefaultBitrate);
    ~OpusFrameEncoder();
    OpusFrameEncoder(const OpusFrameEncoder&) = delete;
    OpusFrameEncoder& operator=(const OpusFrameEncoder&) = delete;

    bool ok() const { return encoder_ != nullptr; }
    const std::string& error() const { return error_; }
    int frameSamples() const { return frameSamples_; }
    int frameMs() const { return frameMs_; }
    // Exactly frameSamples() samples in; one packet out (empty on failure).
    QByteArray encode(const std::int16_t* samples, int count);

private:
    OpusEncoder* encoder_ = nullptr;
    int frameMs_;
    int frameSamples_;
    std::string error_;
};

class OpusFrameDecoder {
public:
    OpusFrameDecoder();
    ~OpusFrameDecoder();
    OpusFrameDecoder(const OpusFrameDecoder&) = delete;
    OpusFrameDecoder& operator=(const OpusFrameDecoder&) = delete;

    bool ok() const { return decoder_ != nullptr; }
    // The packet's samples, empty when it does not decode.
    std::vector<std::int16_t> decode(const QByteArray& packet);
    // A frame's worth of concealment for one that never came.
    std::vector<std::int16_t> conceal(int samples);

private:
    OpusDecoder* decoder_ = nullptr;
};

} // namespace qx::audio
